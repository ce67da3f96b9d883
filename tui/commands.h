#pragma once
// Command codes that dialogs, boxes and hint bars send, shared across the program.
#include <cstdint>

namespace tui {

using Command = std::uint16_t;

inline constexpr Command cmYes = 0xDD01;     // "Tak"
inline constexpr Command cmNo = 0xDD02;      // "Nie"
inline constexpr Command cmAccept = 0xDD03;  // "OK", F5 in the firm picker
inline constexpr Command cmCancel = 0xDD04;  // "Porzuć", Esc, a box that closed by itself

// What a pick list hands to its dialog.
inline constexpr Command cmListDelete = 0xF403;  // Del
inline constexpr Command cmListChoose = 0xF404;  // Ctrl+Enter
inline constexpr Command cmListSelect = 0xF405;  // Enter, or a click on the bar
inline constexpr Command cmListInsert = 0xF406;  // Insert (also in an empty list)

}  // namespace tui

#pragma once
// Key codes: high byte the PC keyboard scan code, low byte the character (0 for keys
// that produce none). Shift state: the PC keyboard-flag byte.
#include <cstdint>

namespace tui {

using KeyCode = std::uint16_t;

inline constexpr KeyCode kbEsc = 0x011B;
inline constexpr KeyCode kbEnter = 0x1C0D;
inline constexpr KeyCode kbCtrlEnter = 0x1C0A;
inline constexpr KeyCode kbTab = 0x0F09;
inline constexpr KeyCode kbShiftTab = 0x0F00;
inline constexpr KeyCode kbSpace = 0x3920;
inline constexpr KeyCode kbUp = 0x4800;
inline constexpr KeyCode kbDown = 0x5000;
inline constexpr KeyCode kbLeft = 0x4B00;
inline constexpr KeyCode kbRight = 0x4D00;
inline constexpr KeyCode kbPgUp = 0x4900;
inline constexpr KeyCode kbPgDn = 0x5100;
inline constexpr KeyCode kbHome = 0x4700;
inline constexpr KeyCode kbEnd = 0x4F00;
inline constexpr KeyCode kbInsert = 0x5200;
inline constexpr KeyCode kbDel = 0x5300;
inline constexpr KeyCode kbShiftInsert = 0x0500;
inline constexpr KeyCode kbBackspace = 0x0E08;
inline constexpr KeyCode kbCtrlLeft = 0x7300;
inline constexpr KeyCode kbCtrlRight = 0x7400;
inline constexpr KeyCode kbCtrlInsert = 0x9200;
inline constexpr KeyCode kbF1 = 0x3B00;
inline constexpr KeyCode kbF5 = 0x3F00;
inline constexpr KeyCode kbCtrlD = 0x2004;
inline constexpr KeyCode kbCtrlI = 0x1709;
inline constexpr KeyCode kbCtrlK = 0x250B;
inline constexpr KeyCode kbCtrlM = 0x320D;
inline constexpr KeyCode kbCtrlN = 0x310E;
inline constexpr KeyCode kbCtrlP = 0x1910;
inline constexpr KeyCode kbCtrlQ = 0x1011;
inline constexpr KeyCode kbCtrlT = 0x1414;
inline constexpr KeyCode kbCtrlW = 0x1117;
inline constexpr KeyCode kbCtrlY = 0x1519;
inline constexpr KeyCode kbGrayPlus = 0x4E2B;
inline constexpr KeyCode kbGrayMinus = 0x4A2D;
inline constexpr KeyCode kbAltA = 0x1E00;
inline constexpr KeyCode kbAltC = 0x2E00;
inline constexpr KeyCode kbAltE = 0x1200;
inline constexpr KeyCode kbAltL = 0x2600;
inline constexpr KeyCode kbAltN = 0x3100;
inline constexpr KeyCode kbAltO = 0x1800;
inline constexpr KeyCode kbAltP = 0x1900;
inline constexpr KeyCode kbAltS = 0x1F00;
inline constexpr KeyCode kbAltX = 0x2D00;
inline constexpr KeyCode kbAltZ = 0x2C00;

// Bits of the shift state.
namespace shift {
inline constexpr std::uint8_t RightShift = 0x01;
inline constexpr std::uint8_t LeftShift = 0x02;
inline constexpr std::uint8_t Ctrl = 0x04;
inline constexpr std::uint8_t Alt = 0x08;
inline constexpr std::uint8_t ScrollLock = 0x10;
inline constexpr std::uint8_t NumLock = 0x20;
inline constexpr std::uint8_t CapsLock = 0x40;
}  // namespace shift

}  // namespace tui

#pragma once
// Turns the bytes a terminal sends into the PC's key presses and mouse reports.
// A pure object: bytes and the time they arrived go in, events come out, so that
// every sequence and the Esc timing are tested without a terminal and without
// sleeping.
//
// What it understands: UTF-8 characters (converted to code page 852, so a Polish
// letter typed on a Polish keyboard arrives as that letter); control bytes in raw
// mode (Ctrl+letters, Tab, Enter, Backspace); Esc alone, and Esc followed at once by
// a character as Alt+that key; the cursor and function key sequences of xterm, the
// Linux console, rxvt and their relatives, with their modifier parameters; xterm
// mouse reports (SGR 1006, and the older X10 form); bracketed paste, delivered as
// typed characters; keys with modifiers as xterm's modifyOtherKeys and the kitty
// keyboard protocol (and tmux's extended keys) report them, where Ctrl+M and Ctrl+I
// differ from Enter and Tab.
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <variant>

#include "platform/console.h"

namespace platform::posix {

using InputEvent = std::variant<KeyPress, MouseReport>;

class KeyDecoder {
public:
    // An Esc followed by nothing for this long is the Esc key; a terminal sends a
    // whole sequence at once, so the rest of a sequence never takes this long.
    static constexpr std::uint32_t kEscapeTimeoutMs = 50;

    // Takes bytes that arrived at nowMs (a millisecond tick).
    void Add(std::string_view bytes, std::uint32_t nowMs);
    // Tells the time: an unfinished sequence older than the timeout is taken apart
    // (an Esc alone becomes the Esc key).
    void Elapse(std::uint32_t nowMs);
    // Milliseconds from nowMs until elapse takes the pending bytes apart; with
    // nothing pending, never (the largest value).
    std::uint32_t MsUntilTimeout(std::uint32_t nowMs) const;

    bool HasEvent() const { return !events_.empty(); }
    InputEvent TakeEvent();

private:
    // What a parsing step found at the head of the pending bytes.
    enum class Step {
        Done,        // consumed bytes (and perhaps produced an event)
        Incomplete,  // the head may be the start of a longer sequence: wait for more
    };

    void Decode(bool timedOut);
    Step ParseOne(std::string_view in, std::size_t& used);
    Step ParseEscape(std::string_view in, std::size_t& used);
    Step ParseCsi(std::string_view in, std::size_t& used);
    Step ParseSs3(std::string_view in, std::size_t& used);
    Step ParseSgrMouse(std::string_view in, std::size_t& used);
    Step ParseX10Mouse(std::string_view in, std::size_t& used);
    Step ParseUtf8(std::string_view in, std::size_t& used);
    Step ParsePaste(std::string_view in, std::size_t& used);

    void EmitKey(std::uint16_t code, std::uint8_t shiftState);
    void EmitCharacter(char32_t cp);
    void EmitControl(std::uint8_t byte);
    void EmitAlt(std::uint8_t c);
    // A cursor or function key by its index in the special key table, with the
    // modifier parameter of an xterm sequence (1 = none).
    void EmitSpecial(int key, int modifier);
    // A keypad key by the final byte of its SS3 sequence in application mode.
    void EmitKeypad(char ss3Final);
    // A key reported by its code point (or the kitty protocol's number of a keypad
    // key) and the xterm modifier parameter, as terminals send keys that their
    // plain bytes cannot tell apart (Ctrl+M from Enter, Ctrl+I from Tab).
    void EmitOtherKey(int code, int modifier);
    void EmitMouse(int button, bool pressed, bool motion, int column, int row);

    std::string pending_;
    std::uint32_t pendingSince_ = 0;
    bool timedOut_ = false;  // the pending bytes will not be continued: every step moves on
    bool pasting_ = false;
    std::uint16_t buttonsHeld_ = 0;
    std::deque<InputEvent> events_;
};

}  // namespace platform::posix

#include "platform/posix/key_decoder.h"

#include <vector>

#include "platform/cp852.h"
#include "platform/pc_keyboard.h"
#include "platform/posix/utf8.h"

namespace platform::posix {

namespace {

using namespace platform::pc;

// The shift state reported with every key. A terminal does not tell the lock
// keys; Num Lock counts as on, as on most PCs (Alt+Shift+S then gives "Ś").
constexpr std::uint8_t kBase = kNumLock;

constexpr std::uint16_t kEsc = 0x011B;
constexpr std::uint16_t kEnter = 0x1C0D;
constexpr std::uint16_t kCtrlEnter = 0x1C0A;
constexpr std::uint16_t kTab = 0x0F09;
constexpr std::uint16_t kShiftTab = 0x0F00;
constexpr std::uint16_t kBackspace = 0x0E08;

// No sequence a terminal sends for a key is longer; a longer one is garbage.
constexpr std::size_t kLongestSequence = 32;

// The numbered keys of "ESC [ n ~" (VT220 style, as xterm, the Linux console and
// rxvt send them); -1 where nothing is assigned.
int SpecialOfTilde(int n) {
    switch (n) {
        case 1: case 7: return Home;  // 7 and 8: rxvt
        case 2: return Insert;
        case 3: return Delete;
        case 4: case 8: return End;
        case 5: return PgUp;
        case 6: return PgDn;
        case 11: case 12: case 13: case 14: case 15: return F1 + (n - 11);  // rxvt, old xterm
        case 17: case 18: case 19: case 20: case 21: return F1 + 5 + (n - 17);
        case 23: case 24: return F1 + 10 + (n - 23);
        default: return -1;
    }
}

// The key of a final letter of "ESC [ ... x" and "ESC O x"; -1 for none.
int SpecialOfLetter(char c) {
    switch (c) {
        case 'A': return Up;
        case 'B': return Down;
        case 'C': return Right;
        case 'D': return Left;
        case 'H': return Home;
        case 'F': return End;
        case 'P': case 'Q': case 'R': case 'S': return F1 + (c - 'P');
        default: return -1;
    }
}

// Parameters of a control sequence: numbers separated by ";" (an empty one is 0);
// false when something else is among them ("?", ">" of private sequences).
bool ParseParameters(std::string_view text, std::vector<int>& out) {
    out.assign(1, 0);
    for (char c : text) {
        if (c == ';') {
            out.push_back(0);
        } else if (c >= '0' && c <= '9') {
            if (out.back() > 100000) return false;
            out.back() = out.back() * 10 + (c - '0');
        } else {
            return false;
        }
    }
    return true;
}

bool IsPrintableAscii(std::uint8_t c) { return c >= 0x20 && c < 0x7F; }

}  // namespace

// --- Feeding ------------------------------------------------------------------------

void KeyDecoder::Add(std::string_view bytes, std::uint32_t nowMs) {
    if (bytes.empty()) return;
    if (pending_.empty()) pendingSince_ = nowMs;
    const std::size_t before = pending_.size();
    pending_ += bytes;
    Decode(false);
    // What is still pending began with these bytes at the earliest.
    if (!pending_.empty() && pending_.size() < before + bytes.size()) pendingSince_ = nowMs;
}

void KeyDecoder::Elapse(std::uint32_t nowMs) {
    if (!pending_.empty() && nowMs - pendingSince_ >= kEscapeTimeoutMs) Decode(true);
}

InputEvent KeyDecoder::TakeEvent() {
    InputEvent event = events_.front();
    events_.pop_front();
    return event;
}

std::uint32_t KeyDecoder::MsUntilTimeout(std::uint32_t nowMs) const {
    if (pending_.empty()) return UINT32_MAX;
    const std::uint32_t waited = nowMs - pendingSince_;
    return waited >= kEscapeTimeoutMs ? 0 : kEscapeTimeoutMs - waited;
}

void KeyDecoder::Decode(bool timedOut) {
    timedOut_ = timedOut;
    std::size_t pos = 0;
    while (pos < pending_.size()) {
        const std::string_view rest(pending_.data() + pos, pending_.size() - pos);
        std::size_t used = 0;
        const Step step = pasting_ ? ParsePaste(rest, used) : ParseOne(rest, used);
        if (step == Step::Incomplete) break;  // never when timed out: every parser then moves on
        pos += used;
    }
    pending_.erase(0, pos);
}

// --- Parsing; each function states what has been read before it ----------------------

// Pre: nothing of this event has been read; in is not empty.
KeyDecoder::Step KeyDecoder::ParseOne(std::string_view in, std::size_t& used) {
    const auto b = static_cast<std::uint8_t>(in[0]);
    if (b == 0x1B) return ParseEscape(in, used);
    used = 1;
    if (b < 0x20 || b == 0x7F) {
        EmitControl(b);
        return Step::Done;
    }
    if (b < 0x80) {
        EmitCharacter(b);
        return Step::Done;
    }
    return ParseUtf8(in, used);
}

// Pre: "\x1B" has just been read.
KeyDecoder::Step KeyDecoder::ParseEscape(std::string_view in, std::size_t& used) {
    if (in.size() < 2) {
        if (!timedOut_) return Step::Incomplete;
        EmitKey(kEsc, kBase);  // Esc alone
        used = 1;
        return Step::Done;
    }
    const auto next = static_cast<std::uint8_t>(in[1]);
    if (next == '[') return ParseCsi(in, used);
    if (next == 'O') return ParseSs3(in, used);
    if (IsPrintableAscii(next)) {
        EmitAlt(next);  // the terminal sends Alt+key as Esc and the key
        used = 2;
        return Step::Done;
    }
    // Esc before a control byte or another Esc: the Esc key, and what follows is
    // read anew (Esc pressed twice gives two Esc keys).
    EmitKey(kEsc, kBase);
    used = 1;
    return Step::Done;
}

// Pre: "\x1B[" has just been read.
KeyDecoder::Step KeyDecoder::ParseCsi(std::string_view in, std::size_t& used) {
    if (in.size() < 3) {
        if (!timedOut_) return Step::Incomplete;
        EmitAlt('[');  // nothing followed: Alt+[
        used = 2;
        return Step::Done;
    }
    if (in[2] == '<') return ParseSgrMouse(in, used);
    if (in[2] == 'M') return ParseX10Mouse(in, used);
    if (in[2] == '[') {
        // The Linux console's F1-F5: "\x1B[[A" to "\x1B[[E".
        if (in.size() < 4 && !timedOut_) return Step::Incomplete;
        if (in.size() >= 4 && in[3] >= 'A' && in[3] <= 'E') EmitSpecial(F1 + (in[3] - 'A'), 1);
        used = in.size() < 4 ? 3 : 4;
        return Step::Done;
    }
    // Parameter and intermediate bytes, then the final byte.
    std::size_t end = 2;
    while (end < in.size() && in[end] >= 0x20 && in[end] <= 0x3F) ++end;
    if (end == in.size()) {
        if (!timedOut_ && end < kLongestSequence) return Step::Incomplete;
        used = end;  // never finished: dropped
        return Step::Done;
    }
    const char final = in[end];
    used = end + 1;
    if (final < 0x40 || final > 0x7E) {
        used = end;  // not a control sequence after all: the byte is read anew
        return Step::Done;
    }
    std::vector<int> p;
    if (!ParseParameters(in.substr(2, end - 2), p)) return Step::Done;  // a private sequence: ignored
    const int modifier = p.size() > 1 && p[1] > 0 ? p[1] : 1;
    if (final == 'u') {
        // The kitty protocol, and tmux's extended keys: "\x1B[code;modifier u".
        EmitOtherKey(p[0], modifier);
        return Step::Done;
    }
    if (final == '~' && p[0] == 27 && p.size() == 3) {
        // xterm's modifyOtherKeys: "\x1B[27;modifier;code~".
        EmitOtherKey(p[2], modifier);
        return Step::Done;
    }
    if (final == '~' || final == '^' || final == '@') {
        if (p[0] == 200) {
            pasting_ = true;
            return Step::Done;
        }
        // rxvt marks Ctrl with "^" and Ctrl+Shift with "@" instead of a parameter.
        const int rxvtModifier = final == '^' ? 5 : final == '@' ? 6 : modifier;
        if (const int key = SpecialOfTilde(p[0]); key >= 0) EmitSpecial(key, rxvtModifier);
        return Step::Done;
    }
    if (final == 'Z') {
        EmitKey(kShiftTab, kBase | kShift);
        return Step::Done;
    }
    if (final >= 'a' && final <= 'd') {
        // rxvt: Shift+arrows as "\x1B[a" to "\x1B[d".
        EmitSpecial(SpecialOfLetter(static_cast<char>(final - 'a' + 'A')), 2);
        return Step::Done;
    }
    if (const int key = SpecialOfLetter(final); key >= 0) EmitSpecial(key, modifier);
    return Step::Done;
}

// Pre: "\x1BO" has just been read.
KeyDecoder::Step KeyDecoder::ParseSs3(std::string_view in, std::size_t& used) {
    // Some terminals put a modifier before the final byte ("\x1BO5P" for Ctrl+F1).
    std::size_t end = 2;
    while (end < in.size() && end < kLongestSequence && in[end] >= '0' && in[end] <= '9') ++end;
    if (end == in.size()) {
        if (!timedOut_) return Step::Incomplete;
        if (end == 2) EmitAlt('O');  // nothing followed: Alt+O
        used = end;
        return Step::Done;
    }
    const char c = in[end];
    used = end + 1;
    // A modifier larger than any terminal sends would overflow: the sequence is dropped.
    std::vector<int> p;
    if (!ParseParameters(in.substr(2, end - 2), p)) return Step::Done;
    const int modifier = p[0];
    if (const int key = SpecialOfLetter(c); key >= 0) {
        EmitSpecial(key, modifier > 0 ? modifier : 1);
        return Step::Done;
    }
    if (c >= 'a' && c <= 'd') {
        // rxvt: Ctrl+arrows as "\x1BOa" to "\x1BOd".
        EmitSpecial(SpecialOfLetter(static_cast<char>(c - 'a' + 'A')), 5);
        return Step::Done;
    }
    EmitKeypad(c);  // the keypad in application mode
    return Step::Done;
}

// Pre: "\x1B[<" has just been read: an xterm mouse report in the SGR form
// "\x1B[<button;column;row" and "M" (press, drag) or "m" (release).
KeyDecoder::Step KeyDecoder::ParseSgrMouse(std::string_view in, std::size_t& used) {
    std::size_t end = 3;
    while (end < in.size() && in[end] != 'M' && in[end] != 'm' && ((in[end] >= '0' && in[end] <= '9') || in[end] == ';'))
        ++end;
    if (end == in.size()) {
        if (!timedOut_ && end < kLongestSequence) return Step::Incomplete;
        used = end;
        return Step::Done;
    }
    used = end + 1;
    std::vector<int> p;
    if ((in[end] != 'M' && in[end] != 'm') || !ParseParameters(in.substr(3, end - 3), p) || p.size() != 3)
        return Step::Done;
    const int button = p[0];
    if (button & 64) return Step::Done;  // the wheel: no PC mouse button
    EmitMouse(button & 3, in[end] == 'M', (button & 32) != 0, p[1], p[2]);
    return Step::Done;
}

// Pre: "\x1B[M" has just been read: an xterm mouse report in the old X10 form,
// three bytes of button, column and row, each plus 32. Sent only by terminals
// that do not know the SGR form.
KeyDecoder::Step KeyDecoder::ParseX10Mouse(std::string_view in, std::size_t& used) {
    if (in.size() < 6) {
        if (!timedOut_) return Step::Incomplete;
        used = in.size();
        return Step::Done;
    }
    used = 6;
    const int button = static_cast<std::uint8_t>(in[3]) - 32;
    if (button < 0 || (button & 64)) return Step::Done;
    const int released = (button & 3) == 3;
    EmitMouse(button & 3, !released, (button & 32) != 0, static_cast<std::uint8_t>(in[4]) - 32,
              static_cast<std::uint8_t>(in[5]) - 32);
    return Step::Done;
}

// Pre: nothing of this character has been read; in[0] is 0x80 or above.
KeyDecoder::Step KeyDecoder::ParseUtf8(std::string_view in, std::size_t& used) {
    char32_t cp = 0;
    const Utf8 result = DecodeUtf8(in, cp, used);
    if (result == Utf8::Truncated && !timedOut_) return Step::Incomplete;
    if (result == Utf8::Ok) EmitCharacter(cp);
    // A byte that begins nothing (a terminal not speaking UTF-8) is dropped.
    return Step::Done;
}

// Pre: "\x1B[200~" has been read and "\x1B[201~" not yet: the bytes are pasted text.
KeyDecoder::Step KeyDecoder::ParsePaste(std::string_view in, std::size_t& used) {
    static constexpr std::string_view kEnd = "\x1B[201~";
    used = 1;
    const auto b = static_cast<std::uint8_t>(in[0]);
    if (b == 0x1B) {
        if (in.starts_with(kEnd)) {
            pasting_ = false;
            used = kEnd.size();
            return Step::Done;
        }
        if (kEnd.starts_with(in) && !timedOut_) return Step::Incomplete;
        return Step::Done;  // an Esc inside pasted text is dropped
    }
    // Line breaks and tabs become one blank each (CR LF together one): a paste
    // types text, it never presses Enter.
    if (b == '\r' || b == '\n' || b == '\t') {
        if (b == '\r' && in.size() < 2 && !timedOut_) return Step::Incomplete;
        if (b == '\r' && in.size() >= 2 && in[1] == '\n') used = 2;
        EmitCharacter(' ');
        return Step::Done;
    }
    if (b < 0x20 || b == 0x7F) return Step::Done;
    if (b < 0x80) {
        EmitCharacter(b);
        return Step::Done;
    }
    return ParseUtf8(in, used);
}

// --- Events ---------------------------------------------------------------------------

void KeyDecoder::EmitKey(std::uint16_t code, std::uint8_t shiftState) { events_.push_back(KeyPress{code, shiftState}); }

void KeyDecoder::EmitCharacter(char32_t cp) {
    std::uint8_t c = '?';
    if (!cp852::FromCodePoint(cp, c)) c = '?';
    // A Polish letter gets the scan code of the key that types it on a Polish
    // keyboard (AltGr with the base letter); capitals count as typed with Shift.
    EmitKey(static_cast<std::uint16_t>(TypingScanCodeOf(c) << 8 | c), TypingNeedsShift(c) ? kBase | kShift : kBase);
}

void KeyDecoder::EmitControl(std::uint8_t byte) {
    switch (byte) {
        case '\r': EmitKey(kEnter, kBase); return;
        case '\n': EmitKey(kCtrlEnter, kBase | kCtrl); return;
        case '\t': EmitKey(kTab, kBase); return;
        case 0x08:
        case 0x7F: EmitKey(kBackspace, kBase); return;  // terminals send either for Backspace
        case 0x00: EmitKey(0x0300, kBase | kCtrl); return;  // Ctrl+@, Ctrl+Space
        case 0x1C: EmitKey(0x2B1C, kBase | kCtrl); return;  // Ctrl+Backslash
        case 0x1D: EmitKey(0x1B1D, kBase | kCtrl); return;  // Ctrl+]
        case 0x1E: EmitKey(0x071E, kBase | kCtrl); return;  // Ctrl+^
        case 0x1F: EmitKey(0x0C1F, kBase | kCtrl); return;  // Ctrl+_
        default:
            // Ctrl+A to Ctrl+Z: the letter's scan code and the control character,
            // as the PC reports them (Ctrl+T 0x1414).
            EmitKey(static_cast<std::uint16_t>(ScanCodeOf(static_cast<char>('a' + byte - 1)) << 8 | byte),
                    kBase | kCtrl);
    }
}

void KeyDecoder::EmitKeypad(char ss3Final) {
    static constexpr std::uint8_t kKeypadDigitScan[] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};
    switch (ss3Final) {
        case 'k': EmitKey(0x4E2B, kBase); break;  // +
        case 'm': EmitKey(0x4A2D, kBase); break;  // -
        case 'j': EmitKey(0x372A, kBase); break;  // *
        case 'o': EmitKey(0x352F, kBase); break;  // /
        case 'n': EmitKey(0x532E, kBase); break;  // .
        case 'M': EmitKey(kEnter, kBase); break;
        default:
            if (ss3Final >= 'p' && ss3Final <= 'y')
                EmitKey(static_cast<std::uint16_t>(kKeypadDigitScan[ss3Final - 'p'] << 8 | ('0' + (ss3Final - 'p'))),
                        kBase);
    }
}

void KeyDecoder::EmitOtherKey(int code, int modifier) {
    // The kitty protocol numbers the keypad's keys from 57399: 0-9, the point, /, *,
    // -, + and Enter as the SS3 finals of the keypad's application mode, then its
    // cursor keys. Its lock-key bits (64, 128) say nothing about this key.
    static constexpr std::string_view kKeypadFinals = "pqrstuvwxynojmkM";
    static constexpr SpecialKey kKeypadCursor[] = {Left, Right, Up, Down, PgUp, PgDn, Home, End, Insert, Delete};
    constexpr int kKeypadFirst = 57399;
    constexpr int kKeypadCursorFirst = 57417;
    if (code >= kKeypadFirst && code < kKeypadFirst + static_cast<int>(kKeypadFinals.size())) {
        EmitKeypad(kKeypadFinals[static_cast<std::size_t>(code - kKeypadFirst)]);
        return;
    }
    if (code >= kKeypadCursorFirst && code < kKeypadCursorFirst + 10) {
        EmitSpecial(kKeypadCursor[code - kKeypadCursorFirst], modifier);
        return;
    }
    const int bits = modifier > 0 ? (modifier - 1) & 0x3F : 0;
    const bool shift = bits & 1, alt = bits & (2 | 8), ctrl = bits & 4;
    const std::uint8_t state = kBase | (shift ? kShift : 0) | (ctrl ? kCtrl : 0) | (alt ? kAlt : 0);
    switch (code) {
        case '\r': EmitKey(ctrl ? kCtrlEnter : kEnter, state); return;
        case '\t': EmitKey(shift ? kShiftTab : kTab, state); return;
        case 0x1B: EmitKey(kEsc, state); return;
        case 0x08:
        case 0x7F: EmitKey(kBackspace, state); return;
        default: break;
    }
    // The kitty protocol sends a letter's own key with Shift; xterm the shifted letter.
    if (shift && code >= 'a' && code <= 'z') code -= 'a' - 'A';
    if (ctrl && code >= '@' && code < 0x7F && code != '`') {
        // Ctrl+M and Ctrl+I as the PC has them (0x320D, 0x1709), apart from Enter
        // and Tab; Ctrl+[ … Ctrl+_ and Ctrl+@ alike.
        EmitKey(static_cast<std::uint16_t>(ScanCodeOf(static_cast<char>(code)) << 8 | (code & 0x1F)), state);
    } else if (alt && code > 0x20 && code < 0x7F) {
        EmitAlt(static_cast<std::uint8_t>(code));
    } else if (code >= 0x20) {
        EmitCharacter(static_cast<char32_t>(code));
    }
}

void KeyDecoder::EmitAlt(std::uint8_t c) {
    const bool shifted = NeedsShift(static_cast<char>(c));
    EmitKey(AltKey(static_cast<char>(c)), kBase | kAlt | (shifted ? kShift : 0));
}

void KeyDecoder::EmitSpecial(int key, int modifier) {
    // xterm's modifier parameter: 1 + Shift 1, Alt 2, Ctrl 4, Meta 8 (taken as Alt).
    const int bits = modifier > 0 ? modifier - 1 : 0;
    const bool shift = bits & 1, alt = bits & (2 | 8), ctrl = bits & 4;
    EmitKey(SpecialKeyCode(static_cast<SpecialKey>(key), shift, ctrl, alt),
            kBase | (shift ? kShift : 0) | (ctrl ? kCtrl : 0) | (alt ? kAlt : 0));
}

void KeyDecoder::EmitMouse(int button, bool pressed, bool motion, int column, int row) {
    // xterm numbers the buttons left 0, middle 1, right 2 (3: released, X10 form);
    // the PC has left 1, right 2, middle 4.
    static constexpr std::uint16_t kPcButton[] = {1, 4, 2, 0};
    if (motion) {
        if (buttonsHeld_ == 0) return;  // the pointer moving with no button down
    } else if (button == 3) {
        buttonsHeld_ = 0;
    } else if (pressed) {
        buttonsHeld_ |= kPcButton[button];
    } else {
        buttonsHeld_ &= static_cast<std::uint16_t>(~kPcButton[button]);
    }
    events_.push_back(MouseReport{buttonsHeld_, column, row});
}

}  // namespace platform::posix

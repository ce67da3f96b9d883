// The terminal's bytes decoded into PC key codes and mouse reports.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>

#include "platform/posix/key_decoder.h"

namespace {

using platform::KeyPress;
using platform::MouseReport;
using platform::posix::KeyDecoder;

// Events as text: a key as "code/shift" in hex, a mouse report as "M<buttons>@col,row".
std::string describe(KeyDecoder& decoder) {
    std::string out;
    while (decoder.HasEvent()) {
        char text[32];
        const auto event = decoder.TakeEvent();
        if (const auto* key = std::get_if<KeyPress>(&event))
            std::snprintf(text, sizeof text, "%04X/%02X", key->code, key->shiftState);
        else {
            const auto& mouse = std::get<MouseReport>(event);
            std::snprintf(text, sizeof text, "M%u@%d,%d", mouse.buttons, mouse.column, mouse.row);
        }
        if (!out.empty()) out += ' ';
        out += text;
    }
    return out;
}

// The bytes arrive at once and nothing follows them.
std::string decodeAlone(std::string_view bytes) {
    KeyDecoder decoder;
    decoder.Add(bytes, 1000);
    decoder.Elapse(1000 + KeyDecoder::kEscapeTimeoutMs);
    return describe(decoder);
}

struct Case {
    const char* what;
    std::string bytes;
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const Case& c) {
    out << c.what << " (";
    for (unsigned char b : c.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, "%02X ", b);
        out << hex;
    }
    return out << ")";
}

class Decoding : public ::testing::TestWithParam<Case> {};

TEST_P(Decoding, GivesThePcKeyCodes) { EXPECT_EQ(decodeAlone(GetParam().bytes), GetParam().expected); }

// Shift states: 20 Num Lock (always on), 23 with Shift, 24 with Ctrl, 28 with Alt.
INSTANTIATE_TEST_SUITE_P(
    Keys, Decoding,
    ::testing::Values(
        Case{"Esc alone", "\x1B", "011B/20"},
        Case{"Esc twice", "\x1B\x1B", "011B/20 011B/20"},
        Case{"Enter", "\r", "1C0D/20"},
        Case{"Ctrl+Enter", "\n", "1C0A/24"},
        Case{"Tab", "\t", "0F09/20"},
        Case{"Shift+Tab", "\x1B[Z", "0F00/23"},
        Case{"Backspace (DEL)", "\x7F", "0E08/20"},
        Case{"Backspace (BS)", "\b", "0E08/20"},
        Case{"Space", " ", "3920/20"},
        Case{"t T n N x X 0", "tTnNxX0", "1474/20 1454/23 316E/20 314E/23 2D78/20 2D58/23 0B30/20"},
        Case{"signs", "!?|", "0221/23 353F/23 2B7C/23"},
        Case{"Ctrl+Q", "\x11", "1011/24"},
        Case{"Ctrl+S", "\x13", "1F13/24"},
        Case{"Ctrl+C", "\x03", "2E03/24"},
        Case{"Ctrl+Z", "\x1A", "2C1A/24"},
        Case{"Ctrl+T", "\x14", "1414/24"},
        Case{"Ctrl+N", "\x0E", "310E/24"},
        Case{"Ctrl+W", "\x17", "1117/24"},
        Case{"Ctrl+D", "\x04", "2004/24"},
        Case{"Ctrl+Y Ctrl+P", "\x19\x10", "1519/24 1910/24"},
        Case{"Alt+s", "\x1Bs", "1F00/28"},
        Case{"Alt+Shift+S", "\x1BS", "1F00/2B"},
        Case{"Alt+z Alt+x Alt+p", "\x1Bz\x1Bx\x1Bp", "2C00/28 2D00/28 1900/28"},
        Case{"Alt+1 Alt+0 Alt+=", "\x1B" "1\x1B" "0\x1B=", "7800/28 8100/28 8300/28"},
        Case{"Alt+Shift+O with nothing after it", "\x1BO", "1800/2B"},
        Case{"Alt+[ with nothing after it", "\x1B[", "1A00/28"},
        Case{"Esc before a control byte", "\x1B\r", "011B/20 1C0D/20"},
        Case{"F1 (xterm)", "\x1BOP", "3B00/20"},
        Case{"F1 (rxvt)", "\x1B[11~", "3B00/20"},
        Case{"F1 (Linux console)", "\x1B[[A", "3B00/20"},
        Case{"F5", "\x1B[15~", "3F00/20"},
        Case{"F5 (Linux console)", "\x1B[[E", "3F00/20"},
        Case{"F10", "\x1B[21~", "4400/20"},
        Case{"F12", "\x1B[24~", "8600/20"},
        Case{"Shift+F5", "\x1B[15;2~", "5800/23"},
        Case{"Ctrl+F1 (xterm)", "\x1B[1;5P", "5E00/24"},
        Case{"Alt+F4 (modifier in SS3)", "\x1BO3S", "6B00/28"},
        Case{"Up Down Right Left", "\x1B[A\x1B[B\x1B[C\x1B[D", "4800/20 5000/20 4D00/20 4B00/20"},
        Case{"arrows in application mode", "\x1BOA\x1BOD", "4800/20 4B00/20"},
        Case{"Ctrl+Right Ctrl+Left", "\x1B[1;5C\x1B[1;5D", "7400/24 7300/24"},
        Case{"Ctrl+Left (rxvt)", "\x1BOd", "7300/24"},
        Case{"Shift+Up (rxvt)", "\x1B[a", "4800/23"},
        Case{"Alt+Down", "\x1B[1;3B", "A000/28"},
        Case{"Home End", "\x1B[H\x1B[F\x1B[1~\x1B[4~\x1BOH\x1B[7~", "4700/20 4F00/20 4700/20 4F00/20 4700/20 4700/20"},
        Case{"Insert Del", "\x1B[2~\x1B[3~", "5200/20 5300/20"},
        Case{"Shift+Insert", "\x1B[2;2~", "5200/23"},
        Case{"Ctrl+Insert (rxvt)", "\x1B[2^", "9200/24"},
        Case{"PgUp PgDn", "\x1B[5~\x1B[6~", "4900/20 5100/20"},
        Case{"Ctrl+PgDn", "\x1B[6;5~", "7600/24"},
        Case{"keypad + - Enter 7", "\x1BOk\x1BOm\x1BOM\x1BOw", "4E2B/20 4A2D/20 1C0D/20 4737/20"},
        Case{"Polish letters", "żŻąĄśŹ", "2CBE/20 2CBD/23 1EA5/20 1EA4/23 1F98/20 2D8D/23"},
        Case{"other letters of the code page", "üß§", "0081/20 00E1/20 00F5/20"},
        Case{"a character the code page lacks", "€", "353F/23"},
        Case{"bytes that are not UTF-8", "\xFF" "a\xC5" "b", "1E61/20 3062/20"},
        Case{"an unknown sequence", "\x1B[99~a", "1E61/20"},
        Case{"a terminal's answer", "\x1B[?1;2ca", "1E61/20"},
        Case{"a sequence never finished", "\x1B[12;", ""},
        Case{"a modifier too large for a number", "\x1BO" + std::string(29, '2') + "Pa", "1E61/20"},
        Case{"a parameter too large for a number", "\x1B[" + std::string(29, '2') + "~a", "1E61/20"},
        Case{"Ctrl+M Ctrl+I (kitty, tmux)", "\x1B[109;5u\x1B[105;5u", "320D/24 1709/24"},
        Case{"Ctrl+M Ctrl+I (modifyOtherKeys)", "\x1B[27;5;109~\x1B[27;5;105~", "320D/24 1709/24"},
        Case{"Ctrl+T Ctrl+Q Ctrl+[ reported", "\x1B[116;5u\x1B[27;5;113~\x1B[91;5u", "1414/24 1011/24 1A1B/24"},
        Case{"Ctrl+Shift+M", "\x1B[109;6u", "320D/27"},
        Case{"Ctrl+Enter Shift+Tab Esc Backspace reported", "\x1B[13;5u\x1B[27;2;9~\x1B[27u\x1B[127;1u",
             "1C0A/24 0F00/23 011B/20 0E08/20"},
        Case{"Alt+s Alt+Shift+S reported", "\x1B[115;3u\x1B[27;4;83~\x1B[115;4u", "1F00/28 1F00/2B 1F00/2B"},
        Case{"characters reported", "\x1B[27;2;65~\x1B[380;1u", "1E41/23 2CBE/20"},
        Case{"lock keys reported with a key", "\x1B[109;197u", "320D/24"},
        Case{"keypad (kitty)", "\x1B[57413u\x1B[57412u\x1B[57414u\x1B[57406u\x1B[57417u",
             "4E2B/20 4A2D/20 1C0D/20 4737/20 4B00/20"},
        Case{"a key event with sub-parameters", "\x1B[109;5:3ua", "1E61/20"},
        Case{"mouse press and release", "\x1B[<0;10;5M\x1B[<0;10;5m", "M1@10,5 M0@10,5"},
        Case{"right button", "\x1B[<2;80;25M", "M2@80,25"},
        Case{"middle button", "\x1B[<1;3;4M", "M4@3,4"},
        Case{"drag", "\x1B[<0;10;5M\x1B[<32;11;5M", "M1@10,5 M1@11,5"},
        Case{"motion without a button", "\x1B[<35;11;5M", ""},
        Case{"wheel", "\x1B[<64;1;1M\x1B[<65;1;1M", ""},
        Case{"both buttons", "\x1B[<0;1;1M\x1B[<2;1;1M\x1B[<0;1;1m", "M1@1,1 M3@1,1 M2@1,1"},
        Case{"X10 mouse", "\x1B[M !!\x1B[M#!!", "M1@1,1 M0@1,1"},
        Case{"bracketed paste", "\x1B[200~ab\r\nż\tc\x1B[201~d", "1E61/20 3062/20 3920/20 2CBE/20 3920/20 2E63/20 2064/20"},
        Case{"paste holding keys", "\x1B[200~\x1B[A\x03\r\x1B[201~", "1A5B/20 1E41/23 3920/20"}),
    [](const ::testing::TestParamInfo<Case>& info) {
        std::string name;
        for (const char* c = info.param.what; *c; ++c)
            if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
        return name + "_" + std::to_string(info.index);
    });

TEST(KeyDecoderTiming, EscWaitsForTheTimeout) {
    KeyDecoder decoder;
    decoder.Add("\x1B", 1000);
    EXPECT_FALSE(decoder.HasEvent());
    decoder.Elapse(1000 + KeyDecoder::kEscapeTimeoutMs - 1);
    EXPECT_FALSE(decoder.HasEvent());
    decoder.Elapse(1000 + KeyDecoder::kEscapeTimeoutMs);
    EXPECT_EQ(describe(decoder), "011B/20");
}

TEST(KeyDecoderTiming, SequenceSplitAcrossReadsIsJoined) {
    KeyDecoder decoder;
    decoder.Add("\x1B[1", 1000);
    decoder.Elapse(1020);
    decoder.Add("5~", 1030);
    EXPECT_EQ(describe(decoder), "3F00/20");
    decoder.Add("\x1B", 2000);
    decoder.Add("s", 2010);
    EXPECT_EQ(describe(decoder), "1F00/28") << "Alt+s written in two pieces";
    decoder.Add("\xC5", 3000);
    decoder.Add("\xBC", 3001);
    EXPECT_EQ(describe(decoder), "2CBE/20");
}

TEST(KeyDecoderTiming, KeyAfterTheTimeoutIsNotAlt) {
    KeyDecoder decoder;
    decoder.Add("\x1B", 1000);
    decoder.Elapse(1000 + KeyDecoder::kEscapeTimeoutMs);
    decoder.Add("s", 1200);
    EXPECT_EQ(describe(decoder), "011B/20 1F73/20");
}

TEST(KeyDecoderTiming, TimeoutCountsFromTheEsc) {
    KeyDecoder decoder;
    decoder.Add("a\x1B", 1000);
    decoder.Add("[", 1040);  // still unfinished
    decoder.Elapse(1000 + KeyDecoder::kEscapeTimeoutMs);
    EXPECT_EQ(describe(decoder), "1E61/20 1A00/28");
}

TEST(KeyDecoderTiming, TickWrapsAround) {
    KeyDecoder decoder;
    decoder.Add("\x1B", 0xFFFFFFF0u);
    decoder.Elapse(0xFFFFFFFFu);
    EXPECT_FALSE(decoder.HasEvent());
    decoder.Elapse(KeyDecoder::kEscapeTimeoutMs);
    EXPECT_EQ(describe(decoder), "011B/20");
}

TEST(KeyDecoderTiming, PasteArrivingInPiecesStaysText) {
    KeyDecoder decoder;
    decoder.Add("\x1B[200~ab", 1000);
    decoder.Elapse(2000);  // a long pause inside the paste
    decoder.Add("c\x1B[20", 2000);
    decoder.Elapse(2010);
    decoder.Add("1~\x1B", 2020);
    EXPECT_EQ(describe(decoder), "1E61/20 3062/20 2E63/20");
    decoder.Elapse(2100);
    EXPECT_EQ(describe(decoder), "011B/20") << "after the paste, Esc is a key again";
}

TEST(KeyDecoderTiming, GarbageLongerThanAnySequenceIsDropped) {
    KeyDecoder decoder;
    decoder.Add("\x1B[" + std::string(40, '1'), 1000);
    decoder.Add("a", 1001);
    EXPECT_EQ(describe(decoder), "1E61/20");
}

}  // namespace

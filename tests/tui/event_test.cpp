// The event source: key substitutions, Polish letters from Alt, mouse clicks, idling.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/support/screen_test.h"
#include "tui/event.h"
#include "tui/window.h"

namespace {

using EventTest = qztest::ScreenTest;

TEST_F(EventTest, KeysBecomeKeyEventsWithTheirSubstitutions) {
    struct Case {
        std::uint16_t code;
        std::uint8_t shiftState;
        tui::KeyCode expected;
        std::uint8_t character;
        bool extended;
    };
    const Case cases[] = {
        {tui::kbCtrlQ, 0x04, tui::kbEsc, 0x1B, false},
        {tui::kbCtrlI, 0x04, tui::kbInsert, ' ', true},
        {tui::kbInsert, 0x00, tui::kbInsert, ' ', true},
        {tui::kbInsert, 0x03, tui::kbShiftInsert, ' ', true},
        {tui::kbInsert, 0x02, tui::kbShiftInsert, ' ', true},
        {tui::kbInsert, 0x01, tui::kbShiftInsert, ' ', true},
        {tui::kbInsert, 0x20, tui::kbInsert, ' ', true},
        {tui::kbEsc, 0x00, tui::kbEsc, 0x1B, false},
        {tui::kbF5, 0x00, tui::kbF5, ' ', true},
        {tui::kbPgDn, 0x00, tui::kbPgDn, ' ', true},
        {0x1474, 0x00, 0x1474, 't', false},
        {0x00BE, 0x00, 0x00BE, 0xBE, false},  // "ż" typed on a Polish keyboard
        {tui::kbAltS, 0x08, tui::kbAltS, 152, false},
    };
    for (const Case& c : cases) screen.PushKey(c.code, c.shiftState);
    for (const Case& c : cases) {
        char label[48];
        std::snprintf(label, sizeof label, "key %04X shift %02X", c.code, c.shiftState);
        tui::Event event;
        tui::GetEvent(event);
        EXPECT_EQ(event.kind, tui::EventKind::Key) << label;
        EXPECT_EQ(event.keyCode, c.expected) << label;
        EXPECT_EQ(event.character, c.character) << label;
        EXPECT_EQ(event.extended, c.extended) << label;
        EXPECT_EQ(event.shiftState, c.shiftState) << label;
    }
}

TEST_F(EventTest, AltLettersGivePolishLettersUpperOnlyWithTheExactShiftStates) {
    struct Letter {
        tui::KeyCode code;
        std::uint8_t lower;
        std::uint8_t upper;
    };
    const Letter letters[] = {
        {tui::kbAltA, 165, 164}, {tui::kbAltC, 134, 143}, {tui::kbAltE, 169, 168}, {tui::kbAltL, 136, 157},
        {tui::kbAltN, 228, 227}, {tui::kbAltO, 162, 224}, {tui::kbAltS, 152, 151}, {tui::kbAltZ, 190, 189},
        {tui::kbAltX, 171, 141}, {tui::kbAltP, 245, 245},
    };
    // Shift held with Num Lock off (0x0B), or Caps Lock alone, still gives the small letter.
    const std::uint8_t shiftStates[] = {0x2B, 0x68, 0x0B, 0x08, 0x48, 0x28, 0x03};
    for (const Letter& letter : letters)
        for (std::uint8_t state : shiftStates) screen.PushKey(letter.code, state);
    for (const Letter& letter : letters)
        for (std::uint8_t state : shiftStates) {
            tui::Event event;
            tui::GetEvent(event);
            const bool upper = state == 0x2B || state == 0x68;
            EXPECT_EQ(event.character, upper ? letter.upper : letter.lower)
                << "key " << std::hex << letter.code << " shift " << int{state};
            EXPECT_FALSE(event.extended);
            EXPECT_EQ(event.keyCode, letter.code);  // the code stays the Alt+letter code
        }
}

TEST_F(EventTest, OtherAltKeysStayExtended) {
    screen.PushKey(0x1000, 0x08);  // Alt+Q
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_TRUE(event.extended);
    EXPECT_EQ(event.character, ' ');
}

TEST_F(EventTest, ADoubleClickIsOneMouseEvent) {
    screen.PushMouse(1, 30, 12);
    screen.PushMouse(0, 30, 12);
    screen.PushMouse(1, 30, 12);
    screen.PushMouse(0, 30, 12);
    screen.PushKey(tui::kbEnter);
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_EQ(event.kind, tui::EventKind::Mouse);
    EXPECT_EQ(event.buttons, 1);
    EXPECT_EQ(event.column, 30);
    EXPECT_EQ(event.row, 12);
    tui::GetEvent(event);
    EXPECT_TRUE(event.IsKey(tui::kbEnter));
}

TEST_F(EventTest, MouseReportsWithoutAButtonAreNotEvents) {
    screen.PushMouse(0, 5, 5);
    screen.PushKey(tui::kbTab);
    screen.PushMouse(0, 6, 6);
    screen.PushMouse(2, 7, 8);
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_TRUE(event.IsKey(tui::kbTab));
    tui::GetEvent(event);
    EXPECT_EQ(event.kind, tui::EventKind::Mouse);
    EXPECT_EQ(event.buttons, 2);
    EXPECT_EQ(event.column, 7);
}

TEST_F(EventTest, AClickInTheTopLeftCornerIsEsc) {
    struct Case {
        std::uint16_t buttons;
        int column, row;
        bool esc;
    };
    const Case cases[] = {{1, 1, 1, true}, {1, 2, 1, true}, {2, 1, 1, true},
                          {1, 3, 1, false}, {1, 1, 2, false}};
    for (const Case& c : cases) {
        screen.PushMouse(c.buttons, c.column, c.row);
        tui::Event event;
        tui::GetEvent(event);
        EXPECT_EQ(event.IsKey(tui::kbEsc), c.esc) << "click " << c.buttons << " at " << c.column << "," << c.row;
        EXPECT_EQ(event.kind, c.esc ? tui::EventKind::Key : tui::EventKind::Mouse);
        if (c.esc) {
            EXPECT_EQ(event.character, 0x1B);
        }
    }
}

TEST_F(EventTest, MouseEventsCarryThePositionInTheCurrentWindow) {
    tui::Window* window = nullptr;
    ASSERT_TRUE(tui::OpenWindow(tui::Rect{20, 9, 60, 15}, {0, 0x07, 0x07}, "", window));
    screen.PushMouse(1, 25, 12);
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_EQ(event.windowColumn, 5);
    EXPECT_EQ(event.windowRow, 3);
    EXPECT_EQ(event.column, 25);
    EXPECT_EQ(event.row, 12);
    tui::CloseWindow(window);
}

TEST_F(EventTest, WaitingRunsTheClockAndShowsTheScreen) {
    clock.SetTimeOfDay(9, 5, 7, 900);
    screen.SetDryLimit(5);
    screen.SetOnDry([this] { screen.PushKey(tui::kbF5); });
    screen.Flush();
    tui::WriteAt(0x07, 1, 5, "drawn before the wait");
    const int flushedBefore = screen.CellsFlushed();
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_TRUE(event.IsKey(tui::kbF5));
    // Four whole pauses; the key that comes with the fifth poll ends the fifth at once.
    EXPECT_EQ(clock.TotalSleptMs(), 4u * 64);
    EXPECT_EQ(screen.RowText(1).substr(72), "09:05:08");
    EXPECT_GT(screen.CellsFlushed(), flushedBefore);
}

TEST_F(EventTest, TheLastEventIsKeptAndClearEventEmptiesAnEvent) {
    screen.PushKey(tui::kbDown);
    tui::Event event;
    tui::GetEvent(event);
    EXPECT_TRUE(tui::LastEvent().IsKey(tui::kbDown));
    tui::ClearEvent(event);
    EXPECT_EQ(event.kind, tui::EventKind::None);
    EXPECT_EQ(event.keyCode, 0);
    EXPECT_EQ(event.character, 0);
    EXPECT_TRUE(tui::LastEvent().IsKey(tui::kbDown));
}

TEST_F(EventTest, ReadingAKeyNeverWaits) {
    screen.PushText("a");
    EXPECT_TRUE(tui::KeyWaiting());
    EXPECT_EQ(tui::ReadKey(), 0x1E61);
    EXPECT_FALSE(tui::KeyWaiting());
    EXPECT_EQ(tui::ReadKey(), 0);
}

TEST_F(EventTest, APauseInTheInputSeparatesClicks) {
    tui::Event event;
    screen.PushMouse(1, 10, 10);
    screen.PushIdle();
    screen.PushMouse(1, 20, 10);
    tui::GetEvent(event);
    EXPECT_EQ(event.column, 10);
    tui::GetEvent(event);
    EXPECT_EQ(event.column, 20) << "a click after a pause is a click of its own";
}

}  // namespace

// Every question and key wait of the program, in a box or on the progress log, is a
// tui::Question. One row per kind: keys typed before the pause in front of it answer
// nothing, what comes after the pause answers it, and the run's record takes the
// question with its answer where it keeps it. The work due before a wait (a firm
// on its way to the registry) is done before the question is drawn: what it writes
// on the log stands above a prompt written there, not inside it.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tui/progress_log.h"
#include "platform/cp852.h"
#include "tests/tui/dialog_fixture.h"
#include "tui/before_wait.h"
#include "tui/journal.h"
#include "tui/message_box.h"
#include "tui/question.h"

using namespace platform::literals;

namespace {

std::vector<std::string> gRecorded;

void Record(tui::JournalEntry entry, std::string_view text, std::string_view answer) {
    if (entry == tui::JournalEntry::Answered) gRecorded.push_back(std::string(text) + " = " + std::string(answer));
}

class QuestionTest : public qztest::DialogTest {
protected:
    QuestionTest() { tui::SetJournalListener(Record); }
    ~QuestionTest() override {
        tui::SetJournalListener(nullptr);
        gRecorded.clear();
    }
};

TEST_F(QuestionTest, TypeAheadAnswersNoQuestionAndTheRecordTakesTheAnswer) {
    using Console = platform::VirtualConsole;
    struct Kind {
        const char* name;
        std::string typedAhead;
        std::function<void(Console&)> answerInput;  // after the pause
        std::function<std::string()> ask;           // the answer as text
        std::string answer;
        std::vector<std::string> recorded;
        bool asks = true;  // the work due before a wait is done first
    };
    const Kind kinds[] = {
        {"the discard alone (a failed search, a lock that waited)", "ab", [](Console& c) { c.PushText("c"); },
         [] {
             tui::DiscardTypeAhead();
             tui::Event event;
             tui::GetEvent(event);
             return std::string(1, static_cast<char>(event.character));
         },
         "c", {}, false},
        {"log key wait: a click is no key, the keys behind the key go too", "x",
         [](Console& c) {
             c.PushMouse(1, 40, 10);
             c.PushKey(0x1E61);
             c.PushKey(0x3062);
             c.PushKey(0x2E63);
         },
         [] { return std::string(1, static_cast<char>(tui::LogWaitForKey().character)); }, "a", {}},
        {"log key wait after the asker discarded", "x", [](Console&) {},
         [] { return std::string(1, static_cast<char>(tui::LogWaitForKey(false).character)); }, "x", {}},
        {"log choice", "B", [](Console& c) { c.PushText("qn"); },
         [] {
             tui::LogWrite("Dalej ? (B/N)", tui::logcolour::Prompt);
             const char answer = tui::LogWaitForChoice("Dalej ? (B/N)", "BN");
             EXPECT_EQ(tui::LogLineSoFar(), "Dalej ? (B/N)") << "the prompt on a row of its own";
             return std::string(1, answer);
         },
         "N",
         {"Dalej ? (B/N) = N"}},
        {"yes/no box", "t", [](Console& c) { c.PushKey(tui::kbEnter); },
         [] { return std::string(tui::AskYesNo(false, "Rezygnujesz ?", 10, 10) ? "Tak" : "Nie"); }, "Nie", {}},
        {"message box", "t", [](Console& c) { c.PushKey(tui::kbEsc); },
         [] {
             const tui::Command answer =
                 tui::ShowBox(tui::box::Warning | tui::box::Yes | tui::box::No, "Pytanie", tui::Recorded::Yes);
             return std::string(answer == tui::cmCancel ? "cancelled" : "answered");
         },
         "cancelled", {std::string("Pytanie = Porzuć"_cp)}},
        {"input box", "999\r",  // Enter behind the digits
         [](Console& c) { c.PushKey(tui::kbEnter); },
         [] {
             std::string value = "1";
             const tui::Command answer = tui::InputBox(0, value, "Podaj:", tui::kWideInputField, tui::Recorded::Yes);
             return std::string(answer == tui::cmAccept ? "accepted " : "cancelled ") + value;
         },
         "accepted 1", {"Podaj: = 1"}},
    };
    for (const Kind& kind : kinds) {
        SCOPED_TRACE(kind.name);
        gRecorded.clear();
        screen.PushText(kind.typedAhead);
        screen.PushIdle();
        kind.answerInput(screen);
        int workDone = 0;
        tui::SetBeforeWait([&workDone] {
            ++workDone;
            tui::LogWriteLine("Firma zarejestrowana", tui::logcolour::Error);
        });
        EXPECT_EQ(kind.ask(), kind.answer);
        EXPECT_EQ(workDone, kind.asks ? 1 : 0);
        tui::SetBeforeWait(nullptr);
        EXPECT_TRUE(screen.InputEmpty());
        EXPECT_EQ(gRecorded, kind.recorded);
    }
}

}  // namespace

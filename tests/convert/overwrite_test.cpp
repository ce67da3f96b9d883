// The overwrite question and the policy that an answer for all leaves behind.
#include "convert/copying/overwrite.h"

#include <gtest/gtest.h>

#include <string>

#include "convert/copying/file_copy.h"
#include "convert/run_state.h"
#include "platform/cp852.h"
#include "tests/support/conversion_test.h"
#include "tui/keys.h"

namespace {

using convert::OverwritePolicy;
using namespace platform::literals;

class OverwriteTest : public qztest::ConversionTest {
protected:
    // A block copy of a 5-byte source over a 3-byte target; true when the target
    // was kept.
    bool copyOverExisting(const std::string& name) {
        temp.writeFile("ZRODLO.DAT", "12345");
        temp.writeFile(name, "old");
        EXPECT_TRUE(convert::CopyBlocks(temp.root() + "ZRODLO.DAT", temp.root() + name));
        return temp.readFile(name) == "old";
    }
};

TEST_F(OverwriteTest, QuestionAndChoicesInTheirColours) {
    screen.PushIdle();  // the answer comes once the question is shown
    screen.PushText("w");
    EXPECT_FALSE(copyOverExisting("CEL.DAT"));
    const std::string root = platform::cp852::ToUtf8(temp.root());
    EXPECT_EQ(rows(1, 6), "Stwierdzono obecność pliku " + root +
                              "CEL.DAT\n"
                              " W-wykonaj kopiownie (zastępując) [A-i wszystkie następne]\n"
                              " Z-zostaw plik                    [N-i wszystkie następne] ?\n"
                              "---->  Z(n)/W(a)\n"
                              "Kopiuję " +
                              root + "ZRODLO.DAT  5 bytów...\n\n");
    EXPECT_EQ(attributeOf(1, 1, 27), 0x0C);
    EXPECT_EQ(attributeOf(1, 2, 60), 0x0E);
    EXPECT_EQ(attributeOf(1, 3, 60), 0x0E);
    EXPECT_EQ(attributeOf(1, 4, 16), 0x0F);
    EXPECT_EQ(attributeOf(1, 5, 8), 0x09);
}

TEST_F(OverwriteTest, AnswersInEitherCaseOtherKeysIgnored) {
    const struct {
        const char* keys;
        bool keep;
        OverwritePolicy policy;
        const char* typedBefore = "";  // before the question was shown: no answer
    } cases[] = {
        {"z", true, OverwritePolicy::Ask, "A"},     {"W", false, OverwritePolicy::Ask, "nN"},
        {"W", false, OverwritePolicy::Ask},         {"w", false, OverwritePolicy::Ask},
        {"Z", true, OverwritePolicy::Ask},          {"z", true, OverwritePolicy::Ask},
        {"A", false, OverwritePolicy::OverwriteAll}, {"a", false, OverwritePolicy::OverwriteAll},
        {"N", true, OverwritePolicy::KeepAll},      {"n", true, OverwritePolicy::KeepAll},
        {"xT1 qw", false, OverwritePolicy::Ask},    {"\r\x1Bz", true, OverwritePolicy::Ask},
    };
    for (const auto& c : cases) {
        convert::TheRunState() = convert::RunState{};
        screen.PushText(c.typedBefore);
        screen.PushIdle();  // the answer comes once the question is shown
        screen.PushText(c.keys);
        EXPECT_EQ(convert::AskOverwrite("CEL.DAT"), c.keep) << c.keys;
        EXPECT_EQ(convert::CurrentOverwritePolicy(), c.policy) << c.keys;
        EXPECT_TRUE(screen.InputEmpty()) << c.keys;
    }
}

TEST_F(OverwriteTest, ExtendedKeysAreIgnored) {
    screen.PushIdle();  // the answer comes once the question is shown
    screen.PushKey(tui::kbF1);
    screen.PushKey(tui::kbAltA);  // a Polish letter, not A
    screen.PushText("Z");
    EXPECT_TRUE(convert::AskOverwrite("CEL.DAT"));
}

TEST_F(OverwriteTest, AnAnswerForAllHoldsForEveryLaterTarget) {
    const struct {
        const char* answer;
        bool keep;
    } cases[] = {{"A", false}, {"n", true}};
    for (const auto& c : cases) {
        convert::TheRunState() = convert::RunState{};
        screen.PushIdle();  // the answer comes once the question is shown
        screen.PushText(c.answer);
        EXPECT_EQ(copyOverExisting(std::string("PIERWSZY") + c.answer), c.keep) << c.answer;
        // No more keys are scripted: a second question would fail the test.
        EXPECT_EQ(copyOverExisting(std::string("DRUGI") + c.answer), c.keep) << c.answer;
        EXPECT_EQ(convert::AskOverwrite("TRZECI.DAT"), c.keep) << c.answer;
    }
}

}  // namespace

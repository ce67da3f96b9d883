// A firm's conversion on a realistic tree while the operating system fails one call
// at a time: every open, create, read, write, close, rename, directory made, lock and
// directory read of a clean run fails in turn. Whatever fails must be reported where
// it happens, the firm's marker and annual settings are whole or absent, the 2023
// tree stays as it was, and the items after a failure still run. A firm with a file
// lost is registered only when the user says so, and a full disk ends the firm with
// no partial file left.
#include <fcntl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>

#include "convert/firm/firm_conversion.h"
#include "convert/firm/firm_failures.h"
#include "convert/options.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/convert/converter_test.h"
#include "tests/support/posix/fault_kinds.h"
#include "tests/support/posix/sample_trees.h"

namespace {

using qztest::FaultKind;
using qztest::Tree;

// Enough to run the matrix well inside a minute under the sanitizers.
constexpr int kMaxCasesPerKind = 15;
constexpr std::string_view kMarker = "_qz_kpr.rek";
constexpr std::string_view kAnnualSettings = "2024_ROK.REK";
constexpr std::string_view kMark = "_qz_conv.tmp";
constexpr std::string_view kPersonFile = "DANE_PR8.REK";
// The files whose records follow the persons of the person file.
constexpr std::string_view kFollowPersons[] = {"DANE_PF8.REK", "2024P5.REK", "2024P28A.REK", "2024WP5.REK",
                                               "2024UZ5.REK"};

class FirmConversionFaults : public qztest::WithQuietSample<qztest::ConverterTest>, public ::testing::WithParamInterface<FaultKind> {
protected:
    FirmConversionFaults() : firm(qztest::FirmDirectories(sample->path() / "2023").front()) {
        answerFirst = [this] { return answerQuestionOrBox(); };
    }

    // The question at the end of an incomplete firm gets registerAnswer; a box that
    // says the disk is full is seen (Enter closes it).
    bool answerQuestionOrBox() {
        if (screen.ScreenContains("Brak miejsca na dysku")) diskFullBox = true;
        if (!tui::LogLineSoFar().ends_with("(T/N)")) return false;
        ++questions;
        screen.PushText(std::string(1, registerAnswer));
        return true;
    }

    // One conversion of the firm on fresh trees, with the run's state and the key
    // waits counted from the start; all items, or only the firm's text data.
    bool convertOnce(bool onlyTextData = false) {
        resetRunState();
        options = convert::Options{};
        if (onlyTextData) {
            options.firmItems = convert::firm::TextData;
            options.entries2024 = 0;
            options.addOns = 0;
            options.stopAfterEachFirm = true;  // the log can be seen at its end
        }
        clearLog();
        if (!std::filesystem::exists(temp.path() / "2023"))
            qztest::CopyTree(sample->path() / "2023" / firm, temp.path() / "2023" / firm);
        std::filesystem::remove_all(temp.path() / "2024");
        std::filesystem::create_directories(temp.path() / "2024");
        keyWaits = 0;
        logsAtWaits.clear();
        questions = 0;
        diskFullBox = false;

        const std::string root2023 = temp.root() + "2023" + platform::kSeparator;
        const std::string root2024 = temp.root() + "2024" + platform::kSeparator;
        bool converted = false;
        convert::ClaimedDirectories claims;
        convert::InProgressMark mark;
        convert::ConvertedFiles toHide;
        EXPECT_EQ(exitCodeOf([&] {
                      converted = convert::ConvertFirm(options, {root2023, root2024}, firm, firm, {}, claims, mark,
                                                       toHide) ==
                                  convert::FirmConversion::Converted;
                  }),
                  -1)
            << "the conversion of one firm never ends the program";
        // As the per-firm loop ends a firm it registers.
        if (converted) convert::FinishFirm(mark, toHide);
        return converted;
    }

    Tree tree(const char* year) const { return qztest::readTree(temp.path() / year); }
    std::string inFirm(std::string_view name) const { return firm + "/" + std::string(name); }
    std::string waits() const {
        std::string text;
        for (const std::string& log : logsAtWaits) text += "--- log at a key wait:\n" + log;
        return text;
    }

    const std::string firm;
    char registerAnswer = 'T';
    int questions = 0;
    bool diskFullBox = false;
};

TEST_P(FirmConversionFaults, EveryFailureIsReportedAndNothingHalfWrittenStays) {
    ASSERT_TRUE(convertOnce());
    ASSERT_EQ(keyWaits, 0) << "the sample asks nothing on a clean run\n" << waits();
    const Tree clean = tree("2024");
    ASSERT_TRUE(clean.contains(inFirm(kMarker)) && clean.contains(inFirm(kAnnualSettings)));
    const std::uint64_t source = qztest::treeHash(tree("2023"));

    int calls = 0;
    {
        const auto counter = GetParam().inject(qztest::kNeverFail);
        ASSERT_TRUE(convertOnce());
        calls = counter->CallCount();
    }
    ASSERT_EQ(tree("2024"), clean) << "counting the calls changes nothing";
    RecordProperty("calls", calls);

    for (const int n : qztest::CallsToFail(calls, kMaxCasesPerKind)) {
        SCOPED_TRACE(std::string(GetParam().name) + " call " + std::to_string(n) + " of " + std::to_string(calls));
        registerAnswer = n % 2 == 0 ? 'T' : 'N';
        bool converted = false;
        {
            const auto fault = GetParam().inject(n);
            converted = convertOnce();
        }
        const Tree run = tree("2024");
        if (qztest::treeHash(tree("2023")) != source) {
            ADD_FAILURE() << "the 2023 tree is never changed";
            std::filesystem::remove_all(temp.path() / "2023");
        }

        const std::vector<std::string> lost = qztest::LostOrChanged(clean, run);
        const std::vector<std::string> unexpected = qztest::Unexpected(clean, run);
        if (!lost.empty() || !unexpected.empty()) {
            EXPECT_GT(keyWaits, 0) << "without a word, lost or changed: " << qztest::Listed(lost)
                                   << "; made: " << qztest::Listed(unexpected);
        }
        for (const std::string_view name : {kMarker, kAnnualSettings}) {
            const auto found = run.find(inFirm(name));
            // An empty file is what a create leaves that fails after making the name;
            // for the converter, as for the bookkeeping program, it holds nothing.
            if (found != run.end() && !found->second.empty()) {
                EXPECT_TRUE(found->second == clean.at(inFirm(name)))
                    << name << " left half-written: " << found->second.size() << " bytes";
            }
        }
        const auto marker = run.find(inFirm(kMarker));
        const bool marked = marker != run.end() && marker->second == clean.at(inFirm(kMarker));
        EXPECT_TRUE(marked || !converted) << "converted only with the whole 2024 marker";
        EXPECT_LE(questions, 1);
        if (convert::DiskFullMet()) {
            EXPECT_FALSE(converted) << "a full disk ends the firm";
            EXPECT_TRUE(diskFullBox) << "a full disk is shown in a box";
            EXPECT_EQ(questions, 0);
            for (const auto& [name, bytes] : run) {
                const auto found = clean.find(name);
                EXPECT_TRUE(found == clean.end() || found->second == bytes) << name << " left partial";
            }
        }
        if (!converted) {
            EXPECT_GT(keyWaits, 0) << "a firm left unconverted says why";
            // Not registered after its marker was written: its mark stays for a redo.
            if (marked) {
                EXPECT_TRUE(run.contains(inFirm(kMark))) << "an unfinished firm keeps its in-progress mark";
            }
        } else if (!lost.empty()) {
            EXPECT_EQ(questions, 1) << "registered with files lost only when the user says so: "
                                    << qztest::Listed(lost);
        }
        if (converted || questions == 1) {
            // One failure costs one file (a pattern's files, when the directory cannot
            // be searched); a failure in the person file also the files that follow
            // its persons, which are then not written at all (never empty).
            if (std::find(lost.begin(), lost.end(), inFirm(kPersonFile)) != lost.end()) {
                for (const std::string_view name : kFollowPersons)
                    EXPECT_FALSE(run.contains(inFirm(name))) << name << " written without the persons";
            } else {
                EXPECT_LE(lost.size(), 4u) << "the items after a failure run: " << qztest::Listed(lost);
            }
        }
    }
}

// The 2023 firm text file cannot be read: its box, then one line in the error colour
// naming it (nothing about the 2024 file, which stays untouched), and the rest of the
// firm is converted, so that the firm is registered when the user says so.
class FirmTextUnreadable : public FirmConversionFaults {};

TEST_F(FirmTextUnreadable, OneMessageNamesTheFileAndTheFirmIsConverted) {
    ASSERT_TRUE(convertOnce(true));
    Tree expected = tree("2024");
    ASSERT_EQ(expected.erase(inFirm("FIRMATXT.INI")), 1u);
    const std::string source = platform::cp852::ToUtf8(temp.root()) + "2023/" + firm + "/FIRMATXT.INI";
    int colour = -1;
    answerFirst = [&] {
        // At the end of the firm: the row that names the file, in its colour.
        for (int row = 3; row <= 23; ++row)
            if (rows(row, row).starts_with("Błąd odczytu danych firmy " + source)) colour = screen.CellAt(1, row).attribute;
        return answerQuestionOrBox();
    };
    {
        platform::posix::FailNthCall<&platform::posix::Syscalls::read> unreadable(
            1, EIO, +[](int fd, void*, size_t) { return qztest::OnFirmText(fd); });
        EXPECT_TRUE(convertOnce(true));
        EXPECT_EQ(unreadable.CallCount(), 1);
    }
    EXPECT_EQ(tree("2024"), expected);
    EXPECT_EQ(questions, 1) << "registered without its text data only when the user says so";
    ASSERT_EQ(logsAtWaits.size(), 2u) << "the box and the end of the firm" << waits();
    EXPECT_EQ(logsAtWaits.back().find("Błąd zapisu"), std::string::npos) << waits();
    EXPECT_EQ(colour, 0x0C) << waits();
}

// Over a network drive the mark of a firm that another workstation registered a
// moment ago may still show after its removal: its open or its lock says the file is
// gone, and the mark is looked for again. A mark that stays gone that way is
// unreadable, never taken for none.
int gGoneOpens = 0, gGoneLocks = 0;
int GoneFile(int& left) {
    --left;
    errno = ESTALE;
    return -1;
}
// The last stale open sees the removal reach this view of the drive.
int OpenGoneMark(const char* path, int flags, mode_t mode) {
    if (gGoneOpens > 0 && std::string_view(path).ends_with(kMark)) {
        if (gGoneOpens == 1) std::filesystem::remove(path);
        return GoneFile(gGoneOpens);
    }
    return platform::posix::RealSyscalls().open(path, flags, mode);
}
int LockGoneMark(int fd, int command, struct flock* lock) {
    if (gGoneLocks > 0 && command == F_OFD_SETLK) return GoneFile(gGoneLocks);
    return platform::posix::RealSyscalls().lock(fd, command, lock);
}

class MarkLook : public qztest::ConverterTest {};

TEST_F(MarkLook, AMarkANetworkDriveStillShowsIsLookedForAgain) {
    using convert::MarkFound;
    const struct {
        const char* what;
        int goneOpens, goneLocks;
        MarkFound found;
    } cases[] = {
        {"removed a moment ago", 2, 0, MarkFound::None},
        {"left behind by a run cut short, its lock gone once", 0, 1, MarkFound::LeftBehind},
        {"gone at every look", 1000, 0, MarkFound::Unreadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::filesystem::remove_all(temp.path() / "F");
        std::filesystem::create_directory(temp.path() / "F");
        temp.writeFile("F/" + std::string(kMark), "2024-01-15 09:00:00\r\n");
        gGoneOpens = c.goneOpens;
        gGoneLocks = c.goneLocks;
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::open> opens(&OpenGoneMark);
        platform::posix::ScopedSyscall<&platform::posix::Syscalls::lock> locks(&LockGoneMark);
        convert::InProgressMark mark;
        EXPECT_EQ(mark.Look(temp.root() + "F"), c.found);
        EXPECT_EQ(gGoneLocks, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(EachCall, FirmConversionFaults,
                         ::testing::ValuesIn(qztest::FaultKinds().begin(), qztest::FaultKinds().end()),
                         qztest::FaultName);

}  // namespace

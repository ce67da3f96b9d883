// The global copy and the per-firm loop on a realistic tree while the operating
// system fails one call at a time: every open, create, read, write, close, rename,
// directory made, lock and directory read of a clean run fails in turn. Whatever
// fails must be reported where it happens (a log line with a key wait, or a box),
// the 2023 tree stays as it was, the items after a failure still run, and the 2024
// registry holds whole records of exactly the firms that were converted.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/firm_loop.h"
#include "app/global_copy.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "fileio/registry_record.h"
#include "fileio/shared_locks.h"
#include "platform/files.h"
#include "tests/convert/converter_test.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/posix/fault_kinds.h"
#include "tests/support/posix/sample_trees.h"
#include "tui/keys.h"

namespace {

using qztest::FaultKind;
using qztest::Tree;

// Enough to run the matrices well inside a minute under the sanitizers: the firm
// loop converts two firms per case, the global copy a dozen files.
constexpr int kMaxGlobalCasesPerKind = 6;
constexpr int kMaxLoopCasesPerKind = 4;
constexpr std::string_view kRegistry = "SPISFIRM.DAT";
constexpr std::string_view kMarker = "_qz_kpr.rek";
constexpr std::string_view kMark = "_qz_conv.tmp";
const std::string kGlobalMark = "#BIN024/_qz_conv.tmp";

// A run on fresh copies of the sample tree, the run's state and its key waits
// counted from the start of each.
class RunFaults : public qztest::WithQuietSample<qztest::ConverterTest>, public ::testing::WithParamInterface<FaultKind> {
protected:
    RunFaults() {
        run.paths.root2023 = temp.root() + "2023" + platform::kSeparator;
        run.paths.root2024 = temp.root() + "2024" + platform::kSeparator;
    }

    // Runs part on fresh trees; its exit code, -1 when it returned.
    template <typename Part>
    int runOnce(Part&& part) {
        freshRun();
        return exitCodeOf(part);
    }
    // The state a run starts with, on fresh trees.
    void freshRun() {
        resetRunState();
        clearLog();
        if (!std::filesystem::exists(temp.path() / "2023")) qztest::CopyTree(sample->path() / "2023", temp.path() / "2023");
        std::filesystem::remove_all(temp.path() / "2024");
        std::filesystem::create_directories(temp.path() / "2024");
        keyWaits = 0;
        logsAtWaits.clear();
    }

    Tree tree(const char* year) const { return qztest::readTree(temp.path() / year); }
    std::string waits() const {
        std::string text;
        for (const std::string& log : logsAtWaits) text += "--- log at a key wait:\n" + log;
        return text;
    }

    // The steps every case of a matrix shares: a clean run, a counting run, then one run
    // per call to fail, each checked against the clean one by check.
    template <typename Part, typename Check>
    void runMatrix(int maxCases, Part&& part, Check&& check) {
        const FaultKind& kind = GetParam();
        ASSERT_EQ(runOnce(part), -1);
        ASSERT_EQ(keyWaits, 0) << "the sample asks nothing on a clean run\n" << waits();
        const Tree clean = tree("2024");
        const std::uint64_t source = qztest::treeHash(tree("2023"));

        int calls = 0;
        {
            const auto counter = kind.inject(qztest::kNeverFail);
            ASSERT_EQ(runOnce(part), -1);
            calls = counter->CallCount();
        }
        ASSERT_EQ(tree("2024"), clean) << "counting the calls changes nothing";
        RecordProperty("calls", calls);

        for (const int n : qztest::CallsToFail(calls, maxCases)) {
            SCOPED_TRACE(std::string(kind.name) + " call " + std::to_string(n) + " of " + std::to_string(calls));
            int exitCode = -1;
            {
                const auto fault = kind.inject(n);
                exitCode = runOnce(part);
            }
            const Tree result = tree("2024");
            if (qztest::treeHash(tree("2023")) != source) {
                ADD_FAILURE() << "the 2023 tree is never changed";
                std::filesystem::remove_all(temp.path() / "2023");
            }
            const std::vector<std::string> lost = qztest::LostOrChanged(clean, result);
            const std::vector<std::string> unexpected = qztest::Unexpected(clean, result);
            if (!lost.empty() || !unexpected.empty() || exitCode != -1) {
                EXPECT_GT(keyWaits, 0) << "without a word, lost or changed: " << qztest::Listed(lost)
                                            << "; made: " << qztest::Listed(unexpected) << "; exit code " << exitCode;
            }
            check(clean, result, lost, exitCode);
        }
    }

    app::Run run;
};

class GlobalCopyFaults : public RunFaults {};

TEST_P(GlobalCopyFaults, EveryFailureIsReportedAndTheNextItemRuns) {
    runMatrix(kMaxGlobalCasesPerKind, [&] { app::RunGlobalCopy(run.paths, run.options); },
              [&](const Tree&, const Tree& result, const std::vector<std::string>& lost, int exitCode) {
                  if (exitCode == -1) {
                      // One failure costs at most the file it was copying, or, when the
                      // copy's mark cannot be looked at or made, the copy (told; a
                      // mark left makes the next run repeat it).
                      const bool copiedNothing = result.empty() || (result.size() == 1 && result.contains(kGlobalMark));
                      if (!copiedNothing) {
                          EXPECT_LE(lost.size(), 1u) << qztest::Listed(lost);
                      }
                      return;
                  }
                  EXPECT_EQ(exitCode, 0) << "only a global directory that cannot be made or found ends the run";
                  EXPECT_TRUE(result.empty()) << "nothing copied without the global directory";
                  EXPECT_TRUE(waits().find("Utworzenia katalogu") != std::string::npos ||
                              waits().find("Brak katalogu zródłowego") != std::string::npos)
                      << waits();
              });
}

// The global copy killed before each call of it that changes a file, in a child
// process; the next run finds the files it may have left half written named in the
// copy's mark, rewrites them without a question and ends with the tree of one
// uninterrupted run. Page 4 offers the copy again whenever the mark is left.
class GlobalCopyKills : public RunFaults {};

TEST_F(GlobalCopyKills, TheNextRunEndsWithTheTreeOfOneUninterruptedRunAskingNothing) {
    const auto copy = [&] { app::RunGlobalCopy(run.paths, run.options); };
    ASSERT_EQ(runOnce(copy), -1);
    const Tree clean = tree("2024");
    int calls = 0;
    {
        const qztest::KillBeforeNthChange counter(qztest::kNeverFail);
        ASSERT_EQ(runOnce(copy), -1);
        calls = counter.CallCount();
    }
    RecordProperty("killPoints", calls);
    for (int n = 1; n <= calls; ++n) {
        SCOPED_TRACE("killed before change " + std::to_string(n) + " of " + std::to_string(calls));
        freshRun();
        const pid_t child = qztest::Spawn([&] {
            const qztest::KillBeforeNthChange kill(n);
            copy();
            return 0;
        });
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        const Tree left = tree("2024");
        const bool marked = left.contains(kGlobalMark);
        EXPECT_TRUE(marked || left.empty())
            << "global files without the mark: " << qztest::Listed(qztest::Unexpected({}, left));

        resetRunState();
        EXPECT_EQ(app::GlobalCopyLeftUnfinished(run.paths), marked);
        EXPECT_EQ(exitCodeOf(copy), -1);
        EXPECT_EQ(keyWaits, 0) << waits();
        const Tree again = tree("2024");
        EXPECT_TRUE(qztest::LostOrChanged(clean, again).empty()) << qztest::Listed(qztest::LostOrChanged(clean, again));
        EXPECT_TRUE(qztest::Unexpected(clean, again).empty()) << qztest::Listed(qztest::Unexpected(clean, again));
    }
}

class FirmLoopFaults : public RunFaults {
protected:
    FirmLoopFaults() {
        // Every firm stays selected; F5 starts the conversion. A firm with failed
        // files is registered or kept out in turn.
        answerFirst = [this] {
            if (tui::LogLineSoFar().ends_with("(T/N)")) {
                registerAnswer = registerAnswer == 'T' ? 'N' : 'T';
                screen.PushText(std::string(1, registerAnswer));
                return true;
            }
            if (!screen.ScreenContains("BAZA FIRM")) return false;
            screen.PushKey(tui::kbF5);
            return true;
        };
        startLoop = [this] { app::RunFirmLoop(run); };
    }

    static std::string DirectoryOf(std::string_view record) {
        fileio::RegistryRecord parsed;
        std::memcpy(parsed.bytes.data(), record.data(), parsed.bytes.size());
        return parsed.Directory();
    }

    // The directories in the 2024 registry.
    std::set<std::string> registered() const {
        std::set<std::string> directories;
        const std::string registry = temp.readFile("2024/" + std::string(kRegistry));
        for (std::size_t at = 0; at + fileio::kRegistryRecordSize <= registry.size(); at += fileio::kRegistryRecordSize)
            directories.insert(DirectoryOf(registry.substr(at, fileio::kRegistryRecordSize)));
        return directories;
    }
    // Another run over the trees as they are.
    int runAgain() {
        resetRunState();
        keyWaits = 0;
        logsAtWaits.clear();
        return exitCodeOf(startLoop);
    }
    void expectTreeOfOneRun(const Tree& clean) const {
        const Tree again = tree("2024");
        EXPECT_TRUE(qztest::LostOrChanged(clean, again).empty()) << qztest::Listed(qztest::LostOrChanged(clean, again));
        EXPECT_TRUE(qztest::Unexpected(clean, again).empty()) << qztest::Listed(qztest::Unexpected(clean, again));
    }

    std::function<void()> startLoop;
    char registerAnswer = 'N';
};

TEST_P(FirmLoopFaults, OnlyConvertedFirmsAreRegisteredAndNothingIsLostSilently) {
    runMatrix(kMaxLoopCasesPerKind, startLoop,
              [&](const Tree& clean, const Tree& result, const std::vector<std::string>&, int exitCode) {
                  const auto registryFound = result.find(std::string(kRegistry));
                  // A 2023 registry that cannot be read ends the run before any firm.
                  if (exitCode == 0) {
                      EXPECT_TRUE(result.empty()) << "the run ends early only before the first firm";
                      return;
                  }
                  EXPECT_TRUE(exitCode == -1 || exitCode == 255)
                      << "a run ends early only when the user gives up after a serious error: " << exitCode;
                  const std::string registry = registryFound == result.end() ? "" : registryFound->second;
                  const std::string& cleanRegistry = clean.at(std::string(kRegistry));
                  ASSERT_EQ(registry.size() % fileio::kRegistryRecordSize, 0u) << "a half-written registry record";

                  std::set<std::string> registered;
                  for (std::size_t at = 0; at < registry.size(); at += fileio::kRegistryRecordSize) {
                      const std::string record = registry.substr(at, fileio::kRegistryRecordSize);
                      // A write that fails while the registry's records are moved
                      // can leave one mixed record; that is never silent.
                      if (cleanRegistry.find(record) == std::string::npos) {
                          EXPECT_NE(waits().find("Poważny BŁĄD I/O."), std::string::npos)
                              << "a record the run never made: " << ::testing::PrintToString(record);
                      }
                      EXPECT_TRUE(registered.insert(DirectoryOf(record)).second) << "a firm registered twice";
                  }
                  for (std::size_t at = 0; at < cleanRegistry.size(); at += fileio::kRegistryRecordSize) {
                      const std::string directory = DirectoryOf(cleanRegistry.substr(at, fileio::kRegistryRecordSize));
                      const std::string marker = directory + "/" + std::string(kMarker);
                      const auto found = result.find(marker);
                      const bool converted = found != result.end() && found->second == clean.at(marker);
                      if (registered.contains(directory)) {
                          EXPECT_TRUE(converted) << directory << " registered without its whole marker";
                      } else if (converted) {
                          EXPECT_GT(keyWaits, 0) << directory << " converted but left out of the registry silently";
                      }
                  }
              });
}

class RegistryCloseFault : public FirmLoopFaults {};

TEST_F(RegistryCloseFault, IsReportedWithTheRegistrysName) {
    // The registry is the last file the loop closes.
    int closes = 0;
    {
        qztest::CloseFailsNth counter(qztest::kNeverFail);
        ASSERT_EQ(runOnce(startLoop), -1);
        closes = counter.CallCount();
    }
    qztest::CloseFailsNth fault(closes);
    EXPECT_EQ(runOnce(startLoop), -1);
    EXPECT_NE(waits().find("Błąd zamknięcia zbioru " + run.paths.root2024 + std::string(kRegistry)), std::string::npos)
        << waits();
}

// "Nie" to the lock question of the insert while another workstation holds the 2024
// registry (one insert for the batch of both firms): no firm is registered and each
// keeps its in-progress mark; the next run converts them again and registers each
// once, as one run would have.
TEST_F(FirmLoopFaults, FirmsLeftOutByANoToTheLockQuestionAreConvertedAgainByTheNextRun) {
    ASSERT_EQ(runOnce(startLoop), -1);
    const Tree clean = tree("2024");
    const std::vector<std::string> firms = qztest::FirmDirectories(temp.path() / "2023");

    std::filesystem::remove_all(temp.path() / "2024");
    temp.writeFile("2024/SPISFIRM.DAT", "");
    platform::FileHandle holder;
    ASSERT_EQ(platform::OpenSharedFile(run.paths.root2024 + std::string(kRegistry),
                                 platform::mode::ReadWrite | platform::mode::DenyNone, holder),
              0);
    ASSERT_EQ(platform::LockRange(holder, 0, fileio::kWholeFileLength), 0);
    resetRunState();
    keyWaits = 0;
    type("N");
    EXPECT_EQ(exitCodeOf(startLoop), -1);
    EXPECT_EQ(keyWaits, 1) << waits();
    EXPECT_EQ(temp.readFile("2024/SPISFIRM.DAT"), "");
    for (const std::string& firm : firms) EXPECT_TRUE(temp.exists("2024/" + firm + "/_qz_conv.tmp")) << firm;

    platform::CloseFile(holder);
    resetRunState();
    keyWaits = 0;
    EXPECT_EQ(exitCodeOf(startLoop), -1);
    EXPECT_EQ(keyWaits, 0) << waits();
    const Tree again = tree("2024");
    EXPECT_TRUE(qztest::LostOrChanged(clean, again).empty()) << qztest::Listed(qztest::LostOrChanged(clean, again));
    EXPECT_TRUE(qztest::Unexpected(clean, again).empty()) << qztest::Listed(qztest::Unexpected(clean, again));
}

// The first firm's files cannot be written to the disk: it is reported and not
// registered, and keeps its in-progress mark for the next run; the next firm goes in.
TEST_F(FirmLoopFaults, AFirmWhoseFilesCannotBeMadeDurableIsNotRegistered) {
    int exitCode = 0;
    {
        const platform::posix::FailNthCall<&platform::posix::Syscalls::syncfs> fault(1, EIO);
        exitCode = runOnce(startLoop);
    }
    EXPECT_EQ(exitCode, -1);
    EXPECT_EQ(keyWaits, 1) << waits();
    EXPECT_NE(waits().find("Błąd zapisu danych do "), std::string::npos) << waits();
    EXPECT_EQ(temp.readFile("2024/SPISFIRM.DAT").size(), fileio::kRegistryRecordSize);
    int marked = 0;
    for (const std::string& firm : qztest::FirmDirectories(temp.path() / "2023"))
        marked += temp.exists("2024/" + firm + "/_qz_conv.tmp");
    EXPECT_EQ(marked, 1);
}

// Killed while the first firm's files are on their way to the disk: as its flush
// begins, and at changes the next firm's conversion makes while that flush is held
// outstanding; then as the last firm's flush begins, when nothing is converted any
// more. No firm is registered before its flush has returned, so the next run
// converts each firm left and ends with the tree of one uninterrupted run.
TEST_F(FirmLoopFaults, AKillWhileAFirmIsOnItsWayToTheDiskLeavesItToTheNextRun) {
    using Flush = qztest::FirstFlush;
    ASSERT_EQ(runOnce(startLoop), -1);
    const Tree clean = tree("2024");
    int atBegin = 0;
    int atEnd = 0;
    {
        const qztest::KillBeforeNthChange counter(qztest::kNeverFail);
        const Flush observed(Flush::Kind::Observed);
        ASSERT_EQ(runOnce(startLoop), -1);
        atBegin = Flush::changesAtBegin();
        atEnd = Flush::changesAtEnd();
    }
    ASSERT_LT(atBegin, atEnd) << "the next firm is converted while the first one's flush is outstanding";
    struct Case {
        Flush::Kind kind;
        int flush;       // the flush killed as it begins, or the one held
        int change;      // the change of the program's thread killed before
        int registered;  // the firms registered before the kill
    };
    // The first firm waits for the second in its batch.
    std::vector<Case> cases = {{Flush::Kind::Killed, 1, qztest::kNeverFail, 0},
                               {Flush::Kind::Killed, 2, qztest::kNeverFail, 0}};
    for (const int n : qztest::CallsToFail(atEnd - atBegin, kMaxLoopCasesPerKind))
        cases.push_back({Flush::Kind::Held, 1, atBegin + n, 0});
    for (const Case& kill : cases) {
        SCOPED_TRACE("flush " + std::to_string(kill.flush) +
                     (kill.kind == Flush::Kind::Held ? " held, killed before change " + std::to_string(kill.change)
                                                     : " killed as it begins"));
        freshRun();
        const pid_t child = qztest::Spawn([&] {
            const qztest::KillBeforeNthChange changes(kill.change);
            const Flush flush(kill.kind, kill.flush);
            startLoop();
            return 0;
        });
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        EXPECT_EQ(registered().size(), static_cast<std::size_t>(kill.registered));
        EXPECT_EQ(runAgain(), -1);
        EXPECT_EQ(keyWaits, 0) << waits();
        expectTreeOfOneRun(clean);
    }
}

// The 2023 person file of one firm cannot be opened: the files that follow its
// persons are not written at all (not even empty), and the firm is put to the user.
// "N" keeps it out of the registry with its in-progress mark, and the next run
// converts it whole; "T" registers it, and the report names the files that failed.
TEST_F(FirmLoopFaults, AnUnreadablePersonFileLeavesItsFollowersUnwrittenAndPutsTheFirmToTheUser) {
    ASSERT_EQ(runOnce(startLoop), -1);
    const Tree clean = tree("2024");
    const std::string firm = qztest::FirmDirectories(temp.path() / "2023").front();
    static std::string personFile;
    personFile = "/2023/" + firm + "/DANE_PR8.REK";
    const auto picker = answerFirst;
    for (const char answer : {'N', 'T'}) {
        SCOPED_TRACE(std::string("answer ") + answer);
        int questions = 0;
        answerFirst = [&] {
            if (!tui::LogLineSoFar().ends_with("(T/N)")) return picker();
            ++questions;
            screen.PushText(std::string(1, answer));
            return true;
        };
        std::filesystem::remove(temp.path() / "raport.LOG");
        convert::OpenRunReport(temp.root() + "raport.LOG", {});
        {
            const platform::posix::ScopedSyscall<&platform::posix::Syscalls::open> denied(
                +[](const char* path, int flags, mode_t mode) {
                    if (!std::string_view(path).ends_with(personFile))
                        return platform::posix::RealSyscalls().open(path, flags, mode);
                    errno = EACCES;
                    return -1;
                });
            EXPECT_EQ(runOnce(startLoop), -1);
        }
        convert::CloseRunReport();
        EXPECT_EQ(questions, 1);
        for (const char* name : {"DANE_PR8.REK", "DANE_PF8.REK", "2024P5.REK", "2024P28A.REK", "2024WP5.REK",
                                 "2024UZ5.REK"})
            EXPECT_FALSE(temp.exists("2024/" + firm + "/" + name)) << name << " written without the persons";
        EXPECT_EQ(registered().contains(firm), answer == 'T');
        EXPECT_EQ(temp.exists("2024/" + firm + "/" + std::string(kMark)), answer == 'N');
        const std::string report = temp.readFile("raport.LOG");
        EXPECT_NE(report.find(": błędy przy 6 plikach. Wpisać ją do rejestru 2024 mimo to? (T/N) -- odpowiedź: " +
                              std::string(1, answer) + "\r\n"),
                  std::string::npos)
            << report;
        if (answer == 'T') {
            EXPECT_NE(report.find("(odpowiedź T); błędy przy plikach: DANE_PR8.REK, DANE_PF8.REK, 2024P5.REK, "
                                  "2024P28A.REK, 2024WP5.REK, 2024UZ5.REK\r\n"),
                      std::string::npos)
                << report;
            EXPECT_NE(report.find("mimo błędów przy plikach: 1\r\n   " + firm + ": DANE_PR8.REK"), std::string::npos)
                << report;
        } else {
            EXPECT_NE(report.find("NIE wpisana do rejestru 2024 (odpowiedź N"), std::string::npos) << report;
            answerFirst = picker;
            EXPECT_EQ(runAgain(), -1);
            EXPECT_EQ(keyWaits, 0) << waits();
            expectTreeOfOneRun(clean);
        }
    }
}

// The disk fills up in the first firm: the firm ends at once, its partial file
// removed, with a box, stays out of the registry with its in-progress mark, and no
// further firm is taken. Once there is room, the next run completes the tree.
TEST_F(FirmLoopFaults, AFullDiskEndsTheFirmAndTheRunAndTheNextRunCompletesTheTree) {
    ASSERT_EQ(runOnce(startLoop), -1);
    const Tree clean = tree("2024");
    bool box = false;
    const auto picker = answerFirst;
    answerFirst = [&] {
        box = box || screen.ScreenContains("Brak miejsca na dysku");
        return picker();
    };
    {
        const platform::posix::ShortNthWrite full(8);
        EXPECT_EQ(runOnce(startLoop), -1);
    }
    EXPECT_TRUE(box);
    EXPECT_EQ(keyWaits, 1) << "the box is the one wait" << waits();
    std::set<std::string> directories;
    for (const auto& [name, bytes] : tree("2024")) {
        if (name.find('/') != std::string::npos) directories.insert(name.substr(0, name.find('/')));
        const auto found = clean.find(name);
        if (found == clean.end()) {
            EXPECT_TRUE(name.ends_with("/" + std::string(kMark))) << name << " made";
        } else if (name != kRegistry) {
            EXPECT_EQ(found->second, bytes) << name << " left partial";
        }
    }
    EXPECT_TRUE(registered().empty());
    EXPECT_EQ(directories.size(), 1u) << "no firm taken after the full disk";
    answerFirst = picker;
    EXPECT_EQ(runAgain(), -1);
    EXPECT_EQ(keyWaits, 0) << waits();
    expectTreeOfOneRun(clean);
}

const auto kKinds = ::testing::ValuesIn(qztest::FaultKinds().begin(), qztest::FaultKinds().end());
INSTANTIATE_TEST_SUITE_P(EachCall, GlobalCopyFaults, kKinds, qztest::FaultName);
INSTANTIATE_TEST_SUITE_P(EachCall, FirmLoopFaults, kKinds, qztest::FaultName);

}  // namespace

// The registry file used by several processes at once: the locks are the
// operating system's, and other workstations' programs hold them from other
// processes.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "fileio/registry_file.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/posix/system_clock.h"
#include "tests/fileio/registry_helpers.h"
#include "tests/support/posix/child_process.h"
#include "tests/support/screen_test.h"

namespace {

using namespace platform::literals;
using fileio::RegistryFile;
using fileio::RegistryRecord;
using qztest::ExitCodeOf;
using qztest::Firm;
using qztest::Pipe;
using qztest::Spawn;

class RegistryFileProcessesTest : public qztest::ScreenTest {
protected:
    std::string Path() const { return temp.root() + "SPISFIRM.DAT"; }
    std::string Bytes() const { return temp.readFile("SPISFIRM.DAT"); }
};

TEST_F(RegistryFileProcessesTest, LockHeldByAnotherProcessIsAskedAboutAfterThirtyAttempts) {
    const RegistryRecord a = Firm("Alfa", "A", "");
    const RegistryRecord b = Firm("Beta", "B", "");
    const RegistryRecord c = Firm("Gamma", "C", "");
    temp.writeFile("SPISFIRM.DAT", qztest::RegistryBytes({a, c}));

    Pipe toHolder;
    Pipe fromHolder;
    const pid_t holder = Spawn([&] {
        toHolder.UseForReading();
        fromHolder.UseForWriting();
        platform::FileHandle file;
        if (platform::OpenSharedFile(Path(), platform::mode::ReadWrite | platform::mode::DenyNone, file) != 0) return 1;
        if (platform::LockRange(file, 0, fileio::kWholeFileLength) != 0) return 2;
        fromHolder.Send('L');
        if (toHolder.Receive() != 'R') return 3;
        if (platform::UnlockRange(file, 0, fileio::kWholeFileLength) != 0) return 4;
        fromHolder.Send('U');
        return 0;
    });
    toHolder.UseForWriting();
    fromHolder.UseForReading();
    ASSERT_EQ(fromHolder.Receive(), 'L');

    RegistryFile file(Path());
    ASSERT_TRUE(file.Open(fileio::OpenExisting));
    const auto lookAtQuestion = [this] {
        EXPECT_EQ(rows(8, 13),
                  "                   ┌───────────── Informacja ─────────────┐\n"
                  "                   │               NET Info               │\n"
                  "                   │      DOSTĘP BLOKOWANY SIECIOWO       │\n"
                  "                   │Czy czekamy ?                         │\n"
                  "                   │                                      │\n"
                  "                   │                                      │\n");
    };
    // "Nie": the insert gives up and the file stays as it was.
    const std::uint64_t before = clock.TotalSleptMs();
    screen.PushIdle();
    screen.PushAction([&] {
        lookAtQuestion();
        EXPECT_EQ(clock.TotalSleptMs() - before, (fileio::MaxTries - 1) * fileio::RetryDelay);
    });
    screen.PushText("N");
    EXPECT_FALSE(file.InsertSorted(b));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, c}));

    // "Tak" after the other process has let go: the insert goes through.
    screen.PushIdle();
    screen.PushAction([&] {
        lookAtQuestion();
        toHolder.Send('R');
        EXPECT_EQ(fromHolder.Receive(), 'U');
    });
    screen.PushText("T");
    EXPECT_TRUE(file.InsertSorted(b));
    EXPECT_EQ(Bytes(), qztest::RegistryBytes({a, b, c}));
    EXPECT_EQ(ExitCodeOf(holder), 0);
}

// Firms with random names from letters that the Polish order puts in many places,
// and a directory that makes every key unique.
std::vector<RegistryRecord> FirmsOf(int process, int count) {
    const std::string letters(" AaĄąBCĆćEĘLŁłMNŃOÓSŚZŹŻż"_cp);
    std::mt19937 random(static_cast<unsigned>(process) + 1);
    std::vector<RegistryRecord> firms;
    for (int i = 0; i < count; ++i) {
        std::string name;
        for (int k = 0; k < 5; ++k) name += letters[random() % letters.size()];
        firms.push_back(Firm(name, "P" + std::to_string(process) + "_" + std::to_string(i), "opis"));
    }
    return firms;
}

TEST_F(RegistryFileProcessesTest, FourProcessesInsertingAtOnceLoseNothing) {
    constexpr int kProcesses = 4;
    constexpr int kEach = 250;
    temp.writeFile("SPISFIRM.DAT", "");
    Pipe start;
    std::vector<pid_t> children;
    for (int process = 0; process < kProcesses; ++process) {
        children.push_back(Spawn([&, process] {
            start.UseForReading();
            // Real pauses between attempts; a question about a long wait is
            // answered "Tak".
            platform::posix::SystemClock realClock;
            platform::InstallClock(&realClock);
            screen.SetDryLimit(1);
            screen.SetOnDry([this] { screen.PushText("T"); });
            RegistryFile file(Path());
            if (!file.Open(fileio::OpenExisting)) return 1;
            start.Receive();  // all start when the test closes its end
            for (const RegistryRecord& firm : FirmsOf(process, kEach))
                if (!file.InsertSorted(firm)) return 2;
            return 0;
        }));
    }
    start.CloseEnd(1);
    for (const pid_t child : children) EXPECT_EQ(ExitCodeOf(child), 0);

    const std::string bytes = Bytes();
    ASSERT_EQ(bytes.size(), std::size_t{kProcesses * kEach} * fileio::kRegistryRecordSize);
    std::vector<RegistryRecord> stored(kProcesses * kEach);
    for (std::size_t i = 0; i < stored.size(); ++i)
        std::copy_n(bytes.data() + i * fileio::kRegistryRecordSize, fileio::kRegistryRecordSize,
                    stored[i].bytes.data());
    for (std::size_t i = 1; i < stored.size(); ++i)
        ASSERT_TRUE(RegistryFile::Compare(stored[i - 1], stored[i]) < 0)
            << "out of order at " << i << ": " << RegistryFile::KeyOf(stored[i - 1]) << " | "
            << RegistryFile::KeyOf(stored[i]);

    std::vector<RegistryRecord> inserted;
    for (int process = 0; process < kProcesses; ++process)
        for (const RegistryRecord& firm : FirmsOf(process, kEach)) inserted.push_back(firm);
    const auto byBytes = [](const RegistryRecord& x, const RegistryRecord& y) { return x.bytes < y.bytes; };
    std::sort(inserted.begin(), inserted.end(), byBytes);
    std::sort(stored.begin(), stored.end(), byBytes);
    EXPECT_TRUE(std::equal(inserted.begin(), inserted.end(), stored.begin(), stored.end(),
                           [](const RegistryRecord& x, const RegistryRecord& y) { return x.bytes == y.bytes; }));
}

}  // namespace

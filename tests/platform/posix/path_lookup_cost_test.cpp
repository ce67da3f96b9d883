// What a path look-up costs the file system: a path that exists as given takes one
// look-up of the whole path; only a name in another case, or a missing one, makes
// the directories be searched. The results are the same either way. While names are
// remembered, a directory is searched once and its listing answers after that, kept
// true by the program's own changes; a name missing from an old listing is looked
// for again, since another workstation may have made it.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "platform/files.h"
#include "platform/posix/lookup_memory.h"
#include "platform/posix/names.h"
#include "platform/virtual_clock.h"
#include "platform/posix/syscalls.h"
#include "tests/support/program_test.h"

namespace {

using platform::posix::ResolvedPath;
using platform::posix::ScopedSyscall;
using platform::posix::Syscalls;

int gLookups = 0;
int gSearches = 0;

int countedLstat(const char* path, struct stat* info) {
    ++gLookups;
    return platform::posix::RealSyscalls().lstat(path, info);
}
DIR* countedOpendir(const char* path) {
    ++gSearches;
    return platform::posix::RealSyscalls().opendir(path);
}

class PathLookupCost : public ::testing::Test {
protected:
    PathLookupCost() : lstat_(&countedLstat), opendir_(&countedOpendir) {
        temp.writeFile("KPR_2023/FIRMA1/BAZA_AD8.REK", "dane");
        gLookups = 0;
        gSearches = 0;
    }

    qztest::TempDir temp;

private:
    ScopedSyscall<&Syscalls::lstat> lstat_;
    ScopedSyscall<&Syscalls::opendir> opendir_;
};

TEST_F(PathLookupCost, APathAsOnDiskTakesOneLookupAndNoSearch) {
    ResolvedPath resolved;
    ASSERT_EQ(platform::posix::ResolvePath(temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK", resolved), 0);
    EXPECT_EQ(gLookups, 1);
    EXPECT_EQ(gSearches, 0);
    EXPECT_TRUE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK");
    EXPECT_EQ(resolved.givenNative, resolved.native);
}

TEST_F(PathLookupCost, ANameInAnotherCaseIsStillFoundUnderItsOwnName) {
    ResolvedPath resolved;
    ASSERT_EQ(platform::posix::ResolvePath(temp.root() + "KPR_2023/firma1/baza_ad8.rek", resolved), 0);
    EXPECT_GT(gSearches, 0);
    EXPECT_TRUE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK");
    EXPECT_EQ(resolved.givenNative, temp.root() + "KPR_2023/FIRMA1/baza_ad8.rek");
}

TEST_F(PathLookupCost, AMissingFileAndAMissingDirectoryAreToldApart) {
    ResolvedPath resolved;
    ASSERT_EQ(platform::posix::ResolvePath(temp.root() + "KPR_2023/FIRMA1/NOWY.REK", resolved), 0);
    EXPECT_FALSE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/NOWY.REK");
    EXPECT_NE(platform::posix::ResolvePath(temp.root() + "KPR_2023/BRAK/NOWY.REK", resolved), 0);
}

TEST_F(PathLookupCost, AFileInThePlaceOfADirectoryIsNoPath) {
    ResolvedPath resolved;
    EXPECT_NE(platform::posix::ResolvePath(temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK/X", resolved), 0);
}

// Resolves path, expecting it to exist or not; the native path found.
std::string resolvedAs(const std::string& path, bool exists) {
    ResolvedPath resolved;
    EXPECT_EQ(platform::posix::ResolvePath(path, resolved), 0) << path;
    EXPECT_EQ(resolved.exists, exists) << path;
    return resolved.native;
}

class RememberedNames : public PathLookupCost {
protected:
    RememberedNames() { platform::InstallClock(&clock); }
    ~RememberedNames() override { platform::InstallClock(nullptr); }

    platform::VirtualClock clock;
    std::optional<platform::NameMemory> names{std::in_place};
};

TEST_F(RememberedNames, ADirectoryIsSearchedOnceAndItsDirectoriesLookedUpOnce) {
    const std::string firm = temp.root() + "KPR_2023/FIRMA1/";
    resolvedAs(firm + "NOWY1.REK", false);
    EXPECT_EQ(gSearches, 1);
    gLookups = 0;
    resolvedAs(firm + "NOWY2.REK", false);
    EXPECT_EQ(resolvedAs(firm + "baza_ad8.rek", true), firm + "BAZA_AD8.REK");
    EXPECT_EQ(gSearches, 1);
    EXPECT_EQ(gLookups, 0);
}

TEST_F(RememberedNames, TheProgramsOwnChangesKeepTheListingTrue) {
    const std::string firm = temp.root() + "KPR_2023/FIRMA1/";
    resolvedAs(firm + "nowy.rek", false);
    platform::FileHandle file;
    ASSERT_EQ(platform::CreateOrTruncateFile(firm + "Nowy.rek", file), 0);
    ASSERT_EQ(platform::CloseFile(file), 0);
    EXPECT_EQ(resolvedAs(firm + "NOWY.REK", true), firm + "Nowy.rek");
    ASSERT_EQ(platform::RenameFile(firm + "nowy.rek", firm + "INNY.REK"), 0);
    resolvedAs(firm + "nowy.rek", false);
    EXPECT_EQ(resolvedAs(firm + "inny.rek", true), firm + "INNY.REK");
    ASSERT_EQ(platform::RemoveFile(firm + "inny.rek"), 0);
    resolvedAs(firm + "INNY.REK", false);
    ASSERT_EQ(platform::MakeDirectory(firm + "Nowa"), 0);
    EXPECT_EQ(resolvedAs(firm + "NOWA/PLIK.REK", false), firm + "Nowa/PLIK.REK");
    EXPECT_EQ(gSearches, 1);
}

TEST_F(RememberedNames, ANameMissingFromAnOldListingIsLookedForAgain) {
    const std::string firm = temp.root() + "KPR_2023/FIRMA1/";
    resolvedAs(firm + "obcy.rek", false);
    temp.writeFile("KPR_2023/FIRMA1/OBCY.REK", "z innej stacji");
    clock.Advance(platform::posix::kFreshMs);
    EXPECT_EQ(resolvedAs(firm + "obcy.rek", true), firm + "OBCY.REK");
    EXPECT_EQ(gSearches, 2);
}

// Another workstation makes a name while the listing still says it is missing: a new
// file or directory of that name is refused, a file created over it is emptied (not
// written over in place), and the listing learns the name.
TEST_F(RememberedNames, ANameMadeElsewhereWhileTheListingIsFreshIsNeverTakenForNew) {
    const std::string firm = temp.root() + "KPR_2023/FIRMA1/";
    resolvedAs(firm + "OBCY.REK", false);
    temp.writeFile("KPR_2023/FIRMA1/OBCY.REK", "z innej stacji");
    std::filesystem::create_directory(temp.path() / "KPR_2023/FIRMA1/OBCY");
    platform::FileHandle file;
    EXPECT_EQ(platform::CreateNewFile(firm + "OBCY.REK", file), platform::err::AlreadyExists);
    EXPECT_EQ(platform::MakeDirectory(firm + "OBCY"), platform::err::AlreadyExists);
    EXPECT_TRUE(platform::DirectoryExists(firm + "OBCY"));
    ASSERT_EQ(platform::CreateOrTruncateFile(firm + "OBCY.REK", file), 0);
    std::size_t done = 0;
    ASSERT_EQ(platform::WriteToFile(file, "nowe", 4, done), 0);
    ASSERT_EQ(platform::CloseFile(file), 0);
    EXPECT_EQ(temp.readFile("KPR_2023/FIRMA1/OBCY.REK"), "nowe");
}

TEST_F(RememberedNames, NothingIsRememberedFromOneRunToTheNext) {
    const std::string firm = temp.root() + "KPR_2023/FIRMA1/";
    resolvedAs(firm + "obcy.rek", false);
    temp.writeFile("KPR_2023/FIRMA1/OBCY.REK", "z innej stacji");
    {
        const platform::NameMemory nested;
        resolvedAs(firm + "obcy.rek", false);  // the same run: the listing is fresh
    }
    names.reset();
    names.emplace();
    EXPECT_EQ(resolvedAs(firm + "obcy.rek", true), firm + "OBCY.REK");
}

}  // namespace

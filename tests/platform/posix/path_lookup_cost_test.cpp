// What a path look-up costs the file system: a path that exists as given takes one
// look-up of the whole path; only a name in another case, or a missing one, makes
// the directories be searched. The results are the same either way.
#include <gtest/gtest.h>

#include "platform/posix/names.h"
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
    return platform::posix::realSyscalls().lstat(path, info);
}
DIR* countedOpendir(const char* path) {
    ++gSearches;
    return platform::posix::realSyscalls().opendir(path);
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
    ASSERT_EQ(platform::posix::resolvePath(temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK", resolved), 0);
    EXPECT_EQ(gLookups, 1);
    EXPECT_EQ(gSearches, 0);
    EXPECT_TRUE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK");
    EXPECT_EQ(resolved.givenNative, resolved.native);
}

TEST_F(PathLookupCost, ANameInAnotherCaseIsStillFoundUnderItsOwnName) {
    ResolvedPath resolved;
    ASSERT_EQ(platform::posix::resolvePath(temp.root() + "KPR_2023/firma1/baza_ad8.rek", resolved), 0);
    EXPECT_GT(gSearches, 0);
    EXPECT_TRUE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK");
    EXPECT_EQ(resolved.givenNative, temp.root() + "KPR_2023/FIRMA1/baza_ad8.rek");
}

TEST_F(PathLookupCost, AMissingFileAndAMissingDirectoryAreToldApart) {
    ResolvedPath resolved;
    ASSERT_EQ(platform::posix::resolvePath(temp.root() + "KPR_2023/FIRMA1/NOWY.REK", resolved), 0);
    EXPECT_FALSE(resolved.exists);
    EXPECT_EQ(resolved.native, temp.root() + "KPR_2023/FIRMA1/NOWY.REK");
    EXPECT_NE(platform::posix::resolvePath(temp.root() + "KPR_2023/BRAK/NOWY.REK", resolved), 0);
}

TEST_F(PathLookupCost, AFileInThePlaceOfADirectoryIsNoPath) {
    ResolvedPath resolved;
    EXPECT_NE(platform::posix::resolvePath(temp.root() + "KPR_2023/FIRMA1/BAZA_AD8.REK/X", resolved), 0);
}

}  // namespace

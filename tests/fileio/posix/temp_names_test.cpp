// Unique temporary names beside entries that only a POSIX file system has.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "fileio/temp_files.h"
#include "tests/support/program_test.h"

namespace {

class TempNamesPosix : public qztest::ProgramTest {};

TEST_F(TempNamesPosix, TemporaryNamesStepOverEntriesOfEveryKind) {
    // The first candidate, then a pipe, a socket and a link to nothing on it and the
    // two names after it.
    const std::string first = fileio::TempName(temp.root());
    const std::string digits = first.substr(first.size() - 12, 8);
    const auto nameAt = [&](unsigned step) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08X", static_cast<unsigned>(std::stoul(digits, nullptr, 16) + step));
        return "~qz" + std::string(hex) + ".tmp";
    };
    ASSERT_EQ(::mkfifo((temp.path() / nameAt(0)).c_str(), 0600), 0);
    std::filesystem::create_symlink(temp.path() / "nic", temp.path() / nameAt(1));
    const int unixSocket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const std::string socketPath = (temp.path() / nameAt(2)).string();
    ASSERT_LT(socketPath.size(), sizeof address.sun_path);
    socketPath.copy(address.sun_path, socketPath.size());
    ASSERT_EQ(::bind(unixSocket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(unixSocket);

    EXPECT_EQ(fileio::TempName(temp.root()), temp.root() + nameAt(3));
}

}  // namespace

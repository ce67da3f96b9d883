#pragma once
// Test fixtures: a virtual console, a virtual clock and a recording sound installed
// for the test, fatal stops caught instead of ending the test process, and a
// temporary directory of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "platform/recording_sound.h"
#include "platform/virtual_clock.h"
#include "platform/virtual_console.h"

namespace qztest {

// Thrown by the exit handler that tests install; carries the exit code.
struct ProgramExit {
    int code;
};

// Whether the tests run under Wine rather than on Windows itself: for the few places
// where Wine is known to behave otherwise and a test can only say so.
bool underWine();

// Paths of the test's own file operations in UTF-8, whatever the system's narrow
// character set (an ANSI code page on Windows).
std::string utf8Of(const std::filesystem::path& path);
std::filesystem::path pathOfUtf8(std::string_view utf8);

// A directory under the system's temporary directory, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The path in the program's form (code page 852, ending with the separator).
    std::string root() const;
    // Writes a file (creating directories on the way) relative to the directory; the
    // relative names are UTF-8.
    void writeFile(const std::string& relative, std::string_view bytes) const;
    std::string readFile(const std::string& relative) const;
    bool exists(const std::string& relative) const;

private:
    std::filesystem::path path_;
};

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest();
    ~ProgramTest() override;

    // Runs body and returns the exit code of the fatal stop it made, or -1 when it
    // returned normally.
    template <typename Body>
    int exitCodeOf(Body&& body) {
        try {
            body();
        } catch (const ProgramExit& stop) {
            return stop.code;
        }
        return -1;
    }

    // Fails the test when the screen has cells drawn but not yet shown; the clock
    // calls it at every pause.
    void expectScreenShown() const;

    platform::VirtualConsole screen;
    platform::VirtualClock clock;
    platform::RecordingSound sound;
    TempDir temp;
};

}  // namespace qztest

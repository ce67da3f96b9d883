#pragma once
// The fixture of the tests of the registry file: shared by the tests that every
// system runs and the POSIX tests that make system calls fail.
#include "fileio/registry_file.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/fileio/registry_helpers.h"
#include "tests/support/screen_test.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;
using fileio::RegistryFile;
using fileio::RegistryRecord;
using qztest::Firm;

class RegistryFileTest : public qztest::ScreenTest {
protected:
    std::string Path() const { return temp.root() + "SPISFIRM.DAT"; }
    std::string Bytes() const { return temp.readFile("SPISFIRM.DAT"); }
    void WriteRegistry(const std::vector<RegistryRecord>& firms) const {
        temp.writeFile("SPISFIRM.DAT", qztest::RegistryBytes(firms));
    }
    // No lock is held on the registry: another object takes the whole-file lock.
    bool LockFree() const {
        RegistryFile other(Path());
        return other.Open(fileio::OpenExisting) && other.LockWhole(fileio::WaitNone);
    }
    bool ScreenBlank() const { return screen.ScreenText().find_first_not_of(" \n") == std::string::npos; }
    // Scripts the answer to the next box: pauses in the input, so that discarding
    // type-ahead stops before the answer (one for the box itself and one for each
    // lock loop that ends before it), a look at the box, and the key.
    void Answer(std::string_view utf8Text, std::string_view key, int lockLoopsBefore = 0) {
        for (int i = 0; i <= lockLoopsBefore; ++i) screen.PushIdle();
        screen.PushAction([this, text = std::string(utf8Text)] {
            EXPECT_TRUE(screen.ScreenContains(text)) << "no \"" << text << "\" on\n" << screen.ScreenText();
        });
        screen.PushText(key);
    }
};

}  // namespace

#pragma once
// The fixture of the tests of the settings text file: shared by the tests that every
// system runs and the POSIX tests that make system calls fail.
#include "product/ini_file.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform::literals;
using product::IniFile;

class IniFileTest : public qztest::ProgramTest {
protected:
    std::string Path() const { return temp.root() + "FIRMATXT.INI"; }
    void Write(std::string_view bytes) const { temp.writeFile("FIRMATXT.INI", bytes); }
    std::string Bytes() const { return temp.readFile("FIRMATXT.INI"); }
    std::unique_ptr<IniFile> Reader(std::string_view bytes) const {
        Write(bytes);
        return IniFile::Init(Path(), false);
    }
};

}  // namespace

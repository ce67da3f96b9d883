#pragma once
// The fixture of the tests of the file copy: shared by the tests that every
// system runs and the POSIX tests that make system calls fail.
#include "convert/copying/file_copy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/cp852.h"
#include "tests/support/conversion_test.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;

// Bytes 0, 1, 2, ... 250, 0, 1, ... so that a misplaced block shows.
std::string pattern(std::size_t size) {
    std::string bytes(size, '\0');
    for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i % 251);
    return bytes;
}

class FileCopyTest : public qztest::ConversionTest {
protected:
    std::string path(const std::string& name) const { return temp.root() + name; }
    std::string root() const { return platform::cp852::ToUtf8(temp.root()); }
    std::string logRow(int row) const { return rows(row, row); }
};

// Each copy from ZRODLO.DAT to CEL.DAT with 4-byte records where records count.
const struct NamedCopy {
    const char* name;
    std::function<bool(const std::string&, const std::string&)> run;
} kCopies[] = {
    {"text", [](const std::string& s, const std::string& t) { convert::CopyTextFile(s, t); return true; }},
    {"block", [](const std::string& s, const std::string& t) { return convert::CopyBlocks(s, t); }},
    {"record", [](const std::string& s, const std::string& t) { return convert::CopyRecords(s, t, 4); }},
    {"conversion",
     [](const std::string& s, const std::string& t) { return convert::ConvertRecords(s, t, 4, 4, convert::CopyWholeRecord); }},
};

}  // namespace

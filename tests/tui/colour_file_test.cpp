// The colour file beside the program: found whatever the letter case of its name,
// applied only when it holds a usable scheme.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "platform/files.h"

#include "tests/support/screen_test.h"
#include "tui/colour_file.h"
#include "tui/toolkit.h"

namespace {

using ColourFileTest = qztest::ScreenTest;

tui::ColourScheme inForce() {
    tui::ColourScheme copy{};
    tui::SaveColours(copy);
    return copy;
}

tui::ColourScheme filled(tui::Attribute attribute) {
    tui::ColourScheme scheme;
    scheme.fill(attribute);
    return scheme;
}

TEST_F(ColourFileTest, ElevenYellowOnBlueBytesRecolourEveryRole) {
    temp.writeFile("kolory.qz", std::string(11, '\x1E'));
    tui::LoadColours(temp.root());
    for (int role = tui::colNormal; role <= tui::colSelection; ++role)
        EXPECT_EQ(tui::Colour(static_cast<tui::ColourRole>(role)), 0x1E) << "role " << role;
}

TEST_F(ColourFileTest, WhatTheFileHoldsDecidesTheScheme) {
    const std::string scheme11 = "\x17\x1F\x2F\x3F\x47\x5F\x6F\x7F\x80\x9F\xA0";
    struct Case {
        const char* what;
        const char* name;
        std::string bytes;
        bool read;                       // ReadColourFile's result
        tui::ColourScheme received;      // what ReadColourFile hands back
        tui::ColourScheme applied;       // the scheme in force after LoadColours
    };
    tui::ColourScheme fromFile;
    std::copy(scheme11.begin(), scheme11.end(), fromFile.begin());
    tui::ColourScheme zeroHead = filled(0x1E);
    zeroHead[0] = zeroHead[1] = zeroHead[2] = zeroHead[3] = 0;
    const Case cases[] = {
        {"eleven bytes", "kolory.qz", scheme11, true, fromFile, fromFile},
        {"name in upper case", "KOLORY.QZ", scheme11, true, fromFile, fromFile},
        {"longer file: its first record", "kolory.qz", scheme11 + "\x01\x02", true, fromFile, fromFile},
        {"first four bytes 0", "kolory.qz", std::string(4, '\0') + std::string(7, '\x1E'), true, zeroHead,
         tui::kDefaultColours},
        {"ten bytes", "kolory.qz", std::string(10, '\x1E'), true, tui::kDefaultColours, tui::kDefaultColours},
        {"empty file", "kolory.qz", "", true, tui::kDefaultColours, tui::kDefaultColours},
    };
    for (const Case& c : cases) {
        qztest::TempDir dir;
        dir.writeFile(c.name, c.bytes);
        tui::ColourScheme received = filled(0x55);
        EXPECT_EQ(tui::ReadColourFile(dir.root(), received), c.read) << c.what;
        EXPECT_EQ(received, c.received) << c.what;
        tui::RestoreColours(tui::kDefaultColours);
        tui::LoadColours(dir.root());
        EXPECT_EQ(inForce(), c.applied) << c.what;
    }
}

TEST_F(ColourFileTest, WithoutAFileTheDefaultsStayAndTheArgumentIsUntouched) {
    tui::ColourScheme received = filled(0x55);
    EXPECT_FALSE(tui::ReadColourFile(temp.root(), received));
    EXPECT_EQ(received, filled(0x55));
    EXPECT_FALSE(tui::ReadColourFile(temp.root() + "brak/", received));
    tui::LoadColours(temp.root());
    EXPECT_EQ(inForce(), tui::kDefaultColours);
}

TEST_F(ColourFileTest, TheProgramDirectoryIsTheExecutablePathUpToItsLastSeparator) {
    const std::string s(1, platform::kSeparator);
    EXPECT_EQ(tui::DirectoryOf(s + "opt" + s + "kpr" + s + "qz23-24"), s + "opt" + s + "kpr" + s);
    EXPECT_EQ(tui::DirectoryOf(s + "qz23-24"), s);
    EXPECT_EQ(tui::DirectoryOf(s + "kpr.1" + s), s + "kpr.1" + s);
    EXPECT_EQ(tui::DirectoryOf("qz23-24"), "");
}

}  // namespace

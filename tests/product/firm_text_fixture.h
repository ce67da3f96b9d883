#pragma once
// The fixture of the tests of the firm text file: shared by the tests that every
// system runs and the POSIX tests that make system calls fail.
#include "product/firm_text.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "platform/files.h"
#include "product/ini_file.h"
#include "tests/support/program_test.h"
#include "tui/keys.h"

namespace {

using namespace platform::literals;

constexpr std::string_view kLocation = "C:\\KPR_2023\\FIRMA1";

class FirmTextTest : public qztest::ProgramTest {
protected:
    std::string Source() const { return temp.root() + "2023/FIRMATXT.INI"; }
    std::string Target() const { return temp.root() + "2024/FIRMATXT.INI"; }
    void WriteSource(std::string_view bytes) const { temp.writeFile("2023/FIRMATXT.INI", bytes); }
    std::string TargetBytes() const { return temp.readFile("2024/FIRMATXT.INI"); }
    // Carries the source over into a fresh target and returns the target's value of
    // a key.
    std::string CarriedValue(std::string_view sourceBytes, std::string_view section, std::string_view key) {
        WriteSource(sourceBytes);
        std::filesystem::remove(temp.path() / "2024/FIRMATXT.INI");
        EXPECT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::Done);
        auto target = product::IniFile::Init(Target(), false);
        return target ? target->ReadString(section, key, "<missing>") : "<no file>";
    }
    void SetUp() override { std::filesystem::create_directories(temp.path() / "2024"); }
};

inline std::string Lines(std::initializer_list<std::string_view> keys, std::string_view value = {}) {
    std::string text;
    for (const std::string_view key : keys) text.append(key).append("=").append(value).append("\r\n");
    return text;
}

inline std::string AddressLines() {
    return Lines({"KRAJ", "WOJEWODZTWO", "GMINA", "ULICA", "DOM", "LOKAL", "MIEJSCOWOSC", "KOD", "POCZTA", "SKRYTKA",
                  "TELEFON", "POWIAT", "KODUE"});
}

}  // namespace

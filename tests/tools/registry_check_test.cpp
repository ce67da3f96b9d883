// The registry checker that judges what an interrupted run left behind.
#include "tools/registry-check/registry_check.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/cp852.h"
#include "tests/support/program_test.h"

namespace {

using namespace platform::literals;
using registrycheck::RegistryReport;

// A 103-byte record: name, directory and description as short texts.
std::string record(std::string_view name, std::string_view directory, std::string_view description = "opis") {
    std::string bytes(103, '\0');
    auto put = [&](std::size_t offset, std::string_view text) {
        bytes[offset] = static_cast<char>(text.size());
        bytes.replace(offset + 1, text.size(), text);
    };
    put(0, name);
    put(32, directory);
    put(41, description);
    return bytes;
}

RegistryReport check(const qztest::TempDir& temp, const std::string& bytes) {
    temp.writeFile("SPISFIRM.DAT", bytes);
    RegistryReport report;
    EXPECT_TRUE(registrycheck::CheckRegistry(temp.root() + "SPISFIRM.DAT", report));
    return report;
}

TEST(RegistryCheck, WholeSoundRecordsInKeyOrderPass) {
    qztest::TempDir temp;
    const RegistryReport report =
        check(temp, record("Adam", "ADAM") + record("Łukasz"_cp, "LUK") + record("Zenon", "ZEN"));
    EXPECT_TRUE(report.Sound());
    EXPECT_EQ(report.records, 3u);
    EXPECT_EQ(report.directories, (std::vector<std::string>{"ADAM", "LUK", "ZEN"}));
    EXPECT_EQ(registrycheck::ReportLines(report), std::vector<std::string>{"records 3"});
}

TEST(RegistryCheck, EveryKindOfDamageIsNamed) {
    struct Case {
        const char* what;
        std::string bytes;
        std::string line;  // the finding's line
        bool sound;
    };
    std::string longDirectory = record("Adam", "ADAM");
    longDirectory[32] = 9;
    std::string longName = record("Adam", "ADAM");
    longName[0] = static_cast<char>(200);
    const Case cases[] = {
        {"a partial record", record("Adam", "ADAM") + std::string(40, 'x'), "partial record of 40 bytes", false},
        {"directory length", longDirectory, "unsound record 0: directory length 9 beyond its field", false},
        {"name length", longName, "unsound record 0: name length 200 beyond its field", false},
        {"escaping directory", record("Adam", "../x"), "unsound record 0: directory \"../x\" unusable", false},
        {"empty directory", record("Adam", ""), "unsound record 0: directory \"\" unusable", false},
        {"entered twice", record("Adam", "ADAM") + record("Adam", "ADAM"), "entered twice ADAM", true},
        {"out of order", record("Zenon", "ZEN") + record("Łukasz"_cp, "LUK"),
         std::string("out of order record 1: \"Łukasz\" before \"Zenon\""_cp), true},
    };
    for (const Case& c : cases) {
        qztest::TempDir temp;
        const RegistryReport report = check(temp, c.bytes);
        const auto lines = registrycheck::ReportLines(report);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end()) << c.what << ": " << lines.back();
        EXPECT_EQ(report.Sound(), c.sound) << c.what;
    }
}

TEST(RegistryCheck, ConvertedFirmsWithoutARecordAreFound) {
    qztest::TempDir temp;
    temp.writeFile("ADAM/_qz_kpr.rek", std::string(256, '\0'));
    temp.writeFile("EWA/_qz_kpr.rek", std::string(256, '\0'));
    temp.writeFile("PUSTY/inny.rek", "x");  // no marker: not a converted firm
    const RegistryReport checked = check(temp, record("Adam", "ADAM"));
    RegistryReport report = checked;
    registrycheck::FindUnregistered(temp.root(), report);
    EXPECT_EQ(report.unregistered, std::vector<std::string>{"EWA"});
    EXPECT_TRUE(report.Sound());
}

TEST(RegistryCheck, AMissingRegistryCannotBeRead) {
    qztest::TempDir temp;
    RegistryReport report;
    EXPECT_FALSE(registrycheck::CheckRegistry(temp.root() + "SPISFIRM.DAT", report));
}

}  // namespace

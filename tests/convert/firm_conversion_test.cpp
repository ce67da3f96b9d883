// The conversion of whole firms through the real copies: preparation and the firm
// marker, the gate of every item, the names taken from data files, and a 2023 tree
// that the run leaves as it was.
#include "convert/firm/firm_conversion.h"

#include <gtest/gtest.h>

#include <map>
#include <ranges>

#include "convert/firm/firm_copies.h"
#include "convert/firm/interrupted_work.h"
#include "product/records/staff_records.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "tests/convert/firm_test.h"
#include "tests/support/tree_snapshot.h"

using namespace platform::literals;

namespace {

using convert::Options;
namespace firm = convert::firm;
namespace entries = convert::entries;
namespace addon = convert::addon;

// Room for a whole record of every record file.
const std::string kContent(26624, 'x');

std::string registers(std::initializer_list<std::string_view> names) {
    std::string bytes;
    for (const std::string_view name : names)
        bytes += qztest::Bytes(qztest::TestRecord(product::AssetRegisterRecord::kSize).text({51, 256}, name));
    return bytes;
}

// The log row of a refused name; the log shows rows without their trailing blanks.
std::string refusal(std::string_view name) {
    std::string line = "Niepoprawna nazwa pliku " + std::string(name);
    while (line.ends_with(' ')) line.pop_back();
    return line + "\n";
}

class FirmConversionTest : public qztest::FirmTest {
protected:
    // A file for every item, under the name the 2023 tree has for it.
    void writeItemFiles(const std::set<std::string>& targets) {
        const std::map<std::string, std::string> from2023{{"2024VXX.REK", "2023VXX.REK"},
                                                          {"2024P5.REK", "2023P5.REK"},
                                                          {"2024P28A.REK", "2023P28A.REK"},
                                                          {"2024_lp2.cc", "2023_lp2.cc"}};
        for (const std::string& name : targets) source(from2023.contains(name) ? from2023.at(name) : name, kContent);
        source("SRODKI.REK", kContent);
        source("stbazy.rek", registers({"SRODKI", "ABC"}));
    }
};

TEST_F(FirmConversionTest, OnlyThe2024SettingsGiveOneMissingLineAndAConvertedFirm) {
    settingsOf2024Only();
    options.stopAfterEachFirm = true;
    const auto before = allCells();
    EXPECT_TRUE(convertFirm());
    const std::string firm = platform::cp852::ToUtf8(root2023()) + "FIRMA" + platform::kSeparator;
    // The settings of 2024 open the items of the year-2024 source.
    const std::string log = "Brak :" + firm + "2023_ROK.REK\n"
                            "Kopiowanie właściwe\n"
                            "Konwersja danych ROCZNYCH ustawień firmy\n"
                            "Utworzono dane w 2024\n"
                            "Deklaracja VAT-7 z 2024\n"
                            "Deklaracja VAT-UE z 2024\n"
                            "Inne deklaracja VAT 2024\n"
                            "Suma z kolumn za 2024\n"
                            "Brak pliku źródłowego " + firm + "2024KOL3.REK\n"
                            "Brak pliku źródłowego " + firm + "2024ZAL.REK\n"
                            "Koniec konwersji danych firmy\n"
                            "cdn - naciśnij dowolny klawisz.\n";
    EXPECT_EQ(logsAtWaits, std::vector<std::string>{log});
    EXPECT_EQ(allCells(), before) << "the firm's window is closed";
    EXPECT_EQ(targetNames(), (std::set<std::string>{"2024_ROK.REK", "_qz_kpr.rek"}));
}

TEST_F(FirmConversionTest, TheMarkerTellsThatTheDirectoryHolds2024DataOfTheConverter) {
    const qztest::TestRecord marker = qztest::TestRecord(256).pattern(0, 256, 5);
    ASSERT_TRUE(convertFirm());
    std::string expected = qztest::Bytes(marker);
    expected.replace(0, 6, "\xE8\x07\xE8\x07\xE8\x07");
    expected[7] = 1;
    EXPECT_EQ(target("_qz_kpr.rek"), expected);
}

TEST_F(FirmConversionTest, PreparationFailuresEndTheFirmWithFalse) {
    const struct {
        const char* what;
        void (*spoil)(const qztest::TempDir&);
        const char* directory;
        const char* shown;
    } cases[] = {
        {"no annual settings",
         [](const qztest::TempDir& t) { std::filesystem::remove(t.path() / "2023/FIRMA/2023_ROK.REK"); }, "FIRMA",
         "Brak danych za rok 2023 czy 2024\nNie można dokonać konwersji ...\n"},
        {"no marker", [](const qztest::TempDir& t) { std::filesystem::remove(t.path() / "2023/FIRMA/_qz_kpr.rek"); },
         "FIRMA", "Brak dostepu do "},
        {"short marker", [](const qztest::TempDir& t) { t.writeFile("2023/FIRMA/_qz_kpr.rek", std::string(255, 'm')); },
         "FIRMA", "Błąd odczytu danych z "},
        {"no 2024 root", [](const qztest::TempDir& t) { std::filesystem::remove_all(t.path() / "2024"); }, "FIRMA",
         "Utworzenia katalogu firmy"},
        {"unusable directory", [](const qztest::TempDir&) {}, "..", "Niepoprawna nazwa katalogu firmy .."},
    };
    for (const auto& c : cases) {
        startAgain();
        c.spoil(temp);
        keyWaits = 0;
        EXPECT_EQ(convert::ConvertFirm(options, {root2023(), root2024()}, "FIRMA", c.directory, {}, claims, mark,
                                       converted),
                  convert::FirmConversion::NotConverted)
            << c.what;
        EXPECT_EQ(keyWaits, 1) << c.what;
        EXPECT_NE(logsAtWaits.back().find(c.shown), std::string::npos) << c.what << "\n" << logsAtWaits.back();
        EXPECT_FALSE(temp.exists("2024/FIRMA/_qz_kpr.rek")) << c.what;
        EXPECT_FALSE(temp.exists("2024/FIRMA/_qz_conv.tmp")) << c.what;
    }
    // Made by another run after the detection: its work, passed over without a key
    // wait, nothing in it touched.
    startAgain();
    temp.writeFile("2024/FIRMA/2024_ROK.REK", "obcy");
    keyWaits = 0;
    EXPECT_EQ(convert::ConvertFirm(options, {root2023(), root2024()}, "FIRMA", "FIRMA", {}, claims, mark, converted),
              convert::FirmConversion::TakenElsewhere);
    EXPECT_EQ(keyWaits, 0);
    EXPECT_FALSE(temp.exists("2024/FIRMA/_qz_conv.tmp"));
    EXPECT_EQ(temp.readFile("2024/FIRMA/2024_ROK.REK"), "obcy");
}

// A directory this run may use (taken empty by the detection) in which another run
// has made its mark since: the mark is never emptied or taken, the firm is passed over.
TEST_F(FirmConversionTest, AMarkMadeSinceByAnotherRunIsLeftToIt) {
    temp.writeFile("2024/FIRMA/_qz_conv.tmp", "obcy\r\n");
    claims.NoteMade(root2024() + "FIRMA");
    keyWaits = 0;
    EXPECT_EQ(convert::ConvertFirm(options, {root2023(), root2024()}, "FIRMA", "FIRMA", {}, claims, mark, converted),
              convert::FirmConversion::TakenElsewhere);
    EXPECT_EQ(keyWaits, 0);
    EXPECT_EQ(temp.readFile("2024/FIRMA/_qz_conv.tmp"), "obcy\r\n");
    EXPECT_FALSE(temp.exists("2024/FIRMA/_qz_kpr.rek"));
}

// Gates that no option holds, with set nullptr.
constexpr std::uint16_t kNothing = 0;
constexpr std::uint16_t kSettingsOf2024 = 1;  // the year-2024 source flag
constexpr std::uint16_t kExtraList = 2;       // a list of extra files that is not empty

// What each gate opens, one gate at a time.
const struct GateCase {
    std::uint16_t Options::*set;
    std::uint16_t bits;
    const char* files;            // the item files that reach the target, besides marker and settings
} kGates[] = {
    {nullptr, kNothing, ""},
    {nullptr, kSettingsOf2024, "2024vJ17.REK 2024UE01.REK 2024VXX.REK 2024KOL3.REK 2024ZAL.REK"},
    {nullptr, kExtraList, "EXTRA.DAT"},
    {&Options::firmItems, firm::TextData, "FIRMATXT.INI FIRMA_A8.REK"},
    {&Options::firmItems, firm::Staff, "DANE_PR8.REK DANE_PZ.DAT 2024PITS.REK UMOWY.INI"},
    {&Options::firmItems, firm::Staff | firm::Families, "DANE_PR8.REK DANE_PZ.DAT 2024PITS.REK DANE_PF8.REK UMOWY.INI"},
    {&Options::firmItems, firm::Families, ""},  // never without the staff: no family file, no UMOWY.INI
    {&Options::firmItems, firm::PitD, "2024P5.REK 2024P28A.REK"},
    {&Options::firmItems, firm::LocalAddressBase, "baza_ad8.rek"},
    {&Options::firmItems, firm::SalesAutomata, "baza_sp9.rek"},
    {&Options::firmItems, firm::PurchaseAutomata, "baza_za9.rek"},
    {&Options::firmItems, firm::FunctionKeysAndNotes,
     "baza_ff.txt Notatnik.txt Notatka.txt Notes.txt REJ_ATR.REK KPR_ATR.REK UZD_ATR.REK OPISY.REK"},
    {&Options::firmItems, firm::MoneyTransfers, "BAZA_PP8.REK"},
    {&Options::firmItems, firm::SalaryComponents, "2024_lp2.cc"},
    {&Options::firmItems, firm::ZusPel, "ZUS_PEL.INI"},
    {&Options::firmItems, firm::OneOffDepreciation, "MT610.REK"},
    {&Options::firmItems, firm::TransferSettings, "BAZA_PP8.INI"},
    {&Options::firmItems, firm::InternalDocuments, "BAZA_DW8.REK"},
    {&Options::firmItems, firm::InterestNotes, "ODS_ZOB.REK"},
    {&Options::firmItems, firm::VatVehicles, "AUTOV26.REK"},
    {&Options::entries2024, entries::LedgerDocuments, "2024K990.2 2024SP.2 2024IDX.REK"},
    {&Options::entries2024, entries::Salaries, "2024WP5.REK"},
    {&Options::entries2024, entries::Contracts, "2024UZ5.REK"},
    {&Options::entries2024, entries::CorrectionNotes, "2024_NK8.REK"},
    {&Options::entries2024, entries::NumberedCopy, "2024D701.REK"},
    {&Options::addOns, addon::FixedAssets, "dokument.rek srodki.rek wyposaz.rek st.cnf stbazy.rek ABC.REK"},
    {&Options::addOns, addon::ImportSettings, "kpr_import.xml"},
    {&Options::addOns, addon::SalesData,
     "OPERATOR.REK HD600CNF.REK TOWAR.REK ADRESY.REK WALUTY.REK GTULINK.REC GTULINK.REK"},
};

std::set<std::string> namesOf(std::string_view files) {
    std::set<std::string> names;
    for (const auto part : std::views::split(files, ' '))
        if (!part.empty()) names.emplace(part.begin(), part.end());
    return names;
}

std::set<std::string> everyItemFile() {
    std::set<std::string> all;
    for (const GateCase& gate : kGates) all.merge(namesOf(gate.files));
    return all;
}

TEST_F(FirmConversionTest, EveryItemRunsOnlyWhenItsGateIsOpen) {
    writeItemFiles(everyItemFile());
    const std::string settings2023 = temp.readFile("2023/FIRMA/2023_ROK.REK");
    for (const GateCase& gate : kGates) {
        Options& chosen = options;
        chosen.firmItems = chosen.entries2024 = chosen.addOns = 0;
        if (gate.set) chosen.*gate.set = gate.bits;
        std::filesystem::remove_all(temp.path() / "2024/FIRMA");
        std::filesystem::remove(temp.path() / "2023/FIRMA/2024_ROK.REK");
        source("2023_ROK.REK", settings2023);
        if (!gate.set && gate.bits == kSettingsOf2024) settingsOf2024Only();
        EXPECT_TRUE(convertFirm(!gate.set && gate.bits == kExtraList ? std::vector<std::string>{"EXTRA.DAT"}
                                                                     : std::vector<std::string>{}));
        std::set<std::string> expected = namesOf(gate.files);
        expected.insert({"_qz_kpr.rek", "2024_ROK.REK"});
        EXPECT_EQ(targetNames(), expected) << gate.files;
    }
}

TEST_F(FirmConversionTest, AWholeRunLeavesThe2023TreeAsItWas) {
    std::set<std::string> files = everyItemFile();
    writeItemFiles(files);
    source("2024P5.REK", kContent);
    options = Options{};
    const std::uint64_t before = qztest::treeHash(qztest::readTree(temp.path() / "2023"));
    type("z");  // keeps the 2024 PID-5 file as the source
    EXPECT_TRUE(convertFirm({"EXTRA.DAT>NOWY.DAT"}));
    EXPECT_EQ(qztest::treeHash(qztest::readTree(temp.path() / "2023")), before);
    EXPECT_EQ(keyWaits, 1);

    // Every item but those of the year-2024 source ran.
    for (const std::string& name : namesOf(kGates[1].files)) files.erase(name);
    files.erase("EXTRA.DAT");
    files.insert({"NOWY.DAT", "_qz_kpr.rek", "2024_ROK.REK"});
    EXPECT_EQ(targetNames(), files);
    EXPECT_EQ(target("NOWY.DAT"), kContent);
    EXPECT_NE(target("FIRMATXT.INI").find("KPR2023=" + (root2023() + "FIRMA").substr(0, 40) + "\r\n"),
              std::string::npos);
}

TEST_F(FirmConversionTest, ListEntriesThatWouldLeaveTheFirmAreRefused) {
    temp.writeFile("2023/POZA.DAT", "poza firmą");
    source("STARY.DAT", "stary");
    options.stopAfterEachFirm = true;
    const std::vector<std::string> list{"STARY.DAT>NOWY.DAT", "",          ".",          "..",
                                        "../POZA.DAT",        "..\\POZA.DAT", "C:POZA.DAT", "*.DAT",
                                        "POZA?.DAT",          "/POZA.DAT",  "STARY.DAT>../POZA2.DAT",
                                        // What a list line cut just after "..": a target of dots only.
                                        "STARY.DAT>.."};
    qztest::Tree outside = qztest::readTree(temp.path());
    EXPECT_TRUE(convertFirm(list));
    EXPECT_EQ(target("NOWY.DAT"), "stary");
    EXPECT_EQ(targetNames(), (std::set<std::string>{"_qz_kpr.rek", "2024_ROK.REK", "NOWY.DAT"}));
    qztest::Tree after = qztest::readTree(temp.path());
    std::erase_if(after, [](const auto& file) { return file.first.starts_with("2024/FIRMA/"); });
    EXPECT_EQ(after, outside);
    for (std::size_t i = 1; i < list.size(); ++i)
        EXPECT_NE(logsAtWaits.back().find(refusal(list[i])), std::string::npos) << list[i];
}

TEST_F(FirmConversionTest, TheMainAssetRegisterInAnyCaseIsSkippedAndBadNamesRefused) {
    for (const char* name : {"ABC.REK", "SRODKI.REK", "srodki.rek"}) source(name, name);
    source("stbazy.rek", registers({"SRODKI", "ABC", "srodki", "Srodki", "..", "../../UCIECZKA", "A\\B", ""}));
    temp.writeFile("UCIECZKA.REK", "poza");
    options.addOns = addon::FixedAssets;
    options.stopAfterEachFirm = true;
    EXPECT_TRUE(convertFirm());
    EXPECT_EQ(target("ABC.REK"), "ABC.REK");
    EXPECT_EQ(target("srodki.rek"), "srodki.rek");
    EXPECT_EQ(temp.readFile("UCIECZKA.REK"), "poza");
    EXPECT_EQ(targetNames(),
              (std::set<std::string>{"_qz_kpr.rek", "2024_ROK.REK", "srodki.rek", "stbazy.rek", "ABC.REK"}));
    for (const char* name : {"..", "../../UCIECZKA", "A\\B", ""})
        EXPECT_NE(logsAtWaits.back().find(refusal(name)), std::string::npos) << name;
}

TEST_F(FirmConversionTest, ARefusedNameIsShownInTheErrorColour) {
    clearLog();
    convert::RefuseFileName("..");
    EXPECT_EQ(screen.RowText(3).substr(0, 26), "Niepoprawna nazwa pliku ..");
    EXPECT_EQ(attributeOf(1, 3, 26), 12);
}

TEST_F(FirmConversionTest, PayrollSettingsGetTheYearAndTheWorkingDaysOf2024) {
    qztest::TestRecord settings(product::PayrollSettingsRecord::kSize);
    settings.pattern(0, settings.bytes.size(), 9);
    source("2023_lp2.cc", qztest::Bytes(settings) + qztest::Bytes(settings));
    options.firmItems = firm::SalaryComponents;
    ASSERT_TRUE(convertFirm());
    std::string expected = qztest::Bytes(settings);
    expected.replace(611, 2, "\xE8\x07");
    expected.replace(632, 12, "\x15\x15\x15\x15\x14\x14\x17\x15\x15\x17\x13\x14");
    EXPECT_EQ(target("2024_lp2.cc"), expected + expected);

    // With the 2024 settings as the source, the payroll settings kept for 2024 go
    // over as they are.
    settingsOf2024Only();
    source("2024_lp2.cc", "kept for 2024");
    std::filesystem::remove_all(temp.path() / "2024/FIRMA");
    ASSERT_TRUE(convertFirm());
    EXPECT_EQ(target("2024_lp2.cc"), "kept for 2024");
    EXPECT_EQ(keyWaits, 0);
}

}  // namespace

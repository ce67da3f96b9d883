// The conversion of whole firms through the real copies: preparation and the firm
// marker, the gate of every item, the names taken from data files, and a 2023 tree
// that the run leaves as it was.
#include "convert/firm_conversion.h"

#include <gtest/gtest.h>

#include "convert/firm_copies.h"
#include "convert/staff_records.h"
#include "platform/cp852.h"
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
        bytes += qztest::Bytes(qztest::TestRecord(convert::AssetRegisterRecord::kSize).text({51, 256}, name));
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
    // A file for every item of the conversion.
    void writeItemFiles() {
        for (const char* name :
             {"2024vJ17.REK", "2024UE01.REK", "2023VXX.REK",  "2024KOL3.REK", "2024ZAL.REK",  "FIRMATXT.INI",
              "FIRMA_A8.REK", "DANE_PR8.REK", "DANE_PZ.DAT",  "2024PITS.REK", "DANE_PF8.REK", "UMOWY.INI",
              "2023P5.REK",   "2023P28A.REK", "baza_ad8.rek", "baza_sp9.rek", "baza_za9.rek", "baza_ff.txt",
              "Notatnik.txt", "Notatka.txt",  "Notes.txt",    "REJ_ATR.REK",  "KPR_ATR.REK",  "UZD_ATR.REK",
              "OPISY.REK",    "BAZA_PP8.REK", "EXTRA.DAT",    "2023_lp2.cc",  "ZUS_PEL.INI",  "MT610.REK",
              "BAZA_PP8.INI", "BAZA_DW8.REK", "ODS_ZOB.REK",  "AUTOV26.REK",  "2024K990.2",   "2024SP.2",
              "2024IDX.REK",  "2024WP5.REK",  "2024UZ5.REK",  "2024_NK8.REK", "2024D701.REK", "dokument.rek",
              "srodki.rek",   "wyposaz.rek",  "st.cnf",       "ABC.REK",      "SRODKI.REK",   "kpr_import.xml",
              "OPERATOR.REK", "HD600CNF.REK", "TOWAR.REK",    "ADRESY.REK",   "WALUTY.REK",   "GTULINK.REC",
              "GTULINK.REK"})
            source(name, kContent);
        source("stbazy.rek", registers({"SRODKI", "ABC"}));
    }
    void settingsOf2024Only() {
        std::filesystem::remove(temp.path() / "2023/FIRMA/2023_ROK.REK");
        source("2024_ROK.REK", qztest::AnnualFile{}.bytes());
    }
};

TEST_F(FirmConversionTest, OnlyThe2024SettingsGiveOneMissingLineAndAConvertedFirm) {
    settingsOf2024Only();
    convert::options().stopAfterEachFirm = true;
    const auto before = allCells();
    EXPECT_TRUE(convertFirm());
    const std::string firm = platform::cp852::toUtf8(root2023()) + "FIRMA/";
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
        writeFirm();
        c.spoil(temp);
        keyWaits = 0;
        EXPECT_FALSE(convert::ConvertFirm({root2023(), root2024()}, c.directory, {})) << c.what;
        EXPECT_EQ(keyWaits, 1) << c.what;
        EXPECT_NE(logsAtWaits.back().find(c.shown), std::string::npos) << c.what << "\n" << logsAtWaits.back();
        EXPECT_FALSE(temp.exists("2024/FIRMA/_qz_kpr.rek")) << c.what;
    }
}

TEST_F(FirmConversionTest, EveryItemRunsOnlyWhenItsGateIsOpen) {
    writeItemFiles();
    const std::set<std::string> always{"_qz_kpr.rek", "2024_ROK.REK"};
    const struct {
        const char* what;
        std::uint16_t Options::*set;  // nullptr: no option
        std::uint16_t bits;
        bool settingsOf2024;
        bool extraFiles;
        std::set<std::string> files;
    } cases[] = {
        {"nothing", nullptr, 0, false, false, {}},
        {"year-2024 source",
         nullptr,
         0,
         true,
         false,
         {"2024vJ17.REK", "2024UE01.REK", "2024VXX.REK", "2024KOL3.REK", "2024ZAL.REK"}},
        {"text data", &Options::firmItems, firm::TextData, false, false, {"FIRMATXT.INI", "FIRMA_A8.REK"}},
        {"staff",
         &Options::firmItems,
         firm::Staff,
         false,
         false,
         {"DANE_PR8.REK", "DANE_PZ.DAT", "2024PITS.REK", "UMOWY.INI"}},
        {"staff and families",
         &Options::firmItems,
         firm::Staff | firm::Families,
         false,
         false,
         {"DANE_PR8.REK", "DANE_PZ.DAT", "2024PITS.REK", "DANE_PF8.REK", "UMOWY.INI"}},
        {"families without staff", &Options::firmItems, firm::Families, false, false, {}},
        {"PIT-D", &Options::firmItems, firm::PitD, false, false, {"2024P5.REK", "2024P28A.REK"}},
        {"addresses", &Options::firmItems, firm::LocalAddressBase, false, false, {"baza_ad8.rek"}},
        {"sales automata", &Options::firmItems, firm::SalesAutomata, false, false, {"baza_sp9.rek"}},
        {"purchase automata", &Options::firmItems, firm::PurchaseAutomata, false, false, {"baza_za9.rek"}},
        {"function keys and notes",
         &Options::firmItems,
         firm::FunctionKeysAndNotes,
         false,
         false,
         {"baza_ff.txt", "Notatnik.txt", "Notatka.txt", "Notes.txt", "REJ_ATR.REK", "KPR_ATR.REK", "UZD_ATR.REK",
          "OPISY.REK"}},
        {"money transfers", &Options::firmItems, firm::MoneyTransfers, false, false, {"BAZA_PP8.REK"}},
        {"extra files", nullptr, 0, false, true, {"EXTRA.DAT"}},
        {"salary components", &Options::firmItems, firm::SalaryComponents, false, false, {"2024_lp2.cc"}},
        {"ZUS-PEL", &Options::firmItems, firm::ZusPel, false, false, {"ZUS_PEL.INI"}},
        {"one-off depreciation", &Options::firmItems, firm::OneOffDepreciation, false, false, {"MT610.REK"}},
        {"transfer settings", &Options::firmItems, firm::TransferSettings, false, false, {"BAZA_PP8.INI"}},
        {"internal documents", &Options::firmItems, firm::InternalDocuments, false, false, {"BAZA_DW8.REK"}},
        {"interest notes", &Options::firmItems, firm::InterestNotes, false, false, {"ODS_ZOB.REK"}},
        {"VAT vehicles", &Options::firmItems, firm::VatVehicles, false, false, {"AUTOV26.REK"}},
        {"ledger",
         &Options::entries2024,
         entries::LedgerDocuments,
         false,
         false,
         {"2024K990.2", "2024SP.2", "2024IDX.REK"}},
        {"salaries", &Options::entries2024, entries::Salaries, false, false, {"2024WP5.REK"}},
        {"contracts", &Options::entries2024, entries::Contracts, false, false, {"2024UZ5.REK"}},
        {"correction notes", &Options::entries2024, entries::CorrectionNotes, false, false, {"2024_NK8.REK"}},
        {"numbered copy", &Options::entries2024, entries::NumberedCopy, false, false, {"2024D701.REK"}},
        {"fixed assets",
         &Options::addOns,
         addon::FixedAssets,
         false,
         false,
         {"dokument.rek", "srodki.rek", "wyposaz.rek", "st.cnf", "stbazy.rek", "ABC.REK"}},
        {"import settings", &Options::addOns, addon::ImportSettings, false, false, {"kpr_import.xml"}},
        {"sales data",
         &Options::addOns,
         addon::SalesData,
         false,
         false,
         {"OPERATOR.REK", "HD600CNF.REK", "TOWAR.REK", "ADRESY.REK", "WALUTY.REK", "GTULINK.REC", "GTULINK.REK"}},
    };
    const std::string settings2023 = temp.readFile("2023/FIRMA/2023_ROK.REK");
    for (const auto& c : cases) {
        Options& chosen = convert::options();
        chosen.firmItems = chosen.entries2024 = chosen.addOns = 0;
        if (c.set) chosen.*c.set = c.bits;
        std::filesystem::remove_all(temp.path() / "2024/FIRMA");
        std::filesystem::remove(temp.path() / "2023/FIRMA/2024_ROK.REK");
        source("2023_ROK.REK", settings2023);
        if (c.settingsOf2024) settingsOf2024Only();
        EXPECT_TRUE(convertFirm(c.extraFiles ? std::vector<std::string>{"EXTRA.DAT"} : std::vector<std::string>{}))
            << c.what;
        std::set<std::string> expected = always;
        expected.insert(c.files.begin(), c.files.end());
        EXPECT_EQ(targetNames(), expected) << c.what;
    }
}

TEST_F(FirmConversionTest, AWholeRunLeavesThe2023TreeAsItWas) {
    writeItemFiles();
    source("2024P5.REK", kContent);
    convert::options() = Options{};
    const std::uint64_t before = qztest::treeHash(qztest::readTree(temp.path() / "2023"));
    type("z");  // keeps the 2024 PID-5 file as the source
    EXPECT_TRUE(convertFirm({"EXTRA.DAT>NOWY.DAT"}));
    EXPECT_EQ(qztest::treeHash(qztest::readTree(temp.path() / "2023")), before);
    EXPECT_EQ(target("NOWY.DAT"), kContent);
    EXPECT_NE(target("FIRMATXT.INI").find("KPR2023=" + (root2023() + "FIRMA").substr(0, 40) + "\r\n"),
              std::string::npos);
    EXPECT_EQ(targetNames().size(), 52u) << "every item's file but those of the year-2024 source";
    EXPECT_EQ(keyWaits, 1);
}

TEST_F(FirmConversionTest, ListEntriesThatWouldLeaveTheFirmAreRefused) {
    temp.writeFile("2023/POZA.DAT", "poza firmą");
    source("STARY.DAT", "stary");
    convert::options().stopAfterEachFirm = true;
    const std::vector<std::string> list{
        "STARY.DAT>NOWY.DAT", "",           ".",     "..",        "../POZA.DAT",
        "..\\POZA.DAT",       "C:POZA.DAT", "*.DAT", "POZA?.DAT", "STARY.DAT>../POZA2.DAT",
        "/POZA.DAT"};
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
    convert::options().addOns = addon::FixedAssets;
    convert::options().stopAfterEachFirm = true;
    EXPECT_TRUE(convertFirm());
    EXPECT_EQ(target("ABC.REK"), "ABC.REK");
    EXPECT_EQ(target("srodki.rek"), "srodki.rek");
    EXPECT_EQ(targetNames(),
              (std::set<std::string>{"_qz_kpr.rek", "2024_ROK.REK", "srodki.rek", "stbazy.rek", "ABC.REK"}));
    for (const char* name : {"..", "../../UCIECZKA", "A\\B", ""})
        EXPECT_NE(logsAtWaits.back().find(refusal(name)), std::string::npos) << name;
}

TEST_F(FirmConversionTest, ARefusedNameIsShownInTheErrorColour) {
    clearLog();
    convert::RefuseFileName("..");
    EXPECT_EQ(screen.rowText(3).substr(0, 26), "Niepoprawna nazwa pliku ..");
    EXPECT_EQ(attributeOf(1, 3, 26), 12);
}

TEST_F(FirmConversionTest, PayrollSettingsGetTheYearAndTheWorkingDaysOf2024) {
    qztest::TestRecord settings(convert::PayrollSettingsRecord::kSize);
    settings.pattern(0, settings.bytes.size(), 9);
    source("2023_lp2.cc", qztest::Bytes(settings) + qztest::Bytes(settings));
    convert::options().firmItems = firm::SalaryComponents;
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

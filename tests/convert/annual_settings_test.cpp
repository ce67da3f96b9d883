// The annual settings conversion: which year's file is the source, what the 2024
// records take from it, the VAT proportion question, the December warning and the
// failures that leave no target behind.
#include "convert/annual/annual_settings.h"

#include <gtest/gtest.h>

#include "platform/cp852.h"
#include "tests/convert/firm_test.h"
#include "tui/keys.h"
#include "tui/screen.h"

using namespace platform::literals;

namespace {

using General = convert::AnnualGeneral;
using Numbering = convert::AnnualNumbering;
using Played = platform::RecordingSound::Played;

constexpr std::size_t kClosing = General::kBalances + 12 * 8;
constexpr std::size_t kLastOfSeries = General::kSecondSeries + 11 * 8;

// A file whose every byte tells where it came from (seed), December approved, VAT
// not settled by proportion, and texts of the numbering series with a damaged
// length byte in the first.
qztest::AnnualFile sourceFile(std::uint8_t seed) {
    qztest::AnnualFile file;
    file.general.pattern(0, 512, seed).byte(General::kFirstOpenMonth, 13).byte(General::kVatByProportion, 0);
    file.numbering.pattern(0, 512, seed).byte(Numbering::kSeries, 9);
    file.declarations.pattern(0, 512, seed);
    return file;
}

class AnnualSettingsTest : public qztest::FirmTest {
protected:
    AnnualSettingsTest() { temp.writeFile("2024/FIRMA/.keep", ""); }

    // Converts as a firm starts; returns what the conversion found.
    convert::AnnualSettingsFound convert(bool warnOfOpenDecember = true) {
        const std::string year2023 = root2023();
        const std::string year2024 = root2024();
        convert::AnnualSettingsFound found;
        convert::ConvertAnnualSettings(convert::PathsOfFirm({year2023, year2024}, "FIRMA"), warnOfOpenDecember,
                                       found);
        return found;
    }
    std::string record(int number) const {
        return target("2024_ROK.REK").substr(static_cast<std::size_t>(number - 1) * 512, 512);
    }
    static std::string bytesOf(const qztest::TestRecord& record, std::size_t offset, std::size_t count) {
        return qztest::Bytes(record).substr(offset, count);
    }
    // Answers the VAT proportion boxes in turn.
    void answerBoxes(std::initializer_list<std::string_view> answers) {
        for (const std::string_view answer : answers) {
            screen.PushIdle();
            screen.PushKey(tui::kbCtrlY);
            screen.PushText(answer);
            screen.PushKey(tui::kbEnter);
        }
    }
};

TEST_F(AnnualSettingsTest, FromThe2023FileTheYearStartsAgainWithTheClosingBalance) {
    const qztest::AnnualFile file = sourceFile(3);
    source("2023_ROK.REK", file.bytes());
    const convert::AnnualSettingsFound found = convert();

    const std::string general = record(1);
    EXPECT_EQ(general.substr(General::kBalances, 8), bytesOf(file.general, kClosing, 8));
    EXPECT_EQ(general.substr(General::kBalances + 8, 12 * 8), std::string(12 * 8, '\0'));
    EXPECT_EQ(general.substr(General::kSecondSeries, 8), bytesOf(file.general, kLastOfSeries, 8));
    EXPECT_EQ(general.substr(General::kSecondSeries + 8, 11 * 8), std::string(11 * 8, '\0'));
    for (std::size_t month = 0; month < 12; ++month)
        EXPECT_EQ(general.substr(16 + month * 8, 8), std::string("\1\0\1\0\0\0\0\0", 8)) << month;
    EXPECT_EQ(general.substr(0, 5), bytesOf(file.general, 0, 2) + "\1\1\3");
    EXPECT_EQ(general.substr(118, 4), bytesOf(file.general, 120, 2) + std::string(2, '\0'));
    EXPECT_EQ(general[131], 3);
    EXPECT_EQ(general.substr(416, 2), std::string("\1\0", 2));
    // Carried byte for byte, and the bytes of no field left 0.
    EXPECT_EQ(general.substr(122, 7), bytesOf(file.general, 122, 7));
    EXPECT_EQ(general.substr(408, 8), bytesOf(file.general, 408, 8));
    for (const auto& [from, to] : {std::pair{9, 12}, {129, 131}, {148, 150}, {366, 408}, {423, 512}})
        EXPECT_EQ(general.substr(from, to - from), std::string(to - from, '\0')) << from;

    const std::string numbering = record(2);
    for (std::size_t series = 0; series < 10; ++series) {
        const std::size_t at = Numbering::kSeries + series * 16;
        EXPECT_EQ(numbering.substr(at + 7, 2), std::string("\1\0", 2)) << series;
        EXPECT_EQ(numbering.substr(at + 10, 6), bytesOf(file.numbering, at + 10, 6)) << series;
    }
    EXPECT_EQ(numbering.substr(2, 7), char{6} + bytesOf(file.numbering, 3, 6)) << "a length of 9 cut to the field";
    EXPECT_EQ(record(3).substr(18, 12 * 21), std::string(12 * 21, '\0'));
    EXPECT_EQ(record(3).substr(270, 10), bytesOf(file.declarations, 270, 10));

    EXPECT_FALSE(found.year2024Source);
    EXPECT_EQ(found.previousYearLocation, (root2023() + "FIRMA").substr(0, 40));
    EXPECT_TRUE(screen.ScreenContains("Utworzono dane w 2024"));
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(AnnualSettingsTest, FromThe2024FileTheYearGoesOn) {
    qztest::AnnualFile file = sourceFile(7);
    file.general.byte(General::kFirstOpenMonth, 4).word(General::kVatProportion, 23);
    source("2024_ROK.REK", file.bytes());
    std::filesystem::remove(temp.path() / "2023/FIRMA/2023_ROK.REK");
    const convert::AnnualSettingsFound found = convert();

    const std::string general = record(1);
    EXPECT_EQ(general.substr(2, 2), bytesOf(file.general, 2, 1) + "\4");
    EXPECT_EQ(general.substr(General::kBalances, 13 * 8), bytesOf(file.general, General::kBalances, 13 * 8));
    EXPECT_EQ(general.substr(118, 4), std::string("\x17\0\0\0", 4));
    EXPECT_EQ(general.substr(16 + 8, 8), bytesOf(file.general, 24, 4) + std::string(4, '\0'));
    EXPECT_EQ(record(2).substr(Numbering::kSeries + 16 + 7, 2), bytesOf(file.numbering, 25, 2));
    EXPECT_EQ(record(3).substr(18, 12 * 21), bytesOf(file.declarations, 18, 12 * 21));
    EXPECT_TRUE(found.year2024Source);
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(AnnualSettingsTest, BothYearsAskBNOrAAndAHoldsForLaterFirms) {
    const qztest::AnnualFile of2023 = sourceFile(3);
    const qztest::AnnualFile of2024 = sourceFile(9);
    source("2023_ROK.REK", of2023.bytes());
    source("2024_ROK.REK", of2024.bytes());
    const struct {
        char answer;
        bool from2024;
        int waitsForTwoFirms;
        const char* typedBefore;  // before the question was shown: no answer
    } cases[] = {{'b', false, 2, "A"}, {'n', true, 2, "b"}, {'a', true, 1, ""}};
    for (const auto& c : cases) {
        keyWaits = 0;
        screen.PushText(c.typedBefore);
        type(std::string(1, c.answer) + std::string(1, c.answer));
        for (int firm = 0; firm < 2; ++firm) {
            const convert::AnnualSettingsFound found = convert();
            EXPECT_EQ(record(1).substr(General::kBalances, 8), c.from2024
                                                                   ? bytesOf(of2024.general, General::kBalances, 8)
                                                                   : bytesOf(of2023.general, kClosing, 8))
                << c.answer;
            EXPECT_EQ(found.year2024Source, c.from2024) << c.answer;
        }
        EXPECT_EQ(keyWaits, c.waitsForTwoFirms) << c.answer;
        typed.clear();
    }
    EXPECT_EQ(logsAtWaits.front(),
              "Konwersja danych ROCZNYCH ustawień firmy\n"
              "Występują dane ROCZNE za rok 2023 i 2024 !\n"
              "Wybierz z których skrzystać :\n"
              " B-2023 N-2024, A-wszyskie następne na N  (B/N/A) ?\n");
    tui::Delay(0);  // shows the screen
    EXPECT_TRUE(screen.ScreenContains(" - wybrano: A"));
}

TEST_F(AnnualSettingsTest, AnOpenDecemberIsToldWhenTheOptionAsks) {
    const struct {
        std::uint8_t firstOpenMonth;
        bool option;
        bool warned;
    } cases[] = {{13, true, false}, {12, true, true}, {12, false, false}, {1, true, true}};
    for (const auto& c : cases) {
        qztest::AnnualFile file = sourceFile(3);
        file.general.byte(General::kFirstOpenMonth, c.firstOpenMonth);
        source("2023_ROK.REK", file.bytes());
        keyWaits = 0;
        sound.played.clear();
        clearLog();
        screen.PushText("x");  // typed before the warning: no answer
        convert(c.option);
        const std::string shown = log();
        const bool warned = shown.find(
                                "Nie zatwierdzono miesiąca GRUDNIA.2023\n"
                                "mogę przenieść niepoprawny stan BZ.2023 jako BO.2024\n") != std::string::npos;
        EXPECT_EQ(warned, c.warned) << int{c.firstOpenMonth} << c.option;
        EXPECT_EQ(keyWaits, c.warned ? 1 : 0) << int{c.firstOpenMonth};
        const std::vector<Played> beeps =
            c.warned ? std::vector<Played>{{500, 288}, {500, 288}} : std::vector<Played>{};
        EXPECT_EQ(sound.played, beeps);
        EXPECT_EQ(record(1).substr(General::kBalances, 8), bytesOf(file.general, kClosing, 8)) << "carried anyway";
    }
}

TEST_F(AnnualSettingsTest, A2023ProportionIsCarriedWithoutAQuestion) {
    qztest::AnnualFile file = sourceFile(3);
    file.general.byte(General::kVatByProportion, 1).word(General::kVatSettled, 40).word(General::kVatProportion, 0);
    source("2023_ROK.REK", file.bytes());
    convert();
    EXPECT_EQ(record(1).substr(118, 4), std::string("\x28\0\0\0", 4));
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(AnnualSettingsTest, TheProportionIsAskedUntilAWholeNumberFrom0To100) {
    qztest::AnnualFile file = sourceFile(3);
    file.general.byte(General::kVatByProportion, 1).word(General::kVatSettled, 0).word(General::kVatProportion, 9);
    source("2023_ROK.REK", file.bytes());
    screen.PushIdle();
    screen.PushAction([this] {
        EXPECT_EQ(rows(9, 12),
                  "                   │                                       │\n"
                  "                   │ Firma rozliczała  VAT w proporcji 0%  │\n"
                  "                   │ a zakładana na 2024 wynosi 0% ?       │\n"
                  "                   │ Podaj właściwą:                       │\n");
    });
    answerBoxes({"abc", "-5", "101", "0"});
    convert();
    EXPECT_EQ(record(1).substr(118, 2), std::string(2, '\0'));
    EXPECT_EQ(sound.played, (std::vector<Played>{{0, 0}, {0, 0}, {0, 0}})) << "a warning beep per refusal";

    screen.PushText("42\r");  // typed before the box was shown: no answer
    answerBoxes({"100"});
    convert();
    EXPECT_EQ(record(1).substr(118, 2), std::string("\x64\0", 2));
    EXPECT_EQ(sound.played.size(), 3u);
}

TEST_F(AnnualSettingsTest, AFailureLeavesNoTargetFile) {
    const struct {
        const char* what;
        int records2023;  // 0: no 2023 file
        bool targetDirectory;
        const char* line;
    } cases[] = {
        {"two records", 2, true, "Błąd odczytu danych z 2023"},
        {"no target directory", 3, false, "brak dostępu do danych FirmaREK za 2024 !"},
        {"no file", 0, true, "Brak danych nnnnROK.REK danych za 2023 i 2024 !"},
    };
    for (const auto& c : cases) {
        source("2023_ROK.REK", sourceFile(3).bytes(c.records2023));
        if (!c.targetDirectory) std::filesystem::remove_all(temp.path() / "2024/FIRMA");
        keyWaits = 0;
        clearLog();
        convert();
        EXPECT_FALSE(hasTarget("2024_ROK.REK")) << c.what;
        EXPECT_EQ(keyWaits, 1) << c.what;
        EXPECT_TRUE(logsAtWaits.back().find(c.line) != std::string::npos) << c.what << "\n" << logsAtWaits.back();
        temp.writeFile("2024/FIRMA/.keep", "");
    }
}

}  // namespace

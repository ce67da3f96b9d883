// The firm text data file and its carry-over from 2023 to 2024.
#include "tests/product/firm_text_fixture.h"

namespace {

TEST_F(FirmTextTest, MissingSourceGivesEveryKeyInTableOrder) {
    ASSERT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::Done);
    const std::string declarations = Lines({"VAT-7", "PIT-4R", "PIT-8AR", "PIT-XX"});
    const std::string expected =
        "[KPR]\r\n" + Lines({"NAZWA_ZUS", "INFO1", "INFO2", "INFO3", "INFO4", "INFO5", "PATHXML", "PRZEXML"}) +
        "FAS=TAK\r\n\r\n"
        "[URZEDY_SKARBOWE]\r\n" + declarations + "\r\n" +
        "[URZEDY_SKARBOWE_EKOD]\r\n" + declarations + "\r\n" +
        "[FIRMA]\r\nTYP=0\r\nNIP=\r\nREGON=\r\n\r\n"
        "[PATH]\r\nKPR2023=C:\\KPR_2023\\FIRMA1\r\n" +
        Lines({"KPR2022", "KPR2021", "KPR2020", "KPR2019", "KPR2018", "KPR2017"}) + "\r\n" +
        "[BANKI]\r\nDEF=0\r\nDEF_ZUS=0\r\n" +
        Lines({"NAZWA1", "NRB1", "NAZWA2", "NRB2", "NAZWA3", "NRB3", "NAZWA4", "NRB4", "NAZWA5", "NRB5", "IRKwZUS"}) +
        "DATA_ZBA=-\r\nMikro=\r\n\r\n"
        "[PPK]\r\n" + Lines({"TOW", "UMO", "KON"}) + "\r\n" +
        "[OSOBA_FIZYCZNA]\r\n" + Lines({"PESEL", "NIP", "NAZWISKO", "IMIE1", "IMIE2", "TATA", "MAMA"}) +
        "DATA_URODZENIA=-\r\n" + Lines({"MIEJSCE_URODZENIA", "OBYWATELSTWO"}) + "INNY_RODZAJ= \r\nINNY_NUMER=\r\n\r\n" +
        "[OSOBA_PRAWNA]\r\n" + Lines({"NAZWA_PELNA1", "NAZWA_PELNA2", "NAZWA_SKROCONA"}) +
        "DATA_ROZPOCZECIA=-\r\n\r\n"
        "[ORGAN_REJESTROWY]\r\nORGAN=\r\nREJESTR=\r\nDATA=-\r\n" + Lines({"NUMER", "KOD", "ORZAL"}) + "\r\n" +
        "[ADRES_SIEDZIBY]\r\n" + AddressLines() + "KODGMINY=\r\nIAP=NIE\r\n\r\n" +
        "[ADRES_KOREPONDENCJA]\r\n" + AddressLines() + Lines({"EMAIL", "FAKS"}) + "\r\n" +
        "[ADRES_ZAMIESZKANIA]\r\n" + AddressLines() + "\r\n" +
        "[ADRES_DOKUMENTACJI]\r\n" + AddressLines() + "\r\n" +
        "[DZIALALNOSC]\r\n" + Lines({"OPIS1", "KGN1", "EKD1", "OPIS2", "KGN2", "EKD2"}) + "\r\n" +
        "[UPOWAZNIONY]\r\n" + Lines({"NAZWISKO", "IMIE", "TELEFON", "EMAIL", "ST-KO"}) + "\r\n" +
        "[RODO]\r\n" +
        Lines({"iod_nazwisko", "iod_imie", "iod_email", "fpd_nazwa", "fpd_adres", "fpd_NIP", "fpd_email"}) + "\r\n" +
        "[BR]\r\n" + Lines({"NAZWA", "NIP", "REGON", "UMOWA"}) + "\r\n" +
        "[ZUS_ZxA]\r\nDATAPOSK=-\r\nWYPELNIONO=-\r\nZWPA_KOD=\r\nZWPA_DATA=-\r\nZPWA_KOR=NIE\r\nPPPATH=\r\n"
        "DRAI01= \r\nRENT2023=0\r\nRENT2024=0\r\nRxA=0\r\nzwFGSP=0\r\nDRAIX02_2024=" +
        std::string("$0000$0000$0000$0000$0000$0000$0000$0000$0000$0000$0000$0000") + "\r\n\r\n" +
        "[ZIPA]\r\nI=0\r\n" + Lines({"01", "02", "03"}) + "04= \r\n" + Lines({"05", "06", "07", "08"}) +
        "09=-\r\nIV09=-\r\n\r\n";
    EXPECT_EQ(TargetBytes(), expected);
    EXPECT_FALSE(temp.exists("2023/FIRMATXT.INI"));
}

TEST_F(FirmTextTest, DatesAreWrittenDayFirst) {
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"2023-05-17", "17-05-2023"}, {"17-05-2023", "17-05-2023"}, {"05.06.2021", "05-06-2021"},
        {"2023-13-01", "-"},          {"32-01-2020", "-"},          {"00-01-2020", "-"},
        {"01-01-3000", "-"},          {"1-1-2020", "-"},            {"2023-5-017", "-"},
        {"abcdefghij", "-"},          {"", "-"},                    {"-", "-"},
        {"2023-05-17 ", "17-05-2023"},  // the line's trailing blank is trimmed on loading
    };
    for (const auto& c : cases)
        EXPECT_EQ(CarriedValue(std::string("[BANKI]\nDATA_ZBA=") + c.stored + "\n", "BANKI", "DATA_ZBA"), c.written)
            << c.stored;
}

TEST_F(FirmTextTest, NumbersOutsideSixteenBitsTakeTheDefault) {
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"7", "7"}, {"65535", "65535"}, {"65536", "0"}, {"70000", "0"}, {"-1", "0"}, {"$10", "16"}, {"3x", "0"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CarriedValue(std::string("[FIRMA]\nTYP=") + c.stored + "\n", "FIRMA", "TYP"), c.written) << c.stored;
        EXPECT_EQ(CarriedValue(std::string("[ZUS_ZxA]\nRENT2023=") + c.stored + "\n", "ZUS_ZxA", "RENT2023"),
                  c.written)
            << c.stored;
    }
}

TEST_F(FirmTextTest, MissingZusBankTakesTheDefaultBank) {
    EXPECT_EQ(CarriedValue("[BANKI]\nDEF=3\n", "BANKI", "DEF_ZUS"), "3");
    EXPECT_EQ(CarriedValue("[BANKI]\nDEF=3\nDEF_ZUS=31\n", "BANKI", "DEF_ZUS"), "3");
    EXPECT_EQ(CarriedValue("[BANKI]\nDEF=3\nDEF_ZUS=2\n", "BANKI", "DEF_ZUS"), "2");
    EXPECT_EQ(CarriedValue("[BANKI]\nDEF=3\nDEF_ZUS=0\n", "BANKI", "DEF_ZUS"), "0");
    // An unreadable DEF_ZUS is absent too.
    EXPECT_EQ(CarriedValue("[BANKI]\nDEF=4\nDEF_ZUS=99999\n", "BANKI", "DEF_ZUS"), "4");
}

TEST_F(FirmTextTest, TwelveNumbersAreNormalisedGroupByGroup) {
    const struct {
        const char* stored;
        const char* written;
    } cases[] = {
        {"$0001$00ff$FFFF", "$0001$00FF$FFFF$0000$0000$0000$0000$0000$0000$0000$0000$0000"},
        {"00012$zzzz70000", "$000C$0000$0000$0000$0000$0000$0000$0000$0000$0000$0000$0000"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CarriedValue(std::string("[ZUS_ZxA]\nDRAIX02_2024=") + c.stored + "\n", "ZUS_ZxA", "DRAIX02_2024"),
                  c.written)
            << c.stored;
}

TEST_F(FirmTextTest, TextsLettersAndFlagsCarryOver) {
    const std::string source(
        "[kpr]\nnazwa_zus=Firma Łódź\nFAS=nie\n[OSOBA_FIZYCZNA]\nINNY_RODZAJ=Paszport\n"
        "[ZIPA]\n04=\n[ADRES_SIEDZIBY]\nIAP=tak\nULICA= Długa\n"_cp);
    EXPECT_EQ(CarriedValue(source, "KPR", "NAZWA_ZUS"), "Firma Łódź"_cp);
    EXPECT_EQ(CarriedValue(source, "KPR", "FAS"), "NIE");
    EXPECT_EQ(CarriedValue(source, "OSOBA_FIZYCZNA", "INNY_RODZAJ"), "P");
    // A blank letter is written as a blank (which loading trims away again).
    EXPECT_EQ(CarriedValue(source, "ZIPA", "04"), "");
    EXPECT_NE(TargetBytes().find("\r\n04= \r\n"), std::string::npos);
    EXPECT_EQ(CarriedValue(source, "ADRES_SIEDZIBY", "IAP"), "TAK");
    EXPECT_EQ(CarriedValue(source, "ADRES_SIEDZIBY", "ULICA"), " Długa"_cp);
}

TEST_F(FirmTextTest, UnknownKeysAndTheOldLocationAreNotCarried) {
    WriteSource("[KPR]\nOBCY=1\nNAZWA_ZUS=A\n[INNA]\nX=2\n[PATH]\nKPR2023=D:\\STARE\nKPR2016=E:\\\n");
    ASSERT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::Done);
    const std::string target = TargetBytes();
    EXPECT_EQ(target.find("OBCY"), std::string::npos);
    EXPECT_EQ(target.find("[INNA]"), std::string::npos);
    EXPECT_EQ(target.find("KPR2016"), std::string::npos);
    EXPECT_NE(target.find("KPR2023=C:\\KPR_2023\\FIRMA1\r\n"), std::string::npos);
}

TEST_F(FirmTextTest, UnchangedLinesKeepTheirKeysLetterCase) {
    // The 2024 directory already holds a copy of the 2023 file.
    const std::string file = "[kpr]\nNazwa_Zus=A\n[Banki]\ndef=2\ndata_zba=2023-01-02\n[PATH]\nkpr2023=X\n";
    WriteSource(file);
    temp.writeFile("2024/FIRMATXT.INI", file);
    ASSERT_EQ(product::CarryOverFirmText(Source(), Target(), kLocation), product::FirmTextCarry::Done);
    const std::string target = TargetBytes();
    EXPECT_NE(target.find("[kpr]\r\nNazwa_Zus=A\r\n"), std::string::npos) << target;
    EXPECT_NE(target.find("[Banki]\r\ndef=2\r\nDATA_ZBA=02-01-2023\r\n"), std::string::npos) << target;
    EXPECT_NE(target.find("[PATH]\r\nKPR2023=C:\\KPR_2023\\FIRMA1\r\n"), std::string::npos) << target;
    // Keys the copy lacked are added in the table's spelling after its own lines.
    EXPECT_NE(target.find("DEF_ZUS=2\r\n"), std::string::npos) << target;
}

// A target another workstation has locked, or a directory of its name: the box,
// and nothing changed.
TEST_F(FirmTextTest, LockedTargetIsReportedAndLeftAlone) {
    temp.writeFile("2024/FIRMATXT.INI", "[KPR]\n");
    platform::FileHandle other;
    ASSERT_EQ(platform::OpenSharedFile(Target(), platform::mode::ReadWrite | platform::mode::DenyNone, other), 0);
    ASSERT_EQ(platform::LockRange(other, 0, 1), 0);
    for (const bool directory : {false, true}) {
        if (directory) {
            ASSERT_EQ(platform::CloseFile(other), 0);
            std::filesystem::remove(temp.path() / "2024/FIRMATXT.INI");
            std::filesystem::create_directory(temp.path() / "2024/FIRMATXT.INI");
        }
        screen.PushIdle();
        screen.PushAction([this] { EXPECT_TRUE(screen.ScreenContains("Błąd odczytu danych firmy")); });
        screen.PushKey(tui::kbEnter);
        auto carried = product::FirmTextCarry::Done;
        EXPECT_EQ(exitCodeOf([&] { carried = product::CarryOverFirmText(Source(), Target(), kLocation); }), -1)
            << "one firm's file does not end the run";
        EXPECT_EQ(carried, product::FirmTextCarry::TargetUnopened) << directory;
        if (directory)
            EXPECT_TRUE(std::filesystem::is_directory(temp.path() / "2024/FIRMATXT.INI"));
        else
            EXPECT_EQ(temp.readFile("2024/FIRMATXT.INI"), "[KPR]\n");
    }
}

}  // namespace

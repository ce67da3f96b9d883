// INI files: parsing, case-insensitive lookup, typed reads, saving only on change,
// and the first-byte lock of writers.
#include "tests/product/ini_file_fixture.h"

namespace {

TEST_F(IniFileTest, MissingFileReadsDefaultsAndCreatesNothing) {
    auto ini = IniFile::Init(Path(), false);
    ASSERT_TRUE(ini);
    EXPECT_FALSE(ini->Existed());
    EXPECT_EQ(ini->ReadString("KPR", "NIP", "brak"), "brak");
    EXPECT_EQ(ini->ReadInteger("KPR", "TYP", 7), 7);
    EXPECT_TRUE(ini->ReadBool("KPR", "FAS", true));
    EXPECT_EQ(ini->ReadChar("KPR", "LITERA", 'x'), 'x');
    EXPECT_TRUE(ini->Done());
    EXPECT_FALSE(temp.exists("FIRMATXT.INI"));
}

TEST_F(IniFileTest, NamesMatchInAnyCaseAndTheFirstDuplicateWins) {
    auto ini = Reader(
        "[Osoba_Fizyczna]\r\nNazwisko=Kowalski\r\nNAZWISKO=Nowak\r\n"
        "[OSOBA_FIZYCZNA]\r\nIMIE1=Jan\r\n"
        "[Zażółć]\r\nGęŚl=ok\r\n"_cp);
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadString("osoba_fizyczna", "nazwisko", ""), "Kowalski");
    // The second section of the same name is never found.
    EXPECT_EQ(ini->ReadString("OSOBA_FIZYCZNA", "IMIE1", "-"), "-");
    // Polish letters fold too.
    EXPECT_EQ(ini->ReadString("ZAŻÓŁĆ"_cp, "gęśl"_cp, ""), "ok");
}

TEST_F(IniFileTest, KeysAndValuesAreNotTrimmed) {
    auto ini = Reader("[A]\nKEY =x\nVAL= v\nEQ=a=b\n  PAD=1\t\nE=\n");
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadString("A", "KEY", "default"), "default");
    EXPECT_EQ(ini->ReadString("A", "KEY ", "default"), "x");
    EXPECT_EQ(ini->ReadString("A", "VAL", ""), " v");
    EXPECT_EQ(ini->ReadString("A", "EQ", ""), "a=b");
    // The line itself is trimmed of blanks and control characters.
    EXPECT_EQ(ini->ReadString("A", "PAD", ""), "1");
    EXPECT_EQ(ini->ReadChar("A", "EQ", ' '), 'a');
    EXPECT_EQ(ini->ReadChar("A", "E", 'd'), 'd');
}

TEST_F(IniFileTest, LineEndsLongLinesAndEndOfText) {
    const std::string longValue(300, 'v');
    auto ini = Reader("[A]\r\nCRLF=1\r\nLF=2\nMID=a\rb\nLONG=" + longValue + "\nLAST=3\x1A\nAFTER=4\n");
    ASSERT_TRUE(ini);
    EXPECT_EQ(ini->ReadString("A", "CRLF", ""), "1");
    EXPECT_EQ(ini->ReadString("A", "LF", ""), "2");
    EXPECT_EQ(ini->ReadString("A", "MID", ""), "ab");
    EXPECT_EQ(ini->ReadString("A", "LONG", ""), std::string(255 - 5, 'v'));
    EXPECT_EQ(ini->ReadString("A", "LAST", ""), "3");
    EXPECT_EQ(ini->ReadString("A", "AFTER", "-"), "-");
}

TEST_F(IniFileTest, LongLinesAreReadCutButSavedWhole) {
    const std::string longLine = "OPIS=" + std::string(250, 'a') + std::string(100, 'b');
    const std::string farKey = std::string(260, 'k') + "=v";
    Write("[OBCA]\r\n" + longLine + "\r\n" + farKey + "\r\n[A]\r\nK=1\r\n");
    auto ini = IniFile::Init(Path(), true);
    ASSERT_TRUE(ini);
    // A read sees what lies within the line's first 255 characters, no more.
    EXPECT_EQ(ini->ReadString("OBCA", "OPIS", ""), std::string(250, 'a'));
    EXPECT_EQ(ini->ReadString("OBCA", std::string(260, 'k'), "-"), "-");
    ini->WriteString("A", "K", "2");
    EXPECT_TRUE(ini->Done());
    EXPECT_EQ(Bytes(), "[OBCA]\r\n" + longLine + "\r\n" + farKey + "\r\n\r\n[A]\r\nK=2\r\n\r\n");
}

TEST_F(IniFileTest, Booleans) {
    const struct {
        const char* value;
        bool whenDefaultFalse;
        bool whenDefaultTrue;
    } cases[] = {
        {"TAK", true, true}, {"tak", true, true}, {"TaK", true, true},   {"NIE", false, false},
        {"nie", false, false}, {"Nie", false, false}, {"T", false, true}, {"1", false, true},
        {"", false, true},     {"TAKK", false, true},
    };
    for (const auto& c : cases) {
        auto ini = Reader(std::string("[A]\nB=") + c.value + "\n");
        ASSERT_TRUE(ini);
        EXPECT_EQ(ini->ReadBool("A", "B", false), c.whenDefaultFalse) << '"' << c.value << '"';
        EXPECT_EQ(ini->ReadBool("A", "B", true), c.whenDefaultTrue) << '"' << c.value << '"';
    }
}

TEST_F(IniFileTest, Integers) {
    const struct {
        const char* value;
        std::int32_t expected;
    } cases[] = {
        {"12", 12},          {"  12", 12},         {"+7", 7},         {"-7", -7},           {"$1F", 31},
        {"$1f", 31},         {"-$10", -16},        {"0012", 12},      {"12a", -1},          {"1 2", -1},
        {"", -1},            {"$", -1},            {"-", -1},         {"$G", -1},           {"2147483647", 2147483647},
        {"2147483648", -1},  {"-2147483648", INT32_MIN},              {"-2147483649", -1},  {"\xFA", -1},
    };
    for (const auto& c : cases) {
        auto ini = Reader(std::string("[A]\nN=") + c.value + "\n");
        ASSERT_TRUE(ini);
        EXPECT_EQ(ini->ReadInteger("A", "N", -1), c.expected) << '"' << c.value << '"';
    }
    auto ini = Reader("[A]\n");
    EXPECT_EQ(ini->ReadInteger("A", "N", 5), 5);
}

TEST_F(IniFileTest, EqualValueLeavesTheFileByteIdentical) {
    const std::string original = "; comment\n\n[KPR]\n  nip=123  \n\n\n[PATH]\nKPR2023=C:\\KPR\r\n";
    Write(original);
    auto ini = IniFile::Init(Path(), true);
    ASSERT_TRUE(ini);
    ini->WriteString("KPR", "NIP", "123");
    ini->WriteString("path", "KPR2023", "C:\\KPR");
    EXPECT_FALSE(ini->Modified());
    EXPECT_TRUE(ini->Done());
    EXPECT_EQ(Bytes(), original);
}

TEST_F(IniFileTest, SavingRewritesTheLayoutAndAppendsNewSections) {
    Write("; comment\n\n[KPR]\n  nip=123  \nwolny tekst\n\n\n[PUSTA]\n[PATH]\nKPR2023=C:\\KPR\n");
    auto ini = IniFile::Init(Path(), true);
    ASSERT_TRUE(ini);
    ini->WriteString("KPR", "NIP", "456");             // replaced, spelled as written now
    ini->WriteString("path", "KPR2022", "D:\\KPR");    // added to an existing section
    ini->WriteInteger("NOWA", "Liczba", -12);          // a new section at the end
    ini->WriteBool("NOWA", "FLAGA", true);
    ini->WriteChar("NOWA", "ZNAK", 'Q');
    EXPECT_TRUE(ini->Modified());
    EXPECT_TRUE(ini->Done());
    EXPECT_EQ(Bytes(),
              "; comment\r\n\r\n"
              "[KPR]\r\nNIP=456\r\nwolny tekst\r\n\r\n"
              "[PUSTA]\r\n"
              "[PATH]\r\nKPR2023=C:\\KPR\r\nKPR2022=D:\\KPR\r\n\r\n"
              "[NOWA]\r\nLiczba=-12\r\nFLAGA=TAK\r\nZNAK=Q\r\n\r\n");
}

TEST_F(IniFileTest, ReaderNeverSaves) {
    Write("[A]\nK=1\n");
    auto ini = IniFile::Init(Path(), false);
    ASSERT_TRUE(ini);
    ini->WriteString("A", "K", "2");
    EXPECT_TRUE(ini->Modified());
    EXPECT_TRUE(ini->Done());
    EXPECT_EQ(Bytes(), "[A]\nK=1\n");
}

TEST_F(IniFileTest, WriterCreatesAMissingFileAndLeavesNoOldTail) {
    auto ini = IniFile::Init(Path(), true);
    ASSERT_TRUE(ini);
    EXPECT_FALSE(ini->Existed());
    ini->WriteString("A", "K", std::string(200, 'x'));
    EXPECT_TRUE(ini->Done());
    ini = IniFile::Init(Path(), true);
    ini->WriteString("A", "K", "");
    EXPECT_TRUE(ini->Done());
    EXPECT_EQ(Bytes(), "[A]\r\nK=\r\n\r\n");
}

TEST_F(IniFileTest, SecondWriterFailsAtOnceAndReadersStillRead) {
    Write("[A]\nK=1\n");
    auto first = IniFile::Init(Path(), true);
    ASSERT_TRUE(first);
    const std::uint64_t before = clock.TotalSleptMs();
    EXPECT_FALSE(IniFile::Init(Path(), true));
    EXPECT_EQ(clock.TotalSleptMs(), before);  // no waiting, no retries
    auto reader = IniFile::Init(Path(), false);
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->ReadString("A", "K", ""), "1");
    first->WriteString("A", "K", "2");
    EXPECT_TRUE(first->Done());
    // Done released the lock.
    auto second = IniFile::Init(Path(), true);
    ASSERT_TRUE(second);
    EXPECT_EQ(second->ReadString("A", "K", ""), "2");
    EXPECT_TRUE(second->Done());
    // A lock taken by any other handle refuses the writer the same way.
    platform::FileHandle other;
    ASSERT_EQ(platform::OpenSharedFile(Path(), platform::mode::ReadWrite | platform::mode::DenyNone, other), 0);
    ASSERT_EQ(platform::LockRange(other, 0, 1), 0);
    EXPECT_FALSE(IniFile::Init(Path(), true));
}

}  // namespace

// The four copies on real files: absent and empty files, short last records, the
// append mode, the log lines and their colours, and failures of the file layer.
#include "tests/convert/file_copy_fixture.h"

namespace {

// --- Absent and empty files -----------------------------------------------------
TEST_F(FileCopyTest, EmptyOrMissingSourceIsAbsent) {
    for (const bool empty : {true, false}) {
        for (const NamedCopy& copy : kCopies) {
            tui::ClearLog(true);
            if (empty) temp.writeFile("ZRODLO.DAT", "");
            EXPECT_TRUE(copy.run(path("ZRODLO.DAT"), path("CEL.DAT"))) << copy.name;
            EXPECT_FALSE(temp.exists("CEL.DAT")) << copy.name;
            const bool recordCopy = std::string(copy.name) == "record" || std::string(copy.name) == "conversion";
            EXPECT_EQ(logRow(1), recordCopy ? "Brak pliku źródłowego " + root() + "ZRODLO.DAT\n" : "\n")
                << copy.name << (empty ? " empty" : " missing");
            if (recordCopy) {
                EXPECT_EQ(attributeOf(1, 1, 22), 0x0E) << copy.name;
            }
        }
    }
}

TEST_F(FileCopyTest, EmptyTargetIsOverwrittenWithoutAQuestion) {
    for (const NamedCopy& copy : kCopies) {
        temp.writeFile("ZRODLO.DAT", "abcdef\r\n");  // a line and two records
        temp.writeFile("CEL.DAT", "");
        EXPECT_TRUE(copy.run(path("ZRODLO.DAT"), path("CEL.DAT"))) << copy.name;
        EXPECT_EQ(temp.readFile("CEL.DAT"), "abcdef\r\n") << copy.name;
    }
}

TEST_F(FileCopyTest, KeptTargetIsUntouched) {
    for (const NamedCopy& copy : kCopies) {
        temp.writeFile("ZRODLO.DAT", "abcdefgh");
        temp.writeFile("CEL.DAT", "stary");
        screen.PushIdle();  // the answer comes once the question is shown
        screen.PushText("z");
        const bool result = copy.run(path("ZRODLO.DAT"), path("CEL.DAT"));
        // The record copies say false when they copied nothing; the others true.
        const bool recordCopy = std::string(copy.name) == "record" || std::string(copy.name) == "conversion";
        EXPECT_EQ(result, !recordCopy) << copy.name;
        EXPECT_EQ(temp.readFile("CEL.DAT"), "stary") << copy.name;
    }
}

// --- Text copy ------------------------------------------------------------------

TEST_F(FileCopyTest, TextCopyKeepsLongLinesWholeAndEndsLinesWithCrLf) {
    const std::string longLine(600, 'x');
    temp.writeFile("NOTATNIK.TXT", "pierwsza\n" + longLine + "\r\n\nostatnia bez konca");
    convert::CopyTextFile(path("NOTATNIK.TXT"), path("KOPIA.TXT"));
    EXPECT_EQ(temp.readFile("KOPIA.TXT"), "pierwsza\r\n" + longLine + "\r\n\r\nostatnia bez konca\r\n");
    EXPECT_EQ(logRow(1), "Kopiuję plik " + root() + "NOTATNIK.TXT\n");
    EXPECT_EQ(attributeOf(1, 1, 13), 0x09);
}

TEST_F(FileCopyTest, TextCopyGoesPastCtrlZAndDropsOnlyAFinalOne) {
    const struct {
        const char* source;
        const char* copy;
    } cases[] = {
        {"przed\x1A" "po\r\n\x1A\r\nkoniec\r\n\x1A", "przed\x1A" "po\r\n\x1A\r\nkoniec\r\n"},
        {"bez konca\x1A", "bez konca\r\n"},
        {"dwa\x1A\x1A", "dwa\x1A\r\n"},
    };
    for (const auto& c : cases) {
        temp.writeFile("NOTATKA.TXT", c.source);
        std::filesystem::remove(temp.path() / "KOPIA.TXT");
        convert::CopyTextFile(path("NOTATKA.TXT"), path("KOPIA.TXT"));
        EXPECT_EQ(temp.readFile("KOPIA.TXT"), c.copy) << c.source;
    }
}

TEST_F(FileCopyTest, TextCopyWritesWhatTheFilterPassesAsItLeftIt) {
    temp.writeFile("KPR.INI", "[ROK]\nrok=2023\n;uwaga\nx=1\n");
    convert::CopyTextFile(path("KPR.INI"), path("KPR2.INI"), [](std::string& line) {
        if (line.starts_with(";")) return false;
        if (line == "rok=2023") line = "rok=2024";
        return true;
    });
    EXPECT_EQ(temp.readFile("KPR2.INI"), "[ROK]\r\nrok=2024\r\nx=1\r\n");
}

// --- Block copy -----------------------------------------------------------------

TEST_F(FileCopyTest, BlockCopyIsByteForByteWithItsSizeInTheLog) {
    const std::string data = pattern(200'003);  // several buffers and a short tail
    temp.writeFile("ZRODLO.DAT", data);
    EXPECT_TRUE(convert::CopyBlocks(path("ZRODLO.DAT"), path("CEL.DAT")));
    EXPECT_EQ(temp.readFile("CEL.DAT"), data);
    EXPECT_EQ(rows(1, 2), "Kopiuję " + root() + "ZRODLO.DAT  200003 bytów...\n\n");
    EXPECT_EQ(attributeOf(1, 1, 8), 0x09);
}

// --- Record copy ----------------------------------------------------------------

TEST_F(FileCopyTest, RecordCopyWritesAShortTailUnchanged) {
    // Records of 3000 bytes straddle the edges of the copy's buffers.
    const std::string data = pattern(50 * 3000 + 5);
    temp.writeFile("ZRODLO.REK", data);
    EXPECT_TRUE(convert::CopyRecords(path("ZRODLO.REK"), path("CEL.REK"), 3000));
    EXPECT_EQ(temp.readFile("CEL.REK"), data);
    EXPECT_EQ(rows(1, 2), "Kopiuje " + root() + "ZRODLO.REK  50 pozycji ...\n\n");
    EXPECT_EQ(attributeOf(1, 1, 8), 0x09);
}

TEST_F(FileCopyTest, RecordFilterDecidesAndMayChangeTheRecord) {
    temp.writeFile("ZRODLO.REK", std::string("a111b222c333d4"));
    std::vector<std::string> seen;
    EXPECT_TRUE(convert::CopyRecords(path("ZRODLO.REK"), path("CEL.REK"), 4, [&](std::span<std::uint8_t> record) {
        seen.emplace_back(record.begin(), record.end());
        record[1] = 'X';
        return record[0] != 'b';
    }));
    EXPECT_EQ(temp.readFile("CEL.REK"), "aX11cX33dX");
    // The short last record reaches the filter padded with zero bytes.
    EXPECT_EQ(seen, (std::vector<std::string>{"a111", "b222", "c333", std::string("d4\0\0", 4)}));
}

// --- Record conversion copy -----------------------------------------------------

TEST_F(FileCopyTest, ConversionPadsAShortLastRecordWithZeros) {
    temp.writeFile("ZRODLO.REK", "abcdefgh" "ijkl" "mn");
    EXPECT_TRUE(convert::ConvertRecords(path("ZRODLO.REK"), path("CEL.REK"), 4, 4, convert::CopyWholeRecord));
    EXPECT_EQ(temp.readFile("CEL.REK"), std::string("abcdefghijklmn\0\0", 16));
    EXPECT_EQ(rows(1, 2), "Kopiuje " + root() + "ZRODLO.REK  3 pozycji ...\n\n");
}

TEST_F(FileCopyTest, ConverterBuildsTargetsOfAnotherSizeFromCleanBuffers) {
    temp.writeFile("ZRODLO.REK", "ab" "cd" "ef");
    std::vector<std::string> targetsSeen;
    const auto converter = [&](std::span<std::uint8_t> source, std::span<std::uint8_t> target) {
        targetsSeen.emplace_back(target.begin(), target.end());
        target[0] = source[1];
        target[2] = source[0];
        return source[0] != 'c';
    };
    EXPECT_TRUE(convert::ConvertRecords(path("ZRODLO.REK"), path("CEL.REK"), 2, 3, converter));
    EXPECT_EQ(temp.readFile("CEL.REK"), std::string("b\0a" "f\0e", 6));
    EXPECT_EQ(targetsSeen, std::vector<std::string>(3, std::string(3, '\0')));
}

TEST_F(FileCopyTest, ConversionWithoutAConverterGivesAnEmptyTarget) {
    temp.writeFile("ZRODLO.REK", "abcdefgh");
    temp.writeFile("CEL.REK", "");
    EXPECT_TRUE(convert::ConvertRecords(path("ZRODLO.REK"), path("CEL.REK"), 4, 4, {}));
    EXPECT_TRUE(temp.exists("CEL.REK"));
    EXPECT_EQ(temp.readFile("CEL.REK"), "");
}

// --- Append mode ----------------------------------------------------------------

TEST_F(FileCopyTest, AppendModeGrowsAnExistingTargetWithoutAQuestion) {
    temp.writeFile("ZRODLO.REK", "1111" "2222");
    temp.writeFile("CEL.REK", "0000");
    temp.writeFile("CEL2.REK", "0000");
    constexpr auto kAppend = convert::ExistingTarget::Append;
    // No key is scripted: a question would fail the test.
    EXPECT_TRUE(convert::CopyRecords(path("ZRODLO.REK"), path("CEL.REK"), 4, {}, kAppend));
    EXPECT_TRUE(
        convert::ConvertRecords(path("ZRODLO.REK"), path("CEL2.REK"), 4, 4, convert::CopyWholeRecord, kAppend));
    EXPECT_EQ(temp.readFile("CEL.REK"), "000011112222");
    EXPECT_EQ(temp.readFile("CEL2.REK"), "000011112222");
    // A target that is not there is simply created.
    EXPECT_TRUE(convert::CopyRecords(path("ZRODLO.REK"), path("NOWY.REK"), 4, {}, kAppend));
    EXPECT_EQ(temp.readFile("NOWY.REK"), "11112222");
    // The block copy knows no append mode.
    screen.PushIdle();  // the answer comes once the question is shown
    screen.PushText("w");
    EXPECT_TRUE(convert::CopyBlocks(path("ZRODLO.REK"), path("CEL.REK")));
    EXPECT_EQ(temp.readFile("CEL.REK"), "11112222");
}

// --- Pauses in slow mode --------------------------------------------------------

TEST_F(FileCopyTest, SlowModePausesAfterEachCopy) {
    temp.writeFile("ZRODLO.REK", "abcd");
    tui::SetSlowLog(true);
    // The text copy does not pause; the conversion also pauses after its start line.
    const std::uint64_t pausedMs[] = {0, 1000, 1000, 2000};
    for (std::size_t i = 0; i < std::size(kCopies); ++i) {
        const std::uint64_t before = clock.TotalSleptMs();
        kCopies[i].run(path("ZRODLO.REK"), path(std::string("CEL.") + kCopies[i].name));
        EXPECT_EQ(clock.TotalSleptMs() - before, pausedMs[i]) << kCopies[i].name;
    }
    const std::uint64_t before = clock.TotalSleptMs();
    convert::CopyRecords(path("BRAK.REK"), path("CEL.REK"), 4);
    EXPECT_EQ(clock.TotalSleptMs() - before, 1000u) << "missing source";
}

}  // namespace

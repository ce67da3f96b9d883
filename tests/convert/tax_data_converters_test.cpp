// The PID-5 and PIT-28 converters: kept 2024 records, fresh records built from the
// year-end values, and the PIT-D question. Expected records are built here from the
// raw offsets, independently of the converters' layouts.
#include "convert/staff/tax_data_converters.h"

#include <gtest/gtest.h>

#include <cstring>

#include "product/records/staff_records.h"
#include "tests/convert/converter_test.h"

namespace {

constexpr std::size_t kSize = 13952;
using Bytes = std::vector<std::uint8_t>;

// A firm whose annual settings came from its 2023 file, and one whose came from 2024.
constexpr convert::TaxDataContext kFrom2023{};
constexpr convert::TaxDataContext kFrom2024{convert::PitDSelection::All, true};

// A source record of the given year with every byte set to a recognisable value.
qztest::TestRecord taxSource(std::uint16_t year) {
    qztest::TestRecord record(kSize);
    record.pattern(0, kSize, 11).key(4711).date(12, {15, 3, year});
    record.text(product::TaxDataRecord::kNameFirst, "Kowalski").text(product::TaxDataRecord::kNameSecond, "Jan");
    return record;
}

void copyRange(const Bytes& source, Bytes& target, std::size_t from, std::size_t count) {
    std::memcpy(target.data() + from, source.data() + from, count);
}

// In each of count groups of size bytes from offset, the double at +0 takes +88.
void openWithClosingValues(const Bytes& source, Bytes& target, std::size_t offset, std::size_t count,
                           std::size_t size) {
    for (std::size_t group = offset; group < offset + count * size; group += size)
        std::memcpy(target.data() + group, source.data() + group + 88, 8);
}

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count) {
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

// The head of every fresh record: key, 1 January 2024, the blocks at 20-387.
Bytes freshHead(const Bytes& source) {
    Bytes expected(kSize, 0);
    copyRange(source, expected, 0, 8);
    expected[12] = 1;
    expected[13] = 1;
    expected[14] = 2024 & 0xFF;
    expected[15] = 2024 >> 8;
    copyRange(source, expected, 20, 388 - 20);
    return expected;
}

class TaxDataConvertersTest : public qztest::ConverterTest {
protected:
    Bytes target = Bytes(kSize, 0);
};

TEST_F(TaxDataConvertersTest, AKeptPid5RecordChangesOnlyTheOpeningDoublesAt1212) {
    auto source = taxSource(2024);
    source.byte(13894, 0).byte(13888, 4).byte(13889, 5).byte(13890, 6);

    ASSERT_TRUE(convert::ConvertPid5(source.bytes, target, kFrom2024));
    Bytes expected = source.bytes;
    openWithClosingValues(source.bytes, expected, 1212, 8, 424);
    EXPECT_EQ(target, expected);
    EXPECT_EQ(log(), "Osoba: Kowalski Jan\n");
    EXPECT_EQ(screen.CellAt(1, 3).attribute, 0x08);
    EXPECT_EQ(screen.CellAt(8, 3).attribute, 0x0F);
}

TEST_F(TaxDataConvertersTest, AFreshPid5RecordHasExactlyTheCarriedFields) {
    const struct {
        const char* what;
        bool year2024Source;
        std::uint16_t year;
        std::uint8_t byte13894;
        std::uint8_t marks13888[3];
    } cases[] = {
        {"a 2023 record", false, 2023, 7, {0, 3, 0}},
        {"a 2024 record without the 2024 source", false, 2024, 0, {2, 0, 9}},
        {"a 2023 record with the 2024 source", true, 2023, 1, {0, 0, 0}},
    };
    for (const auto& c : cases) {
        const convert::TaxDataContext context{convert::PitDSelection::All, c.year2024Source};
        auto source = taxSource(c.year);
        source.byte(13894, c.byte13894);
        for (std::size_t i = 0; i < 3; ++i) source.byte(13888 + i, c.marks13888[i]);
        const Bytes& in = source.bytes;

        Bytes expected = freshHead(in);
        copyRange(in, expected, 388, 8 * 103);
        copyRange(in, expected, 4604, 8 * 103);
        copyRange(in, expected, 8820, 2 * 169);
        openWithClosingValues(in, expected, 1212, 8, 424);
        openWithClosingValues(in, expected, 5428, 8, 424);
        openWithClosingValues(in, expected, 9158, 2, 522);
        for (std::size_t offset : {13884, 13929, 13943}) copyRange(in, expected, offset, 1);
        for (std::size_t offset : {13886, 13892, 13899, 13903}) copyRange(in, expected, offset, 2);
        if (c.byte13894 > 0) {
            expected[13894] = 1;
            expected[13895] = 12;
        }
        for (std::size_t i = 0; i < 3; ++i) expected[13888 + i] = c.marks13888[i] == 0 ? 1 : c.marks13888[i];

        std::fill(target.begin(), target.end(), 0xEE);
        ASSERT_TRUE(convert::ConvertPid5(in, target, context)) << c.what;
        for (std::size_t i = 0; i < kSize; ++i)
            ASSERT_EQ(target[i], expected[i]) << c.what << ": first difference at offset " << i;
    }
}

TEST_F(TaxDataConvertersTest, AKeptPid5RecordTakesThe13894And13888Rules) {
    auto source = taxSource(2024);
    source.byte(13894, 3).byte(13895, 77).byte(13888, 0).byte(13889, 8).byte(13890, 0);
    ASSERT_TRUE(convert::ConvertPid5(source.bytes, target, kFrom2024));
    EXPECT_EQ(target[13894], 1);
    EXPECT_EQ(target[13895], 12);
    EXPECT_EQ(slice(target, 13888, 3), (Bytes{1, 8, 1}));
    // The groups at 5428 and 9158 stay as kept.
    EXPECT_EQ(slice(target, 5428, 8), slice(source.bytes, 5428, 8));
    EXPECT_EQ(slice(target, 9158, 8), slice(source.bytes, 9158, 8));
}

TEST_F(TaxDataConvertersTest, Pit28KeptAndFresh) {
    auto source = taxSource(2024);
    ASSERT_TRUE(convert::ConvertPit28(source.bytes, target, kFrom2024));
    EXPECT_EQ(target, source.bytes);

    const Bytes& in = source.bytes;
    Bytes expected = freshHead(in);
    copyRange(in, expected, 13943, 1);
    for (std::size_t block = 388; block < 388 + 12 * 768; block += 768) {
        std::memcpy(expected.data() + block + 5, in.data() + 8841, 2);
        expected[block + 767] = 1;
    }
    ASSERT_TRUE(convert::ConvertPit28(in, target, kFrom2023));
    for (std::size_t i = 0; i < kSize; ++i)
        ASSERT_EQ(target[i], expected[i]) << "first difference at offset " << i;
    EXPECT_EQ(target[9675], 0);
    EXPECT_EQ(log(), "Osoba: Kowalski Jan\nOsoba: Kowalski Jan\n");
}

TEST_F(TaxDataConvertersTest, AskingAboutEachPersonTakesTOrN) {
    constexpr convert::TaxDataContext kAskEach{convert::PitDSelection::AskEach};
    const auto source = taxSource(2023);
    type("wN");  // W is no answer here
    EXPECT_FALSE(convert::ConvertPid5(source.bytes, target, kAskEach));
    type("t");
    EXPECT_TRUE(convert::ConvertPit28(source.bytes, target, kAskEach));
    EXPECT_EQ(keyWaits, 3);
    EXPECT_EQ(log(),
              "Osoba: Kowalski Jan Przenieść T/N ?\n"
              "Osoba: Kowalski Jan Przenieść T/N ?\n");
    EXPECT_EQ(screen.CellAt(21, 3).attribute, 0x0A);
}

TEST_F(TaxDataConvertersTest, NamesAreCutToTheirFields) {
    auto source = taxSource(2023);
    source.byte(105, 0).byte(137, 255);  // the second name's field ends at 163
    ASSERT_TRUE(convert::ConvertPid5(source.bytes, target, kFrom2023));
    const Bytes second = slice(source.bytes, 138, 26);
    EXPECT_EQ(screen.BytesAt(8, 3, 28), " " + std::string(second.begin(), second.end()) + " ");
}

}  // namespace

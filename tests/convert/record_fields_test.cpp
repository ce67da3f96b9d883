// Fields inside records: little-endian numbers, short texts in fields of fixed
// capacity, packed dates and their order.
#include "product/records/record_fields.h"

#include <gtest/gtest.h>

#include <vector>

#include "product/records/packed_date.h"

namespace {

using product::PackedDate;

TEST(RecordFieldsTest, NumbersAreLittleEndian) {
    std::vector<std::uint8_t> record = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06, 0x07, 0x88, 0xAA};
    EXPECT_EQ(product::ReadWord(record, 1), 0x0302);
    EXPECT_EQ(product::ReadLong(record, 0), 0x04030201u);
    EXPECT_EQ(product::ReadInt64(record, 0), static_cast<std::int64_t>(0x8807060504030201ull));
    EXPECT_LT(product::ReadInt64(record, 0), 0);  // the top bit is the sign of a removed record's key

    product::WriteWord(record, 7, 0xBEEF);
    product::WriteLong(record, 0, 0xDDCCBBAA);
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0xAA, 0xBB, 0xCC, 0xDD, 0x05, 0x06, 0x07, 0xEF, 0xBE}));
    product::WriteInt64(record, 1, -2);
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0xAA, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));
}

TEST(RecordFieldsTest, TextsNeverReachPastTheirFieldOrTheRecord) {
    // "ABCDEFGH" from offset 1; the length byte at offset 0 varies.
    const struct {
        std::uint8_t length;
        std::size_t capacity;
        std::size_t recordSize;
        const char* text;
    } cases[] = {
        {3, 8, 9, "ABC"},
        {7, 8, 9, "ABCDEFG"},      // a full field
        {8, 8, 9, "ABCDEFG"},      // one more than the field holds
        {255, 8, 9, "ABCDEFG"},    // a damaged length byte
        {255, 32, 5, "ABCD"},      // a field that would run past the record's end
        {0, 8, 9, ""},
        {5, 1, 9, ""},             // a field with room for the length byte only
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> record = {c.length, 'A', 'B', 'C', 'D', 'E', 'F', 'G', 'H'};
        record.resize(c.recordSize);
        EXPECT_EQ(product::ReadText(record, {0, c.capacity}), c.text)
            << "length " << int{c.length} << ", capacity " << c.capacity << ", record " << c.recordSize;
    }
    const std::vector<std::uint8_t> record = {1, 'X'};
    EXPECT_EQ(product::ReadText(record, {2, 32}), "");  // a field that starts past the end
}

TEST(RecordFieldsTest, CopiesAndClearsMoveOnlyTheirBytes) {
    const std::vector<std::uint8_t> source = {1, 2, 3, 4, 5, 6};
    std::vector<std::uint8_t> target(6, 9);
    product::CopyBytes(source, target, 1, 2);
    EXPECT_EQ(target, (std::vector<std::uint8_t>{9, 2, 3, 9, 9, 9}));
    product::CopyBytes(source, 4, target, 0, 2);
    EXPECT_EQ(target, (std::vector<std::uint8_t>{5, 6, 3, 9, 9, 9}));
    product::ClearBytes(target, 2, 3);
    EXPECT_EQ(target, (std::vector<std::uint8_t>{5, 6, 0, 0, 0, 9}));
    EXPECT_TRUE(product::RecordsFit(source, target, 6));
    EXPECT_FALSE(product::RecordsFit(source, target, 7));
}

TEST(PackedDateTest, DatesAreReadAndWrittenDayMonthYear) {
    std::vector<std::uint8_t> record(6, 0);
    product::WritePackedDate(record, 1, {31, 12, 2023});
    EXPECT_EQ(record, (std::vector<std::uint8_t>{0, 31, 12, 0xE7, 0x07, 0}));
    EXPECT_EQ(product::ReadPackedDate(record, 1), (product::PackedDate{31, 12, 2023}));
    EXPECT_EQ(product::PackedDateText({5, 1, 2024}), "05-01-2024");
    EXPECT_EQ(product::PackedDateText({}), "-");
}

TEST(PackedDateTest, YearThenMonthThenDayDecide) {
    const struct {
        product::PackedDate earlier;
        product::PackedDate later;
    } cases[] = {
        {{31, 12, 2023}, {1, 1, 2024}},
        {{31, 1, 2024}, {1, 2, 2024}},
        {{1, 12, 2023}, {31, 12, 2023}},
        {{}, {1, 1, 1900}},  // no date sorts before every date
    };
    for (const auto& c : cases) {
        EXPECT_LT(c.earlier, c.later) << c.earlier.Order() << " vs " << c.later.Order();
        EXPECT_GT(c.later, c.earlier) << c.earlier.Order() << " vs " << c.later.Order();
    }
    EXPECT_EQ((product::PackedDate{31, 12, 2023}), product::kYearEnd2023);
    EXPECT_TRUE(product::PackedDate{}.Empty());
    EXPECT_FALSE((product::PackedDate{0, 0, 2023}).Empty());
    // The four bytes as one signed number: a year with the top bit set sorts first.
    EXPECT_LT((product::PackedDate{1, 1, 0x8000}), (product::PackedDate{1, 1, 1}));
}

}  // namespace

// The person and family converters: who continues into 2024 under each selection
// mode, scrambled records, the person key table and the families that follow it.
#include "convert/staff/staff_converters.h"

#include <gtest/gtest.h>

#include "product/records/staff_records.h"
#include "platform/cp852.h"
#include "product/scramble.h"
#include "tests/convert/converter_test.h"

using namespace platform::literals;

namespace {

using product::PackedDate;
using convert::StaffSelection;
using Person = product::PersonRecord;
using Family = product::FamilyRecord;

constexpr product::PackedDate kNone{};

qztest::TestRecord person(std::int64_t key, std::string_view first, std::string_view second,
                          std::uint16_t kind = Person::kEmployee) {
    qztest::TestRecord record(Person::kSize);
    record.pattern(0, Person::kSize, 3);  // every other byte must travel unchanged
    record.key(key).byte(Person::kState, 1).word(Person::kKind, kind);
    record.text(Person::kNameFirst, first).text(Person::kNameSecond, second);
    return record.date(Person::kStart1, kNone).date(Person::kEnd1, kNone).date(Person::kStart2, kNone).date(
        Person::kEnd2, kNone);
}

qztest::TestRecord member(std::int64_t key, std::string_view first, std::string_view second) {
    qztest::TestRecord record(Family::kSize);
    record.pattern(0, Family::kSize, 5);
    return record.key(key).text(Family::kNameFirst, first).text(Family::kNameSecond, second);
}

class StaffConvertersTest : public qztest::ConverterTest {
protected:
    convert::StaffTransfer staff;
    std::vector<std::uint8_t> target;

    bool convertPerson(const qztest::TestRecord& record) {
        target.assign(Person::kSize, 0xEE);
        return staff.ConvertPerson(record.bytes, target);
    }
    bool convertMember(const qztest::TestRecord& record) {
        target.assign(Family::kSize, 0xEE);
        return convert::ConvertFamilyMember(staff.Keys(), staff.Selection(), record.bytes, target);
    }
};

TEST_F(StaffConvertersTest, EveryoneIsCarriedUnchangedInModeAll) {
    const auto kowalski = person(101, "Kowalski", "Jan");
    EXPECT_TRUE(convertPerson(kowalski));
    EXPECT_EQ(target, kowalski.bytes);
    EXPECT_EQ(log(), "osoba: Kowalski Jan\n");
    EXPECT_EQ(screen.CellAt(1, 3).attribute, 0x08);
    EXPECT_EQ(screen.CellAt(8, 3).attribute, 0x0F);
    EXPECT_EQ(staff.Keys().Count(), 1);
    EXPECT_TRUE(staff.Keys().Find(101));
}

TEST_F(StaffConvertersTest, RemovedPersonsAreSkippedWithoutAWord) {
    EXPECT_FALSE(convertPerson(person(-101, "Kowalski", "Jan")));
    EXPECT_EQ(log(), "\n");
    EXPECT_EQ(staff.Keys().Count(), 0);
}

TEST_F(StaffConvertersTest, EmployedOnTheLastDayOf2023) {
    const product::PackedDate jan2020{1, 1, 2020}, end2022{31, 12, 2022}, mar2023{1, 3, 2023}, jun2023{30, 6, 2023},
        yearEnd{31, 12, 2023}, jan2024{1, 1, 2024}, mar2024{31, 3, 2024};
    const struct {
        const char* what;
        std::uint16_t kind;
        product::PackedDate start1, end1, start2, end2;
        const char* refusal;  // empty when carried
    } cases[] = {
        {"first period ends on 31.12.2023", Person::kEmployee, jan2020, yearEnd, kNone, kNone,
         " - nie zatrudniony na 31.12.2023"},
        {"first ended 2022, second open since 2023", Person::kEmployee, jan2020, end2022, mar2023, kNone, ""},
        {"no start date at all", Person::kEmployee, kNone, kNone, kNone, kNone, " - nie zatrudniony na 31.12.2023"},
        {"an end without a start", Person::kEmployee, kNone, mar2024, kNone, kNone,
         " - nie zatrudniony na 31.12.2023"},
        {"first period open", Person::kEmployee, jan2020, kNone, kNone, kNone, ""},
        {"first period ends 1.1.2024", Person::kEmployee, jan2020, jan2024, kNone, kNone, ""},
        {"second period ends on 31.12.2023", Person::kEmployee, jan2020, end2022, mar2023, yearEnd,
         " - nie zatrudniony na 31.12.2023"},
        {"second period ends in 2024", Person::kEmployee, jan2020, jun2023, mar2023, mar2024, ""},
        {"owner without an end date", Person::kOwner, jan2020, kNone, kNone, kNone, ""},
        {"owner ending on 31.12.2023", Person::kOwner, jan2020, yearEnd, kNone, kNone, " - nie kontynuowany"},
        {"owner ending in 2024", Person::kOwner, jan2020, mar2024, kNone, kNone, " - nie kontynuowany"},
        {"owner ended in June 2023", Person::kOwner, jan2020, jun2023, kNone, kNone, ""},
        {"owner with an end but no start", Person::kOwner, kNone, yearEnd, kNone, kNone, ""},
        {"neither employee nor owner", 2, kNone, kNone, kNone, kNone, ""},
    };
    for (const auto& c : cases) {
        staff.Start(StaffSelection::EmployedAtYearEnd);
        clearLog();
        const std::uint64_t sleptBefore = clock.TotalSleptMs();
        auto record = person(7, "Nowak", "Ewa", c.kind);
        record.date(Person::kStart1, c.start1).date(Person::kEnd1, c.end1);
        record.date(Person::kStart2, c.start2).date(Person::kEnd2, c.end2);

        const bool carried = convertPerson(record);
        const bool refused = std::string_view(c.refusal).size() > 0;
        EXPECT_EQ(carried, !refused) << c.what;
        EXPECT_EQ(log(), std::string("osoba: Nowak Ewa") + c.refusal + "\n") << c.what;
        EXPECT_EQ(staff.Keys().Find(7), carried) << c.what;
        EXPECT_EQ(clock.TotalSleptMs() - sleptBefore, refused ? 250u : 0u) << c.what;
    }
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(StaffConvertersTest, AskingAboutEachPerson) {
    staff.Start(StaffSelection::AskEach);
    type("xtN");  // x is no answer
    EXPECT_TRUE(convertPerson(person(1, "Adamski", "Piotr")));
    EXPECT_FALSE(convertPerson(person(2, "Bielska", "Zofia")));
    EXPECT_EQ(log(),
              "osoba: Adamski Piotr Przenieść T/N /W  ?\n"
              "osoba: Bielska Zofia Przenieść T/N /W  ?\n");
    EXPECT_EQ(screen.CellAt(21, 3).attribute, 0x0A);
    EXPECT_TRUE(staff.Keys().Find(1));
    EXPECT_FALSE(staff.Keys().Find(2));
    EXPECT_EQ(keyWaits, 3);
}

TEST_F(StaffConvertersTest, KeysTypedBeforeAQuestionAnswerNothing) {
    staff.Start(StaffSelection::AskEach);
    screen.PushText("TN");  // typed ahead, before any question was on screen
    type("tt");
    EXPECT_TRUE(convertPerson(person(1, "Adamski", "Piotr")));
    EXPECT_TRUE(convertPerson(person(2, "Bielska", "Zofia")));
    EXPECT_EQ(staff.Keys().Count(), 2);
    EXPECT_EQ(keyWaits, 2);
}

TEST_F(StaffConvertersTest, AnsweringWCarriesTheRestOfTheFirmSilently) {
    staff.Start(StaffSelection::AskEach);
    type("w");
    EXPECT_TRUE(convertPerson(person(1, "Adamski", "Piotr")));
    EXPECT_TRUE(convertPerson(person(2, "Bielska", "Zofia")));
    EXPECT_TRUE(convertPerson(person(3, "Cichy", "Jan")));
    EXPECT_EQ(log(),
              "osoba: Adamski Piotr Przenieść T/N /W  ?\n"
              "osoba: Bielska Zofia\n"
              "osoba: Cichy Jan\n");
    EXPECT_EQ(staff.Keys().Count(), 3);
    EXPECT_EQ(staff.Selection(), StaffSelection::All);
    EXPECT_EQ(keyWaits, 1);

    // The next firm starts from the options again and asks again.
    staff.Start(StaffSelection::AskEach);
    clearLog();
    type("n");
    EXPECT_FALSE(convertPerson(person(4, "Dudek", "Ola")));
    EXPECT_EQ(log(), "osoba: Dudek Ola Przenieść T/N /W  ?\n");
    EXPECT_EQ(staff.Keys().Count(), 0);
    EXPECT_EQ(keyWaits, 2);
}

TEST_F(StaffConvertersTest, AScrambledRecordIsDecidedPlainAndWrittenScrambledAgain) {
    auto plain = person(55, "Żak"_cp, "Łucja"_cp);
    plain.date(Person::kStart1, {1, 2, 2021});
    auto scrambled = plain;
    product::ScrambleRecord(std::span<std::uint8_t, Person::kSize>(scrambled.bytes));
    scrambled.byte(Person::kState, Person::kScrambled);
    ASSERT_NE(scrambled.bytes, plain.bytes);

    staff.Start(StaffSelection::EmployedAtYearEnd);
    EXPECT_TRUE(convertPerson(scrambled));
    EXPECT_EQ(target, scrambled.bytes);
    EXPECT_EQ(log(), "osoba: Żak Łucja\n");

    // The dates that decide are read from the plain record too.
    auto leaver = plain;
    leaver.date(Person::kEnd1, {30, 11, 2023});
    product::ScrambleRecord(std::span<std::uint8_t, Person::kSize>(leaver.bytes));
    leaver.byte(Person::kState, Person::kScrambled);
    EXPECT_FALSE(convertPerson(leaver));
    EXPECT_TRUE(log().ends_with("osoba: Żak Łucja - nie zatrudniony na 31.12.2023\n"));
}

TEST_F(StaffConvertersTest, LongNameLengthsAreCutToTheirFields) {
    auto record = person(9, "Kowalski", "Jan");
    record.byte(Person::kNameFirst.offset, 200);  // damaged: reaches into the second name and beyond
    EXPECT_TRUE(convertPerson(record));
    const std::string first = product::ReadText(record.bytes, Person::kNameFirst);
    EXPECT_EQ(first.size(), 31u);
    EXPECT_EQ(screen.BytesAt(8, 3, 32), first + " ");
}

TEST_F(StaffConvertersTest, FamiliesFollowCarriedPersonsOnly) {
    staff.Start(StaffSelection::EmployedAtYearEnd);
    EXPECT_TRUE(convertPerson(person(1, "Kowalski", "Jan").date(Person::kStart1, {1, 1, 2020})));
    EXPECT_FALSE(convertPerson(person(2, "Nowak", "Ewa")));  // never employed
    clearLog();

    const auto wife = member(1, "Kowalska", "Anna");
    EXPECT_TRUE(convertMember(wife));
    EXPECT_EQ(target, wife.bytes);
    EXPECT_FALSE(convertMember(member(2, "Nowak", "Adam")));  // silent: the person stayed behind
    EXPECT_FALSE(convertMember(member(-1, "Kowalski", "Olek")));
    EXPECT_EQ(log(), "  Kowalska Anna\n");
    EXPECT_EQ(keyWaits, 0);
}

TEST_F(StaffConvertersTest, AnOrphanIsReportedWhenEveryoneWasCarried) {
    EXPECT_TRUE(convertPerson(person(1, "Kowalski", "Jan")));
    clearLog();
    EXPECT_FALSE(convertMember(member(99, "Sierota", "Ala")));
    EXPECT_EQ(log(), "Nie odnaleziono osoby związanej z członkiem rodziny !\n");
    EXPECT_EQ(keyWaits, 1);
    EXPECT_EQ(target, std::vector<std::uint8_t>(Family::kSize, 0));
}

TEST_F(StaffConvertersTest, PersonsBeyondTheTableAreCarriedButAnchorNobody) {
    for (std::int64_t key = 1; key <= 2047; ++key) ASSERT_TRUE(convertPerson(person(key, "P", "X")));
    EXPECT_EQ(keyWaits, 0);
    EXPECT_TRUE(convertPerson(person(2048, "Ostatni", "X")));
    EXPECT_EQ(keyWaits, 1);
    EXPECT_EQ(rows(21, 22),
              "osoba: Ostatni X\n"
              "Upss... za dużo pracowników, nie połapię się w rodzinach !\n");

    clearLog();
    EXPECT_TRUE(convertMember(member(2047, "Rodzina", "A")));
    EXPECT_FALSE(convertMember(member(2048, "Rodzina", "B")));
    EXPECT_EQ(log(),
              "  Rodzina A\n"
              "Nie odnaleziono osoby związanej z członkiem rodziny !\n");
    EXPECT_EQ(keyWaits, 2);

    // One more person: every family member now comes with the warning first.
    EXPECT_TRUE(convertPerson(person(2049, "Nadliczbowy", "X")));
    EXPECT_EQ(keyWaits, 2);
    clearLog();
    EXPECT_TRUE(convertMember(member(1, "Rodzina", "C")));
    EXPECT_EQ(log(),
              "Upss... Wskaźnik osoby > max ilość osob !\n"
              "  Rodzina C\n");
    EXPECT_EQ(keyWaits, 3);
}

}  // namespace

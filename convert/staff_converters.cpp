#include "convert/staff_converters.h"


#include "convert/packed_date.h"
#include "convert/person_keys.h"
#include "convert/progress_log.h"
#include "convert/run_report.h"
#include "convert/staff_log.h"
#include "convert/staff_records.h"
#include "platform/cp852.h"
#include "product/scramble.h"
#include "tui/screen.h"

using namespace platform::literals;

namespace convert {

namespace {

using Person = PersonRecord;
using Family = FamilyRecord;

constexpr std::uint32_t kRefusalDelayMs = 250;
constexpr std::string_view kNotEmployed = " - nie zatrudniony na 31.12.2023"_cp;
constexpr std::string_view kNotContinued = " - nie kontynuowany"_cp;

// The selection of the firm being converted, set as its staff transfer starts; the
// person converter reaches it through the copy's fixed converter signature.
StaffSelection gSelection = StaffSelection::All;

// A period that is still open on the last day of 2023: it has begun, and it has no
// end or ends after that day.
bool openAtYearEnd(RecordBytes person, std::size_t startOffset, std::size_t endOffset) {
    const PackedDate start = ReadPackedDate(person, startOffset);
    const PackedDate end = ReadPackedDate(person, endOffset);
    return !start.empty() && (end.empty() || end > kYearEnd2023);
}

// An owner stops being carried once the first period has both dates and its end
// falls on the last day of 2023 or later.
bool ownerEndsWithTheYear(RecordBytes person) {
    const PackedDate start = ReadPackedDate(person, Person::kStart1);
    const PackedDate end = ReadPackedDate(person, Person::kEnd1);
    return !start.empty() && !end.empty() && end >= kYearEnd2023;
}

// Under the selection "employed on 31.12.2023": the line that tells why the person
// stays behind, or an empty text when the person continues.
std::string_view yearEndRefusal(RecordBytes person) {
    switch (ReadWord(person, Person::kKind)) {
        case Person::kEmployee:
            if (openAtYearEnd(person, Person::kStart1, Person::kEnd1) ||
                openAtYearEnd(person, Person::kStart2, Person::kEnd2))
                return {};
            return kNotEmployed;
        case Person::kOwner:
            return ownerEndsWithTheYear(person) ? kNotContinued : std::string_view{};
        default:
            // A kind the selection knows nothing about: nobody is lost.
            return {};
    }
}

// Asks about one person; W carries this one and every later one of the firm.
bool askCarry() {
    switch (AskLetter(" Przenieść T/N /W  ? "_cp, "TNW")) {
        case 'T':
            return true;
        case 'W':
            gSelection = StaffSelection::All;
            return true;
        default:
            return false;
    }
}

std::string nameOf(RecordBytes person) {
    return ReadText(person, Person::kNameFirst) + " " + ReadText(person, Person::kNameSecond);
}

std::span<std::uint8_t, product::kScrambledRecordSize> wholePerson(RecordBuffer record) {
    return record.first<product::kScrambledRecordSize>();
}

}  // namespace

void StartStaffTransfer(StaffSelection mode) {
    gSelection = mode;
    EmptyPersonKeys();
}

StaffSelection CurrentStaffSelection() { return gSelection; }

bool ConvertPerson(RecordBytes source, RecordBuffer target) {
    static_assert(Person::kSize == product::kScrambledRecordSize);
    if (!RecordsFit(source, target, Person::kSize)) return false;
    // The decision is made on the plain record in the target buffer; the source stays
    // as read.
    CopyBytes(source, target, 0, Person::kSize);
    const bool scrambled = ReadByte(target, Person::kState) == Person::kScrambled;
    if (scrambled) product::ScrambleRecord(wholePerson(target));

    const std::int64_t key = ReadInt64(target, Person::kKey);
    if (key < 0) return false;

    LogPersonName("osoba: "_cp, ReadText(target, Person::kNameFirst), ReadText(target, Person::kNameSecond));
    bool carried = true;
    if (gSelection == StaffSelection::EmployedAtYearEnd) {
        if (const std::string_view refusal = yearEndRefusal(target); !refusal.empty()) {
            LogWriteLine(refusal);
            ReportPersonLeft(nameOf(target), refusal);
            tui::Delay(kRefusalDelayMs);
            return false;
        }
    } else if (gSelection == StaffSelection::AskEach) {
        carried = askCarry();
    }
    LogWriteLine();
    if (!carried) {
        ReportPersonLeft(nameOf(target), " - odpowiedź N"_cp);
        return false;
    }

    if (AddPersonKey(key) == kPersonKeyEntries) {
        LogWriteLine("Upss... za dużo pracowników, nie połapię się w rodzinach !"_cp);
        LogWaitForKey();
    }

    if (scrambled) {
        product::ScrambleRecord(wholePerson(target));
        WriteByte(target, Person::kState, Person::kScrambled);
    }
    return true;
}

bool ConvertFamilyMember(RecordBytes source, RecordBuffer target) {
    if (!RecordsFit(source, target, Family::kSize)) return false;
    ClearBytes(target, 0, Family::kSize);
    const std::int64_t key = ReadInt64(source, Family::kKey);
    if (key < 0) return false;

    WarnWhenPersonKeysOverflow("Upss... Wskaźnik osoby > max ilość osob !"_cp);
    if (!FindPersonKey(key)) {
        // Only when everybody was carried does a missing person mean a broken link.
        if (gSelection == StaffSelection::All) {
            LogWriteLine("Nie odnaleziono osoby związanej z członkiem rodziny !"_cp);
            ReportToCheck(std::string("pominięty członek rodziny bez osoby: "_cp) +
                              ReadText(source, Family::kNameFirst) + " " + ReadText(source, Family::kNameSecond),
                          CheckKind::RecordDropped);
            LogWaitForKey();
        }
        return false;
    }

    CopyBytes(source, target, 0, Family::kSize);
    LogWriteLine("  " + ReadText(source, Family::kNameFirst) + " " + ReadText(source, Family::kNameSecond));
    return true;
}

}  // namespace convert

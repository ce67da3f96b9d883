#include "convert/staff/staff_converters.h"

#include "product/records/packed_date.h"
#include "tui/progress_log.h"
#include "convert/report/run_report.h"
#include "convert/staff/staff_log.h"
#include "product/records/staff_records.h"
#include "platform/cp852.h"
#include "product/scramble.h"
#include "tui/screen.h"

using namespace platform::literals;

namespace convert {

namespace {

using Person = product::PersonRecord;
using Family = product::FamilyRecord;

constexpr std::uint32_t kRefusalDelayMs = 250;
constexpr std::string_view kNotEmployed = " - nie zatrudniony na 31.12.2023"_cp;
constexpr std::string_view kNotContinued = " - nie kontynuowany"_cp;

// A period that is still open on the last day of 2023: it has begun, and it has no
// end or ends after that day.
bool OpenAtYearEnd(product::RecordBytes person, std::size_t startOffset, std::size_t endOffset) {
    const product::PackedDate start = product::ReadPackedDate(person, startOffset);
    const product::PackedDate end = product::ReadPackedDate(person, endOffset);
    return !start.Empty() && (end.Empty() || end > product::kYearEnd2023);
}

// An owner stops being carried once the first period has both dates and its end
// falls on the last day of 2023 or later.
bool OwnerEndsWithTheYear(product::RecordBytes person) {
    const product::PackedDate start = product::ReadPackedDate(person, Person::kStart1);
    const product::PackedDate end = product::ReadPackedDate(person, Person::kEnd1);
    return !start.Empty() && !end.Empty() && end >= product::kYearEnd2023;
}

// Under the selection "employed on 31.12.2023": the line that tells why the person
// stays behind, or an empty text when the person continues.
std::string_view YearEndRefusal(product::RecordBytes person) {
    switch (product::ReadWord(person, Person::kKind)) {
        case Person::kEmployee:
            if (OpenAtYearEnd(person, Person::kStart1, Person::kEnd1) ||
                OpenAtYearEnd(person, Person::kStart2, Person::kEnd2))
                return {};
            return kNotEmployed;
        case Person::kOwner:
            return OwnerEndsWithTheYear(person) ? kNotContinued : std::string_view{};
        default:
            // A kind the selection knows nothing about: nobody is lost.
            return {};
    }
}

std::string NameOf(product::RecordBytes person) {
    return product::ReadText(person, Person::kNameFirst) + " " + product::ReadText(person, Person::kNameSecond);
}

std::span<std::uint8_t, product::kScrambledRecordSize> WholePerson(product::RecordBuffer record) {
    return record.first<product::kScrambledRecordSize>();
}

}  // namespace

void StaffTransfer::Start(StaffSelection mode) {
    selection_ = mode;
    keys_ = PersonKeys{};
}

// Asks about one person; W carries this one and every later one of the firm.
bool StaffTransfer::AskCarry() {
    switch (AskLetter(" Przenieść T/N /W  ? "_cp, "TNW")) {
        case 'T':
            return true;
        case 'W':
            selection_ = StaffSelection::All;
            return true;
        default:
            return false;
    }
}

bool StaffTransfer::ConvertPerson(product::RecordBytes source, product::RecordBuffer target) {
    static_assert(Person::kSize == product::kScrambledRecordSize);
    if (!product::RecordsFit(source, target, Person::kSize)) return false;
    // The decision is made on the plain record in the target buffer; the source stays
    // as read.
    product::CopyBytes(source, target, 0, Person::kSize);
    const bool scrambled = product::ReadByte(target, Person::kState) == Person::kScrambled;
    if (scrambled) product::ScrambleRecord(WholePerson(target));

    const std::int64_t key = product::ReadInt64(target, Person::kKey);
    if (key < 0) return false;

    LogPersonName("osoba: "_cp, product::ReadText(target, Person::kNameFirst), product::ReadText(target, Person::kNameSecond),
                  selection_ == StaffSelection::AskEach);
    bool carried = true;
    if (selection_ == StaffSelection::EmployedAtYearEnd) {
        if (const std::string_view refusal = YearEndRefusal(target); !refusal.empty()) {
            tui::LogWriteLine(refusal);
            ReportPersonLeft(NameOf(target), refusal);
            tui::Delay(kRefusalDelayMs);
            return false;
        }
    } else if (selection_ == StaffSelection::AskEach) {
        carried = AskCarry();
    }
    tui::LogWriteLine();
    if (!carried) {
        ReportPersonLeft(NameOf(target), " - odpowiedź N"_cp);
        return false;
    }

    if (keys_.Add(key) == kPersonKeyEntries) {
        tui::LogWriteLine("Upss... za dużo pracowników, nie połapię się w rodzinach !"_cp);
        tui::LogWaitForKey();
    }

    if (scrambled) {
        product::ScrambleRecord(WholePerson(target));
        product::WriteByte(target, Person::kState, Person::kScrambled);
    }
    return true;
}

bool ConvertFamilyMember(const PersonKeys& keys, StaffSelection selection, product::RecordBytes source,
                         product::RecordBuffer target) {
    if (!product::RecordsFit(source, target, Family::kSize)) return false;
    product::ClearBytes(target, 0, Family::kSize);
    const std::int64_t key = product::ReadInt64(source, Family::kKey);
    if (key < 0) return false;

    WarnWhenPersonKeysOverflow(keys, "Upss... Wskaźnik osoby > max ilość osob !"_cp);
    if (!keys.Find(key)) {
        // Only when everybody was carried does a missing person mean a broken link.
        if (selection == StaffSelection::All) {
            tui::LogWriteLine("Nie odnaleziono osoby związanej z członkiem rodziny !"_cp);
            ReportToCheck(std::string("pominięty członek rodziny bez osoby: "_cp) +
                              product::ReadText(source, Family::kNameFirst) + " " + product::ReadText(source, Family::kNameSecond),
                          CheckKind::RecordDropped);
            tui::LogWaitForKey();
        }
        return false;
    }

    product::CopyBytes(source, target, 0, Family::kSize);
    tui::LogWriteLine("  " + product::ReadText(source, Family::kNameFirst) + " " + product::ReadText(source, Family::kNameSecond));
    return true;
}

}  // namespace convert

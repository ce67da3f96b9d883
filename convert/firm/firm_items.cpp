#include "convert/firm/firm_items.h"

#include <array>
#include <vector>

#include "convert/annual/annual_settings.h"
#include "convert/copying/copy_steps.h"
#include "convert/entries/entries_carry.h"
#include "convert/copying/file_names.h"
#include "convert/copying/file_size.h"
#include "convert/firm/firm_failures.h"
#include "product/records/firm_records.h"
#include "convert/options.h"
#include "convert/copying/overwrite.h"
#include "tui/progress_log.h"
#include "convert/staff/staff_converters.h"
#include "product/records/staff_records.h"
#include "convert/staff/tax_data_converters.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "product/firm_text.h"
#include "tui/polish_text.h"

namespace convert {

namespace {

using namespace platform::literals;

// What opens an item: a flag of the firm, or bits of one of the option sets (all
// of them set).
enum class GateKind { Always, Year2024Source, FirmItems, Entries, AddOns, ExtraFiles };

struct Gate {
    GateKind kind;
    std::uint16_t bits = 0;
};

struct Item {
    Gate gate;
    std::string_view label;  // a log line before the item; none when empty
    void (*run)(const FirmCopies& firm);
    // The 2024 file of an item whose records belong to the persons of the person key
    // table; none when empty.
    std::string_view keyed = {};
};

constexpr std::string_view kPersonFile = "DANE_PR8.REK";

bool AllSet(std::uint16_t set, std::uint16_t bits) { return (set & bits) == bits; }

bool IsOpen(const Gate& gate, const FirmCopies& firm) {
    const Options& chosen = firm.options;
    switch (gate.kind) {
        case GateKind::Always:
            return true;
        case GateKind::Year2024Source:
            return firm.annual.year2024Source;
        case GateKind::FirmItems:
            return AllSet(chosen.firmItems, gate.bits);
        case GateKind::Entries:
            return AllSet(chosen.entries2024, gate.bits);
        case GateKind::AddOns:
            return AllSet(chosen.addOns, gate.bits);
        case GateKind::ExtraFiles:
            return !firm.extraFiles.empty();
    }
    return false;
}

constexpr Gate kYear2024{GateKind::Year2024Source};
constexpr Gate FirmItem(std::uint16_t bits) { return {GateKind::FirmItems, bits}; }
constexpr Gate EntriesItem(std::uint16_t bits) { return {GateKind::Entries, bits}; }
constexpr Gate AddOn(std::uint16_t bits) { return {GateKind::AddOns, bits}; }

// Item 6: the firm text data, with the place of the 2023 data that the annual
// settings conversion recorded.
// A file that could not be loaded was shown in a box, which the user closed: the log
// keeps the failure with the file's name, without a second key wait.
void CarryFirmText(const FirmCopies& firm) {
    constexpr std::string_view kName = "FIRMATXT.INI";
    const std::string source = firm.paths.SourceFile(kName);
    const std::string target = firm.paths.TargetFile(kName);
    switch (product::CarryOverFirmText(source, target, firm.annual.previousYearLocation)) {
        case product::FirmTextCarry::Done:
            break;
        case product::FirmTextCarry::SourceUnreadable:
            NoteFailure(target, platform::err::Ok);
            LogLineIn(tui::logcolour::Error, "Błąd odczytu danych firmy "_cp, source);
            break;
        case product::FirmTextCarry::TargetUnopened:
            NoteFailure(target, platform::err::Ok);
            LogLineIn(tui::logcolour::Error, "Błąd odczytu danych firmy "_cp, target);
            break;
        case product::FirmTextCarry::TargetNotSaved:
            ReportError("Błąd zapisu do pliku "_cp, target);
            break;
    }
}

// Items 14 and 15: the 2024 file that the 2023 program kept is the source when the
// firm's settings came from 2024 too, else when the user keeps it; otherwise the
// 2023 file is.
void ConvertTaxData(const FirmCopies& firm, std::string_view name2023, std::string_view name2024,
                    bool (*converter)(product::RecordBytes, product::RecordBuffer, const TaxDataContext&)) {
    std::string_view source = name2023;
    const bool year2024Source = firm.annual.year2024Source;
    if (FileIsPresent(firm.paths.SourceFile(name2024)) && (year2024Source || AskOverwrite(name2024)))
        source = name2024;
    const TaxDataContext context{firm.options.pitDSelection, year2024Source};
    firm.Convert(source, name2024, product::TaxDataRecord::kSize,
                 [converter, context](product::RecordBytes from, product::RecordBuffer to) { return converter(from, to, context); });
}

// The payroll settings of 2024: the year and the working days of each of its months.
bool SetPayrollYear(std::span<std::uint8_t> record) {
    using Payroll = product::PayrollSettingsRecord;
    product::WriteWord(record, Payroll::kYear, 2024);
    std::copy(Payroll::kWorkingDays2024.begin(), Payroll::kWorkingDays2024.end(),
              record.begin() + static_cast<std::ptrdiff_t>(Payroll::kWorkingDays));
    return true;
}

// Item 26: the 2023 settings turned into 2024 ones, unless the firm's settings came
// from 2024 and the 2023 program kept the 2024 payroll settings; then the kept file.
void CarryPayrollSettings(const FirmCopies& firm) {
    constexpr std::string_view kKept = "2024_lp2.cc";
    if (!firm.annual.year2024Source || !FileIsPresent(firm.paths.SourceFile(kKept)))
        firm.Records("2023_lp2.cc", kKept, product::PayrollSettingsRecord::kSize, SetPayrollYear);
    firm.Named(kKept);
}

// Item 25: the user's own list; an entry whose names would leave the firm's
// directories is refused.
void CopyExtraFiles(const FirmCopies& firm) {
    for (const std::string& entry : firm.extraFiles) {
        const auto [from, to] = NamedCopyNames(entry);
        if (IsPlainFileName(from) && IsPlainFileName(to))
            firm.Named(entry);
        else
            RefuseFileName(entry);
    }
}

// The register names of stbazy.rek, up to the first record that cannot be read. A
// list that cannot be opened or read is reported: the registers it would have named
// are not carried.
std::vector<std::string> RegisterNames(const std::string& path) {
    using Register = product::AssetRegisterRecord;
    std::vector<std::string> names;
    platform::FileHandle file;
    if (platform::OpenSharedFile(path, platform::mode::ReadOnly | platform::mode::DenyNone, file) != platform::err::Ok) {
        ReportError("Błąd otwarcia pliku "_cp, path);
        return names;
    }
    std::array<std::uint8_t, Register::kSize> record{};
    std::size_t done = 0;
    int read = platform::err::Ok;
    while ((read = platform::ReadFromFile(file, record.data(), record.size(), done)) == platform::err::Ok &&
           done == record.size())
        names.push_back(product::ReadText(record, Register::kName));
    platform::CloseFile(file);  // only read: a failed close loses nothing
    if (read != platform::err::Ok) ReportError("Błąd odczytu danych z "_cp, path);
    return names;
}

// Item 38, after the add-on's own files: every register but the main one, whose
// data are in srodki.rek, is a file of its own.
void CopyAssetRegisters(const FirmCopies& firm) {
    constexpr std::string_view kRegisterList = "stbazy.rek";
    constexpr std::string_view kMainRegister = "SRODKI";
    const std::string list = firm.paths.SourceFile(kRegisterList);
    if (!FileIsPresent(list)) return;
    for (const std::string& name : RegisterNames(list)) {
        if (tui::UpperString(name) == kMainRegister) continue;
        if (IsPlainFileName(name))
            firm.Named(name + ".REK");
        else
            RefuseFileName(name);
    }
}

template <std::size_t N>
void NamedEach(const FirmCopies& firm, const std::array<std::string_view, N>& names) {
    for (const std::string_view name : names) firm.Named(name);
}

// An item whose records follow the person key table, after a failure of the person
// file: the table lacks persons, or all of them, and every record of theirs would be
// dropped. Nothing is written (an existing 2024 file stays as it is); the firm is
// not complete.
void SkipWithoutPersons(const std::string& target) {
    NoteFailure(target, platform::err::Ok);
    LogLineIn(tui::logcolour::Error, "Pominięto "_cp, target + std::string(" - nie odczytano danych pracowników"_cp));
}

using namespace convert::firm;

// The items in the order they run, numbered as the users' documentation numbers them.
const Item kItems[] = {
    {kYear2024, "Deklaracja VAT-7 z 2024",  // 1
     [](const FirmCopies& f) { f.Blocks("2024vJ17.REK"); }},
    {kYear2024, "Deklaracja VAT-UE z 2024",  // 2
     [](const FirmCopies& f) { f.Pattern("2024UE*.*"); }},
    {kYear2024, "Inne deklaracja VAT 2024",  // 3
     [](const FirmCopies& f) { f.Blocks("2023VXX.REK", "2024VXX.REK"); }},
    {kYear2024, "Suma z kolumn za 2024",  // 4
     [](const FirmCopies& f) { f.Verbatim("2024KOL3.REK", 3552); }},
    {kYear2024, "",  // 5
     [](const FirmCopies& f) { f.Records("2024ZAL.REK", 1024); }},
    {FirmItem(TextData), "",  // 6
     CarryFirmText},
    {FirmItem(TextData), "",  // 7
     [](const FirmCopies& f) { f.Verbatim("FIRMA_A8.REK", 224); }},
    {{GateKind::Always}, "",  // 8
     [](const FirmCopies& f) { f.staff.Start(f.options.staffSelection); }},
    {FirmItem(Staff), "Pracownicy / Właściciele"_cp,  // 9
     [](const FirmCopies& f) {
         f.Convert(kPersonFile, kPersonFile, product::PersonRecord::kSize,
                   [&staff = f.staff](product::RecordBytes from, product::RecordBuffer to) {
                       return staff.ConvertPerson(from, to);
                   });
     }},
    {FirmItem(Staff), "Dane zgłoszeniowe ZUS"_cp,  // 10
     [](const FirmCopies& f) { f.Named("DANE_PZ.DAT"); }},
    {FirmItem(Staff), "Deklaracji PITs",  // 11
     [](const FirmCopies& f) { f.Named("2024PITS.REK"); }},
    {FirmItem(Staff | Families), "Rodziny pracowników"_cp,  // 12: never without the staff
     [](const FirmCopies& f) {
         f.Convert("DANE_PF8.REK", "DANE_PF8.REK", product::FamilyRecord::kSize,
                   [&staff = f.staff](product::RecordBytes from, product::RecordBuffer to) {
                       return ConvertFamilyMember(staff.Keys(), staff.Selection(), from, to);
                   });
     },
     "DANE_PF8.REK"},
    {FirmItem(Staff), "Dane umów o pracę UMOWY.INI"_cp,  // 13
     [](const FirmCopies& f) { f.Named("UMOWY.INI"); }},
    {FirmItem(PitD), "",  // 14
     [](const FirmCopies& f) {
         tui::LogWrite("PID-5 ");
         ConvertTaxData(f, "2023P5.REK", "2024P5.REK", ConvertPid5);
     },
     "2024P5.REK"},
    {FirmItem(PitD), "",  // 15
     [](const FirmCopies& f) {
         tui::LogWrite("\"PIT-28\" ");
         ConvertTaxData(f, "2023P28A.REK", "2024P28A.REK", ConvertPit28);
     },
     "2024P28A.REK"},
    {FirmItem(LocalAddressBase), "Baza adresów"_cp,  // 16
     [](const FirmCopies& f) { f.Verbatim("baza_ad8.rek", 480); }},
    {FirmItem(SalesAutomata), "Automat sprzedaży"_cp,  // 17
     [](const FirmCopies& f) { f.Verbatim("baza_sp9.rek", 512); }},
    {FirmItem(PurchaseAutomata), "Automat zakupów"_cp,  // 18
     [](const FirmCopies& f) { f.Verbatim("baza_za9.rek", 512); }},
    {FirmItem(FunctionKeysAndNotes), "Baza stałych F1..F10"_cp,  // 19
     [](const FirmCopies& f) { f.Text("baza_ff.txt"); }},
    {FirmItem(FunctionKeysAndNotes), "Notatnik",  // 20
     [](const FirmCopies& f) { f.Text("Notatnik.txt"); }},
    {FirmItem(FunctionKeysAndNotes), "Notatka",  // 21
     [](const FirmCopies& f) { f.Text("Notatka.txt"); }},
    {FirmItem(FunctionKeysAndNotes), "Notes",  // 22
     [](const FirmCopies& f) { f.Text("Notes.txt"); }},
    {FirmItem(FunctionKeysAndNotes), "",  // 23
     [](const FirmCopies& f) { NamedEach<4>(f, {"REJ_ATR.REK", "KPR_ATR.REK", "UZD_ATR.REK", "OPISY.REK"}); }},
    {FirmItem(MoneyTransfers), "Baza przelewów"_cp,  // 24
     [](const FirmCopies& f) { f.Verbatim("BAZA_PP8.REK", 432); }},
    {{GateKind::ExtraFiles}, "Lista dodatkowa ....",  // 25
     CopyExtraFiles},
    {FirmItem(SalaryComponents), "Ustawienia lokalne listy wynagrodzeń"_cp,  // 26
     CarryPayrollSettings},
    {FirmItem(ZusPel), "Ustawienia ZUS_PEL",  // 27
     [](const FirmCopies& f) { f.Named("ZUS_PEL.INI"); }},
    {FirmItem(OneOffDepreciation), "Środki umożone jednorazowo (3500) > MT610"_cp,  // 28
     [](const FirmCopies& f) { f.Records("MT610.REK", 768); }},
    {FirmItem(TransferSettings), "Ustawienia przelewów"_cp,  // 29
     [](const FirmCopies& f) { f.Text("BAZA_PP8.INI"); }},
    {FirmItem(InternalDocuments), "Dwody wewnętrzne"_cp,  // 30
     [](const FirmCopies& f) { f.Verbatim("BAZA_DW8.REK", 784); }},
    {FirmItem(InterestNotes), "Wystawiona lista odsetek",  // 31
     [](const FirmCopies& f) { f.Records("ODS_ZOB.REK", 200); }},
    {FirmItem(VatVehicles), "Lista pojazdów dla VAT"_cp,  // 32
     [](const FirmCopies& f) { f.Records("AUTOV26.REK", 320); }},
    {EntriesItem(entries::LedgerDocuments), "Dane wprowadzone do KPR:",  // 33
     [](const FirmCopies& f) { CarryLedgerEntries(f.paths.source, f.paths.target, f.options, f.converted); }},
    {EntriesItem(entries::Salaries), "Wynagrodzenia wprowadzone w 2024",  // 34
     [](const FirmCopies& f) { CarrySalaries(f.paths.source, f.paths.target, f.staff.Keys()); }, "2024WP5.REK"},
    {EntriesItem(entries::Contracts), "Umowy zlecenia wprowadzone w 2024",  // 35
     [](const FirmCopies& f) { CarryContracts(f.paths.source, f.paths.target, f.staff.Keys()); }, "2024UZ5.REK"},
    {EntriesItem(entries::CorrectionNotes), "Noty korygujące z 2024"_cp,  // 36
     [](const FirmCopies& f) { f.Verbatim("2024_NK8.REK", 848); }},
    {EntriesItem(entries::NumberedCopy), "",  // 37
     [](const FirmCopies& f) { f.Numbered("2024D7??.*"); }},
    {AddOn(addon::FixedAssets), "DLL:Środki Trwałe"_cp,  // 38
     [](const FirmCopies& f) {
         NamedEach<5>(f, {"dokument.rek", "srodki.rek", "wyposaz.rek", "st.cnf", "stbazy.rek"});
         CopyAssetRegisters(f);
     }},
    {AddOn(addon::ImportSettings), "DLL : Wsad2KPR.EXE -> kpr_import.xml",  // 39
     [](const FirmCopies& f) { f.Named("kpr_import.xml"); }},
    {AddOn(addon::SalesData), "DLL : dane dla HD602",  // 40
     [](const FirmCopies& f) {
         NamedEach<7>(f, {"OPERATOR.REK", "HD600CNF.REK", "TOWAR.REK", "ADRESY.REK", "WALUTY.REK", "GTULINK.REC",
                          "GTULINK.REK"});
     }},
};

}  // namespace

void RunFirmItems(const FirmCopies& firm) {
    for (const Item& item : kItems) {
        if (FirmStopped()) return;
        if (!IsOpen(item.gate, firm)) continue;
        if (!item.label.empty()) tui::LogWriteLine(item.label);
        if (!item.keyed.empty() && HasFailed(firm.paths.TargetFile(kPersonFile)))
            SkipWithoutPersons(firm.paths.TargetFile(item.keyed));
        else
            item.run(firm);
    }
}

}  // namespace convert

#include "tools/qz-sample/firm_files.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tools/qz-sample/annual_settings_file.h"
#include "tools/qz-sample/asset_registers_file.h"
#include "tools/qz-sample/entry_files.h"
#include "tools/qz-sample/firm_marker_file.h"
#include "tools/qz-sample/firm_text_file.h"
#include "tools/qz-sample/payroll_settings_file.h"
#include "tools/qz-sample/plain_files.h"
#include "tools/qz-sample/polish_names.h"
#include "tools/qz-sample/staff_files.h"
#include "tools/qz-sample/staff_plan.h"

namespace qzsample {

using namespace platform::literals;

namespace {

std::string personLabel(const PersonPlan& person) { return person.surname + " " + person.firstName; }

// Writes the files of one firm; stops at the first file that cannot be written.
class FirmWriter {
public:
    FirmWriter(const FirmPlan& firm, const SampleOptions& options, SampleRandom random, TreeWriter& out)
        : firm_(firm), full_(options.profile == Profile::Full), random_(random), out_(out) {
        staff_ = planStaff(firm, options, random_);
        entriesPerMonth_ = options.entriesPerMonth;
    }

    bool write() {
        annualAndMarker();
        firmText();
        staff();
        taxData();
        kept2024Files();
        bases();
        notes();
        ledger();
        salaries();
        contracts();
        otherEntries();
        fixedAssets();
        addOns();
        return ok_;
    }

private:
    void put(const std::string& name, std::string_view bytes) {
        if (ok_) ok_ = out_.put(firm_.directory + "/" + name, bytes);
    }
    // Optional files: a firm that holds every file has them, the others by chance.
    bool has(int percent) { return firm_.everyFile || random_.chance(percent); }
    // Names that Windows trees sometimes hold in upper case.
    std::string spelled(const std::string& name) const { return firm_.upperCaseNames ? upperAscii(name) : name; }
    std::vector<std::string> staffLabels() const {
        std::vector<std::string> labels;
        for (const PersonPlan& person : staff_.persons)
            if (!isRemoved(person)) labels.push_back(personLabel(person));
        return labels;
    }

    void annualAndMarker() {
        const AnnualSettingsFiles annual = annualSettingsFiles(firm_, random_);
        if (!annual.of2023.empty()) put("2023_ROK.REK", annual.of2023);
        if (!annual.of2024.empty()) put("2024_ROK.REK", annual.of2024);
        put(kFirmMarkerFileName, firmMarkerFile());
    }

    void firmText() {
        put(kFirmTextFileName, firmTextFile(firm_, staff_, random_));
        put("FIRMA_A8.REK", labelledRecords(kFirmShortRecordSize, {firm_.name, firm_.description}));
    }

    void staff() {
        std::vector<RecordBuffer> persons;
        for (const PersonPlan& person : staff_.persons) persons.push_back(personRecord(person));
        put("DANE_PR8.REK", joinRecords(persons));
        put("DANE_PZ.DAT", labelledRecords(512, staffLabels()));
        if (!staff_.family.empty()) {
            std::vector<RecordBuffer> family;
            for (const FamilyPlan& member : staff_.family) family.push_back(familyRecord(member));
            put("DANE_PF8.REK", joinRecords(family));
        }
        put("UMOWY.INI", textLines({"[UMOWY]", "OKRES_PROBNY=3", std::string("WZOR1=Umowa o pracę"_cp)}));
        if (has(60)) put("2024PITS.REK", labelledRecords(1024, staffLabels()));
    }

    // PID-5 of 2023 for most persons, PIT-28 of 2023 for the owners.
    void taxData() {
        std::vector<RecordBuffer> pid5;
        std::vector<RecordBuffer> pit28;
        for (const PersonPlan& person : staff_.persons) {
            if (pid5.empty() || random_.chance(70)) pid5.push_back(pid5Record(person, 2023, random_));
            if (person.owner) pit28.push_back(pit28Record(person, 2023, random_));
        }
        put("2023P5.REK", joinRecords(pid5));
        put("2023P28A.REK", joinRecords(pit28));
    }

    // What the 2023 program keeps for 2024 once the firm has started its 2024 annual
    // settings. Beside a 2023_ROK.REK these files make the converter ask which to take.
    void kept2024Files() {
        if (!has2024Settings(firm_)) return;
        std::vector<RecordBuffer> pid5;
        std::vector<RecordBuffer> pit28;
        for (const PersonPlan& person : staff_.persons) {
            if (!continuesInto2024(person)) continue;
            pid5.push_back(pid5Record(person, 2024, random_));
            if (person.owner) pit28.push_back(pit28Record(person, 2024, random_));
        }
        if (!pid5.empty()) put("2024P5.REK", joinRecords(pid5));
        if (!pit28.empty()) put("2024P28A.REK", joinRecords(pit28));
        put("2024_lp2.cc", payrollSettingsFile(2024, random_));
        put("2024vJ17.REK", labelledRecords(1024, {"VAT-7 01/2024"}));
        put("2024UE01.REK", labelledRecords(1024, {"VAT-UE 01/2024"}));
        if (has(50)) put("2024UE02.REK", labelledRecords(1024, {"VAT-UE 02/2024"}));
        put("2023VXX.REK", labelledRecords(1024, {"VAT-9M 01/2024", "VAT-8 01/2024"}));
        put("2024KOL3.REK", labelledRecords(kColumnSumRecordSize, {"Suma kolumn 01/2024"}));
        put("2024ZAL.REK", labelledRecords(kAdvanceRecordSize, {std::string("Zaliczka PIT 01/2024"_cp)}));
    }

    std::vector<std::string> contractorLabels(int low, int high) {
        std::vector<std::string> labels;
        for (int i = random_.between(low, high); i > 0; --i)
            labels.push_back(std::string(random_.pick(firmKinds())) + " " + std::string(random_.pick(surnames()).male) +
                             ", " + std::string(random_.pick(cities()).name));
        return labels;
    }

    void bases() {
        put("baza_ad8.rek", labelledRecords(480, contractorLabels(3, 25)));
        if (has(60)) put(spelled("baza_sp9.rek"), labelledRecords(kAutomatRecordSize, {std::string("Sprzedaż detaliczna"_cp)}));
        if (has(50)) put("baza_za9.rek", labelledRecords(kAutomatRecordSize, {"Zakup paliwa", "Zakup energii"}));
        if (has(50)) {
            put("BAZA_PP8.REK", labelledRecords(kTransferRecordSize, contractorLabels(1, 8)));
            put("BAZA_PP8.INI", textLines({"[PRZELEWY]", "RACHUNEK=1", std::string("TYTUL=Zapłata za fakturę"_cp)}));
        }
        put("2023_lp2.cc", payrollSettingsFile(2023, random_));
        if (has(40)) put("ZUS_PEL.INI", textLines({"[ZUS_PEL]", "UBEZPIECZENIE_WYPADKOWE=1,67"}));
        if (has(30)) put("MT610.REK", labelledRecords(kWrittenOffRecordSize, {"Laptop", "Drukarka laserowa"}));
        if (has(40)) put("BAZA_DW8.REK", labelledRecords(kInternalRecordSize, {"DW 1/2023", "DW 2/2023"}));
        if (has(30)) put("ODS_ZOB.REK", labelledRecords(kInterestRecordSize, {"Nota odsetkowa 1/2023"}));
        if (has(40)) put("AUTOV26.REK", labelledRecords(kVehicleRecordSize, {"Skoda Octavia " + firm_.postCode.substr(0, 2) +
                                                                          " " + std::to_string(random_.between(10000, 99999))}));
    }

    void notes() {
        put("baza_ff.txt", textLines({"F2=" + firm_.name, "F3=" + firm_.city, "F4=ul. " + firm_.street}));
        if (has(60)) put(spelled("Notatnik.txt"), textLines({std::string("Zadzwonić do ZUS"_cp), std::string("Przegląd kasy fiskalnej"_cp)}));
        if (has(40)) put("Notatka.txt", textLines({"Inwentaryzacja 31.12.2023"}));
        if (has(40)) put("Notes.txt", textLines({"Telefon biura: " + std::to_string(random_.between(100000000, 999999999))}));
        if (has(50))
            for (const char* name : {"REJ_ATR.REK", "KPR_ATR.REK", "UZD_ATR.REK", "OPISY.REK"})
                put(name, labelledRecords(128, {name}));
    }

    // Ledger entries of January and of some later months of 2024, with entries struck
    // out, and the repayments of 2023 invoices made in those months.
    void ledger() {
        std::vector<int> months{1};
        if (has(70)) months.push_back(2);
        if (has(40)) months.push_back(3);
        std::vector<std::string> repaid;
        for (int month : months) {
            std::vector<int> days;
            for (int i = 0; i < entriesPerMonth_; ++i) days.push_back(random_.between(1, daysInMonth(month, 2024)));
            std::sort(days.begin(), days.end());
            std::vector<RecordBuffer> entries;
            for (int i = 0; i < entriesPerMonth_; ++i) {
                LedgerEntry entry;
                entry.sequence = static_cast<std::uint32_t>(i + 1);
                entry.date = PackedDate{static_cast<std::uint8_t>(days[i]), static_cast<std::uint8_t>(month), 2024};
                // Every firm shows a struck-out entry in January.
                entry.struckOut = (month == 1 && i == 1) || random_.chance(8);
                entry.document = std::string(random_.pick(documentKinds())) + " " + std::to_string(i + 1) + "/24";
                entry.text = std::string(random_.pick(entryDescriptions()));
                if (random_.chance(40)) entry.text += ", " + std::string(random_.pick(surnames()).male);
                entry.state = 1;
                entries.push_back(ledgerEntryRecord(entry));
            }
            put(ledgerFileName(month), joinRecords(entries));
            if (!(month == 1 && firm_.everyFile) && !random_.chance(50)) continue;
            std::vector<RecordBuffer> repayments;
            for (int i = random_.between(1, 3); i > 0; --i) {
                const std::string document = "FV " + std::to_string(random_.between(1, 300)) + "/" +
                                             twoDigits(random_.between(6, 12)) + "/23";
                repayments.push_back(repaymentRecord(
                    PackedDate{static_cast<std::uint8_t>(random_.between(1, 28)), static_cast<std::uint8_t>(month), 2024},
                    document));
                repaid.push_back(document);
            }
            put(repaymentFileName(month), joinRecords(repayments));
        }
        if (!repaid.empty()) put("2024IDX.REK", labelledRecords(32, repaid));
        salaryMonths_ = std::count(months.begin(), months.end(), 2) ? 2 : 1;
    }

    // January's (and February's) salaries, also of persons who left at the end of 2023
    // and were paid in January.
    void salaries() {
        std::vector<RecordBuffer> records;
        for (int month = 1; month <= salaryMonths_; ++month)
            for (const PersonPlan& person : staff_.persons)
                if (!isRemoved(person) && person.employment != Employment::LeftEarlier &&
                    person.employment != Employment::NoStart)
                    records.push_back(salaryRecord(person.key));
        if (random_.chance(30)) records.push_back(salaryRecord(-std::llabs(staff_.persons.back().key) - 1000));
        if (!records.empty()) put("2024WP5.REK", joinRecords(records));
    }

    // Contracts of continuing persons; in the full profile also one of a person who
    // left and one of a removed person, which the converter reports and drops.
    void contracts() {
        if (!has(60)) return;
        std::vector<RecordBuffer> records;
        auto contract = [&](std::int64_t key) {
            records.push_back(contractRecord(key, random_.amount(300, 6000),
                                             "R/" + std::to_string(random_.between(1, 99)) + "/2024"));
        };
        for (const PersonPlan& person : staff_.persons)
            if (continuesInto2024(person) && random_.chance(25)) contract(person.key);
        if (full_) {
            for (const PersonPlan& person : staff_.persons)
                if (!isRemoved(person) && !continuesInto2024(person) && !person.owner) {
                    contract(person.key);
                    break;
                }
            for (const PersonPlan& person : staff_.persons)
                if (isRemoved(person)) {
                    contract(-person.key);
                    break;
                }
        }
        if (random_.chance(40)) contract(-std::llabs(staff_.persons.front().key));
        if (records.empty()) contract(staff_.persons.front().key);
        put("2024UZ5.REK", joinRecords(records));
    }

    void otherEntries() {
        if (has(40)) put("2024_NK8.REK", labelledRecords(kNoteRecordSize, {"NK 1/2024", "NK 2/2024"}));
        if (has(40)) {
            put("2024D701.REK", labelledRecords(512, {"D7 01/2024"}));
            put("2024D702.TXT", textLines({"Deklaracja 02/2024"}));
        }
    }

    void fixedAssets() {
        if (!has(50)) return;
        static constexpr const char* kMainNames[] = {"SRODKI", "Srodki", "srodki"};
        struct Register {
            std::string_view name;
            std::string_view title;
        };
        static constexpr Register kOthers[] = {
            {"LEASING", "Leasing"},
            {"WNIP", "Wartości niematerialne i prawne"_cp},
            {"NISKOC", "Wyposażenie niskocenne"_cp},
            {"BUDYNKI", "Budynki i budowle"},
            {"MASZYNY", "Maszyny i urządzenia"_cp},
        };
        std::vector<AssetRegister> registers{{kMainNames[random_.below(3)], std::string("Środki trwałe"_cp)}};
        const std::size_t first = random_.below(std::size(kOthers));
        for (int i = random_.between(1, 3); i > 0; --i) {
            const Register& other = kOthers[(first + i) % std::size(kOthers)];
            registers.push_back({std::string(other.name), std::string(other.title)});
        }
        put(spelled("dokument.rek"), labelledRecords(512, {"OT 1/2023", "LT 1/2023"}));
        put("srodki.rek", labelledRecords(512, {std::string("Samochód osobowy"_cp), "Komputer"}));
        put("wyposaz.rek", labelledRecords(512, {"Biurko", std::string("Krzesło"_cp)}));
        put("st.cnf", labelledRecords(128, {"ST"}));
        for (std::size_t i = 1; i < registers.size(); ++i)
            put(registers[i].name + ".REK", labelledRecords(512, {registers[i].title}));
        // A register whose file was deleted: the converter passes it over.
        registers.push_back({"ARCHIWUM", "Archiwum"});
        put(kAssetRegistersFileName, assetRegistersFile(registers));
    }

    void addOns() {
        if (has(30)) put("kpr_import.xml", textLines({"<?xml version=\"1.0\"?>", "<import kpr=\"" + firm_.directory + "\"/>"}));
        if (has(30))
            for (const char* name : {"OPERATOR.REK", "HD600CNF.REK", "TOWAR.REK", "ADRESY.REK", "WALUTY.REK",
                                     "GTULINK.REC", "GTULINK.REK"})
                put(name, labelledRecords(256, {name}));
    }

    const FirmPlan& firm_;
    bool full_;
    SampleRandom random_;
    TreeWriter& out_;
    StaffPlan staff_;
    int entriesPerMonth_ = 0;
    int salaryMonths_ = 1;
    bool ok_ = true;
};

}  // namespace

bool writeFirm(const FirmPlan& firm, const SampleOptions& options, SampleRandom random, TreeWriter& out) {
    return FirmWriter(firm, options, random, out).write();
}

}  // namespace qzsample

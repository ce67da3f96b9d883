#include "product/firm_text.h"

#include <cstdio>
#include <limits>

#include "product/ini_file.h"
#include "tui/polish_text.h"

namespace product {

namespace {

constexpr std::uint16_t kZusBankMissing = 31;  // DEF_ZUS absent: take DEF

// The working year, which forms the year-dependent key names: the year this converter
// writes.
constexpr int kWorkingYear = 2024;

std::string Numbered(std::string_view prefix, int n) { return std::string(prefix) + std::to_string(n); }

// --- Reading and writing single values ---------------------------------------------------

bool DigitsValue(std::string_view text, int& value) {
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return !text.empty();
}

// "dd-mm-yyyy", or "yyyy-mm-dd" when the third character is a digit.
FirmDate ParseDate(std::string_view text) {
    if (text.size() != 10) return {};
    const bool yearFirst = text[2] >= '0' && text[2] <= '9';
    int day = 0;
    int month = 0;
    int year = 0;
    if (!DigitsValue(text.substr(yearFirst ? 8 : 0, 2), day) || !DigitsValue(text.substr(yearFirst ? 5 : 3, 2), month) ||
        !DigitsValue(text.substr(yearFirst ? 0 : 6, 4), year))
        return {};
    if (day < 1 || day > 31 || month < 1 || month > 12 || year < 1 || year > 2999) return {};
    return {static_cast<std::uint8_t>(day), static_cast<std::uint8_t>(month), static_cast<std::uint16_t>(year)};
}

bool FitsNumber(std::int64_t value) { return value >= 0 && value <= std::numeric_limits<std::uint16_t>::max(); }

constexpr std::size_t kGroupLength = 5;  // "$" and four hexadecimal digits

class Reader {
public:
    explicit Reader(const IniFile& ini) : ini_(ini) {}

    void Text(std::string_view section, std::string_view key, std::string& field) {
        field = ini_.ReadString(section, key, {});
    }
    void Number(std::string_view section, std::string_view key, std::uint16_t& field, std::uint16_t defaultValue) {
        const std::int32_t value = ini_.ReadInteger(section, key, defaultValue);
        field = FitsNumber(value) ? static_cast<std::uint16_t>(value) : defaultValue;
    }
    void Flag(std::string_view section, std::string_view key, bool& field, bool defaultValue) {
        field = ini_.ReadBool(section, key, defaultValue);
    }
    void Letter(std::string_view section, std::string_view key, char& field) {
        field = ini_.ReadChar(section, key, ' ');
        if (field == '\0') field = ' ';
    }
    void Date(std::string_view section, std::string_view key, FirmDate& field) {
        field = ParseDate(ini_.ReadString(section, key, {}));
    }
    void Twelve(std::string_view section, std::string_view key, std::array<std::uint16_t, 12>& field) {
        const std::string value = ini_.ReadString(section, key, {});
        for (std::size_t i = 0; i < field.size(); ++i) {
            const std::size_t start = i * kGroupLength;
            std::int32_t number = 0;
            const bool read =
                start < value.size() && ParseIniInteger(std::string_view(value).substr(start, kGroupLength), number);
            field[i] = read && FitsNumber(number) ? static_cast<std::uint16_t>(number) : 0;
        }
    }

private:
    const IniFile& ini_;
};

class Writer {
public:
    explicit Writer(IniFile& ini) : ini_(ini) {}

    void Text(std::string_view section, std::string_view key, const std::string& field) {
        ini_.WriteString(section, key, field);
    }
    void Number(std::string_view section, std::string_view key, std::uint16_t field, std::uint16_t) {
        ini_.WriteInteger(section, key, field);
    }
    void Flag(std::string_view section, std::string_view key, bool field, bool) { ini_.WriteBool(section, key, field); }
    void Letter(std::string_view section, std::string_view key, char field) {
        ini_.WriteChar(section, key, field == '\0' ? ' ' : field);
    }
    void Date(std::string_view section, std::string_view key, const FirmDate& field) {
        ini_.WriteString(section, key, tui::DateText(field.day, field.month, field.year));
    }
    void Twelve(std::string_view section, std::string_view key, const std::array<std::uint16_t, 12>& field) {
        std::string value;
        for (const std::uint16_t number : field) {
            char group[kGroupLength + 1];
            std::snprintf(group, sizeof group, "$%04X", unsigned{number});
            value += group;
        }
        ini_.WriteString(section, key, value);
    }

private:
    IniFile& ini_;
};

// --- The key table -------------------------------------------------------------------------
// Every key in the order it is processed, which is also the order of sections and
// keys in a fresh file. Record is FirmText or const FirmText, as the visitor needs.

template <typename Visitor, typename AddressFields>
void VisitAddress(Visitor& v, std::string_view section, AddressFields& a) {
    v.Text(section, "KRAJ", a.country);
    v.Text(section, "WOJEWODZTWO", a.province);
    v.Text(section, "GMINA", a.commune);
    v.Text(section, "ULICA", a.street);
    v.Text(section, "DOM", a.house);
    v.Text(section, "LOKAL", a.flat);
    v.Text(section, "MIEJSCOWOSC", a.town);
    v.Text(section, "KOD", a.postCode);
    v.Text(section, "POCZTA", a.postOffice);
    v.Text(section, "SKRYTKA", a.postBox);
    v.Text(section, "TELEFON", a.phone);
    v.Text(section, "POWIAT", a.district);
    v.Text(section, "KODUE", a.euCode);
}

template <typename Visitor, typename Record>
void VisitKeys(Visitor& v, Record& r) {
    v.Text("KPR", "NAZWA_ZUS", r.zusName);
    for (int n = 1; n <= 5; ++n) v.Text("KPR", Numbered("INFO", n), r.info[n - 1]);
    constexpr std::string_view kDeclarations[] = {"VAT-7", "PIT-4R", "PIT-8AR", "PIT-XX"};
    for (std::size_t i = 0; i < r.taxOffices.size(); ++i) {
        v.Text("URZEDY_SKARBOWE", kDeclarations[i], r.taxOffices[i].name);
        v.Text("URZEDY_SKARBOWE_EKOD", kDeclarations[i], r.taxOffices[i].code);
    }
    v.Text("KPR", "PATHXML", r.pathXml);
    v.Text("KPR", "PRZEXML", r.przeXml);

    v.Number("FIRMA", "TYP", r.firmType, 0);
    v.Text("FIRMA", "NIP", r.nip);
    v.Text("FIRMA", "REGON", r.regon);

    for (int back = 1; back <= 7; ++back)
        v.Text("PATH", Numbered("KPR", kWorkingYear - back), r.previousYears[back - 1]);

    v.Number("BANKI", "DEF", r.defaultBank, 0);
    v.Number("BANKI", "DEF_ZUS", r.zusBank, kZusBankMissing);
    for (int n = 1; n <= 5; ++n) {
        v.Text("BANKI", Numbered("NAZWA", n), r.banks[n - 1].name);
        v.Text("BANKI", Numbered("NRB", n), r.banks[n - 1].account);
    }
    v.Text("BANKI", "IRKwZUS", r.irkZus);
    v.Date("BANKI", "DATA_ZBA", r.zbaDate);
    v.Text("BANKI", "Mikro", r.mikro);

    v.Text("PPK", "TOW", r.ppkTow);
    v.Text("PPK", "UMO", r.ppkUmo);
    v.Text("PPK", "KON", r.ppkKon);

    auto& p = r.person;
    v.Text("OSOBA_FIZYCZNA", "PESEL", p.pesel);
    v.Text("OSOBA_FIZYCZNA", "NIP", p.nip);
    v.Text("OSOBA_FIZYCZNA", "NAZWISKO", p.surname);
    v.Text("OSOBA_FIZYCZNA", "IMIE1", p.firstName);
    v.Text("OSOBA_FIZYCZNA", "IMIE2", p.secondName);
    v.Text("OSOBA_FIZYCZNA", "TATA", p.father);
    v.Text("OSOBA_FIZYCZNA", "MAMA", p.mother);
    v.Date("OSOBA_FIZYCZNA", "DATA_URODZENIA", p.birthDate);
    v.Text("OSOBA_FIZYCZNA", "MIEJSCE_URODZENIA", p.birthPlace);
    v.Text("OSOBA_FIZYCZNA", "OBYWATELSTWO", p.citizenship);
    v.Letter("OSOBA_FIZYCZNA", "INNY_RODZAJ", p.otherIdKind);
    v.Text("OSOBA_FIZYCZNA", "INNY_NUMER", p.otherIdNumber);

    v.Text("OSOBA_PRAWNA", "NAZWA_PELNA1", r.fullName[0]);
    v.Text("OSOBA_PRAWNA", "NAZWA_PELNA2", r.fullName[1]);
    v.Text("OSOBA_PRAWNA", "NAZWA_SKROCONA", r.shortName);
    v.Date("OSOBA_PRAWNA", "DATA_ROZPOCZECIA", r.startDate);

    v.Text("ORGAN_REJESTROWY", "ORGAN", r.registrationAuthority);
    v.Text("ORGAN_REJESTROWY", "REJESTR", r.registry);
    v.Date("ORGAN_REJESTROWY", "DATA", r.registrationDate);
    v.Text("ORGAN_REJESTROWY", "NUMER", r.registrationNumber);
    v.Text("ORGAN_REJESTROWY", "KOD", r.registrationCode);
    v.Text("ORGAN_REJESTROWY", "ORZAL", r.registrationOrzal);

    VisitAddress(v, "ADRES_SIEDZIBY", r.seat);
    v.Text("ADRES_SIEDZIBY", "KODGMINY", r.seatCommuneCode);
    v.Flag("ADRES_SIEDZIBY", "IAP", r.seatIap, false);
    VisitAddress(v, "ADRES_KOREPONDENCJA", r.correspondence);
    v.Text("ADRES_KOREPONDENCJA", "EMAIL", r.correspondenceEmail);
    v.Text("ADRES_KOREPONDENCJA", "FAKS", r.correspondenceFax);
    VisitAddress(v, "ADRES_ZAMIESZKANIA", r.residence);
    VisitAddress(v, "ADRES_DOKUMENTACJI", r.documents);

    for (int n = 1; n <= 2; ++n) {
        v.Text("DZIALALNOSC", Numbered("OPIS", n), r.activities[n - 1].description);
        v.Text("DZIALALNOSC", Numbered("KGN", n), r.activities[n - 1].kgn);
        v.Text("DZIALALNOSC", Numbered("EKD", n), r.activities[n - 1].ekd);
    }

    v.Text("UPOWAZNIONY", "NAZWISKO", r.authorisedSurname);
    v.Text("UPOWAZNIONY", "IMIE", r.authorisedName);
    v.Text("UPOWAZNIONY", "TELEFON", r.authorisedPhone);
    v.Text("UPOWAZNIONY", "EMAIL", r.authorisedEmail);
    v.Text("UPOWAZNIONY", "ST-KO", r.authorisedStKo);

    v.Text("RODO", "iod_nazwisko", r.iodSurname);
    v.Text("RODO", "iod_imie", r.iodName);
    v.Text("RODO", "iod_email", r.iodEmail);
    v.Text("RODO", "fpd_nazwa", r.fpdName);
    v.Text("RODO", "fpd_adres", r.fpdAddress);
    v.Text("RODO", "fpd_NIP", r.fpdNip);
    v.Text("RODO", "fpd_email", r.fpdEmail);

    v.Text("BR", "NAZWA", r.brName);
    v.Text("BR", "NIP", r.brNip);
    v.Text("BR", "REGON", r.brRegon);
    v.Text("BR", "UMOWA", r.brContract);

    v.Date("ZUS_ZxA", "DATAPOSK", r.zusSubmitted);
    v.Date("ZUS_ZxA", "WYPELNIONO", r.zusFilled);
    v.Text("ZUS_ZxA", "ZWPA_KOD", r.zwpaCode);
    v.Date("ZUS_ZxA", "ZWPA_DATA", r.zwpaDate);
    v.Flag("ZUS_ZxA", "ZPWA_KOR", r.zpwaCorrection, false);
    v.Text("ZUS_ZxA", "PPPATH", r.ppPath);
    v.Letter("ZUS_ZxA", "DRAI01", r.drai01);
    v.Number("ZUS_ZxA", Numbered("RENT", kWorkingYear - 1), r.rentPrevious, 0);
    v.Number("ZUS_ZxA", Numbered("RENT", kWorkingYear), r.rentCurrent, 0);
    v.Number("ZUS_ZxA", "RxA", r.rxa, 0);
    v.Number("ZUS_ZxA", "zwFGSP", r.zwFgsp, 0);
    v.Twelve("ZUS_ZxA", Numbered("DRAIX02_", kWorkingYear), r.draix02);

    v.Number("ZIPA", "I", r.zipaI, 0);
    v.Text("ZIPA", "01", r.zipa01to03[0]);
    v.Text("ZIPA", "02", r.zipa01to03[1]);
    v.Text("ZIPA", "03", r.zipa01to03[2]);
    v.Letter("ZIPA", "04", r.zipa04);
    v.Text("ZIPA", "05", r.zipa05to08[0]);
    v.Text("ZIPA", "06", r.zipa05to08[1]);
    v.Text("ZIPA", "07", r.zipa05to08[2]);
    v.Text("ZIPA", "08", r.zipa05to08[3]);
    v.Date("ZIPA", "09", r.zipa09);
    v.Date("ZIPA", "IV09", r.zipaIv09);

    v.Flag("KPR", "FAS", r.fas, true);
}

}  // namespace

void ReadFirmText(const IniFile& ini, FirmText& record) {
    record = FirmText{};
    Reader reader(ini);
    VisitKeys(reader, record);
    if (record.zusBank == kZusBankMissing) record.zusBank = record.defaultBank;
}

void WriteFirmText(IniFile& ini, const FirmText& record) {
    Writer writer(ini);
    VisitKeys(writer, record);
}

}  // namespace product

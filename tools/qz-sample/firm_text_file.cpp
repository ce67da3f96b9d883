#include "tools/qz-sample/firm_text_file.h"

#include <cstdio>
#include <map>

#include "platform/cp852.h"
#include "tools/qz-sample/identifiers.h"
#include "tools/qz-sample/ini_text.h"
#include "tools/qz-sample/polish_names.h"

namespace qzsample {

using namespace platform::literals;

namespace {

constexpr int kYear = 2023;  // the working year of the program that wrote the file

// Writes the keys of one file with the spelling habits of that file.
class FirmTextBuilder {
public:
    explicit FirmTextBuilder(SampleRandom& random) : random_(random) {}

    void text(std::string_view section, std::string_view key, std::string_view value) {
        ini_.add(sectionName(section), keyName(key), value);
    }
    void number(std::string_view section, std::string_view key, int value) {
        // A few values were typed by hand in hexadecimal or with a leading blank.
        std::string written = std::to_string(value);
        if (random_.chance(5)) {
            char hex[16];
            std::snprintf(hex, sizeof hex, "$%X", value);
            written = hex;
        } else if (random_.chance(5)) {
            written = " " + written;
        }
        text(section, key, written);
    }
    void flag(std::string_view section, std::string_view key, bool value) {
        const std::string written = value ? "TAK" : "NIE";
        text(section, key, random_.chance(10) ? lowerAscii(written) : written);
    }
    void letter(std::string_view section, std::string_view key, char value) {
        text(section, key, value == ' ' ? std::string() : std::string(1, value));
    }
    void date(std::string_view section, std::string_view key, PackedDate value) {
        text(section, key, dateText(value));
    }
    void twelveNumbers(std::string_view section, std::string_view key, const int (&values)[12]) {
        std::string written;
        char group[8];
        for (int value : values) {
            std::snprintf(group, sizeof group, "$%04X", value);
            written += group;
        }
        text(section, key, written);
    }
    void headLine(std::string_view line) { ini_.addHeadLine(line); }
    std::string render(std::string_view lineEnd) const { return ini_.render(lineEnd); }

private:
    // Day-first is what the program writes; year-first came from older versions;
    // some dates were never filled in, some were typed in a form nobody reads.
    std::string dateText(PackedDate value) {
        if (value.empty()) return "-";
        const std::string day = twoDigits(value.day);
        const std::string month = twoDigits(value.month);
        const std::string year = std::to_string(value.year);
        const int roll = random_.between(1, 100);
        if (roll <= 65) return day + "-" + month + "-" + year;
        if (roll <= 85) return year + "-" + month + "-" + day;
        if (roll <= 93) return "-";
        if (roll <= 97) return std::to_string(value.day) + "." + std::to_string(value.month) + "." + year;
        return year + "-13-" + day;
    }

    std::string keyName(std::string_view key) {
        if (!random_.chance(6)) return std::string(key);
        const std::string spelled(key);
        return lowerAscii(spelled) == spelled ? upperAscii(spelled) : lowerAscii(spelled);
    }

    std::string sectionName(std::string_view section) {
        auto [at, fresh] = sections_.try_emplace(std::string(section), std::string(section));
        if (fresh && random_.chance(10)) at->second = std::string(1, section[0]) + lowerAscii(std::string(section.substr(1)));
        return at->second;
    }

    SampleRandom& random_;
    IniText ini_;
    std::map<std::string, std::string> sections_;
};

PackedDate someDate(SampleRandom& random, int firstYear, int lastYear) {
    return PackedDate{static_cast<std::uint8_t>(random.between(1, 28)), static_cast<std::uint8_t>(random.between(1, 12)),
                      static_cast<std::uint16_t>(random.between(firstYear, lastYear))};
}

void address(FirmTextBuilder& out, std::string_view section, const FirmPlan& firm, const std::string& phone) {
    out.text(section, "KRAJ", "Polska");
    out.text(section, "WOJEWODZTWO", firm.voivodeship);
    out.text(section, "GMINA", firm.city);
    out.text(section, "ULICA", firm.street);
    out.text(section, "DOM", std::to_string(firm.house));
    out.text(section, "LOKAL", "");
    out.text(section, "MIEJSCOWOSC", firm.city);
    out.text(section, "KOD", firm.postCode);
    out.text(section, "POCZTA", firm.city);
    out.text(section, "SKRYTKA", "");
    out.text(section, "TELEFON", phone);
    out.text(section, "POWIAT", firm.city);
    out.text(section, "KODUE", "PL");
}

void emptyAddress(FirmTextBuilder& out, std::string_view section) {
    for (const char* key : {"KRAJ", "WOJEWODZTWO", "GMINA", "ULICA", "DOM", "LOKAL", "MIEJSCOWOSC", "KOD", "POCZTA",
                            "SKRYTKA", "TELEFON", "POWIAT", "KODUE"})
        out.text(section, key, "");
}

}  // namespace

std::string firmTextFile(const FirmPlan& firm, const StaffPlan& staff, SampleRandom& random) {
    FirmTextBuilder out(random);
    const PersonPlan& owner = staff.persons.front();
    const std::string nip = makeNip(random);
    const std::string phone = "4" + std::to_string(random.between(2, 9)) + " " + std::to_string(random.between(100, 999)) +
                              " " + std::to_string(random.between(10, 99)) + " " + std::to_string(random.between(10, 99));
    const std::string email = lowerAscii(firm.directory) + "@firma.pl";
    const std::string office(random.pick(taxOffices()));
    const std::string officeCode = std::to_string(random.between(1001, 3299));
    const int founded = random.between(2008, 2022);

    if (random.chance(30)) out.headLine("; Dane firmy - plik zapisany przez program KPR_QZ");
    out.text("KPR", "NAZWA_ZUS", firm.name);
    out.text("KPR", "INFO1", firm.name);
    out.text("KPR", "INFO2", "ul. " + firm.street + " " + std::to_string(firm.house));
    out.text("KPR", "INFO3", firm.postCode + " " + firm.city);
    out.text("KPR", "INFO4", "NIP " + nip);
    out.text("KPR", "INFO5", "");
    for (const char* form : {"VAT-7", "PIT-4R", "PIT-8AR", "PIT-XX"}) {
        out.text("URZEDY_SKARBOWE", form, office);
        out.text("URZEDY_SKARBOWE_EKOD", form, officeCode);
    }
    out.text("KPR", "PATHXML", "C:\\KPR_QZ\\XML\\" + firm.directory);
    out.text("KPR", "PRZEXML", random.chance(50) ? "C:\\KPR_QZ\\PRZELEWY" : "");
    // A key the 2024 converter does not know: it stays behind.
    out.text("KPR", "WERSJA", "23." + std::to_string(random.between(1, 12)));
    out.number("FIRMA", "TYP", random.between(0, 3));
    out.text("FIRMA", "NIP", nip);
    out.text("FIRMA", "REGON", makeRegon(random));
    if (random.chance(30)) out.text("FIRMA", "UWAGI", "Rozliczenie kwartalne do 2021"_cp);
    for (int year = kYear - 1; year >= kYear - 7; --year)
        out.text("PATH", "KPR" + std::to_string(year),
                 year >= founded ? "\\KPR_" + std::to_string(year) + "\\" + firm.directory : "");

    const int defaultBank = random.between(1, 2);
    out.number("BANKI", "DEF", defaultBank);
    const int zusBank = random.between(1, 100);
    if (zusBank > 30) out.number("BANKI", "DEF_ZUS", zusBank <= 60 ? 31 : random.between(1, 2));
    const int banks = random.between(1, 3);
    for (int i = 1; i <= 5; ++i) {
        const std::string digit = std::to_string(i);
        out.text("BANKI", "NAZWA" + digit, i <= banks ? std::string(random.pick(bankNames())) : "");
        out.text("BANKI", "NRB" + digit, i <= banks ? makeNrb(random) : "");
    }
    out.text("BANKI", "IRKwZUS", makeNrb(random));
    out.date("BANKI", "DATA_ZBA", someDate(random, 2019, 2023));
    out.text("BANKI", "Mikro", random.chance(60) ? makeNrb(random) : "");
    out.text("PPK", "TOW", random.chance(50) ? "PZU TFI S.A." : "");
    out.text("PPK", "UMO", random.chance(50) ? "PPK/" + std::to_string(random.between(100, 999)) + "/2019" : "");
    out.text("PPK", "KON", "");

    out.text("OSOBA_FIZYCZNA", "PESEL", owner.pesel);
    out.text("OSOBA_FIZYCZNA", "NIP", nip);
    out.text("OSOBA_FIZYCZNA", "NAZWISKO", owner.surname);
    out.text("OSOBA_FIZYCZNA", "IMIE1", owner.firstName);
    const auto firstNames = owner.female ? femaleFirstNames() : maleFirstNames();
    out.text("OSOBA_FIZYCZNA", "IMIE2", random.chance(40) ? std::string(random.pick(firstNames)) : "");
    out.text("OSOBA_FIZYCZNA", "TATA", std::string(random.pick(maleFirstNames())));
    out.text("OSOBA_FIZYCZNA", "MAMA", std::string(random.pick(femaleFirstNames())));
    out.date("OSOBA_FIZYCZNA", "DATA_URODZENIA", owner.birth);
    out.text("OSOBA_FIZYCZNA", "MIEJSCE_URODZENIA", std::string(random.pick(cities()).name));
    out.text("OSOBA_FIZYCZNA", "OBYWATELSTWO", "polskie");
    out.letter("OSOBA_FIZYCZNA", "INNY_RODZAJ", random.chance(20) ? '1' : ' ');
    out.text("OSOBA_FIZYCZNA", "INNY_NUMER", "");

    const bool partnership = firm.name.ends_with("s.c.");
    out.text("OSOBA_PRAWNA", "NAZWA_PELNA1", partnership ? firm.name : "");
    out.text("OSOBA_PRAWNA", "NAZWA_PELNA2", partnership ? "Spółka cywilna"_cp : ""_cp);
    out.text("OSOBA_PRAWNA", "NAZWA_SKROCONA", partnership ? firm.directory : "");
    out.date("OSOBA_PRAWNA", "DATA_ROZPOCZECIA", partnership ? someDate(random, founded, founded) : PackedDate{});
    out.text("ORGAN_REJESTROWY", "ORGAN", "Minister Rozwoju i Technologii");
    out.text("ORGAN_REJESTROWY", "REJESTR", "CEIDG");
    out.date("ORGAN_REJESTROWY", "DATA", someDate(random, founded, founded));
    out.text("ORGAN_REJESTROWY", "NUMER", "");
    out.text("ORGAN_REJESTROWY", "KOD", "");
    out.text("ORGAN_REJESTROWY", "ORZAL", "");

    address(out, "ADRES_SIEDZIBY", firm, phone);
    out.text("ADRES_SIEDZIBY", "KODGMINY", std::to_string(random.between(1000000, 3299999)));
    out.flag("ADRES_SIEDZIBY", "IAP", random.chance(20));
    address(out, "ADRES_KOREPONDENCJA", firm, phone);
    out.text("ADRES_KOREPONDENCJA", "EMAIL", email);
    out.text("ADRES_KOREPONDENCJA", "FAKS", "");
    address(out, "ADRES_ZAMIESZKANIA", firm, phone);
    emptyAddress(out, "ADRES_DOKUMENTACJI");

    out.text("DZIALALNOSC", "OPIS1", firm.kind);
    out.text("DZIALALNOSC", "KGN1", "");
    out.text("DZIALALNOSC", "EKD1", twoDigits(random.between(10, 96)) + "." + twoDigits(random.between(10, 99)) + ".Z");
    out.text("DZIALALNOSC", "OPIS2", "");
    out.text("DZIALALNOSC", "KGN2", "");
    out.text("DZIALALNOSC", "EKD2", "");
    out.text("UPOWAZNIONY", "NAZWISKO", owner.surname);
    out.text("UPOWAZNIONY", "IMIE", owner.firstName);
    out.text("UPOWAZNIONY", "TELEFON", phone);
    out.text("UPOWAZNIONY", "EMAIL", email);
    out.text("UPOWAZNIONY", "ST-KO", "");
    out.text("RODO", "iod_nazwisko", "");
    out.text("RODO", "iod_imie", "");
    out.text("RODO", "iod_email", "");
    out.text("RODO", "fpd_nazwa", "Biuro Rachunkowe \"Bilans\""_cp);
    out.text("RODO", "fpd_adres", firm.postCode + " " + firm.city);
    out.text("RODO", "fpd_NIP", makeNip(random));
    out.text("RODO", "fpd_email", "biuro@bilans.pl");
    out.text("BR", "NAZWA", "Biuro Rachunkowe \"Bilans\""_cp);
    out.text("BR", "NIP", makeNip(random));
    out.text("BR", "REGON", makeRegon(random));
    out.text("BR", "UMOWA", "1/" + std::to_string(founded));

    out.date("ZUS_ZxA", "DATAPOSK", someDate(random, founded, 2023));
    out.date("ZUS_ZxA", "WYPELNIONO", someDate(random, founded, 2023));
    out.text("ZUS_ZxA", "ZWPA_KOD", "");
    out.date("ZUS_ZxA", "ZWPA_DATA", PackedDate{});
    out.flag("ZUS_ZxA", "ZPWA_KOR", false);
    out.text("ZUS_ZxA", "PPPATH", "");
    out.letter("ZUS_ZxA", "DRAI01", random.chance(30) ? 'T' : ' ');
    out.number("ZUS_ZxA", "RENT" + std::to_string(kYear - 1), random.between(0, 1));
    out.number("ZUS_ZxA", "RENT" + std::to_string(kYear), random.between(0, 1));
    out.number("ZUS_ZxA", "RxA", random.between(0, 2));
    out.number("ZUS_ZxA", "zwFGSP", random.between(0, 1));
    int monthly[12];
    for (int& value : monthly) value = random.between(0, 12);
    out.twelveNumbers("ZUS_ZxA", "DRAIX02_" + std::to_string(kYear), monthly);
    // The 2023 program writes the next year's key too once the user has looked ahead.
    if (random.chance(30)) out.twelveNumbers("ZUS_ZxA", "DRAIX02_" + std::to_string(kYear + 1), monthly);
    out.number("ZIPA", "I", random.between(0, 1));
    for (const char* key : {"01", "02", "03"}) out.text("ZIPA", key, "");
    out.letter("ZIPA", "04", ' ');
    for (const char* key : {"05", "06", "07", "08"}) out.text("ZIPA", key, "");
    out.date("ZIPA", "09", PackedDate{});
    out.date("ZIPA", "IV09", PackedDate{});
    out.flag("KPR", "FAS", !random.chance(20));
    // A section of an add-on that the converter knows nothing about.
    if (random.chance(50)) {
        out.text("DRUKI", "MARGINES", std::to_string(random.between(0, 15)));
        out.text("DRUKI", "KOPIE", std::to_string(random.between(1, 3)));
    }
    return out.render(random.chance(20) ? "\n" : "\r\n");
}

}  // namespace qzsample

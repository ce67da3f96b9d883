#include "tools/qz-sample/polish_names.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>

#include "platform/cp852.h"

namespace qzsample {

using namespace platform::literals;

namespace {

constexpr Surname kSurnames[] = {
    {"Kowalski"_cp, "Kowalska"_cp},       {"Nowak"_cp, "Nowak"_cp},
    {"Wiśniewski"_cp, "Wiśniewska"_cp},   {"Wójcik"_cp, "Wójcik"_cp},
    {"Kowalczyk"_cp, "Kowalczyk"_cp},     {"Kamiński"_cp, "Kamińska"_cp},
    {"Lewandowski"_cp, "Lewandowska"_cp}, {"Zieliński"_cp, "Zielińska"_cp},
    {"Szymański"_cp, "Szymańska"_cp},     {"Woźniak"_cp, "Woźniak"_cp},
    {"Dąbrowski"_cp, "Dąbrowska"_cp},     {"Kozłowski"_cp, "Kozłowska"_cp},
    {"Jankowski"_cp, "Jankowska"_cp},     {"Mazur"_cp, "Mazur"_cp},
    {"Kwiatkowski"_cp, "Kwiatkowska"_cp}, {"Krawczyk"_cp, "Krawczyk"_cp},
    {"Piotrowski"_cp, "Piotrowska"_cp},   {"Grabowski"_cp, "Grabowska"_cp},
    {"Pawłowski"_cp, "Pawłowska"_cp},     {"Michalski"_cp, "Michalska"_cp},
    {"Król"_cp, "Król"_cp},               {"Wieczorek"_cp, "Wieczorek"_cp},
    {"Jabłoński"_cp, "Jabłońska"_cp},     {"Wróbel"_cp, "Wróbel"_cp},
    {"Majewski"_cp, "Majewska"_cp},       {"Olszewski"_cp, "Olszewska"_cp},
    {"Stępień"_cp, "Stępień"_cp},         {"Górski"_cp, "Górska"_cp},
    {"Rutkowski"_cp, "Rutkowska"_cp},     {"Sikora"_cp, "Sikora"_cp},
    {"Walczak"_cp, "Walczak"_cp},         {"Baran"_cp, "Baran"_cp},
    {"Szewczyk"_cp, "Szewczyk"_cp},       {"Pietrzak"_cp, "Pietrzak"_cp},
    {"Żak"_cp, "Żak"_cp},                 {"Łukasik"_cp, "Łukasik"_cp},
    {"Ślusarczyk"_cp, "Ślusarczyk"_cp},   {"Źrałek"_cp, "Źrałek"_cp},
    {"Ćwikliński"_cp, "Ćwiklińska"_cp},   {"Gołębiowski"_cp, "Gołębiowska"_cp},
};

constexpr std::string_view kMaleFirstNames[] = {
    "Jan"_cp,     "Piotr"_cp,   "Krzysztof"_cp, "Andrzej"_cp,    "Tomasz"_cp, "Paweł"_cp,  "Michał"_cp,
    "Marcin"_cp,  "Łukasz"_cp,  "Grzegorz"_cp,  "Józef"_cp,      "Jerzy"_cp,  "Mateusz"_cp, "Wojciech"_cp,
    "Zbigniew"_cp, "Stanisław"_cp, "Kazimierz"_cp, "Bartłomiej"_cp, "Maciej"_cp, "Jacek"_cp,
};

constexpr std::string_view kFemaleFirstNames[] = {
    "Anna"_cp,   "Maria"_cp,  "Katarzyna"_cp, "Małgorzata"_cp, "Agnieszka"_cp, "Barbara"_cp, "Ewa"_cp,
    "Krystyna"_cp, "Elżbieta"_cp, "Zofia"_cp, "Joanna"_cp,  "Magdalena"_cp, "Beata"_cp,  "Jadwiga"_cp,
    "Danuta"_cp, "Halina"_cp, "Grażyna"_cp, "Żaneta"_cp,    "Urszula"_cp,   "Łucja"_cp,
};

constexpr std::string_view kFirmKinds[] = {
    "Usługi Transportowe"_cp,     "Usługi Budowlane"_cp,     "Zakład Stolarski"_cp,
    "Przedsiębiorstwo Handlowe"_cp, "Piekarnia"_cp,          "Sklep Spożywczy"_cp,
    "Biuro Rachunkowe"_cp,        "Warsztat Samochodowy"_cp, "Gabinet Stomatologiczny"_cp,
    "Kwiaciarnia"_cp,             "Hurtownia Elektryczna"_cp, "P.H.U."_cp,
    "F.H.U."_cp,                  "Pracownia Krawiecka"_cp,  "Zakład Fryzjerski"_cp,
    "Cukiernia"_cp,               "Usługi Ogólnobudowlane"_cp, "Ośrodek Szkolenia Kierowców"_cp,
};

constexpr std::string_view kTradeNames[] = {
    "Złoty Kłos"_cp, "Pod Dębem"_cp, "Żagiel"_cp,   "Świt"_cp,  "Jaskółka"_cp,
    "Bałtyk"_cp,     "Róża"_cp,      "Źródełko"_cp, "Orzeł"_cp, "Ćma"_cp,
};

constexpr City kCities[] = {
    {"Łódź"_cp, "łódzkie"_cp, "90-"},          {"Kraków"_cp, "małopolskie"_cp, "30-"},
    {"Gdańsk"_cp, "pomorskie"_cp, "80-"},      {"Poznań"_cp, "wielkopolskie"_cp, "60-"},
    {"Wrocław"_cp, "dolnośląskie"_cp, "50-"},  {"Białystok"_cp, "podlaskie"_cp, "15-"},
    {"Rzeszów"_cp, "podkarpackie"_cp, "35-"},  {"Toruń"_cp, "kujawsko-pomorskie"_cp, "87-"},
    {"Częstochowa"_cp, "śląskie"_cp, "42-"},   {"Bielsko-Biała"_cp, "śląskie"_cp, "43-"},
    {"Zielona Góra"_cp, "lubuskie"_cp, "65-"}, {"Kielce"_cp, "świętokrzyskie"_cp, "25-"},
    {"Opole"_cp, "opolskie"_cp, "45-"},        {"Świdnica"_cp, "dolnośląskie"_cp, "58-"},
    {"Żyrardów"_cp, "mazowieckie"_cp, "96-"},  {"Głogów"_cp, "dolnośląskie"_cp, "67-"},
    {"Olsztyn"_cp, "warmińsko-mazurskie"_cp, "10-"}, {"Płock"_cp, "mazowieckie"_cp, "09-"},
    {"Radom"_cp, "mazowieckie"_cp, "26-"},     {"Warszawa"_cp, "mazowieckie"_cp, "00-"},
};

constexpr std::string_view kStreets[] = {
    "Długa"_cp,    "Polna"_cp,       "Leśna"_cp,          "Słoneczna"_cp,      "Krótka"_cp,
    "Szkolna"_cp,  "Ogrodowa"_cp,    "Lipowa"_cp,         "Kościuszki"_cp,     "Mickiewicza"_cp,
    "Żeromskiego"_cp, "Piłsudskiego"_cp, "Wojska Polskiego"_cp, "3 Maja"_cp,    "Łąkowa"_cp,
};

constexpr std::string_view kBankNames[] = {
    "PKO BP S.A."_cp, "Bank Pekao S.A."_cp, "mBank S.A."_cp, "ING Bank Śląski S.A."_cp,
    "Santander Bank Polska S.A."_cp, "Bank Spółdzielczy w Głogowie"_cp,
};

constexpr std::string_view kTaxOffices[] = {
    "Urząd Skarbowy Łódź-Bałuty"_cp, "Pierwszy Urząd Skarbowy w Krakowie"_cp,
    "Urząd Skarbowy w Głogowie"_cp,  "Drugi Urząd Skarbowy w Gdańsku"_cp,
    "Urząd Skarbowy Poznań-Wilda"_cp, "Urząd Skarbowy w Żyrardowie"_cp,
};

constexpr std::string_view kEntryDescriptions[] = {
    "Zakup towarów handlowych"_cp, "Sprzedaż usług"_cp,          "Paliwo do samochodu"_cp,
    "Energia elektryczna"_cp,     "Czynsz za lokal"_cp,          "Usługi księgowe"_cp,
    "Materiały biurowe"_cp,       "Wynagrodzenia za grudzień"_cp, "Składki ZUS"_cp,
    "Naprawa sprzętu"_cp,         "Opłata za telefon"_cp,        "Sprzedaż towarów"_cp,
    "Ubezpieczenie OC pojazdu"_cp, "Zakup części zamiennych"_cp, "Usługa transportowa"_cp,
};

constexpr std::string_view kDocumentKinds[] = {"FV"_cp, "FZ"_cp, "RK"_cp, "WB"_cp, "DW"_cp, "PAR"_cp, "LP"_cp};

// The Polish letters of code page 852 and the plain letters they fold to.
struct Fold {
    std::uint8_t byte;
    char plain;
};
constexpr Fold kFolds[] = {
    {165, 'A'}, {164, 'A'}, {134, 'C'}, {143, 'C'}, {169, 'E'}, {168, 'E'}, {136, 'L'}, {157, 'L'}, {228, 'N'},
    {227, 'N'}, {162, 'O'}, {224, 'O'}, {152, 'S'}, {151, 'S'}, {190, 'Z'}, {189, 'Z'}, {171, 'Z'}, {141, 'Z'},
};

// Upper-casing of the Polish letters, lower and upper code, as the product does it.
constexpr std::pair<std::uint8_t, std::uint8_t> kCasePairs[] = {
    {165, 164}, {134, 143}, {169, 168}, {136, 157}, {228, 227}, {162, 224}, {152, 151}, {190, 189}, {171, 141},
};

std::uint8_t upperByte(std::uint8_t c) {
    if (c >= 'a' && c <= 'z') return static_cast<std::uint8_t>(c - 'a' + 'A');
    for (const auto& [lower, upper] : kCasePairs)
        if (c == lower) return upper;
    return c;
}

// Place of an upper-cased character in the Polish order: the accented letters right
// after their base letter (Ż before Ź), everything else by code.
int sortPlace(std::uint8_t c) {
    static constexpr std::array<std::pair<std::uint8_t, int>, 9> kAccented = {{
        {164, 'A' * 4 + 1}, {143, 'C' * 4 + 1}, {168, 'E' * 4 + 1}, {157, 'L' * 4 + 1}, {227, 'N' * 4 + 1},
        {224, 'O' * 4 + 1}, {151, 'S' * 4 + 1}, {189, 'Z' * 4 + 1}, {141, 'Z' * 4 + 2},
    }};
    for (const auto& [byte, place] : kAccented)
        if (c == byte) return place;
    return c * 4;
}

}  // namespace

std::span<const Surname> surnames() { return kSurnames; }
std::span<const std::string_view> maleFirstNames() { return kMaleFirstNames; }
std::span<const std::string_view> femaleFirstNames() { return kFemaleFirstNames; }
std::span<const std::string_view> firmKinds() { return kFirmKinds; }
std::span<const std::string_view> tradeNames() { return kTradeNames; }
std::span<const City> cities() { return kCities; }
std::span<const std::string_view> streets() { return kStreets; }
std::span<const std::string_view> bankNames() { return kBankNames; }
std::span<const std::string_view> taxOffices() { return kTaxOffices; }
std::span<const std::string_view> entryDescriptions() { return kEntryDescriptions; }
std::span<const std::string_view> documentKinds() { return kDocumentKinds; }

std::string upperAscii(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return text;
}

std::string lowerAscii(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string twoDigits(int value) {
    return {static_cast<char>('0' + value / 10 % 10), static_cast<char>('0' + value % 10)};
}

std::string foldToAscii(std::string_view text) {
    std::string plain;
    for (char ch : text) {
        const auto c = static_cast<std::uint8_t>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            plain += static_cast<char>(c);
        } else if (c >= 'a' && c <= 'z') {
            plain += static_cast<char>(c - 'a' + 'A');
        } else {
            for (const Fold& fold : kFolds)
                if (c == fold.byte) plain += fold.plain;
        }
    }
    return plain;
}

bool polishLess(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int pa = sortPlace(upperByte(static_cast<std::uint8_t>(a[i])));
        const int pb = sortPlace(upperByte(static_cast<std::uint8_t>(b[i])));
        if (pa != pb) return pa < pb;
    }
    return a.size() < b.size();
}

}  // namespace qzsample

#pragma once
// The words of the wizard's choices, in the order of their boxes: the pages show
// them, and the run's report spells the choices made with the same words.
#include <array>
#include <string_view>

#include "platform/cp852.h"

namespace app::labels {

using namespace platform::literals;

// Page 1.
inline constexpr std::string_view kDecemberWarning =
    "informuj o nie zamkniętym grudniu i związaną z tym konsekwencją"_cp;
inline constexpr std::string_view kSlowMode = "pokazuj powoli szczegóły konwersji"_cp;
inline constexpr std::string_view kRenameConverted =
    "Zasłoń(~) w 2023 przekonwertowane pliki 2024K880.mm i 2024SP.nn"_cp;

// Page 2; bit 3 is the separator line.
inline constexpr std::array kGlobalItems = {
    "Globalnę bazę adresów"_cp,
    "Ustawienia listy pracowników"_cp,
    "Bazę stałych F1..F10"_cp,
    "-"_cp,
    "Dane konfiguracji DLL z KPR_QZ.INI"_cp,
    "Stałe podatkowe na 2023 rok"_cp,
    "Ustawienia składników wynagrodzeń"_cp,
    "Ustawienia kolorów"_cp,
    "Ustawienia kpr_2023.ini -> kpr_2024.ini"_cp,
    "Plik \"OPERATOR.REK\""_cp,
    "Plik \"ZUS_PEL.INI\",\"UMOWY.INI\""_cp,
};
inline constexpr std::string_view kItemsCaption = "Zaznaczam do kopiowania :";

// Page 3.
inline constexpr std::array kFirmItems = {
    "dane tekstowe firmy"_cp,
    "dane pracowników, właścicieli *)"_cp,
    "dane rodzin ww                *)"_cp,
    "dane do PIT-D  **)"_cp,
    "bazę adresów lokalnych"_cp,
    "bazę automatów sprzedaży"_cp,
    "bazę automatów zakupów"_cp,
    "bazę stalych F1..F10, Notatnik"_cp,
    "baze przekazów pieniężnych"_cp,
    "ustawienia składnikow wynagrodzeń"_cp,
    "Dane ZUS-PEL ZUS_PEL.INI"_cp,
    "środki trwałe umożone jednorazowo"_cp,
    "ustawienia danych na przelewach"_cp,
    "bazę dowodów wewnętrznych"_cp,
    "bazę wystawionych odsetek"_cp,
    "listę pojazdów na cele VAT"_cp,
};
inline constexpr std::string_view kStaffCaption = "*) Dane - przenieś :"_cp;
inline constexpr std::array kStaffSelections = {"wszystkich"_cp, "zatrudnionych na 31.12.2023"_cp,
                                                "pytaj sie o każdego"_cp};
inline constexpr std::string_view kPitDCaption = "**) z PID-5 - przenieś :"_cp;
inline constexpr std::array kPitDSelections = {"wszystkich"_cp, "pytaj sie o każdego"_cp};
inline constexpr std::string_view kEntriesCaption = "Wprowadzone już w 2024 roku "_cp;
inline constexpr std::array kEntries = {"dokumenty księgowe"_cp, "wynagrodzenia pracowników"_cp,
                                        "umowy zlecenia"_cp, "noty księgowe"_cp};
inline constexpr std::string_view kAddOnsCaption = "Programy \"DLL\"";
inline constexpr std::array kAddOns = {"Środki Trwałe MT510"_cp, "WsadToKPR - ustawienia"_cp,
                                       "HD602 - dane do sprzedaży"_cp};

// Page 4.
inline constexpr std::string_view kScopeCaption = "Co pokopiowac :";
inline constexpr std::array kScope = {"Dane Globalne z"_cp, "Dane pózniej wskazanych firm"_cp};
inline constexpr std::string_view kStopAfterEachFirm = "Zatrzymywac akcje co firme";

}  // namespace app::labels

// Pages 2 and 3: which global items and which per-firm items the run carries over,
// and how it treats staff, personal tax data, 2024 entries and add-on data.
#include <initializer_list>
#include <string_view>

#include "app/wizard_page_parts.h"
#include "convert/options.h"
#include "platform/cp852.h"
#include "tui/cluster.h"

namespace app::pages {

namespace {

using namespace platform::literals;

// An item list in the order given.
std::unique_ptr<tui::Item> Items(std::initializer_list<std::string_view> texts) {
    std::unique_ptr<tui::Item> items;
    for (auto text = std::rbegin(texts); text != std::rend(texts); ++text)
        items = tui::NewItem(*text, std::move(items));
    return items;
}

void InsertMoveButtons(tui::Dialog& dialog) {
    InsertButton(dialog, cmBack);
    InsertButton(dialog, tui::cmCancel);
    InsertButton(dialog, cmNext);
    ShowHints(dialog, true, cmNext);
}

enum FirmItemsControl { FirmItemList = 1 };

}  // namespace

std::unique_ptr<WizardPage> BuildGlobalItemsPage() {
    auto page = OpenPage(" Dane globalne, konfiguracyjne ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;
    auto items = Items({
        "Globalnę bazę adresów"_cp,
        "Ustawienia listy pracowników"_cp,
        "Bazę stałych F1..F10"_cp,
        "-",
        "Dane konfiguracji DLL z KPR_QZ.INI",
        "Stałe podatkowe na 2023 rok"_cp,
        "Ustawienia składników wynagrodzeń"_cp,
        "Ustawienia kolorów"_cp,
        "Ustawienia kpr_2023.ini -> kpr_2024.ini",
        "Plik \"OPERATOR.REK\"",
        "Plik \"ZUS_PEL.INI\",\"UMOWY.INI\"",
    });
    tui::Insert(dialog, tui::NewCheckList(std::move(items), convert::options().globalItems, 4, 4,
                                          tui::NewLabel("Zaznaczam do kopiowania :", 3, 3)));
    InsertMoveButtons(dialog);
    dialog.handler = [](tui::Dialog& shown, tui::Event& event) { ClosePageOn(shown, event, {cmBack, cmNext}); };
    return page;
}

std::unique_ptr<WizardPage> BuildFirmItemsPage() {
    auto page = OpenPage(" Dane firmowe  ");
    if (!page) return nullptr;
    tui::Dialog& dialog = *page->dialog;
    convert::Options& options = convert::options();
    page->staffSelection = static_cast<std::uint16_t>(options.staffSelection);
    page->pitDSelection = static_cast<std::uint16_t>(options.pitDSelection);

    auto firmItems = Items({
        "dane tekstowe firmy",
        "dane pracowników, właścicieli *)"_cp,
        "dane rodzin ww                *)",
        "dane do PIT-D  **)",
        "bazę adresów lokalnych"_cp,
        "bazę automatów sprzedaży"_cp,
        "bazę automatów zakupów"_cp,
        "bazę stalych F1..F10, Notatnik"_cp,
        "baze przekazów pieniężnych"_cp,
        "ustawienia składnikow wynagrodzeń"_cp,
        "Dane ZUS-PEL ZUS_PEL.INI",
        "środki trwałe umożone jednorazowo"_cp,
        "ustawienia danych na przelewach",
        "bazę dowodów wewnętrznych"_cp,
        "bazę wystawionych odsetek"_cp,
        "listę pojazdów na cele VAT"_cp,
    });
    tui::Insert(dialog, tui::NewCheckList(std::move(firmItems), options.firmItems, 2, 3,
                                          tui::NewLabel("Zaznaczam do kopiowania :", 1, 2)));
    auto staff = Items({"wszystkich", "zatrudnionych na 31.12.2023", "pytaj sie o każdego"_cp});
    tui::Insert(dialog, tui::NewRadioGroup(std::move(staff), page->staffSelection, 2, 42,
                                           tui::NewLabel("*) Dane - przenieś :"_cp, 1, 41)));
    tui::Insert(dialog, tui::NewRadioGroup(Items({"wszystkich", "pytaj sie o każdego"_cp}), page->pitDSelection, 6,
                                           42, tui::NewLabel("**) z PID-5 - przenieś :"_cp, 5, 41)));
    auto entries =
        Items({"dokumenty księgowe"_cp, "wynagrodzenia pracowników"_cp, "umowy zlecenia", "noty księgowe"_cp});
    tui::Insert(dialog, tui::NewCheckList(std::move(entries), options.entries2024, 9, 42,
                                          tui::NewLabel("Wprowadzone już w 2024 roku "_cp, 8, 41)));
    auto addOns = Items({"Środki Trwałe MT510"_cp, "WsadToKPR - ustawienia", "HD602 - dane do sprzedaży"_cp});
    tui::Insert(dialog, tui::NewCheckList(std::move(addOns), options.addOns, 15, 42,
                                          tui::NewLabel("Programy \"DLL\"", 14, 41)));
    InsertMoveButtons(dialog);

    WizardPage* self = page.get();
    dialog.handler = [self](tui::Dialog& shown, tui::Event& event) {
        convert::Options& chosen = convert::options();
        // Family data cannot go without staff data.
        if (convert::KeepFamiliesWithStaff(chosen.firmItems)) shown.control(FirmItemList).Draw();
        chosen.staffSelection = static_cast<convert::StaffSelection>(self->staffSelection);
        chosen.pitDSelection = static_cast<convert::PitDSelection>(self->pitDSelection);
        ClosePageOn(shown, event, {cmBack, cmNext});
    };
    return page;
}

}  // namespace app::pages

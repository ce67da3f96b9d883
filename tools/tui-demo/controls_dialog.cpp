// The controls dialog: a field, a check box, a check-box list, a radio group, a pick
// list and two push buttons; when it closes, a box sums up what was chosen.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/cp852.h"
#include "tools/tui-demo/demos.h"
#include "tui/cluster.h"
#include "tui/dialog.h"
#include "tui/input_line.h"
#include "tui/message_box.h"
#include "tui/pick_list.h"
#include "tui/push_button.h"

using namespace platform::literals;

namespace {

class Firms : public tui::PickListOwner {
public:
    std::int32_t ItemCount() override { return static_cast<std::int32_t>(names.size()); }
    std::string ItemText(std::int32_t item) override { return names[static_cast<std::size_t>(item - 1)]; }

    // The names with Polish letters go through constants: clang 14 crashes on a
    // string built straight from the literal here.
    static constexpr std::string_view kLukasik = "Łukasik i wspólnicy"_cp;
    static constexpr std::string_view kZabka = "Żabka Zofia"_cp;
    std::vector<std::string> names = {
        std::string("Adamski Jan"),    std::string("Bartek Sp. z o.o."), std::string("Kowalczyk Ewa"),
        std::string("Kowalski Piotr"), std::string(kLukasik),            std::string("Nowak Anna"),
        std::string(kZabka),
    };
};

struct Choices {
    std::string directory = "C:\\KPR_2023\\";
    bool slow = false;
    std::uint16_t copied = 0x5;
    std::uint16_t staff = 0;
    std::int32_t firm = 1;
};

tui::Command RunDialog(Firms& firms, Choices& choices) {
    auto dialog = tui::OpenDialog(" Demo kontrolek ", 22, 72, 2, 5);
    if (!dialog) return tui::cmCancel;
    tui::Insert(*dialog, tui::NewInputLine(choices.directory, 30, 2, 3, tui::NewLabel("Katalog danych:", 1, 2)));
    tui::Insert(*dialog, tui::NewCheckBox("pokazuj powoli", choices.slow, 4, 3, nullptr));
    auto copied = tui::NewItem("adresy", tui::NewItem("stałe F1..F10"_cp, tui::NewItem("kolory", nullptr)));
    tui::Insert(*dialog, tui::NewCheckList(std::move(copied), choices.copied, 7, 3, tui::NewLabel("Kopiuj:", 6, 2)));
    auto staff = tui::NewItem("wszystkich", tui::NewItem("zatrudnionych", tui::NewItem("pytaj o każdego"_cp, nullptr)));
    tui::Insert(*dialog, tui::NewRadioGroup(std::move(staff), choices.staff, 7, 31, tui::NewLabel("Pracownicy:", 6, 30)));
    tui::Insert(*dialog, tui::NewPickList(firms, choices.firm, 4, 40, 12, 1, tui::NewLabel("Firmy:", 11, 3)));
    tui::Insert(*dialog, tui::NewButton(tui::cmAccept, "OK", 1, 10, 19, 48));
    tui::Insert(*dialog, tui::NewButton(tui::cmCancel, "Porzuć"_cp, 1, 10, 19, 60));
    dialog->hints = tui::PushHintBar(tui::NewHint(nullptr, tui::cmCancel, tui::kbEsc, "Esc - koniec"));
    const tui::Command result = tui::Execute(*dialog);
    tui::DisposeDialog(dialog);
    return result;
}

std::string Summary(Firms& firms, const Choices& choices, tui::Command result) {
    static const char* const kStaff[] = {"wszystkich", "zatrudnionych", "pytaj"};
    std::string text = "Wynik\x07";
    text += "Katalog: " + choices.directory + "\r";
    text += std::string("Powoli: ") + (choices.slow ? "tak" : "nie") + "\r";
    text += "Kopiuj: " + std::to_string(choices.copied) + "\r";
    text += std::string("Pracownicy: ") + kStaff[choices.staff % 3] + "\r";
    text += "Firma: " + (choices.firm > 0 ? firms.ItemText(choices.firm) : std::string("-")) + "\r";
    text += "Koniec: ";
    text += result == tui::cmAccept ? std::string_view("OK") : "Porzuć"_cp;
    return text;
}

}  // namespace

int tuidemo::ControlsDialog() {
    Firms firms;
    Choices choices;
    const tui::Command result = RunDialog(firms, choices);
    tui::ShowBox(tui::box::Information | tui::box::Ok, Summary(firms, choices, result));
    return 0;
}

// The event echo: a framed window with a title over a hint bar, one line for every
// event: key code, character (also shown as itself), shift state; mouse buttons and
// position; command. F10 (through the hint bar) ends it.
#include <cstdio>
#include <string>

#include "platform/cp852.h"
#include "tools/tui-demo/demos.h"
#include "tui/event.h"
#include "tui/hint_bar.h"
#include "tui/text_device.h"
#include "tui/window.h"

using namespace platform::literals;

namespace {

constexpr tui::KeyCode kbF10 = 0x4400;
constexpr tui::Command cmQuit = 0x7F01;

std::string describe(const tui::Event& event) {
    char line[80];
    switch (event.kind) {
        case tui::EventKind::Key: {
            char shift[16];
            std::snprintf(line, sizeof line, "klawisz %04X znak %02X [", event.keyCode, event.character);
            std::snprintf(shift, sizeof shift, "] shift %02X", event.shiftState);
            return line + std::string(1, static_cast<char>(event.character)) + shift;
        }
        case tui::EventKind::Mouse:
            std::snprintf(line, sizeof line, "mysz %u kolumna %d wiersz %d", event.buttons, event.column, event.row);
            return line;
        default:
            std::snprintf(line, sizeof line, "rozkaz %04X", event.command);
            return line;
    }
}

}  // namespace

int tuidemo::EchoEvents() {
    auto items = tui::NewHint(nullptr, cmQuit, kbF10, "F10 - koniec"_cp);
    items = tui::NewHint(std::move(items), 0, 0, " Naciśnij klawisz "_cp);
    tui::HintBar* bar = tui::PushHintBar(std::move(items));
    tui::Window* window = nullptr;
    const tui::WindowStyle style{tui::Colour(tui::colDialogTitle), tui::Colour(tui::colDialogFrame),
                                 tui::Colour(tui::colDialogText)};
    if (!tui::OpenWindow(tui::Rect{5, 3, 76, 22}, style, " Klawisze "_cp, window)) return 1;
    tui::SetTextAttribute(tui::Colour(tui::colDialogText));
    for (;;) {
        tui::Event event;
        tui::GetEvent(event);
        if (event.IsCommand(cmQuit)) break;
        tui::WriteLine(describe(event));
    }
    tui::CloseWindow(window);
    tui::PopHintBar(bar);
    return 0;
}

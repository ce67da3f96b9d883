#include "tui/text_device.h"

#include <algorithm>

#include "platform/console.h"
#include "tui/desktop.h"

namespace tui {

namespace {

void ShowCursor(const TextDeviceState& device) {
    PlaceCursorOnScreen(device.region.left + device.column - 1, device.region.top + device.row - 1);
}

void NewLine(ScreenState& screen) {
    TextDeviceState& device = screen.text;
    device.column = 1;
    if (device.row < device.region.Height()) {
        ++device.row;
        return;
    }
    const Rect& r = device.region;
    platform::InstalledConsole().ScrollUp(r.left, r.top, r.right, r.bottom, 1, screen.textAttribute);
}

}  // namespace

Rect TextRegion() { return TheScreen().text.region; }

void SetTextRegion(const Rect& region) {
    Rect clipped{std::max(region.left, 1), std::max(region.top, 1), std::min(region.right, ScreenColumns()),
                 std::min(region.bottom, ScreenRows())};
    if (clipped.Width() < 1 || clipped.Height() < 1) return;
    TextDeviceState& device = TheScreen().text;
    device = TextDeviceState{clipped, 1, 1};
    ShowCursor(device);
}

Attribute TextAttribute() { return TheScreen().textAttribute; }
void SetTextAttribute(Attribute attribute) { TheScreen().textAttribute = attribute; }
void SetTextBackground(std::uint8_t background) {
    Attribute& attribute = TheScreen().textAttribute;
    attribute = MakeAttribute(background & 0x0F, attribute & 0x0F);
}

void GotoXY(int column, int row) {
    TextDeviceState& device = TheScreen().text;
    if (column < 1 || row < 1 || column > device.region.Width() || row > device.region.Height()) return;
    device.column = column;
    device.row = row;
    ShowCursor(device);
}

int WhereX() { return TheScreen().text.column; }
int WhereY() { return TheScreen().text.row; }

void WriteText(std::string_view text) {
    ScreenState& screen = TheScreen();
    TextDeviceState& device = screen.text;
    const Rect& r = device.region;
    while (!text.empty()) {
        const int room = r.Width() - device.column + 1;
        const auto part = text.substr(0, static_cast<std::size_t>(room));
        WriteOnScreen(screen.textAttribute, r.left + device.column - 1, r.top + device.row - 1, part);
        text.remove_prefix(part.size());
        device.column += static_cast<int>(part.size());
        if (device.column > r.Width()) NewLine(screen);
    }
    ShowCursor(device);
}

void WriteLine(std::string_view text) {
    WriteText(text);
    ScreenState& screen = TheScreen();
    NewLine(screen);
    ShowCursor(screen.text);
}

void ClearText() {
    ScreenState& screen = TheScreen();
    TextDeviceState& device = screen.text;
    const Rect& r = device.region;
    ClearOnScreen(screen.textAttribute, r.left, r.top, r.right, r.bottom);
    device.column = 1;
    device.row = 1;
    ShowCursor(device);
}

TextDeviceState SaveTextDevice() { return TheScreen().text; }
void RestoreTextDevice(const TextDeviceState& state) {
    TextDeviceState& device = TheScreen().text;
    device = state;
    ShowCursor(device);
}

}  // namespace tui

#include "tui/text_device.h"

#include <algorithm>

#include "platform/console.h"

namespace tui {

namespace {

TextDeviceState gDevice{Rect{1, 1, 80, 25}, 1, 1};
Attribute gAttribute = 0x07;

void showCursor() {
    PlaceCursorOnScreen(gDevice.region.left + gDevice.column - 1, gDevice.region.top + gDevice.row - 1);
}

void newLine() {
    gDevice.column = 1;
    if (gDevice.row < gDevice.region.height()) {
        ++gDevice.row;
        return;
    }
    const Rect& r = gDevice.region;
    platform::console().scrollUp(r.left, r.top, r.right, r.bottom, 1, gAttribute);
}

}  // namespace

Rect TextRegion() { return gDevice.region; }

void SetTextRegion(const Rect& region) {
    Rect clipped{std::max(region.left, 1), std::max(region.top, 1), std::min(region.right, ScreenColumns()),
                 std::min(region.bottom, ScreenRows())};
    if (clipped.width() < 1 || clipped.height() < 1) return;
    gDevice = TextDeviceState{clipped, 1, 1};
    showCursor();
}

Attribute TextAttribute() { return gAttribute; }
void SetTextAttribute(Attribute attribute) { gAttribute = attribute; }
void SetTextBackground(std::uint8_t background) {
    gAttribute = MakeAttribute(background & 0x0F, gAttribute & 0x0F);
}

void GotoXY(int column, int row) {
    if (column < 1 || row < 1 || column > gDevice.region.width() || row > gDevice.region.height()) return;
    gDevice.column = column;
    gDevice.row = row;
    showCursor();
}

int WhereX() { return gDevice.column; }
int WhereY() { return gDevice.row; }

void WriteText(std::string_view text) {
    const Rect& r = gDevice.region;
    while (!text.empty()) {
        const int room = r.width() - gDevice.column + 1;
        const auto part = text.substr(0, static_cast<std::size_t>(room));
        WriteOnScreen(gAttribute, r.left + gDevice.column - 1, r.top + gDevice.row - 1, part);
        text.remove_prefix(part.size());
        gDevice.column += static_cast<int>(part.size());
        if (gDevice.column > r.width()) newLine();
    }
    showCursor();
}

void WriteLine(std::string_view text) {
    WriteText(text);
    newLine();
    showCursor();
}

void ClearText() {
    const Rect& r = gDevice.region;
    ClearOnScreen(gAttribute, r.left, r.top, r.right, r.bottom);
    gDevice.column = 1;
    gDevice.row = 1;
    showCursor();
}

TextDeviceState SaveTextDevice() { return gDevice; }
void RestoreTextDevice(const TextDeviceState& state) {
    gDevice = state;
    showCursor();
}

void ResetTextDevice() {
    gDevice = TextDeviceState{Rect{1, 1, ScreenColumns(), ScreenRows()}, 1, 1};
    gAttribute = 0x07;
}

}  // namespace tui

#include "tui/window.h"

#include <algorithm>
#include <memory>

#include "platform/cp852.h"
#include "tui/desktop.h"

namespace tui {

using namespace platform::literals;

namespace {

void DrawFrame(const Window& w) {
    const Rect& o = w.outer;
    const std::string horizontal(static_cast<std::size_t>(o.Width() - 2), "─"_cp[0]);
    WriteOnScreen(w.style.frame, o.left, o.top, std::string("┌"_cp) + horizontal + std::string("┐"_cp));
    for (int row = o.top + 1; row < o.bottom; ++row) {
        WriteOnScreen(w.style.frame, o.left, row, "│"_cp);
        WriteOnScreen(w.style.frame, o.right, row, "│"_cp);
    }
    WriteOnScreen(w.style.frame, o.left, o.bottom, std::string("└"_cp) + horizontal + std::string("┘"_cp));
    // The title sits in the middle of the top line, between the corners.
    const std::string_view title = std::string_view(w.title).substr(0, static_cast<std::size_t>(o.Width() - 2));
    if (!title.empty())
        WriteOnScreen(w.style.header, o.left + (o.Width() - static_cast<int>(title.size())) / 2, o.top, title);
}

// Writes text at (column, row) of an interior, dropping what falls outside it.
void WriteClipped(const Rect& inner, Attribute attribute, int column, int row, std::string_view text) {
    if (row < 1 || row > inner.Height() || column > inner.Width()) return;
    if (column < 1) {
        const auto skip = static_cast<std::size_t>(1 - column);
        if (skip >= text.size()) return;
        text.remove_prefix(skip);
        column = 1;
    }
    text = text.substr(0, static_cast<std::size_t>(inner.Width() - column + 1));
    WriteOnScreen(attribute, inner.left + column - 1, inner.top + row - 1, text);
}

Rect ScreenRect() { return Rect{1, 1, ScreenColumns(), ScreenRows()}; }

// The current window's interior, or the whole screen with no window open.
Rect CurrentInterior() {
    const Window* current = CurrentWindow();
    return current ? current->inner : ScreenRect();
}

}  // namespace

bool OpenWindow(const Rect& outer, const WindowStyle& style, std::string_view title, Window*& window) {
    window = nullptr;
    const Rect inner =
        style.framed ? Rect{outer.left + 1, outer.top + 1, outer.right - 1, outer.bottom - 1} : outer;
    const Rect screen = ScreenRect();
    if (inner.left > inner.right || inner.top > inner.bottom || !screen.Contains(inner.left, inner.top) ||
        !screen.Contains(inner.right, inner.bottom))
        return false;

    auto w = std::make_unique<Window>();
    w->title = title;
    w->style = style;
    w->outer = outer;
    w->inner = inner;
    DrawPending();  // what the window covers must be saved as it will be shown
    platform::InstalledConsole().ReadRect(outer.left, outer.top, outer.right, outer.bottom, w->covered);
    w->textBefore = SaveTextDevice();

    if (style.framed) DrawFrame(*w);
    ClearOnScreen(style.interior, inner.left, inner.top, inner.right, inner.bottom);
    SetTextRegion(inner);

    window = w.get();
    ScreenState& state = TheScreen();
    state.currentWindow = window;
    state.windows.push_back(std::move(w));
    return true;
}

void CloseWindow(Window*& window) {
    if (!window) return;
    auto& stack = TheScreen().windows;
    const auto found = std::find_if(stack.begin(), stack.end(),
                                    [&](const std::unique_ptr<Window>& open) { return open.get() == window; });
    window = nullptr;
    if (found == stack.end()) return;
    const Window& w = **found;
    platform::InstalledConsole().WriteRect(w.outer.left, w.outer.top, w.outer.right, w.outer.bottom, w.covered);
    RestoreTextDevice(w.textBefore);
    stack.erase(found);
    TheScreen().currentWindow = stack.empty() ? nullptr : stack.back().get();
}

bool ActivateWindow(Window* window) {
    const auto& stack = TheScreen().windows;
    const bool open = std::any_of(stack.begin(), stack.end(),
                                  [&](const std::unique_ptr<Window>& w) { return w.get() == window; });
    if (!open) return false;
    TheScreen().currentWindow = window;
    SetTextRegion(window->inner);
    return true;
}

Window* CurrentWindow() { return TheScreen().currentWindow; }

void WriteAt(Attribute attribute, int column, int row, std::string_view text) {
    WriteClipped(CurrentInterior(), attribute, column, row, text);
}

void WriteAtDefault(int column, int row, std::string_view text) {
    const Window* current = CurrentWindow();
    WriteAt(current ? current->style.interior : Attribute{0x07}, column, row, text);
}

void WriteInWindow(const Window& window, Attribute attribute, int column, int row, std::string_view text) {
    WriteClipped(window.inner, attribute, column, row, text);
}

void PlaceCursor(int column, int row) {
    const Rect inner = CurrentInterior();
    PlaceCursorOnScreen(inner.left + column - 1, inner.top + row - 1);
}

void ScreenToWindow(int screenColumn, int screenRow, int& column, int& row) {
    const Rect inner = CurrentInterior();
    column = screenColumn - inner.left + 1;
    row = screenRow - inner.top + 1;
}

}  // namespace tui

#pragma once
// What the toolkit keeps from one call to the next, in one place: the screen's state
// and what the user's session at it carries across dialogs. Only the toolkit's own
// files use it; the rest of the program reaches it through their functions.
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tui/colours.h"
#include "tui/event.h"
#include "tui/hint_bar.h"
#include "tui/screen.h"
#include "tui/text_device.h"
#include "tui/window.h"

namespace tui {

// The second the clock shows when it has not been drawn since the screen under it
// was cleared: the next tick draws it whatever the second.
inline constexpr std::uint16_t kClockNotShown = 0xFFFF;

// What InitScreen puts back to the start-up state.
struct ScreenState {
    // The colour scheme in force, the dialog controls' own copy of its first four
    // attributes, and the clock's attribute.
    ColourScheme scheme = kDefaultColours;
    std::array<Attribute, 4> controlColours = {kDefaultColours[0], kDefaultColours[1], kDefaultColours[2],
                                               kDefaultColours[3]};
    Attribute clockAttribute = 0x0F;
    // The text device: its region and cursor, and the attribute it writes in.
    TextDeviceState text{Rect{1, 1, 80, 25}, 1, 1};
    Attribute textAttribute = 0x07;
    // The open windows, the most recently opened last, and the current one of them.
    std::vector<std::unique_ptr<Window>> windows;
    Window* currentWindow = nullptr;
    // The hint bars, the one shown last.
    std::vector<std::unique_ptr<HintBar>> hintBars;
    std::uint16_t clockSecond = kClockNotShown;
    Event lastEvent;  // the one GetEvent returned last
    // Whether and when the screen was last shown, and the drawing put off until it
    // is shown or read next.
    bool shown = false;
    std::uint32_t shownAt = 0;
    void (*pendingDrawing)() = nullptr;
};

// The program draws on one console, so it has one desktop, which lives for the run.
struct Desktop {
    ScreenState screen;
    // The line editor's private clipboard and typing mode, shared by every field.
    std::string clipboard;
    bool insertMode = true;
    bool dataChanged = false;  // a control's value was changed by the user
    bool soundOff = false;     // the sound switch read at start-up
    std::function<void()> beforeWait;  // tui/before_wait.h
};

Desktop& TheDesktop();
inline ScreenState& TheScreen() { return TheDesktop().screen; }

}  // namespace tui

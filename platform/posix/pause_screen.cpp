#include "platform/posix/pause_screen.h"

#include <cstdio>
#include <utility>
#include <vector>

#include "platform/console.h"
#include "platform/screen_text.h"

namespace platform::posix {

namespace {

// Set once at the start; both the clock's and the console's pauses write to it.
std::string gPath;

}  // namespace

void SetPauseScreen(std::string path) { gPath = std::move(path); }

void WritePauseScreen() {
    if (gPath.empty()) return;
    Console& screen = InstalledConsole();
    std::vector<Cell> cells;
    screen.ReadRect(1, 1, screen.Columns(), screen.Rows(), cells);
    const std::string text = ScreenTextOf(cells, screen.Columns()) + "\n";
    // A new file renamed over the old one: a reader never sees half a screen. Only
    // a check reads it, so a failed write is left for the check to notice.
    const std::string fresh = gPath + ".new";
    std::FILE* file = std::fopen(fresh.c_str(), "wb");
    if (!file) return;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    if (std::fclose(file) == 0 && written) std::rename(fresh.c_str(), gPath.c_str());
}

}  // namespace platform::posix

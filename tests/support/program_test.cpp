#include "tests/support/program_test.h"

#include <cstdlib>
#include <fstream>
#include <random>

#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/process.h"

namespace qztest {

namespace fs = std::filesystem;

TempDir::TempDir() {
    std::random_device random;
    // QZ_TEST_TEMP names a shorter folder where the system's own is long (the Windows
    // build's under Wine): logged paths must fit the screen rows the tests compare.
    const char* chosen = std::getenv("QZ_TEST_TEMP");
    const fs::path base = chosen && *chosen ? fs::path(chosen).make_preferred() : fs::temp_directory_path();
    for (;;) {
        path_ = base / ("qz-test-" + std::to_string(random()));
        if (fs::create_directory(path_)) break;
    }
}

TempDir::~TempDir() {
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

std::string utf8Of(const fs::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}

fs::path pathOfUtf8(std::string_view utf8) { return fs::path(std::u8string(utf8.begin(), utf8.end())); }

std::string TempDir::root() const { return platform::cp852::FromUtf8(utf8Of(path_)) + platform::kSeparator; }

void TempDir::writeFile(const std::string& relative, std::string_view bytes) const {
    const fs::path file = path_ / pathOfUtf8(relative);
    fs::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string TempDir::readFile(const std::string& relative) const {
    std::ifstream in(path_ / pathOfUtf8(relative), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool TempDir::exists(const std::string& relative) const { return fs::exists(path_ / pathOfUtf8(relative)); }

ProgramTest::ProgramTest() {
    platform::InstallConsole(&screen);
    platform::InstallClock(&clock);
    platform::InstallSound(&sound);
    platform::SetExitHandler([](int code) { throw ProgramExit{code}; });
    // Every pause of the program shows the screen first, as a terminal must not
    // keep showing what the program has since drawn over.
    clock.beforePause = [this] { expectScreenShown(); };
    screen.SetOnDry([this] {
        ADD_FAILURE() << "the program waits for input and none is scripted; screen:\n" << screen.ScreenText();
        throw ProgramExit{-2};
    });
}

void ProgramTest::expectScreenShown() const {
    if (screen.AllShown()) return;
    ADD_FAILURE() << "a pause while the terminal still shows\n"
                  << screen.ShownText() << "\ninstead of\n"
                  << screen.ScreenText();
}

ProgramTest::~ProgramTest() {
    platform::SetExitHandler(nullptr);
    platform::InstallConsole(nullptr);
    platform::InstallClock(nullptr);
    platform::InstallSound(nullptr);
}

}  // namespace qztest

#include "fuzz/support/fuzz_run.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tui/progress_log.h"
#include "convert/run_state.h"
#include "platform/cp852.h"
#include "platform/files.h"
#include "platform/process.h"
#include "platform/recording_sound.h"
#include "platform/virtual_clock.h"
#include "platform/virtual_console.h"
#include "tui/keys.h"
#include "tui/screen.h"

namespace qzfuzz {

namespace {

namespace fs = std::filesystem;

// Thrown by the exit handler, caught by RunInput.
struct FatalStop {
    int code;
};

// More key waits than any question of one input can take: the program is stuck.
constexpr int kMaxKeyWaits = 500;

struct Process {
    platform::VirtualConsole screen;
    platform::VirtualClock clock;
    platform::RecordingSound sound;
    fs::path folder;
    std::string folderName;  // code page 852, with the separator
    int keyWaits = 0;

    Process() {
        // In memory where the system offers it: the copies flush every file they
        // write, and a flush to a disk would take most of the fuzzing time.
        std::error_code ignored;
        const fs::path base = fs::is_directory("/dev/shm", ignored) ? fs::path("/dev/shm") : fs::temp_directory_path();
        std::string pattern = (base / "qz-fuzz-XXXXXX").string();
        if (!mkdtemp(pattern.data())) {
            std::perror("mkdtemp");
            std::abort();
        }
        folder = pattern;
        folderName = platform::cp852::FromUtf8(folder.string() + "/");
        platform::InstallConsole(&screen);
        platform::InstallClock(&clock);
        platform::InstallSound(&sound);
        platform::SetExitHandler([](int code) { throw FatalStop{code}; });
        // Questions get Enter, "T", "N", a digit and Esc in turn, so every answer is taken.
        // Answered at the first poll that finds nothing: every poll redraws the
        // screen, and the default patience would spend the run on redraws.
        screen.SetDryLimit(1);
        screen.SetOnDry([this] {
            if (++keyWaits > kMaxKeyWaits) {
                std::fprintf(stderr, "endless key waits; screen:\n%s\n", screen.ScreenText().c_str());
                std::abort();
            }
            switch (keyWaits % 5) {
                case 0: screen.PushKey(tui::kbEnter); break;
                case 1: screen.PushText("T"); break;
                case 2: screen.PushText("N"); break;
                case 3: screen.PushText("5"); break;
                default: screen.PushKey(tui::kbEsc); break;
            }
        });
        tui::InitScreen();
    }

    ~Process() {
        std::error_code ignored;
        fs::remove_all(folder, ignored);
    }

    void EmptyFolder() {
        std::error_code ignored;
        for (const fs::directory_entry& entry : fs::directory_iterator(folder, ignored))
            fs::remove_all(entry.path(), ignored);
    }
};

Process& process() {
    static Process instance;
    return instance;
}

// The state a run starts with.
void ResetRunState() {
    convert::TheRunState() = convert::RunState{};
    tui::ClearLog(true);
}

}  // namespace

void RunInput(const std::function<void()>& body) {
    Process& p = process();
    p.EmptyFolder();
    p.keyWaits = 0;
    ResetRunState();
    try {
        body();
    } catch (const FatalStop&) {
        // The program would have ended here; the next input starts afresh.
    }
}

const std::string& Folder() { return process().folderName; }

std::string WriteFile(std::string_view name, Input bytes) {
    const std::string path = Folder() + std::string(name);
    std::error_code ignored;
    fs::create_directories(fs::path(platform::cp852::ToUtf8(path)).parent_path(), ignored);
    platform::FileHandle file;
    std::size_t done = 0;
    if (platform::CreateOrTruncateFile(path, file) != platform::err::Ok ||
        platform::WriteToFile(file, bytes.data(), bytes.size(), done) != platform::err::Ok ||
        platform::CloseFile(file) != platform::err::Ok) {
        std::fprintf(stderr, "cannot write the input file %s\n", path.c_str());
        std::abort();
    }
    return path;
}

std::string MakeDirectory(std::string_view name) {
    const std::string path = Folder() + std::string(name);
    std::error_code ignored;
    fs::create_directories(fs::path(platform::cp852::ToUtf8(path)), ignored);
    return path;
}

SplitInput Split(Input data) {
    if (data.empty()) return {};
    return {data[0], data.subspan(1)};
}

}  // namespace qzfuzz

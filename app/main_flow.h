#pragma once
// The converter's main procedure: from the console title to the end of the run. It
// settles the paths, paints the banner, drives the wizard and ends with
// "Nacisnij Enter". Start-up of the layers below (console, toolkit, temporary
// directory, product environment) has run before it.
#include <string>
#include <string_view>
#include <vector>

#include "app/paths.h"
#include "convert/options.h"

namespace app {

inline constexpr const char* kConsoleTitle = "qzMarel - Konwerter 2023 - 2024";

// What the run keeps from start-up to exit.
struct Run {
    RunPaths paths;
    std::vector<std::string> extraFiles;  // entries of the list file, in order
    convert::Options options;             // what the wizard's pages chose
};

// True when the first argument asks for the help screen: a "?" anywhere in it.
bool AsksForHelp(std::string_view firstArgument);

// The help screen as plain text output, then a wait for any key.
void ShowHelp();

// Reads the list file, sets the default roots and lets the path file replace them.
Run SettleRun(std::string_view executable, std::string_view firstArgument);

// The banner's title line, which is also the program's version line.
std::string_view VersionLine();

// The banner over the progress log: its title line and a rule.
void WriteBanner();

// The wizard loop: shows page 1 to 4 and moves between them by their commands (Next
// and Back within 1-4, Cancel after the question whether to give up the conversion)
// until Start, which runs StartConversion, or a confirmed Cancel. Either end is
// recorded in the run's report in the 2024 root once page 1 has let the roots pass.
void RunWizard(Run& run);

// What the Start command of the wizard runs: the global copy when the copy scope
// holds global data and a global item is chosen, the per-firm loop when it holds
// firm data, then the closing lines.
void StartConversion(const Run& run);

// Runs the whole program after start-up and ends it with exit code 0.
[[noreturn]] void MainFlow(std::string_view executable);

}  // namespace app

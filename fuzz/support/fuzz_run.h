#pragma once
// What every fuzz target shares: the program's screen, clock and sound replaced by
// virtual ones, a fatal stop turned into a return, a private temporary folder for
// the files a target reads, and the run state put back before every input, so that
// one input cannot change how the next one is handled.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace qzfuzz {

using Input = std::span<const std::uint8_t>;

// Runs body for one input: the first time it sets up the process (virtual console
// answering every key wait, virtual clock and sound, the screen and the private
// folder); every time it empties the folder, restores the default options and
// clears the log first. A fatal stop of the program (exit code) ends body early;
// that is a normal outcome for a damaged file. A body that waits for keys endlessly
// is a fault and aborts the run.
void RunInput(const std::function<void()>& body);

// The private folder: its full path in the program's form, ending with the separator.
const std::string& Folder();
// Writes bytes to the file of that name in the private folder (directories on the
// way are made) through the program's own file layer and returns its full path.
std::string WriteFile(std::string_view name, Input bytes);
// Makes a directory below the folder and returns its full path (no separator at the end).
std::string MakeDirectory(std::string_view name);

// The first byte of an input chooses a setting of the run; the rest is the file.
struct SplitInput {
    std::uint8_t setting = 0;
    Input rest;
};
SplitInput Split(Input data);

}  // namespace qzfuzz

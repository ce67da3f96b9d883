#pragma once
// The process: its arguments, environment, executable and end.
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Command-line arguments without the program name, in code page 852.
const std::vector<std::string>& Arguments();
void SetArguments(std::vector<std::string> args);
// Sets the arguments from the command line that main received. The system's own
// text of it is used where argv holds less (on Windows, argv is in the ANSI code
// page, which lacks characters that code page 852 has).
void TakeArguments(int argc, char* argv[]);

// An environment variable in code page 852; empty optional when it is not set.
std::optional<std::string> Environment(const std::string& name);
// Sets a variable of this process's environment, or removes it for an empty
// optional; name and value in code page 852. False when the system refuses.
bool SetEnvironment(const std::string& name, const std::optional<std::string>& value);

// Ends the program with the exit code after the console is restored (fatal stops,
// normal end). Tests install a handler that records the stop instead.
[[noreturn]] void ExitProgram(int code);
// A handler that runs instead of ending the process; it must not return (a test
// handler throws to unwind to the test). Pass nullptr to restore the default.
void SetExitHandler(std::function<void(int code)> handler);
// Run before the process really ends (restores the terminal).
void SetShutdownHook(std::function<void()> hook);

}  // namespace platform

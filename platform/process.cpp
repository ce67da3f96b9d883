#include "platform/process.h"

#include <cstdlib>

namespace platform {

namespace {

// What the process was started with and how it ends, asked for from any layer.
struct Process {
    std::vector<std::string> arguments;
    std::function<void(int)> exitHandler;  // a test's, instead of the end
    std::function<void()> shutdownHook;    // what gives the devices back
};
Process gProcess;

}  // namespace

const std::vector<std::string>& Arguments() { return gProcess.arguments; }
void SetArguments(std::vector<std::string> args) { gProcess.arguments = std::move(args); }

void ExitProgram(int code) {
    if (gProcess.exitHandler) {
        gProcess.exitHandler(code);
        std::abort();  // an exit handler must not return
    }
    if (gProcess.shutdownHook) gProcess.shutdownHook();
    std::exit(code);
}

void SetExitHandler(std::function<void(int)> handler) { gProcess.exitHandler = std::move(handler); }
void SetShutdownHook(std::function<void()> hook) { gProcess.shutdownHook = std::move(hook); }

}  // namespace platform

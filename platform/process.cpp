#include "platform/process.h"

#include <cstdlib>

namespace platform {

namespace {
std::vector<std::string> gArguments;
std::function<void(int)> gExitHandler;
std::function<void()> gShutdownHook;
}  // namespace

const std::vector<std::string>& arguments() { return gArguments; }
void setArguments(std::vector<std::string> args) { gArguments = std::move(args); }

void exitProgram(int code) {
    if (gExitHandler) {
        gExitHandler(code);
        std::abort();  // an exit handler must not return
    }
    if (gShutdownHook) gShutdownHook();
    std::exit(code);
}

void setExitHandler(std::function<void(int)> handler) { gExitHandler = std::move(handler); }
void setShutdownHook(std::function<void()> hook) { gShutdownHook = std::move(hook); }

}  // namespace platform

#include "platform/process.h"

#include <cstdlib>

#include "platform/cp852.h"

namespace platform {

namespace {
std::vector<std::string> gArguments;
std::function<void(int)> gExitHandler;
std::function<void()> gShutdownHook;
}  // namespace

const std::vector<std::string>& arguments() { return gArguments; }
void setArguments(std::vector<std::string> args) { gArguments = std::move(args); }

std::optional<std::string> environment(const std::string& name) {
    const char* value = std::getenv(cp852::toUtf8(name).c_str());
    if (!value) return std::nullopt;
    return cp852::fromUtf8(value);
}

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

// The command line and the environment: UTF-8 on this system, code page 852 inside
// the program.
#include <stdlib.h>

#include "platform/cp852.h"
#include "platform/process.h"

namespace platform {

void TakeArguments(int argc, char* argv[]) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(cp852::FromUtf8(argv[i]));
    SetArguments(std::move(args));
}

std::optional<std::string> Environment(const std::string& name) {
    const char* value = getenv(cp852::ToUtf8(name).c_str());
    if (!value) return std::nullopt;
    return cp852::FromUtf8(value);
}

bool SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
    const std::string nativeName = cp852::ToUtf8(name);
    if (!value) return unsetenv(nativeName.c_str()) == 0;
    return setenv(nativeName.c_str(), cp852::ToUtf8(*value).c_str(), 1) == 0;
}

}  // namespace platform

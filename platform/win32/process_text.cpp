// The command line and the environment: UTF-16 on this system, code page 852 inside
// the program. main's argv is in the ANSI code page, which lacks letters that code
// page 852 has (and the other way round), so the arguments are taken from the C
// runtime's wide copy of the command line, split by its own rules.
#include <vector>

#include "platform/process.h"
#include "platform/win32/api.h"
#include "platform/win32/wide_text.h"

// The C runtime's splitting of the wide command line (msvcrt.dll). The last
// parameter is the runtime's start-up information, a single int.
extern "C" int __wgetmainargs(int* argc, wchar_t*** argv, wchar_t*** environment, int expandWildcards,
                              int* startupInfo);

namespace platform {

using win32::Cp852Of;
using win32::WideOf;

void TakeArguments(int argc, char* argv[]) {
    int count = 0;
    wchar_t** wide = nullptr;
    wchar_t** ignored = nullptr;
    int startupInfo = 0;
    std::vector<std::string> args;
    if (__wgetmainargs(&count, &wide, &ignored, 0, &startupInfo) == 0 && wide) {
        for (int i = 1; i < count; ++i) args.push_back(Cp852Of(wide[i]));
    } else {
        // Without the wide copy, argv is better than nothing (ASCII at least is right).
        for (int i = 1; i < argc; ++i) args.emplace_back(argv[i]);
    }
    SetArguments(std::move(args));
}

std::optional<std::string> Environment(const std::string& name) {
    const std::wstring wideName = WideOf(name);
    std::wstring value(64, L'\0');
    for (;;) {
        SetLastError(ERROR_SUCCESS);
        const DWORD length = GetEnvironmentVariableW(wideName.c_str(), value.data(), static_cast<DWORD>(value.size()));
        if (length == 0) {
            // An empty value and a missing variable both give 0; the error tells them apart.
            if (GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
            return std::string();
        }
        if (length < value.size()) {
            value.resize(length);
            return Cp852Of(value);
        }
        value.resize(length);  // the size asked for, with the terminating zero
    }
}

bool SetEnvironment(const std::string& name, const std::optional<std::string>& value) {
    const std::wstring wideName = WideOf(name);
    if (!value) return SetEnvironmentVariableW(wideName.c_str(), nullptr) || GetLastError() == ERROR_ENVVAR_NOT_FOUND;
    return SetEnvironmentVariableW(wideName.c_str(), WideOf(*value).c_str());
}

}  // namespace platform

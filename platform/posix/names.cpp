#include "platform/posix/names.h"

#include <vector>

#include "platform/cp852.h"
#include "platform/cp852_case.h"
#include "platform/files.h"
#include "platform/posix/home_error.h"
#include "platform/posix/syscalls.h"
#include "platform/posix/utf8.h"

namespace platform::posix {

namespace {

// Key values beyond the code page: a character the code page lacks, a stray byte.
constexpr char32_t kForeignCharacter = 0x100;
constexpr char32_t kStrayByte = 0x200000;
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

// The code page 852 byte of a character in a file name, or kNoCharacter. Unlike the
// screen's table, the console glyphs (☺, ♥ …) do not stand for control bytes here:
// a name on disk holding "☺" holds that character, not byte 1.
char32_t nameByteOf(char32_t cp) {
    if (cp < 0x80) return cp;
    for (int b = 0x80; b < 256; ++b)
        if (cp852::kGlyphs[b] == cp) return static_cast<char32_t>(b);
    return kNoCharacter;
}

// Decodes one character of a name on disk from pos and advances pos; a byte that
// begins no well-formed UTF-8 sequence comes back as kStrayByte + the byte.
char32_t nextDiskCharacter(std::string_view name, std::size_t& pos) {
    char32_t cp = 0;
    std::size_t length = 1;
    const bool wellFormed = decodeUtf8(name.substr(pos), cp, length) == Utf8::Ok;
    const auto byte = static_cast<std::uint8_t>(name[pos]);
    pos += length;
    return wellFormed ? cp : kStrayByte + byte;
}

}  // namespace

NameKey keyOfDiskName(std::string_view diskName) {
    NameKey key;
    key.reserve(diskName.size());
    for (std::size_t pos = 0; pos < diskName.size();) {
        const char32_t cp = nextDiskCharacter(diskName, pos);
        if (cp >= kStrayByte) {
            key += cp;
            continue;
        }
        const char32_t byte = nameByteOf(cp);
        key += byte == kNoCharacter ? kForeignCharacter + cp : cp852::upper(static_cast<std::uint8_t>(byte));
    }
    return key;
}

std::string programNameOf(std::string_view diskName) {
    std::string name;
    name.reserve(diskName.size());
    for (std::size_t pos = 0; pos < diskName.size();) {
        const char32_t cp = nextDiskCharacter(diskName, pos);
        const char32_t byte = cp >= kStrayByte ? kNoCharacter : nameByteOf(cp);
        name += byte == kNoCharacter || byte < 32 ? '?' : static_cast<char>(byte);
    }
    return name;
}

bool isValidName(std::string_view cp852Name, bool wildcardsAllowed) {
    if (cp852Name.empty()) return false;
    for (char c : cp852Name) {
        if (static_cast<std::uint8_t>(c) < 32 || c == kSeparator) return false;
        if (!wildcardsAllowed && (c == '*' || c == '?')) return false;
    }
    return true;
}

SplitPath splitLast(std::string_view path) {
    const std::size_t cut = path.rfind(kSeparator);
    if (cut == std::string_view::npos) return {std::string_view(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

std::string joinNative(const std::string& directory, std::string_view name) {
    std::string joined = directory;
    if (!joined.empty() && joined.back() != '/') joined += '/';
    joined += name;
    return joined;
}

int findInDirectory(const std::string& directory, std::string_view cp852Name, std::string& diskName) {
    const std::string asGiven = cp852::toUtf8(cp852Name);
    struct stat info;
    if (syscalls().lstat(joinNative(directory, asGiven).c_str(), &info) == 0) {
        diskName = asGiven;
        return err::Ok;
    }
    if (errno == ENOTDIR) return err::PathNotFound;
    if (errno != ENOENT) return homeError(errno);

    DIR* dir = syscalls().opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return errno == ENOENT || errno == ENOTDIR ? err::PathNotFound : homeError(errno);
    const NameKey wanted = keyOfProgramName(cp852Name);
    bool found = false;
    int result = err::Ok;
    for (;;) {
        errno = 0;
        const struct dirent* entry = syscalls().readdir(dir);
        if (!entry) {
            result = homeError(errno);
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (keyOfDiskName(name) != wanted) continue;
        if (!found || name < diskName) diskName = name;
        found = true;
    }
    syscalls().closedir(dir);
    if (result != err::Ok) return result;
    return found ? err::Ok : err::FileNotFound;
}

int resolvePath(std::string_view path, ResolvedPath& resolved) {
    resolved = ResolvedPath{};
    while (path.size() > 1 && path.back() == kSeparator) path.remove_suffix(1);
    if (path.empty()) return err::PathNotFound;
    if (path.front() == kSeparator) resolved.native = "/";

    // The components between separators; empty ones (a doubled separator) drop out.
    std::vector<std::string_view> components;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(kSeparator, start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (std::string_view component : components)
        if (!isValidName(component, false)) return err::BadFormat;

    // Where every component exists as given (the usual case), one look-up of the
    // whole path settles it: an exact match is what each component's look-up would
    // pick. Only a miss needs the search ignoring case, component by component.
    std::string asGiven = resolved.native;
    for (std::string_view component : components) asGiven = joinNative(asGiven, cp852::toUtf8(component));
    struct stat info;
    if (syscalls().lstat(asGiven.c_str(), &info) == 0) {
        resolved.native = asGiven;
        resolved.givenNative = std::move(asGiven);
        resolved.exists = true;
        return err::Ok;
    }

    resolved.exists = true;  // the root, when there is nothing after it
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::string_view component = components[i];
        const bool last = i + 1 == components.size();
        std::string diskName;
        if (component == "." || component == "..") {
            resolved.native = joinNative(resolved.native, component);
            continue;
        }
        const int found = findInDirectory(resolved.native, component, diskName);
        if (found == err::FileNotFound && last) {
            resolved.native = joinNative(resolved.native, cp852::toUtf8(component));
            resolved.givenNative = resolved.native;
            resolved.exists = false;
            return err::Ok;
        }
        if (found == err::FileNotFound) return err::PathNotFound;
        if (found != err::Ok) return found;
        if (last) resolved.givenNative = joinNative(resolved.native, cp852::toUtf8(component));
        resolved.native = joinNative(resolved.native, diskName);
    }
    if (resolved.givenNative.empty()) resolved.givenNative = resolved.native;
    return err::Ok;
}

}  // namespace platform::posix

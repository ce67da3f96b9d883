#include "platform/posix/names.h"

#include <vector>

#include "platform/cp852.h"
#include "platform/cp852_case.h"
#include "platform/files.h"
#include "platform/posix/home_error.h"
#include "platform/posix/lookup_memory.h"
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
char32_t NameByteOf(char32_t cp) {
    if (cp < 0x80) return cp;
    for (int b = 0x80; b < 256; ++b)
        if (cp852::kGlyphs[b] == cp) return static_cast<char32_t>(b);
    return kNoCharacter;
}

// Decodes one character of a name on disk from pos and advances pos; a byte that
// begins no well-formed UTF-8 sequence comes back as kStrayByte + the byte.
char32_t NextDiskCharacter(std::string_view name, std::size_t& pos) {
    char32_t cp = 0;
    std::size_t length = 1;
    const bool wellFormed = DecodeUtf8(name.substr(pos), cp, length) == Utf8::Ok;
    const auto byte = static_cast<std::uint8_t>(name[pos]);
    pos += length;
    return wellFormed ? cp : kStrayByte + byte;
}

}  // namespace

NameKey KeyOfDiskName(std::string_view diskName) {
    NameKey key;
    key.reserve(diskName.size());
    for (std::size_t pos = 0; pos < diskName.size();) {
        const char32_t cp = NextDiskCharacter(diskName, pos);
        if (cp >= kStrayByte) {
            key += cp;
            continue;
        }
        const char32_t byte = NameByteOf(cp);
        key += byte == kNoCharacter ? kForeignCharacter + cp : cp852::Upper(static_cast<std::uint8_t>(byte));
    }
    return key;
}

std::string ProgramNameOf(std::string_view diskName) {
    std::string name;
    name.reserve(diskName.size());
    for (std::size_t pos = 0; pos < diskName.size();) {
        const char32_t cp = NextDiskCharacter(diskName, pos);
        const char32_t byte = cp >= kStrayByte ? kNoCharacter : NameByteOf(cp);
        name += byte == kNoCharacter || byte < 32 ? '?' : static_cast<char>(byte);
    }
    return name;
}

bool IsValidName(std::string_view cp852Name, bool wildcardsAllowed) {
    if (cp852Name.empty()) return false;
    for (char c : cp852Name) {
        if (static_cast<std::uint8_t>(c) < 32 || c == kSeparator) return false;
        if (!wildcardsAllowed && (c == '*' || c == '?')) return false;
    }
    return true;
}

SplitPath SplitLast(std::string_view path) {
    const std::size_t cut = path.rfind(kSeparator);
    if (cut == std::string_view::npos) return {std::string_view(), path};
    return {path.substr(0, cut + 1), path.substr(cut + 1)};
}

std::string JoinNative(const std::string& directory, std::string_view name) {
    std::string joined = directory;
    if (!joined.empty() && joined.back() != '/') joined += '/';
    joined += name;
    return joined;
}

int FindInDirectory(const std::string& directory, std::string_view cp852Name, std::string& diskName) {
    const std::string asGiven = cp852::ToUtf8(cp852Name);
    const NameKey wanted = KeyOfProgramName(cp852Name);
    const Listed listed = LookUpListed(directory, asGiven, wanted, diskName);
    if (listed != Listed::Unknown) return listed == Listed::Found ? err::Ok : err::FileNotFound;
    struct stat info;
    if (TheSyscalls().lstat(JoinNative(directory, asGiven).c_str(), &info) == 0) {
        diskName = asGiven;
        return err::Ok;
    }
    if (errno == ENOTDIR) return err::PathNotFound;
    if (errno != ENOENT) return HomeError(errno);
    // Not there as given: the directory is searched ignoring case.
    return SearchDirectory(directory, asGiven, wanted, diskName);
}

namespace {

// A directory path without the separators at its end (but "/" stays).
std::string_view Trimmed(std::string_view path) {
    while (path.size() > 1 && path.back() == kSeparator) path.remove_suffix(1);
    return path;
}

// Looks the components up one by one from the start (native form) onward.
int ResolveComponents(const std::vector<std::string_view>& components, ResolvedPath& resolved) {
    resolved.exists = true;  // the root, when there is nothing after it
    for (std::size_t i = 0; i < components.size(); ++i) {
        const std::string_view component = components[i];
        const bool last = i + 1 == components.size();
        std::string diskName;
        if (component == "." || component == "..") {
            resolved.native = JoinNative(resolved.native, component);
            continue;
        }
        const int found = FindInDirectory(resolved.native, component, diskName);
        if (found == err::FileNotFound && last) {
            resolved.native = JoinNative(resolved.native, cp852::ToUtf8(component));
            resolved.givenNative = resolved.native;
            resolved.exists = false;
            return err::Ok;
        }
        if (found == err::FileNotFound) return err::PathNotFound;
        if (found != err::Ok) return found;
        if (last) resolved.givenNative = JoinNative(resolved.native, cp852::ToUtf8(component));
        resolved.native = JoinNative(resolved.native, diskName);
    }
    if (resolved.givenNative.empty()) resolved.givenNative = resolved.native;
    return err::Ok;
}

}  // namespace

int ResolvePath(std::string_view path, ResolvedPath& resolved) {
    resolved = ResolvedPath{};
    path = Trimmed(path);
    if (path.empty()) return err::PathNotFound;
    const std::string root = path.front() == kSeparator ? "/" : "";
    resolved.native = root;

    // The components between separators; empty ones (a doubled separator) drop out.
    std::vector<std::string_view> components;
    for (std::size_t start = 0; start <= path.size();) {
        std::size_t end = path.find(kSeparator, start);
        if (end == std::string_view::npos) end = path.size();
        if (end > start) components.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    for (std::string_view component : components)
        if (!IsValidName(component, false)) return err::BadFormat;
    if (components.empty() || components.back() == "." || components.back() == "..")
        return ResolveComponents(components, resolved);

    // The directory is looked up once per run; the name in it is then found as
    // FindInDirectory finds it.
    const std::string_view name = components.back();
    const std::string_view programDirectory = path.substr(0, path.size() - name.size());
    std::string directory;
    if (!programDirectory.empty() && !RememberedDirectory(Trimmed(programDirectory))) {
        // Where every component exists as given (the usual case), one look-up of
        // the whole path settles it: an exact match is what each component's
        // look-up would pick. Only a miss needs the search ignoring case.
        std::string asGiven = root;
        for (std::string_view component : components) asGiven = JoinNative(asGiven, cp852::ToUtf8(component));
        struct stat info;
        if (TheSyscalls().lstat(asGiven.c_str(), &info) == 0) {
            RememberDirectory(Trimmed(programDirectory), std::string(SplitNative(asGiven).directory));
            resolved.native = asGiven;
            resolved.givenNative = std::move(asGiven);
            resolved.exists = true;
            return err::Ok;
        }
    }
    if (!programDirectory.empty())
        if (const int found = ResolveDirectory(programDirectory, directory); found != err::Ok) return found;
    std::string diskName;
    const int found = FindInDirectory(directory, name, diskName);
    if (found != err::Ok && found != err::FileNotFound) return found;
    resolved.exists = found == err::Ok;
    resolved.givenNative = JoinNative(directory, cp852::ToUtf8(name));
    resolved.native = resolved.exists ? JoinNative(directory, diskName) : resolved.givenNative;
    return err::Ok;
}

int ResolveDirectory(std::string_view path, std::string& native) {
    path = Trimmed(path);
    if (const std::string* remembered = RememberedDirectory(path)) {
        native = *remembered;
        return err::Ok;
    }
    ResolvedPath resolved;
    if (const int found = ResolvePath(path, resolved); found != err::Ok) return found;
    if (!resolved.exists) return err::PathNotFound;
    native = std::move(resolved.native);
    RememberDirectory(path, native);
    return err::Ok;
}

SplitPath SplitNative(const std::string& native) {
    const std::size_t cut = native.rfind('/');
    if (cut == std::string::npos) return {std::string_view(), native};
    const std::string_view whole = native;
    return {whole.substr(0, cut == 0 ? 1 : cut), whole.substr(cut + 1)};
}

int ForEachEntryName(const std::string& directory, const std::function<int(std::string_view name)>& take) {
    DIR* dir = TheSyscalls().opendir(directory.empty() ? "." : directory.c_str());
    if (!dir) return errno == ENOENT || errno == ENOTDIR ? err::PathNotFound : HomeError(errno);
    int result = err::Ok;
    for (;;) {
        errno = 0;
        const struct dirent* entry = TheSyscalls().readdir(dir);
        if (!entry) {
            result = HomeError(errno);  // 0 at the end of the listing
            break;
        }
        const std::string_view name = entry->d_name;
        if (name == "." || name == "..") continue;
        if (result = take(name); result != err::Ok) break;
    }
    TheSyscalls().closedir(dir);  // only read: nothing to lose
    return result;
}

}  // namespace platform::posix

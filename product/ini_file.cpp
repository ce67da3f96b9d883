#include "product/ini_file.h"

#include <limits>

#include "fileio/busy_file.h"
#include "fileio/file_exists.h"
#include "fileio/first_byte_lock.h"
#include "tui/polish_text.h"

namespace product {

namespace {

// What the product reads of a line; the rest of a longer one is kept and saved.
constexpr std::size_t kMaxLineLength = 255;
constexpr std::size_t kReadBlock = 4096;
constexpr char kSeparator = '=';
constexpr char kEndOfText = '\x1A';  // Ctrl+Z
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTrue = "TAK";
constexpr std::string_view kFalse = "NIE";
// What ReadString gives ReadInteger for a missing key: no number looks like it.
constexpr std::string_view kMissingNumber = "\xFA";

std::string_view Trimmed(std::string_view line) {
    while (!line.empty() && static_cast<unsigned char>(line.front()) <= ' ') line.remove_prefix(1);
    while (!line.empty() && static_cast<unsigned char>(line.back()) <= ' ') line.remove_suffix(1);
    return line;
}

int DigitValue(char c, int base) {
    int digit = base;
    if (c >= '0' && c <= '9') digit = c - '0';
    if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    return digit < base ? digit : -1;
}

}  // namespace

bool ParseIniInteger(std::string_view text, std::int32_t& value) {
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ') ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    int base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    }
    if (i == text.size()) return false;
    const std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + (negative ? 1 : 0);
    std::int64_t magnitude = 0;
    for (; i < text.size(); ++i) {
        const int digit = DigitValue(text[i], base);
        if (digit < 0) return false;
        magnitude = magnitude * base + digit;
        if (magnitude > limit) return false;
    }
    value = static_cast<std::int32_t>(negative ? -magnitude : magnitude);
    return true;
}

// --- Loading and saving ------------------------------------------------------------------

IniFile::IniFile(std::string_view fileName, bool forWrite) : readOnly_(!forWrite), fileName_(fileName) {
    sections_.push_back(Section{});
}

std::unique_ptr<IniFile> IniFile::Init(std::string_view fileName, bool forWrite) {
    std::unique_ptr<IniFile> ini(new IniFile(fileName, forWrite));
    // Only a file that is certainly not there is missing: a search that fails
    // otherwise must not make a firm's data read as empty, nor a file be created
    // over it. A file another workstation holds for a moment is waited for.
    const int search = fileio::RetryWhileBusy(fileName, [&] { return fileio::FileSearchResult(fileName); });
    if (fileio::ExistenceOf(search) == fileio::Existence::Unknown) return nullptr;
    ini->existed_ = search == platform::err::Ok;
    if (!ini->existed_ && !forWrite) return ini;
    int error = platform::err::Ok;
    if (!ini->existed_) {
        // Made exclusively: a file that another workstation has made since the search
        // is opened and read, never emptied.
        error = platform::CreateNewFile(fileName, ini->textFile_);
        if (error == platform::err::AlreadyExists) ini->existed_ = true;
    }
    if (ini->existed_) {
        // A writer reads and writes through one handle, the one that holds the lock.
        const std::uint8_t access = forWrite ? platform::mode::ReadWrite : platform::mode::ReadOnly;
        error = fileio::RetryWhileBusy(fileName, [&] {
            return platform::OpenSharedFile(fileName, access | platform::mode::DenyNone, ini->textFile_);
        });
    }
    if (error != platform::err::Ok) return nullptr;
    ini->opened_ = true;
    if (forWrite && !fileio::LockFirstByte(ini->textFile_)) return nullptr;
    // A file that cannot be read whole is refused: saving what was read of it would
    // throw the rest away. A reader meets the first-byte lock of a writer elsewhere
    // where locks are mandatory, and waits for it as for any busy file.
    if (ini->existed_ && fileio::RetryWhileBusy(fileName, [&] { return ini->Load(); }) != platform::err::Ok)
        return nullptr;
    return ini;
}

int IniFile::Load() {
    std::string text;
    if (const int error = platform::SeekFile(textFile_, 0); error != platform::err::Ok) return error;
    for (;;) {
        const std::size_t kept = text.size();
        text.resize(kept + kReadBlock);
        std::size_t done = 0;
        if (const int error = platform::ReadFromFile(textFile_, text.data() + kept, kReadBlock, done);
            error != platform::err::Ok)
            return error;
        text.resize(kept + done);
        if (done == 0) break;
    }
    if (const std::size_t end = text.find(kEndOfText); end != std::string::npos) text.resize(end);

    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line;
        for (std::size_t i = start; i < end; ++i)
            if (text[i] != '\r') line += text[i];
        start = end + 1;

        const std::string_view content = Trimmed(line);
        if (content.empty()) continue;
        if (content.size() >= 2 && content.front() == '[' && content.back() == ']')
            sections_.push_back(Section{std::string(content.substr(1, content.size() - 2)), {}});
        else
            sections_.back().lines.emplace_back(content);
    }
    return platform::err::Ok;
}

bool IniFile::Save() {
    std::string text;
    for (const Section& section : sections_) {
        if (section.name) (text += '[').append(*section.name).append("]").append(kLineEnd);
        for (const std::string& line : section.lines) text.append(line).append(kLineEnd);
        if (!section.lines.empty()) text.append(kLineEnd);
    }
    std::size_t written = 0;
    // Published before the first byte's lock goes, so that the next writer anywhere
    // loads what was saved.
    return platform::SeekFile(textFile_, 0) == platform::err::Ok &&
           platform::WriteToFile(textFile_, text.data(), text.size(), written) == platform::err::Ok &&
           platform::TruncateFile(textFile_, text.size()) == platform::err::Ok &&
           platform::PublishWrites(textFile_) == platform::err::Ok;
}

bool IniFile::Done() {
    if (done_) return true;
    done_ = true;
    const bool saving = modified_ && !readOnly_;
    bool saved = !saving || Save();
    sections_.clear();
    if (opened_) {
        // The close gives the lock back with the handle, so a failed unlock loses
        // nothing.
        if (!readOnly_) static_cast<void>(fileio::UnlockFirstByte(textFile_));
        // Of a saved file, the close is the last word on whether the data reached
        // the disk; of a file only read, it cannot lose anything.
        if (platform::CloseFile(textFile_) != platform::err::Ok && saving) saved = false;
        opened_ = false;
    }
    return saved;
}

IniFile::~IniFile() { Done(); }

// --- Lookup ------------------------------------------------------------------------------

std::size_t IniFile::FindSection(std::string_view name) const {
    for (std::size_t i = 0; i < sections_.size(); ++i)
        if (sections_[i].name && tui::SameIgnoringCase(*sections_[i].name, name)) return i;
    return kNone;
}

std::size_t IniFile::FindLine(const Section& section, std::string_view key) {
    for (std::size_t i = 0; i < section.lines.size(); ++i) {
        const std::string_view line = section.lines[i];
        const std::size_t separator = line.find(kSeparator);
        if (separator != std::string_view::npos && tui::SameIgnoringCase(line.substr(0, separator), key)) return i;
    }
    return kNone;
}

std::string_view IniFile::ValueOf(std::string_view line) { return line.substr(line.find(kSeparator) + 1); }

std::optional<std::string_view> IniFile::ReadableValueOf(std::string_view line) {
    const std::string_view readable = line.substr(0, kMaxLineLength);
    if (readable.find(kSeparator) == std::string_view::npos) return std::nullopt;
    return ValueOf(readable);
}

std::string IniFile::ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const {
    const std::size_t s = FindSection(section);
    if (s == kNone) return std::string(defaultValue);
    const std::size_t line = FindLine(sections_[s], key);
    const std::optional<std::string_view> value =
        line == kNone ? std::nullopt : ReadableValueOf(sections_[s].lines[line]);
    return std::string(value.value_or(defaultValue));
}

void IniFile::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    std::size_t s = FindSection(section);
    if (s == kNone) {
        sections_.push_back(Section{std::string(section), {}});
        s = sections_.size() - 1;
    }
    std::vector<std::string>& lines = sections_[s].lines;
    std::string text = std::string(key) + kSeparator + std::string(value);
    const std::size_t line = FindLine(sections_[s], key);
    if (line == kNone) {
        lines.push_back(std::move(text));
    } else if (ValueOf(lines[line]) != value) {
        lines[line] = std::move(text);
    } else {
        return;
    }
    modified_ = true;
}

char IniFile::ReadChar(std::string_view section, std::string_view key, char defaultChar) const {
    const std::string value = ReadString(section, key, std::string(1, defaultChar));
    return value.empty() ? defaultChar : value.front();
}

void IniFile::WriteChar(std::string_view section, std::string_view key, char c) {
    WriteString(section, key, std::string(1, c));
}

std::int32_t IniFile::ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const {
    const std::string value = ReadString(section, key, kMissingNumber);
    std::int32_t number = 0;
    if (value == kMissingNumber || !ParseIniInteger(value, number)) return defaultValue;
    return number;
}

void IniFile::WriteInteger(std::string_view section, std::string_view key, std::int32_t value) {
    WriteString(section, key, std::to_string(value));
}

bool IniFile::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
    const std::string value = tui::UpperString(ReadString(section, key, {}));
    if (value == kTrue) return true;
    if (value == kFalse) return false;
    return defaultValue;
}

void IniFile::WriteBool(std::string_view section, std::string_view key, bool value) {
    WriteString(section, key, value ? kTrue : kFalse);
}

}  // namespace product

#pragma once
// INI-style text files of the product: "[section]" headers and "key=value" lines,
// code page 852, loaded whole into memory, read and changed there, and written back
// whole when the object is done with after a change.
//
// Names of sections and keys match without regard to letter case (the Polish
// letters included); the key is everything before the first "=" and the value
// everything after it, neither trimmed. Lines are trimmed of blanks and control
// characters when loaded; a line ends at LF, CR bytes are dropped and Ctrl+Z ends
// the text. Every line is kept whole and saved whole, however long; a read sees
// only a line's first 255 characters, as the product's programs do. Lines that are
// neither headers nor keys stay as they are. Of duplicate sections or keys only the
// first is ever found.
//
// A writer holds the lock of the file's first byte (fileio/first_byte_lock.h) from
// loading to saving, through the handle it loads and saves with; a second writer on
// any workstation gets no object at once. Readers take no lock.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/files.h"

namespace product {

// The number conversion of INI values: leading blanks, an optional sign, then
// decimal digits or "$" and hexadecimal digits (either case). False for anything
// else, an empty number or one outside the 32-bit signed range.
bool ParseIniInteger(std::string_view text, std::int32_t& value);

class IniFile {
public:
    // Loads the file. A missing file (the search finds no such file or directory)
    // gives an empty object (for writing, the file is created empty). Returns
    // nullptr when the search fails otherwise, or when the file cannot be opened,
    // created or read whole, or, for writing, when another handle holds its first
    // byte. A search, open or read that finds the file busy (access denied, sharing
    // or lock violation) is tried again after a pause, asking the user after every
    // four pauses (fileio/busy_file.h); the writer's lock is never waited for.
    static std::unique_ptr<IniFile> Init(std::string_view fileName, bool forWrite);
    // Done, without its result.
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // Writes the whole content back when a write changed it (CR LF line ends, one
    // empty line after each section that has lines) and publishes it to the other
    // workstations (platform::PublishWrites), then releases the lock and closes.
    // False when the save, its publishing or the close after it failed: the file may
    // then be incomplete. Making it durable is the caller's: the firm text file goes
    // to the disk with the rest of the firm's directory, before the firm is
    // registered. Later calls do nothing and return true.
    bool Done();

    // The value, or defaultValue when the section or key is missing.
    std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
    // Adds the key (and its section) or replaces a different value, in both cases
    // spelling the key as given here; an equal value changes nothing.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    // The value's first character; defaultChar when it is empty or missing.
    char ReadChar(std::string_view section, std::string_view key, char defaultChar) const;
    void WriteChar(std::string_view section, std::string_view key, char c);
    // defaultValue when missing or when the value does not convert (ParseIniInteger).
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t defaultValue) const;
    void WriteInteger(std::string_view section, std::string_view key, std::int32_t value);
    // "TAK" true, "NIE" false, in any letter case; anything else gives defaultValue.
    bool ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;
    void WriteBool(std::string_view section, std::string_view key, bool value);

    bool ReadOnly() const { return readOnly_; }
    bool Existed() const { return existed_; }
    bool Modified() const { return modified_; }

private:
    struct Section {
        std::optional<std::string> name;  // none for the lines before the first header
        std::vector<std::string> lines;
    };

    IniFile(std::string_view fileName, bool forWrite);
    // Reads the open file whole, from its start, into sections; 0 or the error of
    // the read.
    int Load();
    bool Save();
    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // The index of the first named section that matches, or kNone.
    std::size_t FindSection(std::string_view name) const;
    // The index of the first line of section whose key matches, or kNone.
    static std::size_t FindLine(const Section& section, std::string_view key);
    // The text after the first "=" of a key's line.
    static std::string_view ValueOf(std::string_view line);
    // The value as far as a read sees it: within the line's first 255 characters;
    // none when the "=" lies beyond them.
    static std::optional<std::string_view> ReadableValueOf(std::string_view line);

    bool readOnly_;
    bool existed_ = false;
    bool modified_ = false;
    std::string fileName_;
    platform::FileHandle textFile_;
    bool opened_ = false;
    bool done_ = false;
    std::vector<Section> sections_;  // the unnamed section first, then in file order
};

}  // namespace product

#include "fileio/insert_journal.h"

#include <limits>

#include "fileio/busy_file.h"
#include "tui/toolkit.h"

namespace fileio {

namespace {

constexpr std::string_view kMagic = "QZUNDO01";
constexpr std::size_t kHeaderSize = kMagic.size() + 4 + 4;
constexpr std::size_t kChecksumSize = 4;
constexpr std::size_t kReadChunk = 65536;

std::uint32_t Checksum(std::string_view bytes) {
    std::uint32_t hash = 2166136261u;
    for (const char byte : bytes) hash = (hash ^ static_cast<unsigned char>(byte)) * 16777619u;
    return hash;
}

void PutWord(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>(value >> shift));
}

std::uint32_t WordAt(std::string_view bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + std::size_t(i)]);
    return value;
}

// The journal as its bytes tell it; false when they are not a whole journal.
bool Parse(std::string_view bytes, UndoImage& undo) {
    if (bytes.size() < kHeaderSize + kChecksumSize || !bytes.starts_with(kMagic)) return false;
    const std::string_view body = bytes.substr(0, bytes.size() - kChecksumSize);
    if (WordAt(bytes, body.size()) != Checksum(body)) return false;
    undo.size = WordAt(body, kMagic.size());
    undo.from = WordAt(body, kMagic.size() + 4);
    if (undo.from > undo.size || undo.size - undo.from != body.size() - kHeaderSize) return false;
    undo.bytes.assign(body.substr(kHeaderSize));
    return true;
}

int ReadAll(platform::FileHandle& file, std::string& bytes) {
    for (;;) {
        const std::size_t at = bytes.size();
        std::size_t done = 0;
        bytes.resize(at + kReadChunk);
        const int error = platform::ReadFromFile(file, bytes.data() + at, kReadChunk, done);
        bytes.resize(at + done);
        if (error != platform::err::Ok || done == 0) return error;
    }
}

int Write(platform::FileHandle& file, std::uint64_t offset, std::string_view bytes) {
    std::size_t done = 0;
    const int error = platform::SeekFile(file, offset);
    return error == platform::err::Ok ? platform::WriteToFile(file, bytes.data(), bytes.size(), done) : error;
}

}  // namespace

std::string InsertJournalName(std::string_view fileName) { return std::string(fileName) + ".insert-journal"; }

int CreateInsertJournal(std::string_view fileName, platform::FileHandle& journal) {
    return platform::CreateNewFile(InsertJournalName(fileName), journal);
}

int WriteInsertJournal(std::string_view fileName, platform::FileHandle& journal, const UndoImage& undo) {
    if (undo.size > std::numeric_limits<std::uint32_t>::max()) return platform::err::InvalidParameter;
    std::string bytes(kMagic);
    PutWord(bytes, static_cast<std::uint32_t>(undo.size));
    PutWord(bytes, static_cast<std::uint32_t>(undo.from));
    bytes += undo.bytes;
    PutWord(bytes, Checksum(bytes));
    int error = Write(journal, 0, bytes);
    if (error == platform::err::Ok) error = platform::FlushFile(journal);
    if (error == platform::err::Ok) error = platform::FlushDirectory(tui::DirectoryOf(fileName));
    return error;
}

// Over a network drive the name of a journal that another workstation removed just
// before it released the lock may still lead, for a moment, to the file it was: its
// open or its read then says the file is gone, and the name is looked up again.
int ReadInsertJournal(std::string_view fileName, JournalFound& found, UndoImage& undo) {
    return RetryBriefly([&] {
        found = JournalFound::None;
        platform::FileHandle journal;
        int error = platform::OpenSharedFile(InsertJournalName(fileName),
                                             platform::mode::ReadOnly | platform::mode::DenyNone, journal);
        if (error == platform::err::FileNotFound) return platform::err::Ok;
        std::string bytes;
        if (error == platform::err::Ok) error = ReadAll(journal, bytes);
        const int closed = platform::CloseFile(journal);
        if (error == platform::err::Ok) error = closed;
        if (error == platform::err::Ok) found = Parse(bytes, undo) ? JournalFound::Complete : JournalFound::Torn;
        return error;
    });
}

int RollBack(platform::FileHandle& file, const UndoImage& undo) {
    int error = Write(file, undo.from, undo.bytes);
    if (error == platform::err::Ok) error = platform::TruncateFile(file, undo.size);
    if (error == platform::err::Ok) error = platform::FlushFile(file);
    return error;
}

// Only the holder of the file's whole-file lock makes or opens its journal, so a
// handle that the removal finds open on it is this program's own, just closed: over
// a network drive the release of its sharing locks may reach the server a moment
// after the close. The removal is tried again as the file layer tries its locks.
int RemoveInsertJournal(std::string_view fileName) {
    const std::string journal = InsertJournalName(fileName);
    const int error = RetryBriefly([&] { return platform::RemoveFile(journal); });
    return error == platform::err::Ok ? platform::FlushDirectory(tui::DirectoryOf(fileName)) : error;
}

}  // namespace fileio

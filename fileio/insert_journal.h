#pragma once
// The undo journal of a sorted insert (RegistryFile::InsertSorted). Under the file's
// whole-file lock, before the insert changes the first byte of the file, it writes
// what the change will overwrite into a journal beside the file and makes the
// journal durable, its directory entry too: the file's size before the insert and
// its bytes from the insert position to the end. Then it appends and moves, flushes
// the file and removes the journal, durably. Whoever takes the file's whole-file
// lock next and finds a journal puts the file back from it (the bytes, then the
// size), flushes it and removes the journal. A journal is therefore always the last
// word on its file: finding one means an insert was cut short (a kill, a power cut,
// a failure it could not undo) or put back already, and rolling back again changes
// nothing.
//
// The journal is named after its file: the file's name followed by
// ".insert-journal" (SPISFIRM.DAT.insert-journal). A registry name has at most 12
// characters, so no journal name can be the name of a registry, nor of a firm
// directory.
//
// Its contents, little-endian:
//   8 bytes  "QZUNDO01"
//   4 bytes  the file's size before the insert, in bytes
//   4 bytes  the offset the saved bytes were taken from
//   n bytes  the saved bytes: the file's old bytes from that offset to its old end
//   4 bytes  FNV-1a checksum of everything before it
// A journal of any other length, or whose checksum or offsets do not fit, was cut
// short while it was being written, when the file had not been touched yet: it is
// discarded.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/files.h"

namespace fileio {

// What an insert will overwrite in its file.
struct UndoImage {
    std::uint64_t size = 0;  // the file's size before the insert
    std::uint64_t from = 0;  // where the saved bytes begin
    std::string bytes;       // the old bytes from `from` to `size`
};

std::string InsertJournalName(std::string_view fileName);

// Creates the journal of fileName exclusively, empty; AlreadyExists when one is
// there (a journal left by an insert cut short).
int CreateInsertJournal(std::string_view fileName, platform::FileHandle& journal);
// Fills the empty journal just created and makes it and its entry durable.
int WriteInsertJournal(std::string_view fileName, platform::FileHandle& journal, const UndoImage& undo);

enum class JournalFound : std::uint8_t { None, Torn, Complete };
// Reads the journal of fileName, if any; a journal that exists but cannot be read
// is an error.
int ReadInsertJournal(std::string_view fileName, JournalFound& found, UndoImage& undo);

// Puts file back as undo tells and flushes it.
int RollBack(platform::FileHandle& file, const UndoImage& undo);
// Removes the journal of fileName and makes its removal durable.
int RemoveInsertJournal(std::string_view fileName);

}  // namespace fileio

#pragma once
// The directory for scratch files and unique names in it. An installation chooses the
// directory through environment variables; names carry a random number so that
// workstations sharing the directory rarely meet, and are checked against what is
// already there. Nothing here creates a file.
#include <string>
#include <string_view>

namespace fileio {

// Settles TempDir once at start-up: the first of qzTEMP, RIZARO, TEMP and TMP whose
// value, searched exactly as written, names a directory; else the current directory.
void InitTempDir();

// The directory chosen by InitTempDir, as found (with or without a final separator).
const std::string& TempDir();

// A name in directory (TempDir when empty) of the form "~qz", eight upper-case
// hexadecimal digits and extension, that no entry of the directory has at the
// moment of the call. Only a candidate: another process may take it before the
// caller creates the file.
std::string UniqueName(std::string_view directory, std::string_view extension);

// UniqueName with the extension ".tmp".
std::string TempName(std::string_view directory);

}  // namespace fileio

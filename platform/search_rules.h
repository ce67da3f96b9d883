#pragma once
// The home platform's rules for directory search, the same on every build: names
// compare ignoring letter case (ASCII and the Central European letters of code page
// 852), a pattern's wildcards fit names as they do there, and the attribute mask
// lets special entries through only when asked.
#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// A name reduced to what case-insensitive comparison looks at: one element per
// character, letters upper-cased as code page 852 upper-cases them. A file system
// whose names hold characters the code page lacks gives them values above 0xFF.
using NameKey = std::u32string;

NameKey KeyOfProgramName(std::string_view cp852Name);

// Whether a name fits a pattern with the home platform's wildcards: "*" any run of
// characters; "?" one character, or none at the end of the name or before its
// extension's point (so "D7??.*" fits "D7.REK" and "D71.REK"); a point followed
// only by wildcards also fits a name without extension ("*.*" fits every name).
bool FitsPattern(const NameKey& pattern, const NameKey& name);

bool HasWildcards(std::string_view cp852Name);

// Ordinary files always fit a search's attribute mask; directories, hidden and
// system entries and volume labels only when the mask has their bit.
bool FitsAttributeMask(std::uint8_t attributes, std::uint8_t mask);

}  // namespace platform

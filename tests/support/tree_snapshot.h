#pragma once
// A directory tree read into memory, to compare trees before and after a run.
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

namespace qztest {

// Relative path ("DIR/NAME", "/" between the parts) to the file's bytes.
using Tree = std::map<std::string, std::string>;

// Every ordinary file below root.
Tree readTree(const std::filesystem::path& root);
// FNV-1a over every path and its bytes, in path order.
std::uint64_t treeHash(const Tree& tree);

}  // namespace qztest

#include "tests/support/tree_snapshot.h"

#include <fstream>

namespace qztest {

namespace fs = std::filesystem;

Tree readTree(const fs::path& root) {
    Tree tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        tree[fs::relative(entry.path(), root).generic_string()] = std::string(std::istreambuf_iterator<char>(in), {});
    }
    return tree;
}

std::uint64_t treeHash(const Tree& tree) {
    std::uint64_t hash = 0xCBF29CE484222325ull;
    auto mix = [&hash](const std::string& bytes) {
        for (char c : bytes) hash = (hash ^ static_cast<std::uint8_t>(c)) * 0x100000001B3ull;
        hash = (hash ^ 0xFF) * 0x100000001B3ull;  // end of a part
    };
    for (const auto& [path, bytes] : tree) {
        mix(path);
        mix(bytes);
    }
    return hash;
}

}  // namespace qztest

#pragma once
// Writes the files of a sample tree below its root directory. The root must be
// missing or empty: the generator never mixes its files with anybody's data.
#include <filesystem>
#include <string>
#include <string_view>

namespace qzsample {

class TreeWriter {
public:
    explicit TreeWriter(std::filesystem::path root) : root_(std::move(root)) {}

    // Creates the root (and its parents) or accepts it when it is an empty directory.
    bool open();
    // Writes one file; relativePath uses "/" between a directory and a file name.
    bool put(const std::string& relativePath, std::string_view bytes);

    const std::filesystem::path& root() const { return root_; }
    const std::string& error() const { return error_; }

private:
    std::filesystem::path root_;
    std::string error_;
};

}  // namespace qzsample

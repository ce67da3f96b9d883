#include "tools/qz-sample/tree_writer.h"

#include <fstream>
#include <system_error>

namespace qzsample {

namespace fs = std::filesystem;

bool TreeWriter::open() {
    std::error_code failure;
    if (fs::exists(root_, failure)) {
        if (!fs::is_directory(root_, failure)) {
            error_ = root_.string() + " is not a directory";
            return false;
        }
        if (!fs::is_empty(root_, failure) || failure) {
            error_ = root_.string() + " is not empty";
            return false;
        }
        return true;
    }
    if (!fs::create_directories(root_, failure)) {
        error_ = "cannot create " + root_.string() + ": " + failure.message();
        return false;
    }
    return true;
}

bool TreeWriter::put(const std::string& relativePath, std::string_view bytes) {
    const fs::path file = root_ / relativePath;
    std::error_code failure;
    fs::create_directories(file.parent_path(), failure);
    if (failure) {
        error_ = "cannot create " + file.parent_path().string() + ": " + failure.message();
        return false;
    }
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        error_ = "cannot write " + file.string();
        return false;
    }
    return true;
}

}  // namespace qzsample

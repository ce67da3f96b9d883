#include "convert/firm/firm_paths.h"

#include "platform/files.h"

namespace convert {

namespace {

std::string InDirectory(const std::string& directory, std::string_view name) {
    std::string path = directory;
    path += platform::kSeparator;
    path += name;
    return path;
}

}  // namespace

std::string FirmPaths::SourceFile(std::string_view name) const { return InDirectory(source, name); }

std::string FirmPaths::TargetFile(std::string_view name) const { return InDirectory(target, name); }

FirmPaths PathsOfFirm(const DataRoots& roots, std::string_view directory) {
    FirmPaths paths;
    paths.source = std::string(roots.year2023) + std::string(directory);
    paths.target = std::string(roots.year2024) + std::string(directory);
    return paths;
}

}  // namespace convert

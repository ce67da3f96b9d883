#pragma once
// Where one firm's files lie: its directory under the 2023 root (the source) and the
// directory of the same name under the 2024 root (the target).
#include <string>
#include <string_view>

namespace convert {

// The two data roots of the run, each ending with the separator. The strings they
// view must outlive every use.
struct DataRoots {
    std::string_view year2023;
    std::string_view year2024;
};

struct FirmPaths {
    std::string source;  // 2023 root + firm directory, without a final separator
    std::string target;  // 2024 root + firm directory, without a final separator

    std::string SourceFile(std::string_view name) const;
    std::string TargetFile(std::string_view name) const;
};

// The paths of the firm whose directory is named directory; the name must have
// passed IsPlainFileName.
FirmPaths PathsOfFirm(const DataRoots& roots, std::string_view directory);

}  // namespace convert

#pragma once
// The copies of one firm's files from its 2023 directory into its 2024 directory,
// by file name: each operation names the file in the source directory and, under
// the same name unless it says otherwise, in the target directory. Every one goes
// through the copy primitives, so an existing target meets the overwrite question
// and every failure is reported in the log.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "convert/annual/annual_settings.h"
#include "convert/copying/file_copy.h"
#include "convert/firm/firm_paths.h"
#include "convert/firm/mark_converted.h"
#include "convert/options.h"
#include "convert/staff/staff_converters.h"

namespace convert {

// The names of a named copy: "a>b" copies a to b, a name without ">" keeps its name.
std::pair<std::string_view, std::string_view> NamedCopyNames(std::string_view entry);

// Reports a name from a data file that IsPlainFileName refused; the copy it named is
// skipped.
void RefuseFileName(std::string_view name);

class FirmCopies {
public:
    // Everything given must outlive the object.
    FirmCopies(const FirmPaths& paths, std::span<const std::string> extraFiles, const Options& options,
               StaffTransfer& staff, ConvertedFiles& converted)
        : paths(paths), extraFiles(extraFiles), options(options), staff(staff), converted(converted) {}

    void Blocks(std::string_view name) const { Blocks(name, name); }
    void Blocks(std::string_view from, std::string_view to) const;
    // A named copy of entry (see NamedCopyNames), by blocks.
    void Named(std::string_view entry) const;
    void Text(std::string_view name) const;
    void Records(std::string_view name, std::uint16_t recordSize,
                 const RecordFilter& filter = {}) const;
    void Records(std::string_view from, std::string_view to, std::uint16_t recordSize,
                 const RecordFilter& filter) const;
    void Convert(std::string_view from, std::string_view to, std::uint16_t recordSize,
                 const RecordConverter& converter) const;
    // A record conversion whose converter carries every record whole.
    void Verbatim(std::string_view name, std::uint16_t recordSize) const;
    // Every entry of the source directory that matches pattern, whatever its
    // attributes, by blocks under its own name.
    void Pattern(std::string_view pattern) const;
    // The ordinary files that match pattern, each announced by its number (from 1)
    // and name.
    void Numbered(std::string_view pattern) const;

    const FirmPaths& paths;
    const std::span<const std::string> extraFiles;
    const Options& options;  // what the user chose for the run
    StaffTransfer& staff;    // who of the firm's staff was carried, for the items that follow them
    ConvertedFiles& converted;  // the 2023 ledger files to hide once the firm is registered
    AnnualSettingsFound annual;  // what the firm's annual settings conversion found
};

}  // namespace convert

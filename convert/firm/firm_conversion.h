#pragma once
// The conversion of one firm: its 2024 directory with the firm marker, its annual
// settings, and every item of the option set carried from its 2023 directory. The
// per-firm loop calls it for each selected firm and enters the firm into the 2024
// registry only when it returns true.
#include <span>
#include <string>
#include <string_view>

#include "convert/firm/in_progress_mark.h"
#include "convert/firm/interrupted_work.h"
#include "convert/firm/firm_paths.h"
#include "convert/firm/mark_converted.h"
#include "convert/options.h"

namespace convert {

// What became of a firm given to ConvertFirm.
enum class FirmConversion {
    Converted,       // to be registered: see ConvertFirm
    NotConverted,    // given up, with the reason shown, or kept out of the registry
    TakenElsewhere,  // another workstation's run made its 2024 directory or holds its mark
};

// Converts the firm called name whose directory (below both roots) is named
// directory with what options chose; extraFiles are the entries of the list of extra
// files. The firm's 2024 directory is made exclusively (or is one of claims, which
// this run made or emptied for a redo); mark receives its in-progress mark, held
// until the firm is registered (FinishFirm) or given up (the mark is released and
// stays: the next run redoes the firm), and toHide the 2023 ledger files that
// FinishFirm hides. The
// progress log shows the firm's work in a full-screen window that is closed again on
// every way out. Converted when the firm is to be registered: its 2024 directory and
// marker were made and every item after them went through, or the user, asked about
// the files that failed (convert/firm_failures.h), registers it all the same.
// NotConverted: no annual settings in either year, no readable 2023 marker, a 2024
// directory or marker that could not be made, a directory name that would leave the
// roots, a full disk (shown in a box: DiskFullMet), or failed files that the user
// keeps out of the registry (FirmWasIncomplete). TakenElsewhere: a 2024 directory
// that another run made since the detection, or whose mark it holds, is the other
// workstation's work: the firm is passed over with a line in the error colour,
// without waiting for a key.
FirmConversion ConvertFirm(const Options& options, const DataRoots& roots, std::string_view name,
                           std::string_view directory, std::span<const std::string> extraFiles,
                           ClaimedDirectories& claims, InProgressMark& mark, ConvertedFiles& toHide);
// The end of a firm whose record is in the 2024 registry and flushed: removes its
// in-progress mark, then renames the converted 2023 ledger files (noted when asked to).
void FinishFirm(InProgressMark& mark, ConvertedFiles& toHide);

}  // namespace convert

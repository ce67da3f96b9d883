#pragma once
// The firm directories of the 2024 tree that this run may work in although they
// exist: those it made itself (two firms of one registry may share a directory) and
// those it emptied for a redo of a conversion cut short, whose in-progress marks it
// holds from the detection until their firm's turn. Any other existing directory
// belongs to another run. Directories are told apart ignoring letter case.
#include <string_view>

#include "convert/conversion_mark.h"

namespace convert {

// Notes a directory this run made, or took as it found it: empty, without a mark
// and of no registered firm (a run cut short before the mark).
void NoteMadeByThisRun(std::string_view target);
// Takes a directory emptied for a redo, with its held mark.
void ClaimForRedo(std::string_view target, ConversionMark mark);
// Whether this run made the directory or emptied it for a redo.
bool MadeOrClaimedByThisRun(std::string_view target);
// The held mark of a directory claimed for a redo, handed over; an empty mark when
// there is none (any more).
ConversionMark TakeClaimedMark(std::string_view target);
// The end of the per-firm loop: gives back the marks still held (firms not
// converted after all), which stay for the next run to redo those firms, and forgets
// the directories of this loop.
void ReleaseClaims();

}  // namespace convert

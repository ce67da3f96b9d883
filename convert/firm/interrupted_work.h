#pragma once
// Work that a run may have left behind in the 2024 tree, judged in one place: what
// is found of a firm's 2024 directory or of the global-data directory (the
// in-progress mark, the 2024 registry, the directory's contents) and the verdict
// that follows, kept apart from the looks so that the rules read as one table.
//
// Also the firm directories of the 2024 tree that this run may work in although they
// exist (ClaimedDirectories).
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>

#include "convert/firm/in_progress_mark.h"

namespace convert {

enum class WorkPlace {
    FirmDirectory,  // an existing 2024 directory of a firm, at the detection
    GlobalData,     // the global-data directory, as the global copy starts
};

// What the 2024 registry says of the firm of a directory.
enum class Registration { Registered, NotRegistered, RegistryUnreadable };

// What was found so far; a fact not looked at yet has no value. The verdict asks
// for the registry and the contents only when the mark leaves the case open, as
// reading the registry may put a question to the user.
struct WorkFound {
    WorkPlace place = WorkPlace::FirmDirectory;
    MarkFound mark = MarkFound::None;
    std::optional<Registration> registration;
    std::optional<bool> empty;  // the directory holds no entry at all
};

enum class WorkVerdict {
    StartAfresh,          // no work of another run there: this run starts its own
    Redo,                 // a run cut short left its mark: what it did is done again
    AtWorkElsewhere,      // another run holds the mark's lock: its work, left alone
    MarkUnreadable,       // the mark could not be opened or its lock not tried: left alone
    Converted,            // the firm is converted and registered: passed over
    ConvertedMarkLeft,    // as Converted, but cut short before its mark went: the mark goes
    RegistryUnreadable,   // nothing can be decided, so nothing is touched: passed over
    NotThisProgramsWork,  // files without a mark or a record: a person decides
};

// A fact that the verdict still needs.
enum class NeededFact { Registration, Contents };

// The verdict on what was found, or the fact to look at first; pure, for the looks
// see JudgeFirmDirectory.
std::variant<WorkVerdict, NeededFact> JudgeInterruptedWork(const WorkFound& found);

// Looks at the mark of a firm's existing 2024 directory (held in mark when it was
// left behind), then at each fact the verdict still needs: the registration through
// lookUpRegistration, the directory's contents. Returns the verdict.
WorkVerdict JudgeFirmDirectory(std::string_view target, InProgressMark& mark,
                               const std::function<Registration()>& lookUpRegistration);

// Whether path names a directory of a firm, in either tree; a file of that name
// does not count.
bool FirmDirectoryExists(std::string_view path);

// The firm directories of the 2024 tree that one per-firm loop may work in although
// they exist: those it made itself (two firms of one registry may share a directory)
// and those it emptied for a redo of a conversion cut short, whose in-progress marks
// it holds from the detection until their firm's turn. Any other existing directory
// belongs to another run. Directories are told apart ignoring letter case. The end of
// the object gives back the marks still held (firms not converted after all), which
// stay for the next run to redo those firms.
class ClaimedDirectories {
public:
    // Empties a directory judged Redo but for its held mark, and claims it, taking the
    // mark over; false, with the mark left to the caller, when it could not be emptied.
    bool ClaimForRedo(std::string_view target, InProgressMark& mark);
    // Notes a directory this run made, or took as it found it (StartAfresh).
    void NoteMade(std::string_view target);
    // Whether this run made the directory or emptied it for a redo.
    bool MadeOrClaimed(std::string_view target) const;
    // The held mark of a directory claimed for a redo, handed over; an empty mark when
    // there is none (any more).
    InProgressMark TakeMark(std::string_view target);

private:
    std::set<std::string> ours_;
    std::map<std::string, InProgressMark> heldMarks_;
};

}  // namespace convert

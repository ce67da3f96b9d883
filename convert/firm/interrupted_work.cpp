#include "convert/firm/interrupted_work.h"

#include "platform/files.h"
#include "tui/polish_text.h"

namespace convert {

namespace {

std::string KeyOf(std::string_view target) { return tui::UpperString(target); }

// Whether the directory holds no entry at all; a search that fails finds something.
bool HoldsNothing(std::string_view directory) {
    platform::DirectorySearch search;
    platform::FoundEntry entry;
    return search.First(std::string(directory) + platform::kSeparator + "*", platform::attr::AnyFile, entry) ==
           platform::err::FileNotFound;
}

}  // namespace

// A mark whose lock is held or cannot be tried is another run's business wherever
// it is. The global copy has nothing more to ask. A firm's directory, which the
// mark proves this program made, is redone unless the firm is registered (then the
// run was cut short between the insert and the removal of the mark). Without a
// mark, an empty directory of no registered firm was left by a run cut short
// between making the directory and its mark: nothing to lose in it. One that holds
// anything is not this program's doing.
std::variant<WorkVerdict, NeededFact> JudgeInterruptedWork(const WorkFound& found) {
    const bool global = found.place == WorkPlace::GlobalData;
    switch (found.mark) {
        case MarkFound::Busy:
            return WorkVerdict::AtWorkElsewhere;
        case MarkFound::Unreadable:
            return WorkVerdict::MarkUnreadable;
        case MarkFound::LeftBehind:
            if (global) return WorkVerdict::Redo;
            break;
        case MarkFound::None:
            if (global) return WorkVerdict::StartAfresh;
            break;
    }
    if (!found.registration) return NeededFact::Registration;
    if (*found.registration == Registration::RegistryUnreadable) return WorkVerdict::RegistryUnreadable;
    const bool registered = *found.registration == Registration::Registered;
    if (found.mark == MarkFound::LeftBehind) return registered ? WorkVerdict::ConvertedMarkLeft : WorkVerdict::Redo;
    if (registered) return WorkVerdict::Converted;
    if (!found.empty) return NeededFact::Contents;
    return *found.empty ? WorkVerdict::StartAfresh : WorkVerdict::NotThisProgramsWork;
}

WorkVerdict JudgeFirmDirectory(std::string_view target, InProgressMark& mark,
                               const std::function<Registration()>& lookUpRegistration) {
    WorkFound found{WorkPlace::FirmDirectory, mark.Look(target), std::nullopt, std::nullopt};
    for (;;) {
        const std::variant<WorkVerdict, NeededFact> judged = JudgeInterruptedWork(found);
        if (const WorkVerdict* verdict = std::get_if<WorkVerdict>(&judged)) return *verdict;
        if (std::get<NeededFact>(judged) == NeededFact::Registration)
            found.registration = lookUpRegistration();
        else
            found.empty = HoldsNothing(target);
    }
}

bool FirmDirectoryExists(std::string_view path) { return platform::DirectoryExists(path); }

bool ClaimedDirectories::ClaimForRedo(std::string_view target, InProgressMark& mark) {
    if (platform::EmptyDirectory(target, kInProgressMarkName) != platform::err::Ok) return false;
    ours_.insert(KeyOf(target));
    heldMarks_[KeyOf(target)] = std::move(mark);
    return true;
}

void ClaimedDirectories::NoteMade(std::string_view target) { ours_.insert(KeyOf(target)); }

bool ClaimedDirectories::MadeOrClaimed(std::string_view target) const { return ours_.contains(KeyOf(target)); }

InProgressMark ClaimedDirectories::TakeMark(std::string_view target) {
    const auto held = heldMarks_.find(KeyOf(target));
    if (held == heldMarks_.end()) return {};
    InProgressMark mark = std::move(held->second);
    heldMarks_.erase(held);
    return mark;
}

}  // namespace convert

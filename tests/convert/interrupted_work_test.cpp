// The verdict on work a run may have left behind: every combination of what is found
// of the in-progress mark, the 2024 registry and the directory's contents, in one
// table. A fact without a value has not been looked at yet.
#include "convert/firm/interrupted_work.h"

#include <gtest/gtest.h>

#include <optional>
#include <variant>

namespace {

using convert::MarkFound;
using convert::NeededFact;
using convert::Registration;
using convert::WorkPlace;
using convert::WorkVerdict;

constexpr WorkPlace kFirm = WorkPlace::FirmDirectory;
constexpr WorkPlace kGlobal = WorkPlace::GlobalData;
constexpr std::optional<Registration> kNotLooked;
constexpr std::optional<bool> kNotSearched;

TEST(JudgeInterruptedWork, EveryCombinationOfWhatWasFound) {
    const struct {
        WorkPlace place;
        MarkFound mark;
        std::optional<Registration> registration;
        std::optional<bool> empty;
        std::variant<WorkVerdict, NeededFact> judged;
    } cases[] = {
        // A mark whose lock is held or cannot be tried decides alone, wherever it is.
        {kFirm, MarkFound::Busy, kNotLooked, kNotSearched, WorkVerdict::AtWorkElsewhere},
        {kFirm, MarkFound::Busy, Registration::NotRegistered, true, WorkVerdict::AtWorkElsewhere},
        {kFirm, MarkFound::Unreadable, kNotLooked, kNotSearched, WorkVerdict::MarkUnreadable},
        {kFirm, MarkFound::Unreadable, Registration::Registered, false, WorkVerdict::MarkUnreadable},
        {kGlobal, MarkFound::Busy, kNotLooked, kNotSearched, WorkVerdict::AtWorkElsewhere},
        {kGlobal, MarkFound::Unreadable, kNotLooked, kNotSearched, WorkVerdict::MarkUnreadable},
        // The global copy asks nothing more: a free mark is a copy to repeat, none one to start.
        {kGlobal, MarkFound::None, kNotLooked, kNotSearched, WorkVerdict::StartAfresh},
        {kGlobal, MarkFound::LeftBehind, kNotLooked, kNotSearched, WorkVerdict::Redo},
        // A firm's directory needs the registry next, whatever its mark left open.
        {kFirm, MarkFound::None, kNotLooked, kNotSearched, NeededFact::Registration},
        {kFirm, MarkFound::LeftBehind, kNotLooked, kNotSearched, NeededFact::Registration},
        {kFirm, MarkFound::None, Registration::RegistryUnreadable, kNotSearched, WorkVerdict::RegistryUnreadable},
        {kFirm, MarkFound::None, Registration::RegistryUnreadable, true, WorkVerdict::RegistryUnreadable},
        {kFirm, MarkFound::LeftBehind, Registration::RegistryUnreadable, kNotSearched,
         WorkVerdict::RegistryUnreadable},
        // A left-behind mark: the registry tells a redo from a mark that outlived its insert.
        {kFirm, MarkFound::LeftBehind, Registration::Registered, kNotSearched, WorkVerdict::ConvertedMarkLeft},
        {kFirm, MarkFound::LeftBehind, Registration::NotRegistered, kNotSearched, WorkVerdict::Redo},
        {kFirm, MarkFound::LeftBehind, Registration::NotRegistered, false, WorkVerdict::Redo},
        // No mark: a registered firm is converted; otherwise the contents tell.
        {kFirm, MarkFound::None, Registration::Registered, kNotSearched, WorkVerdict::Converted},
        {kFirm, MarkFound::None, Registration::Registered, false, WorkVerdict::Converted},
        {kFirm, MarkFound::None, Registration::NotRegistered, kNotSearched, NeededFact::Contents},
        {kFirm, MarkFound::None, Registration::NotRegistered, true, WorkVerdict::StartAfresh},
        {kFirm, MarkFound::None, Registration::NotRegistered, false, WorkVerdict::NotThisProgramsWork},
    };
    for (const auto& c : cases) {
        const convert::WorkFound found{c.place, c.mark, c.registration, c.empty};
        EXPECT_EQ(convert::JudgeInterruptedWork(found), c.judged)
            << "place " << static_cast<int>(c.place) << ", mark " << static_cast<int>(c.mark) << ", registration "
            << (c.registration ? static_cast<int>(*c.registration) : -1) << ", empty "
            << (c.empty ? static_cast<int>(*c.empty) : -1);
    }
}

}  // namespace

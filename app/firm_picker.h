#pragma once
// The firm picker: after Start, the firms that still need converting in a list, all
// of them selected, for the user to choose which to convert.
#include <span>
#include <string>
#include <vector>

#include "app/firm_record.h"
#include "app/paths.h"
#include "convert/firm/interrupted_work.h"
#include "tui/commands.h"

namespace app {

// Commands of the picker's hint bar.
inline constexpr tui::Command cmToggleFirm = 0xF0;  // Space
inline constexpr tui::Command cmAllFirms = 0xF1;    // Ctrl+W
inline constexpr tui::Command cmNoFirms = 0xF2;     // Ctrl+D

inline constexpr char kSelectedMark = '\xFE';    // a small filled square
inline constexpr char kUnselectedMark = '\xFA';  // a middle dot

// The picker's line of a firm, 52 characters: the name in 1-31, the selected mark in
// 32, the directory in 34-41 and the beginning of the description in 43-52.
std::string FirmLine(const FirmRecord& firm);

// Shows the firms (at least one) and lets the user change their selection; true when
// the user started the conversion with F5.
bool PickFirms(std::span<FirmRecord> firms);

// Runs the environment detection, which lists the firms (and claims their existing
// directories that this run may use), then the picker when there is a firm. True
// when the user started the conversion.
bool SelectFirms(const RunPaths& paths, convert::ClaimedDirectories& claims, std::vector<FirmRecord>& firms);

}  // namespace app

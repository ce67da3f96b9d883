#pragma once
// The carry-over of the 2024 entries that users made in the 2023 program before the
// 2024 one was installed: ledger entries and repayments month by month with the
// bad-debt index, salaries, and commission contracts. The driver writes each item's
// label, then calls the item with the firm's source directory (2023 tree) and target
// directory (2024 tree), both without a trailing separator. The person file of the
// firm must have been converted first: salaries and contracts follow the key table it filled.
#include <string_view>

#include "convert/firm/mark_converted.h"
#include "convert/options.h"
#include "convert/staff/person_keys.h"

namespace convert {

// Ledger entries 2024K990.m and repayments 2024SP.m for m = 1 to 12, then the
// bad-debt index 2024IDX.REK. January's entries are added to a January target that
// is already there; other months' targets go through the overwrite question. A
// month's source file is noted in converted, to be hidden in the 2023 tree (if the
// user asked for that), only when its conversion succeeded.
void CarryLedgerEntries(std::string_view sourceDir, std::string_view targetDir, const Options& options,
                        ConvertedFiles& converted);
// Salaries 2024WP5.REK of the persons carried, whose keys are in keys.
void CarrySalaries(std::string_view sourceDir, std::string_view targetDir, const PersonKeys& keys);
// Commission contracts 2024UZ5.REK of the persons carried, when the firm has any.
void CarryContracts(std::string_view sourceDir, std::string_view targetDir, const PersonKeys& keys);

}  // namespace convert

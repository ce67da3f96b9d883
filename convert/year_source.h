#pragma once
// The year-2024 source flag of the firm being converted: set when the firm's annual
// settings were taken from the 2024 file that the 2023 program already kept. Records
// of 2024 are then kept as they are instead of being built afresh. Cleared by the
// driver at the start of each firm.
namespace convert {

void SetYear2024Source(bool on);
bool Year2024Source();

}  // namespace convert

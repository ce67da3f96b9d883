#pragma once
// The clock in the top-right corner (row 1, columns 73-80), kept running while the
// event source waits for input.
namespace tui {

// Waits for input, 64 ms at most, then rewrites the clock if the second has changed
// since it was last shown.
void ClockTick();
// Makes the next tick draw the clock even within the same second (after the screen
// under it was cleared).
void InvalidateClock();

}  // namespace tui

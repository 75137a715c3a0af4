// The times of day: the dialog of the four day-phase times (menu command 433) and the stop when the
// clock reaches the stop time.
#pragma once
#include <cstdint>

constexpr uint32_t DAYPHASE_TEMPLATE = 52;

// Runs the dialog of the four times at which the day/night phase changes and its two options.
void EditDayPhaseTimes();
// Called by the clock when it reaches the stop time: stops the simulation, sounds, and offers to
// set a new stop time.
void OnStopTimeReached();

// Recomputes the day phase after its times or options changed (argument 0). Start-up points it at
// the display colours' day phase; null: nothing to recompute.
extern void (*DayPhaseUpdateHook)(int);

#pragma once

namespace veyora {

// Seconds on a steady clock, for timing frames and waits.
double SecondsNow();

// Sleeps for `seconds` (nothing when it is 0 or less); a signal cuts it short.
void SleepSeconds(double seconds);

}  // namespace veyora

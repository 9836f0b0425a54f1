#pragma once
// The clocks of platform/Temps.h on virtual time, for the builds that run the
// program's code much faster than time passes (fuzzing): nothing sleeps, and
// time moves only when the code looks at a clock or sleeps. Built instead of
// the system clocks with -DGALVORA_HORLOGE_VIRTUELLE=ON.
//
// Each reading of the millisecond tick counter moves time on by 1 ms and each
// reading of the high-resolution counter by 1 µs, so that a busy wait ends
// after as many readings as it waits milliseconds; dors() moves it on by the
// time slept.
#include <cstdint>

namespace plateforme {

// Sets virtual time, in nanoseconds since the clocks' origin.
void fixeTempsVirtuel(uint64_t nanosecondes);
uint64_t tempsVirtuel();

} // namespace plateforme

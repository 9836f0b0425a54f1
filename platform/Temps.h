#pragma once
// Clocks and sleeping.
#include <cstdint>

namespace plateforme {

// Milliseconds since an arbitrary origin, 32 bits wide and wrapping like the
// Windows tick counter: compare ticks only by unsigned difference.
uint32_t compteurTicks();

// The high-resolution counter and its frequency in counts per second.
int64_t compteurPerformance();
int64_t frequencePerformance();

// Seconds on a monotonic clock, with sub-microsecond resolution.
double secondesMonotones();

void dors(uint32_t millisecondes);

} // namespace plateforme

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

// The counters above behind one interface, so that code timing itself can be
// given another clock: a test then decides how much time has passed.
class Horloge {
public:
    virtual ~Horloge() = default;
    // Counts per second of compteurPerformance(); 0 when there is no such counter.
    virtual int64_t frequencePerformance() const = 0;
    virtual int64_t compteurPerformance() const = 0;
    virtual uint32_t compteurTicks() const = 0;
};

// The platform's own counters.
const Horloge& horlogeSysteme();

} // namespace plateforme

#pragma once
// Extra entry points of the simulated V6 library, for tests only: they act on
// the simulated unit the way a hand on the bench would.
#include <cstdint>

#if defined(_WIN32)
#define SIMV6_EXPORTE __declspec(dllexport)
#else
#define SIMV6_EXPORTE __attribute__((visibility("default")))
#endif

extern "C" {
// 0 unplugs the unit: FT_OpenEx answers FT_DEVICE_NOT_FOUND and every call on
// a handle opened before answers FT_IO_ERROR (FT_Close still releases it).
// 1 plugs it back: the unit starts again from its power-on state; the handles
// of before stay dead, as after a real unplug.
SIMV6_EXPORTE void SimV6_Branche(int32_t branche);

// The unit does not echo the next `nombre` bytes it receives (it still acts
// on them).
SIMV6_EXPORTE void SimV6_PerdEcho(int32_t nombre);

// Power-on state: unit plugged in, settings and clock reset (the clock
// running free), queues emptied, every handle forgotten (later calls on it
// answer FT_INVALID_HANDLE).
SIMV6_EXPORTE void SimV6_Reinitialise(void);

// From now on every run takes its sample 0 at `ns` nanoseconds of the
// signals' clock, whenever it starts; a negative value gives the clock back
// its course (SignauxV6Sim.h).
SIMV6_EXPORTE void SimV6_FixeDebutRuns(int64_t ns);
// Instant in nanoseconds of the signals' clock of the last run's sample 0;
// -1 before any run since power-on.
SIMV6_EXPORTE int64_t SimV6_DebutRun(void);

// Puts `nombre` stray bytes into the receive queue at once, ahead of whatever
// the unit sends next.
SIMV6_EXPORTE void SimV6_OctetsParasites(const char* octets, int32_t nombre);
}

using PtrSimV6_Branche = void (*)(int32_t);
using PtrSimV6_PerdEcho = void (*)(int32_t);
using PtrSimV6_Reinitialise = void (*)();
using PtrSimV6_OctetsParasites = void (*)(const char*, int32_t);
using PtrSimV6_FixeDebutRuns = void (*)(int64_t);
using PtrSimV6_DebutRun = int64_t (*)();

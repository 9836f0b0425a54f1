#pragma once
// The simulated SYSAM SP5 library "SP5SIM.DLL", for the programs and tests
// that load it at run time.
//
// The library exports the entry points of the SP5 library, with their types
// and conventions as drivers/sp5/InterfaceSP5.h declares them (SP5_ENTREES
// and SP5_ENTREES_SIMULATEUR), and entry points of its own for tests and
// demonstrations, declared below. It may be called from any thread, one call
// at a time being the normal use.
//
// Behaviour of the simulated unit:
// - "Reset" stops a run and empties the FIFO; the programmed registers 0 to
//   35 keep their values; the signals run on.
// - "TailleTransfertFifo" sets the block size (clamped to 1..256 words) and
//   returns the size kept. Power-on size: 256.
// - "LireFifo" hands over a full block of words as soon as one is waiting,
//   and the last, shorter block once the record is over (point count reached
//   or run stopped); otherwise 0.
// - "EcrireFifo" accepts the words for the analogue outputs and discards them.
// - Unplugged (SimSP5_Branche(0)): "Present" answers 0, registers read 0 and
//   ignore writes, "LireFifo" answers 0 and a running acquisition is lost;
//   "RecupereCalibration" still fills the record (the library keeps a copy).
// The signals on the inputs and the time of each sample: SignauxSP5Sim.h.
#include "drivers/sp5/InterfaceSP5.h"

#include <cstdint>

#if defined(_WIN32) && defined(SP5SIM_CONSTRUCTION)
#define SP5SIM_API __declspec(dllexport)
#elif defined(_WIN32)
#define SP5SIM_API __declspec(dllimport)
#else
#define SP5SIM_API __attribute__((visibility("default")))
#endif

extern "C" {

// 0 unplugs the simulated unit, any other value plugs it back.
typedef void (*TSimSP5Branche)(int32_t branche);
// Back to the power-on state, plugged in, the signals' clock at 0 and
// running free.
typedef void (*TSimSP5Reinitialise)(void);
// From now on every run takes its first sample at tick `ticks` (100 ns) of
// the signals' clock, whenever it starts; a negative value gives the clock
// back its course (SignauxSP5Sim.h).
typedef void (*TSimSP5FixeDebutRuns)(int64_t ticks);
// Tick of the signals' clock of the last run's first sample; -1 before any run.
typedef int64_t (*TSimSP5DebutRun)(void);

// Prototypes, for code linked with the library itself.
SP5SIM_API void SimSP5_Branche(int32_t branche);
SP5SIM_API void SimSP5_Reinitialise(void);
SP5SIM_API void SimSP5_FixeDebutRuns(int64_t ticks);
SP5SIM_API int64_t SimSP5_DebutRun(void);

} // extern "C"

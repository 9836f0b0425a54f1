#pragma once
// The SP5 driver's own rules: its time base and the resolution it gives a
// bare input. The unit's register map and calibres are in InterfaceSP5.h.
#include "drivers/sp5/InterfaceSP5.h"

#include <cstdint>

namespace sp5 {

inline constexpr int kPasCodes = 4000; // resolution of a bare input: 2 x calibre / 4000

// Time base.
inline constexpr double kQuantumBase = kTick; // also the unit of the interval register
inline constexpr double kQuantumLent = 2e-6;  // both inputs of a channel, single-ended
inline constexpr double kDureeMin = 1e-6;
inline constexpr double kDureeMax = 3600.0;
inline constexpr double kDureeIgnoree = 1e-10;
inline constexpr int64_t kNbPtsMin = 11;
inline constexpr int64_t kNbPtsMax = 50001;
inline constexpr double kRemanence = 0.15;

} // namespace sp5

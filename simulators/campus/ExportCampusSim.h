#pragma once
// The simulator library shows only the vendor's names and its own test entry
// points; everything else is hidden (see also Campus.map).
#include "simulators/campus/UniteCampusSim.h"

#include <mutex>

#if defined(_WIN32)
#define CAMPUS_EXPORT extern "C" __declspec(dllexport)
#else
#define CAMPUS_EXPORT extern "C" __attribute__((visibility("default")))
#endif

namespace campussim {

// The one simulated unit of the process and the lock that serialises calls to it.
UniteCampusSim& unite();
std::mutex& verrouUnite();

} // namespace campussim

#pragma once
// What the unit's converters make of the signals on its inputs.
#include "simulators/sp5/RegistresSP5Sim.h"

namespace sp5sim {

// 12-bit code of input `entree` at instant t of the unit's clock, with the
// gain codes and differential channels of `entrees`. The first input of a
// differential channel gives its channel's difference (input c minus input
// c + 4) on the calibre of input c.
int codeEntree(const Entrees& entrees, int entree, double t);

} // namespace sp5sim

#pragma once
// The screen's copy of what it reads from the active unit.
#include "display/VueCentrale.h"

class TCentrale;

// A null unit gives the screen without unit (one axis, 0.002 s).
TVueCentrale vueDe(const TCentrale* centrale);

#pragma once
// The records that describe the axes of the screen. The measured curves
// themselves live in the measurements (mesures/TMesures.h).
#include "mesures/TMesures.h"

#include <cstdint>
#include <string>

struct TRectE {
    int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// One vertical axis (AxesX) or the time axis (axeT).
struct TAxe {
    TColor cl = 0;
    long double EchA = 0;   // pixels per volt (or per second) at zoom 1
    int32_t calA = -1;      // calibre index served by a vertical axis, -1 = no axis
    TRectE rectE;
    float mult = 1;         // time axis: graduation values are divided by it
    float maxAxe = 0;       // time axis: seconds at the right end at zoom 1
    std::string sp10Mult;   // time axis: exponent of mult as text, empty when 1
};

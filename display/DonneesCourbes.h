#pragma once
// The measured curves and the records that describe them and the axes.
// Plain data: the main window and the acquisition loop own one TCourbes and
// fill it; the screen reads it and keeps echVM/axeVM in step with its axes.
// TColor and TVoieMesuree are those of the measurements.
#include "mesures/TMesures.h"

#include <cstdint>
#include <string>
#include <vector>

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

// The curve data of the main window. Sample k of curve i is tv2[i][k], in
// volts, at k × dtAX seconds. Curves 0 .. nbVoiesMesurees-1 are kept from
// earlier acquisitions; during a run the run's curves follow them.
struct TCourbes {
    std::vector<std::vector<float>> tv2;
    std::vector<TVoieMesuree> voiesMesurees;
    int32_t nbVoiesMesurees = 0;
    double dtAX = 0;          // sample interval of the curves shown, s
    double dureeTotaleAX = 0; // their total duration, s
    int64_t nbPtsAX = 0;      // their points per curve
};

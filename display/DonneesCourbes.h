#pragma once
// The measured curves and the records that describe them and the axes.
// Plain data: the main window and the acquisition loop own one TCourbes and
// fill it; the screen reads it and keeps echVM/axeVM in step with its axes.
#include <cstdint>
#include <string>
#include <vector>

// A colour as the settings store it: red + 256 × green + 65536 × blue (the
// high byte may carry a flag and is ignored when drawing).
using TColor = int32_t;

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

// One measured curve; its samples are TCourbes::tv2 at the same index.
struct TVoieMesuree {
    float echVM = 0;        // pixels per volt at zoom 1 (that of its axis)
    float multVM = 1;       // volts to display unit: 1, 1000 or 1000000
    float max = -120;       // greatest sample, V
    float min = 120;        // smallest sample, V
    int32_t calVM = -1;     // calibre index of the input at acquisition
    int32_t axeVM = -1;     // index of its vertical axis, -1 none
    std::string sEnteteVM;  // series name
    std::string sUniteVM;   // "V", "mV" or "µV"
    TColor clVM = 0;
    float UMaxSegVM = 0;    // extremes of the pixel column being drawn live
    float UMinSegVM = 0;
    bool ModeDiffVM = false;
    std::string capCommRegvoie1VM;
    std::string capCommRegvoie2VM;
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

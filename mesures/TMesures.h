#pragma once
// The measurements: the one home of the acquired curves, read by the screen,
// the table and every exporter, changed only by the operations below (and,
// sample by sample, by the acquisition loop writing into tv2).
// Standard C++ only: no Qt, no window.
#include <cstdint>
#include <string>
#include <vector>

// A colour as the settings store it: red + 256 × green + 65536 × blue (the
// high byte may carry a flag and is ignored when drawing).
using TColor = int32_t;

// One measured curve; its samples are TMesures::tv2 at the same index.
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

class TMesures {
public:
    // Sample k of curve i is tv2[i][k], in volts, at k × dtAX seconds.
    // Curves 0 .. nbVoiesMesurees-1 are complete; during a run the run's
    // curves follow them.
    std::vector<std::vector<float>> tv2;
    std::vector<TVoieMesuree> voiesMesurees;
    int32_t nbVoiesMesurees = 0;
    double dtAX = 0;          // sample interval of the curves shown, s
    double dureeTotaleAX = 0; // their total duration, s
    int64_t nbPtsAX = 0;      // their points per curve

    // The green cursors: "t = 0" and the end of what is exported, s.
    double t0 = 0;
    double tFin = 0.002;

    // Every operation that changes the curves or the cursors counts one
    // change; the screen and the table compare it with what they last drew.
    uint64_t version() const { return version_; }
    void modifie() { ++version_; }

private:
    uint64_t version_ = 0;
};

#pragma once
// The measurements: the one home of the acquired curves, read by the screen,
// the table and every exporter, changed only by the operations below (and,
// sample by sample, by the acquisition loop writing into tv2).
// Standard C++ only: no Qt, no window.
#include "mesures/NommageSeries.h"

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

// What the end of a run knows of each of its curves (one per signal), from
// the unit, the screen and the settings.
struct TDescriptionCourbe {
    std::string sEnteteVM; // base name of the series
    bool ModeDiffVM = false;
    std::string capCommRegvoie1VM;
    std::string capCommRegvoie2VM;
    int32_t calVM = 0;
    float echVM = 0;
    TColor clVM = 0;
};

// The time base of a run: interval, points acquired, points shown, duration.
struct TBaseDeTemps {
    double dt = 0;
    int64_t nbPts = 0;
    int64_t nbPtsAff = 0;
    double duree = 0;
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
    // Of those, the points shown: the threshold trigger acquires one sample
    // more than it shows, for the interpolation of the trigger instant.
    int64_t nbPtsAffAX = 0;

    // The green cursors: "t = 0" and the end of what is exported, s.
    double t0 = 0;
    double tFin = 0.002;

    // The naming lists (sUMesurees, nbUMesurees, nPrem).
    TNommageSeries nommage;

    // Every operation that changes the curves or the cursors counts one
    // change; the screen and the table compare it with what they last drew.
    uint64_t version() const { return version_; }
    void modifie() { ++version_; }

    // The arrays of the next run: without `ajouter` the curves kept so far
    // are dropped; `nbSignaux` new curves follow, of `nbPts` zeros (twice as
    // many when the arrays hold two frames), their extremes at -120 / +120.
    void PrepareTV2(int32_t nbSignaux, int64_t nbPts, bool ajouter, bool modeDoubleTrame = false);

    // The copies kept for the previous acquisition take this time base.
    void suitBaseDeTemps(const TBaseDeTemps& base);

    // The end of a run: the time base of the curves shown, then the records
    // of the run's curves (those after the nbVoiesMesurees kept ones, one per
    // description), their display units and names. Returns the new count.
    // The unit follows the greatest value, or with `uniteParExtremes` the
    // larger extreme in size (the permanent mode).
    int32_t finAcquisition(const TBaseDeTemps& base, const std::vector<TDescriptionCourbe>& courbes, bool ajouter,
                           bool uniteParExtremes = false);

    // Deletes series i: the following ones move down one place, the arrays
    // are shortened to the new count and the series are named again
    // (MAJEntetesVM). With none left, no previous acquisition remains.
    void supprimeSerie(int32_t i);
    void MAJEntetesVM();

    // The green cursors back at 0 and at the duration.
    void curseursAuxBornes(double dureeTotale0X);

    // A new experiment: no curve, the naming lists empty, the cursors at
    // the bounds. The caller prepares the arrays of the next run.
    void videPourNouvelleExperience(double dureeTotale0X);

private:
    uint64_t version_ = 0;
};

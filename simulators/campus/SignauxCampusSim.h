#pragma once
// What the simulated CAMPUS unit measures, so that tests can predict every
// sample it delivers.
//
// Clocks
// - t is the clock of the signals wired to the unit, as on a bench: it starts
//   at 0 when the unit is plugged in (the library loaded, SimCampus_Branche(1)
//   after an unplug, or SimCampus_Reinitialise) and runs on; an acquisition
//   does not restart it. A run's sample 0 is taken at the instant T0 of that
//   clock at which DemarreAcquisition is called, and sample i of the run
//   (counted from the start, triggered or not) at t = T0 + i x Te
//   (campussimInstant), where Te is the interval given to PrepareAcquisition
//   (kept as given when it is a whole multiple of 100 ns, otherwise rounded to
//   the nearest one, at least 100 ns). Two runs without trigger therefore show
//   other phases of the signals, while a threshold trigger on a periodic
//   input finds the same phase every time. SimCampus_DebutRun tells a test the
//   T0 of the last run; SimCampus_FixeDebutRuns pins the T0 of the following
//   runs (0: every run sees the signals from their phase 0).
// - Sample i exists once i x Te seconds have passed since the start;
//   LitDonneeNumerique never delivers a sample earlier.
// - A record has N rows (N = the point count given to PrepareAcquisition), one
//   code per acquired input in each row, inputs in ascending order.
//   Without trigger, row j is sample j.
//   With a trigger at sample k and P the pre-trigger percentage,
//   Npre = round(P x N / 100) (ties to even, at most N) and row j is sample
//   k - Npre + j. Nothing is delivered before the trigger; at the trigger the
//   Npre + 1 rows up to sample k are delivered at once, the rest as time passes.
// - Threshold trigger (sources _SOURCE_EA1.._SOURCE_EA4): k is the first
//   sample, k >= max(Npre, 1), whose code lies strictly beyond the threshold
//   while the code of sample k - 1 lies strictly on the other side, the
//   threshold being taken as a code on the trigger input's conversion line
//   (rising: code(k-1) < seuil < code(k); falling the other way; _SEUIL: either).
// - External trigger (_SOURCE_EXTERNE): the simulated trigger input gives an
//   edge every campussimPeriodeDeclenchementExterne seconds, at t = m x period
//   of the signals' clock for m >= 1. k is the first sample at or after the first edge for which
//   k >= Npre. Tests may switch the source off (SimCampus_DeclenchementExterne).
// - LitValeurVoie reads an input at the present instant of the signals' clock.
//
// Codes
// Each input and calibre has a conversion line close to the nominal one
// (code 0 at -F, code 4096 at +F, F the full scale); campussimLigne gives it.
// A voltage v becomes code = round((v - offset) / gain) limited to 0..4095,
// and ConvertiDonneeEntreeNumeriqueEnAnalogique(code, input) = gain x code + offset.
//
// Signals
// | input | signal                                                         |
// |-------|----------------------------------------------------------------|
// | V1 (0)| 5 V sine, 50 Hz: 5 sin(2 pi 50 t), rising through 0 V at t = 0  |
// | V2 (1)| triangle -8 V .. +8 V, 25 Hz: -8 V at t = 0, +8 V at t = 20 ms  |
// | V3 (2)| square +-3 V, 100 Hz: +3 V for the first 5 ms of each 10 ms     |
// | V4 (3)| constant 0.5 V                                                 |
#include "drivers/campus/InterfaceCampus.h"

#include <cmath>
#include <cstdint>

// Seconds between two edges of the simulated external trigger input.
inline constexpr double campussimPeriodeDeclenchementExterne = 0.05;

// Serial number the simulated unit reports (UTF-16 in the library).
inline constexpr char16_t campussimNumeroSerie[] = u"SIMCAMPUS-0001";


inline constexpr double campussimPi = 3.14159265358979323846;

// Instant in seconds of sample i of a run whose sample 0 is at debutNs
// nanoseconds of the signals' clock, te seconds apart.
inline double campussimInstant(int64_t debutNs, int64_t i, double te)
{
    return static_cast<double>(debutNs) * 1e-9 + static_cast<double>(i) * te;
}

// Voltage of input `entree` (0..3) at time t seconds; 0 V for any other input.
inline double campussimTension(int entree, double t)
{
    switch (entree) {
    case 0:
        return 5.0 * std::sin(2.0 * campussimPi * 50.0 * t);
    case 1: {
        const double phase = t * 25.0 - std::floor(t * 25.0);
        return phase < 0.5 ? -8.0 + 32.0 * phase : 24.0 - 32.0 * phase;
    }
    case 2: {
        const double phase = t * 100.0 - std::floor(t * 100.0);
        return phase < 0.5 ? 3.0 : -3.0;
    }
    case 3:
        return 0.5;
    default:
        return 0.0;
    }
}

struct LigneCampusSim {
    double gain;   // volts per code
    double offset; // volts at code 0
};

// The simulated unit's conversion line of one input and calibre index. Each
// differs a little (at most 0.1 %) from the nominal line, differently for
// every input and calibre, as a real unit's calibration does.
inline LigneCampusSim campussimLigne(int entree, int idxCalibre)
{
    const double pleineEchelle = kCalibresCampus[static_cast<size_t>(idxCalibre & 3)];
    const double ecartGain = 0.0005 * ((entree + 2 * idxCalibre) % 5 - 2);
    const double ecartOffset = 0.0004 * ((2 * entree + idxCalibre) % 5 - 2);
    return {2.0 * pleineEchelle / 4096.0 * (1.0 + ecartGain), -pleineEchelle * (1.0 + ecartOffset)};
}

// The 12-bit code the converter gives for voltage v on that line.
inline int32_t campussimCode(double v, LigneCampusSim ligne)
{
    const double code = std::nearbyint((v - ligne.offset) / ligne.gain);
    if (!(code > 0.0))
        return 0;
    return code > 4095.0 ? 4095 : static_cast<int32_t>(code);
}

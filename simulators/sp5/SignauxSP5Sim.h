#pragma once
// The signals wired to the eight inputs of the simulated SYSAM SP5, and its
// external trigger source: pure functions, so that a test (or a teacher
// preparing a demonstration) can say in advance what an acquisition shows.
//
// The signals' clock
// ------------------
// `t` is in seconds on the clock of the signals wired to the unit, as on a
// bench: it starts at 0 when the unit is plugged in (loading the library,
// SimSP5_Branche(1) after an unplug, or SimSP5_Reinitialise) and then runs
// on; neither "Reset" nor the start of a run restarts it. A run's first
// sample is taken at the tick T0 of that clock at which the run starts (bit 0
// of control register 36 going from 0 to 1 while bit 4, direct measurement,
// is clear), so that
//
//     sample m of a run is taken at  t = (T0 + m x (S + 1)) x 100 ns
//
// (sp5simInstantEchantillon), S being the 40-bit interval count of registers
// 4 to 8. Two runs without trigger therefore show the signals at other
// phases, while a threshold trigger on a periodic input finds the same phase
// every time. SimSP5_DebutRun tells a test the T0 of the last run;
// SimSP5_FixeDebutRuns pins the T0 of the following runs (0 makes every run
// see the signals from their phase 0).
//
// Word w of a record belongs to frame k = w / nbSignals, at position
// w mod nbSignals of the unit's frame order; frame k holds sample m0 + k:
// - immediate start: m0 = 0;
// - threshold or external trigger: m0 = mPre - P, where mPre is the last
//   sample taken before the trigger (for the external trigger, the last one at
//   or before the edge) and P is the pre-trigger count of registers 32 to 34
//   less its margin of 3 (0 when the register holds less than 3). Frame P is
//   thus the last one before the trigger, frame P + 1 the first after it. The
//   unit only accepts a trigger once it holds those P samples (mPre >= P).
// All inputs of a frame are sampled at the same instant.
//
// A direct measurement (bit 4 of register 36) reads the inputs at the present
// instant of the clock.
//
// Signal table
// ------------
//   input  waveform                              levels                 frequency
//   EA0    sine                                  +/-5 V                 50 Hz
//   EA1    sine                                  +/-2 V                 500 Hz
//   EA2    square, 100 us linear edges           0 V / +5 V             10 Hz
//   EA3    triangle                              +/-8 V                 5 Hz
//   EA4    sine                                  +/-9 V                 1 Hz
//   EA5    sawtooth, rising over 98 % of the     -6 V .. +6 V           2 Hz
//          period, falling over the last 2 %
//   EA6    DC level with deterministic noise     2.5 V +/- 20 mV        -
//   EA7    small sine                            0.02 V +/- 0.15 V      1 kHz
// Every periodic signal is at its phase 0 at t = 0 (and at every whole
// number of its periods after): sines and the triangle at
// their mean value going up, the square at the start of its rising edge, the
// sawtooth at its lowest value. The noise of EA6 depends only on the 100 ns
// tick of t.
//
// External trigger source
// -----------------------
// On the same clock, a square wave of 7 Hz (period 1/7 s, about 142.9 ms), high from
// (n + 1/4) / 7 s to (n + 3/4) / 7 s: rising edges at (n + 0.25) / 7 s,
// falling edges at (n + 0.75) / 7 s, n = 0, 1, 2... (sp5simFrontDeclExterne).
// Its edges never fall on the 100 ns sampling grid, so the delay of registers
// 111 to 114 (80 MHz counts from sample mPre to the edge) is never trivial.
#include "drivers/sp5/InterfaceSP5.h"

#include <cmath>
#include <cstdint>

namespace sp5sim {

enum class FormeSignal { Sinus, Carre, Triangle, DentDeScie, Continu };

struct SignalEntree {
    FormeSignal forme;
    double amplitude; // volts, half the peak-to-peak swing
    double frequence; // hertz (0 for the DC level)
    double decalage;  // volts, mean value
};

inline constexpr SignalEntree kSignaux[sp5::kNbEntrees] = {
    { FormeSignal::Sinus, 5.0, 50.0, 0.0 },
    { FormeSignal::Sinus, 2.0, 500.0, 0.0 },
    { FormeSignal::Carre, 2.5, 10.0, 2.5 },
    { FormeSignal::Triangle, 8.0, 5.0, 0.0 },
    { FormeSignal::Sinus, 9.0, 1.0, 0.0 },
    { FormeSignal::DentDeScie, 6.0, 2.0, 0.0 },
    { FormeSignal::Continu, 0.0, 0.0, 2.5 },
    { FormeSignal::Sinus, 0.15, 1000.0, 0.02 },
};

inline constexpr double kDureeFrontCarre = 100e-6;   // seconds per edge
inline constexpr double kPartDescenteDentDeScie = 0.02; // share of the period
inline constexpr double kAmplitudeBruit = 0.02;       // volts, on the DC level

inline constexpr double kFrequenceDeclExterne = 7.0; // hertz
inline constexpr double kPeriodeDeclExterne = 1.0 / kFrequenceDeclExterne;

// Fraction of the period elapsed at t, in [0, 1).
inline double sp5simPhase(double frequence, double t)
{
    const double tours = frequence * t;
    return tours - std::floor(tours);
}

// Deterministic noise in [-1, 1], a function of the 100 ns tick of t only, so
// that the same instant always gets the same value.
inline double sp5simBruit(double t)
{
    uint64_t x = static_cast<uint64_t>(std::llround(t * 1e7));
    x ^= x >> 33;
    x *= 0xff51afd7ed558ccdULL;
    x ^= x >> 33;
    x *= 0xc4ceb9fe1a85ec53ULL;
    x ^= x >> 33;
    return static_cast<double>(x >> 11) / static_cast<double>(1ULL << 52) - 1.0;
}

// Shape of one period, phase in [0, 1), result in [-1, 1].
inline double sp5simForme(FormeSignal forme, double frequence, double phase)
{
    constexpr double kPi = 3.14159265358979323846;
    switch (forme) {
    case FormeSignal::Sinus:
        return std::sin(2.0 * kPi * phase);
    case FormeSignal::Carre: {
        const double front = kDureeFrontCarre * frequence;
        if (phase < front)
            return -1.0 + 2.0 * phase / front;
        if (phase < 0.5)
            return 1.0;
        if (phase < 0.5 + front)
            return 1.0 - 2.0 * (phase - 0.5) / front;
        return -1.0;
    }
    case FormeSignal::Triangle:
        if (phase < 0.25)
            return 4.0 * phase;
        if (phase < 0.75)
            return 2.0 - 4.0 * phase;
        return 4.0 * phase - 4.0;
    case FormeSignal::DentDeScie: {
        constexpr double montee = 1.0 - kPartDescenteDentDeScie;
        if (phase < montee)
            return -1.0 + 2.0 * phase / montee;
        return 1.0 - 2.0 * (phase - montee) / kPartDescenteDentDeScie;
    }
    case FormeSignal::Continu:
        return 0.0;
    }
    return 0.0;
}

// Voltage at input `entree` (0 to 7) at instant t of the unit's clock;
// 0 V for a number outside 0..7.
inline double sp5simTension(int entree, double t)
{
    if (entree < 0 || entree >= sp5::kNbEntrees)
        return 0.0;
    const SignalEntree& s = kSignaux[entree];
    if (s.forme == FormeSignal::Continu)
        return s.decalage + kAmplitudeBruit * sp5simBruit(t);
    return s.decalage + s.amplitude * sp5simForme(s.forme, s.frequence, sp5simPhase(s.frequence, t));
}

// Level of the external trigger source at t (true = high).
inline bool sp5simNiveauDeclExterne(double t)
{
    const double phase = sp5simPhase(kFrequenceDeclExterne, t);
    return phase >= 0.25 && phase < 0.75;
}

// Instant of the n-th rising (montant) or falling edge of the external
// trigger source, n = 0, 1, 2...
inline double sp5simFrontDeclExterne(int64_t n, bool montant)
{
    return (static_cast<double>(n) + (montant ? 0.25 : 0.75)) / kFrequenceDeclExterne;
}

// Length of the sampling interval for an interval count S, in seconds.
inline double sp5simIntervalle(uint64_t S)
{
    return static_cast<double>(S + 1) * 1e-7;
}

// Instant of sample m of a run whose first sample is at tick `debut` of the
// signals' clock and whose interval count is S.
inline double sp5simInstantEchantillon(int64_t debut, int64_t m, uint64_t S)
{
    return static_cast<double>(debut + m * static_cast<int64_t>(S + 1)) * 1e-7;
}

// The same for a run whose first sample is at t = 0.
inline double sp5simInstantEchantillon(int64_t m, uint64_t S)
{
    return sp5simInstantEchantillon(0, m, S);
}

} // namespace sp5sim

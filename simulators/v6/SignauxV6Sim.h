#pragma once
// What the simulated V6 unit measures, and when. Tests include this header to
// predict, sample for sample, what the unit sends.
//
// Inputs (program input k is the unit's physical input 2k, slot k of the
// calibration block; range ±25 V):
//
//   entree  name  physical  signal u(t), volts
//   0       EA1   0         sine 5 V, 50 Hz:  5 sin(2π·50·t)            (0 V rising at t = 0)
//   1       EA2   2         triangle ±8 V, period 40 ms: -8 V at t = 0, +8 V at 20 ms, -8 V at 40 ms
//   2       EA3   4         sawtooth 10 Hz: -20 V at t = 0 rising to +20 V, back to -20 V every 100 ms
//
// Codes. A voltage becomes the 12-bit code round((u - OffsetCan[k]) / AmpliCan[k]),
// limited to 0..4095, with the unit's own calibration below, so that the
// driver's conversion code × AmpliCan + OffsetCan gives u back within half a code.
//
// Clock. t (seconds) is the clock of the signals wired to the unit, as on a
// bench: it starts at 0 at power-on (the unit plugged in, SimV6_Branche(1),
// or SimV6_Reinitialise) and runs on; a start command does not restart it.
// The direct measurements "A0", "A2", "A4" read the inputs at its present value.
//
// Sampling. A run's sample 0 is taken at the instant T0 of that clock at
// which the start command ("F" or "G") arrives; sample k at t = T0 + k × dt
// (v6simInstant), all inputs of a row at the same instant. Two runs without
// trigger therefore show other phases of the signals, while a threshold
// trigger on a periodic input finds the same phase every time.
// SimV6_DebutRun tells a test the T0 of the last run; SimV6_FixeDebutRuns pins
// the T0 of the following runs (0: every run sees the signals from their
// phase 0). dt comes from the "P" value and the count n of inputs listed by
// "V": fast start "F": (65536 - P) × 50 ns × n, the per-input step being at
// least 200 × 50 ns = 10 µs; slow start "G": (P + 1) ms.
//
// Below, a sample index k stands for the instant T0 + k × dt.
//
// Trigger. With O the "O" value, the trigger sample kT is:
//   - no trigger (E, second character "0"): kT = O;
//   - threshold (second character "2" rising, "3" falling; threshold code T from
//     characters 5 to 7, input from character 8): the first k ≥ max(O, 1) with
//     code(k-1) < T ≤ code(k) when rising, code(k-1) > T ≥ code(k) when falling;
//   - external (second character "1"): the first k ≥ max(O, 1) whose interval
//     (T0 + (k-1)·dt, T0 + k·dt] holds a rising edge of the external source; the edges come
//     at t = m × v6simPeriodeDeclExterne, m = 1, 2, ... of the signals' clock
// The trigger report ":DECL@" LF CR becomes readable kT × dt after the start.
//
// Rows. With N the "N" value, the rows sent are samples kT - O ... kT - O + N - 1,
// so row r is sample kT - O + r and rows 0..O-1 come before the trigger. Row r is
// readable (kT - O + r) × dt after the start (the pre-trigger rows at once with
// the report); in fast mode no row comes before "D" has been received.
#include <algorithm>
#include <cmath>
#include <cstdint>

// The unit's factory calibration (the 128-byte block answered to "0").
inline constexpr float v6simAmpliCan[4] = {0.0122161f, 0.0122039f, 0.0122137f, 0.0122100f};
inline constexpr float v6simOffsetCan[4] = {-25.0213f, -24.9871f, -25.0079f, -25.0f};
inline constexpr float v6simAmpliDac = 0.0122080f;
inline constexpr float v6simOffsetDac = -24.9934f;
inline constexpr uint16_t v6simReglageZeroDac = 2047;
inline constexpr char v6simNumeroSerie[] = "SIMV6-000042";
inline constexpr char v6simDateCalibration[] = "2024-03-18";

// Period of the simulated external trigger source.
inline constexpr int64_t v6simPeriodeDeclExterneNs = 20'000'000;
inline constexpr double v6simPeriodeDeclExterne = 0.020;

inline constexpr double v6simPi = 3.14159265358979323846;

inline double v6simPhase(double t, double periode)
{
    const double x = t / periode;
    return x - std::floor(x);
}

// Voltage on input `entree` (0..2) at time t on the unit's clock; 0 V elsewhere.
inline double v6simTension(int entree, double t)
{
    switch (entree) {
    case 0:
        return 5.0 * std::sin(2.0 * v6simPi * 50.0 * t);
    case 1: {
        const double p = v6simPhase(t, 0.040);
        return p < 0.5 ? -8.0 + 32.0 * p : 24.0 - 32.0 * p;
    }
    case 2:
        return -20.0 + 40.0 * v6simPhase(t, 0.100);
    default:
        return 0.0;
    }
}

// The 12-bit code the unit's converter gives for a voltage on slot `entree`.
inline uint16_t v6simCodeDe(int entree, double u)
{
    const int k = std::clamp(entree, 0, 3);
    const double code = std::nearbyint((u - v6simOffsetCan[k]) / v6simAmpliCan[k]);
    return static_cast<uint16_t>(std::clamp(code, 0.0, 4095.0));
}

inline uint16_t v6simCode(int entree, double t)
{
    return v6simCodeDe(entree, v6simTension(entree, t));
}

// Time of sample k, seconds, for a sampling interval of dtNs nanoseconds, in
// a run whose sample 0 is at debutNs on the signals' clock.
inline double v6simInstant(int64_t debutNs, int64_t k, int64_t dtNs)
{
    return static_cast<double>(debutNs + k * dtNs) * 1e-9;
}

// The same for a run whose sample 0 is at t = 0.
inline double v6simInstant(int64_t k, int64_t dtNs)
{
    return v6simInstant(0, k, dtNs);
}

// Sampling interval of a fast-mode run, nanoseconds.
inline int64_t v6simDtRapideNs(uint16_t valeurP, int nbEntrees)
{
    const int64_t pas = std::max<int64_t>(200, 65536 - static_cast<int64_t>(valeurP));
    return pas * 50 * std::max(1, nbEntrees);
}

// Sampling interval of a slow-mode run, nanoseconds.
inline int64_t v6simDtLentNs(uint16_t valeurP)
{
    return (static_cast<int64_t>(valeurP) + 1) * 1'000'000;
}

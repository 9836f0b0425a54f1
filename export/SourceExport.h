#pragma once
// What every writer (REGRESSI file, text file, workbook, Calc, hand-over to
// REGRESSI) exports: the points between the green cursors, their times
// counted from "t = 0", and the description of the unit they came from.
#include "mesures/TMesures.h"

#include <cstdint>

// The exported points k0 .. k1 of the curves.
struct TPlageExport {
    int64_t k0 = 0;
    int64_t k1 = -1;
    int64_t n() const { return k1 - k0 + 1; }
    bool vide() const { return n() <= 0; }
};

// k0 := max(round(t0 / dtAX), 0); k1 := min(round(tFin / dtAX), nbPtsAX - 1)
// - retenue (rounding half to even).
TPlageExport plageExport(const TMesures& mesures, int64_t retenue = 0);

// Time of point k: k × dtAX - t0 rounded to `chiffres` significant digits,
// exactly 0 when |k × dtAX - t0| < dtAX / 2 (the point under "t = 0").
double tempsExporte(const TMesures& mesures, int64_t k, int chiffres = 6);

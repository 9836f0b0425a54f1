#pragma once
// What every writer (REGRESSI file, text file, workbook, Calc, hand-over to
// REGRESSI) exports: the points between the green cursors and their times
// counted from "t = 0". The number texts they write are in FormatsNombres.h,
// the questions they ask in DialoguesExport.h.
#include "export/DialoguesExport.h"
#include "export/FormatsNombres.h"
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

// The same with another last index than nbPtsAX - 1 (the writers that stop
// at the points shown, or at the length of the first curve).
TPlageExport plageExportJusquA(const TMesures& mesures, int64_t dernierIndex);

// Time of point k: k × dtAX - t0 rounded to `chiffres` significant digits,
// exactly 0 when |k × dtAX - t0| < dtAX / 2 (the point under "t = 0").
double tempsExporte(const TMesures& mesures, int64_t k, int chiffres = 6);

// Nothing lies between the cursors: "t = 0" at or beyond the end of the
// curves shown.
bool intervalleVide(const TMesures& mesures);

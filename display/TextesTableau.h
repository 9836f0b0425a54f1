#pragma once
// The texts of the measurement table's cells and which rows the green
// cursors tint, from the measurements alone. Standard C++ only: the table's
// model asks for a cell's text when the view shows it.
#include <cstdint>
#include <string>

// Factor and unit of the time column, from the duration of the curves.
struct TUniteTemps {
    double multT;
    const char* sUniteT;
};
TUniteTemps uniteTemps(double dureeTotaleAX);

// Time of point k counted from "t = 0", in the time column's unit, rounded
// to 5 significant digits and written in the general format with 6 digits
// and the user's decimal separator. The point under "t = 0" reads 0, not
// the residue of k × dtAX - t0.
std::string texteTemps(int64_t k, double dtAX, double t0, double multT);

// A sample u (V) shown in its curve's unit (u × multVM): "0" when it is
// below 1 % of the sample interval in seconds, else rounded to 4
// significant digits in the same general format.
std::string texteValeur(float u, float multVM, double dtAX);

// The points whose rows lie between the green cursors.
struct TBandeCurseurs {
    int64_t premier = 0;
    int64_t dernier = -1;
    bool contient(int64_t k) const { return premier <= k && k <= dernier; }
};
TBandeCurseurs bandeCurseurs(double t0, double tFin, double dtAX);

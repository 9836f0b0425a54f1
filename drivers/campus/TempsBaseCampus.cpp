#include "drivers/campus/TempsBaseCampus.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kTeMinNs = 100.0;

// Keeps the leading digits of x nanoseconds: x + marge is divided by ten until
// it is at most `plafond`; the whole part (plus `enPlus`) is scaled back. The
// result is an exact count of nanoseconds, divided once into seconds so that
// 100 us comes out as the double nearest to 1e-4.
double garderChiffres(double ns, double marge, double plafond, int enPlus)
{
    double x = ns + marge;
    double echelle = 1.0;
    while (x > plafond) {
        x /= 10.0;
        echelle *= 10.0;
    }
    const double resultatNs = std::max((std::trunc(x) + enPlus) * echelle, kTeMinNs);
    return resultatNs / 1e9;
}

double arrondi(double te, int enPlus, double seuilDeuxChiffresNs)
{
    if (!(te > 0.0) || !std::isfinite(te))
        return kTeMinNs / 1e9;
    const double ns = te * 1e9;
    if (ns >= seuilDeuxChiffresNs)
        return garderChiffres(ns, 50.0, 100.0, enPlus);
    return garderChiffres(ns, 49.999999, 10.0, enPlus);
}

} // namespace

double arrondiTeCampus(double te)
{
    return arrondi(te, 0, 1000.0);
}

double teSuperieurSuivantCampus(double te)
{
    return arrondi(te, 1, 999.999999);
}

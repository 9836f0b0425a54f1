#include "export/SourceExport.h"

#include "model/UniteMath.h"

#include <algorithm>
#include <cmath>

namespace {

// Rounding to the nearest integer, halves to even (the FPU's default mode).
int64_t arrondi(double x)
{
    return int64_t(std::nearbyint(x));
}

} // namespace

TPlageExport plageExportJusquA(const TMesures& mesures, int64_t dernierIndex)
{
    TPlageExport plage;
    if (mesures.dtAX <= 0 || dernierIndex < 0)
        return plage;
    plage.k0 = std::max<int64_t>(arrondi(mesures.t0 / mesures.dtAX), 0);
    plage.k1 = std::min<int64_t>(arrondi(mesures.tFin / mesures.dtAX), dernierIndex);
    return plage;
}

TPlageExport plageExport(const TMesures& mesures, int64_t retenue)
{
    if (mesures.nbPtsAX <= 0)
        return TPlageExport {};
    TPlageExport plage = plageExportJusquA(mesures, mesures.nbPtsAX - 1);
    plage.k1 -= retenue;
    return plage;
}

double tempsExporte(const TMesures& mesures, int64_t k, int chiffres)
{
    long double t = (long double)k * mesures.dtAX - mesures.t0;
    // The point under "t = 0" is at 0, whatever the cursor's rounding left.
    if (std::fabs(double(t)) < mesures.dtAX / 2)
        return 0.0;
    chiffresSignificatifs(t, chiffres);
    return double(t);
}

bool intervalleVide(const TMesures& mesures)
{
    return mesures.dureeTotaleAX <= mesures.t0;
}

#include "display/TextesTableau.h"

#include "export/FormatsNombres.h"
#include "model/UniteBaseChaines.h"
#include "model/UniteMath.h"

#include <cmath>

TUniteTemps uniteTemps(double dureeTotaleAX)
{
    if (dureeTotaleAX >= 1.0000001)
        return {1.0, "s"};
    if (dureeTotaleAX >= 0.001000001)
        return {1000.0, "ms"};
    return {1000000.0, "µs"};
}

std::string texteTemps(int64_t k, double dtAX, double t0, double multT)
{
    long double t = static_cast<long double>(k) * dtAX - t0;
    // "t = 0" lies on a sample; what is left of the subtraction is rounding.
    if (std::fabs(t) < dtAX / 2)
        t = 0;
    t *= multT;
    chiffresSignificatifs(t, 5);
    return texteG6(static_cast<double>(t), separateurDecimal());
}

std::string texteValeur(float u, float multVM, double dtAX)
{
    long double y = static_cast<long double>(u) * multVM;
    if (dtAX != 0 && std::fabs(y / dtAX) < 0.01L)
        return "0";
    chiffresSignificatifs(y, 4);
    return texteG6(static_cast<double>(y), separateurDecimal());
}

TBandeCurseurs bandeCurseurs(double t0, double tFin, double dtAX)
{
    if (!(dtAX > 0))
        return {};
    return {arrondiEntier64(t0 / dtAX), arrondiEntier64(tFin * 1.0001 / dtAX)};
}

#include "display/VueCentrale.h"

#include "model/UniteMath.h"

double TVueCentrale::pleineEchelle(int32_t c) const
{
    if (c < 0 || c >= 8)
        return 1;
    if (calibresDispo[c] > 0)
        return calibresDispo[c];
    if (calibresR[c] > 0) {
        // The single-precision value (0.2 is 0.200000003) would shift the
        // whole-pixel graduations; 6 digits are the calibre's real value.
        long double v = calibresR[c];
        chiffresSignificatifs(v, 6);
        return static_cast<double>(v);
    }
    return 1;
}

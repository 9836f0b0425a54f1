#include "display/VueCentrale.h"

double TVueCentrale::pleineEchelle(int32_t c) const
{
    if (c < 0 || c >= 8)
        return 1;
    if (calibresDispo[c] > 0)
        return calibresDispo[c];
    if (calibresR[c] > 0)
        return calibresR[c];
    return 1;
}

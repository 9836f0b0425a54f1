#include "display/ParametresTemps.h"

#include "display/DessinEcran.h"
#include "model/UniteBaseChaines.h"

#include <cmath>

int indexDureeDansListe(const std::vector<std::string>& items, double dureeTotale0X)
{
    for (size_t i = 0; i < items.size(); ++i) {
        long double v = 0;
        if (valeurDeTexte(items[i], v) != valeurLue || v == 0)
            continue;
        if (std::fabs((v - dureeTotale0X) / v) < 0.002L)
            return static_cast<int>(i);
    }
    return -1;
}

std::string texteDureeTotale(double dureeTotale0X)
{
    if (dureeTotale0X > 999.99999)
        return texteGeneral(dureeTotale0X, 5) + " s";
    return formatValeur(4, styleIngenieur, dureeTotale0X) + "s";
}

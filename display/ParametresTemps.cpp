#include "display/ParametresTemps.h"

#include "model/UniteBaseChaines.h"

#include <cmath>
#include <cstdio>

std::string texteGeneral(long double v, int chiffres)
{
    if (std::fabs(v) < 1e-300L)
        v = 0; // no "-0"
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*LG", chiffres, v);
    std::string s(tampon);
    // Exponent without "+" nor leading zeros: 2E-5, 1.5E6.
    size_t e = s.find('E');
    if (e != std::string::npos) {
        std::string mantisse = s.substr(0, e), exposant = s.substr(e + 1);
        bool negatif = !exposant.empty() && exposant[0] == '-';
        size_t debut = exposant.find_first_not_of("+-0");
        s = mantisse + "E" + (negatif ? "-" : "") + (debut == std::string::npos ? "0" : exposant.substr(debut));
    }
    char sep = separateurDecimal();
    for (char& c : s)
        if (c == '.')
            c = sep;
    return s;
}


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

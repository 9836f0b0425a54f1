#include "export/FormatsNombres.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// x rounded to `chiffres` significant digits, as mantissa digits and a
// decimal exponent: x = d.ddd × 10^exposant. Rounding may carry into a new
// power of ten (9.999995 → 1.00000E+1), which printf already accounts for.
struct Decomposition {
    bool negatif = false;
    std::string chiffres; // without point, `chiffres` long
    int exposant = 0;
};

Decomposition decompose(double x, int chiffres)
{
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.*e", chiffres - 1, x);
    Decomposition d;
    const char* p = tampon;
    if (*p == '-') {
        d.negatif = true;
        ++p;
    }
    for (; *p != 'e' && *p != '\0'; ++p)
        if (*p != '.')
            d.chiffres += *p;
    if (*p == 'e')
        d.exposant = std::atoi(p + 1);
    return d;
}

std::string exposantTexte(int exposant, int chiffresExposant, bool signePlus)
{
    std::string texte = std::to_string(std::abs(exposant));
    if (int(texte.size()) < chiffresExposant)
        texte.insert(0, std::size_t(chiffresExposant) - texte.size(), '0');
    if (exposant < 0)
        return "-" + texte;
    return signePlus ? "+" + texte : texte;
}

void supprimeZerosFinaux(std::string& chiffres, std::size_t garder)
{
    while (chiffres.size() > garder && chiffres.back() == '0')
        chiffres.pop_back();
}

} // namespace

std::string texteGeneral(double x, int chiffres, int chiffresExposant, char separateur)
{
    if (x == 0.0 || !std::isfinite(x))
        return x == 0.0 ? "0" : (std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF"));
    Decomposition d = decompose(x, chiffres);
    std::string texte = d.negatif ? "-" : "";
    if (d.exposant >= -4 && d.exposant < chiffres) {
        // Plain decimals: the digits around the point, trailing zeros dropped.
        std::string entiers, decimales;
        if (d.exposant >= 0) {
            entiers = d.chiffres.substr(0, std::size_t(d.exposant) + 1);
            decimales = d.chiffres.substr(std::size_t(d.exposant) + 1);
        } else {
            entiers = "0";
            decimales = std::string(std::size_t(-d.exposant - 1), '0') + d.chiffres;
        }
        supprimeZerosFinaux(decimales, 0);
        texte += entiers;
        if (!decimales.empty())
            texte += separateur + decimales;
        return texte;
    }
    std::string mantisse = d.chiffres;
    supprimeZerosFinaux(mantisse, 1);
    texte += mantisse.substr(0, 1);
    if (mantisse.size() > 1)
        texte += separateur + mantisse.substr(1);
    return texte + "E" + exposantTexte(d.exposant, chiffresExposant, false);
}

std::string texteExposant(double x, int chiffres, int chiffresExposant, char separateur)
{
    if (!std::isfinite(x))
        return std::isnan(x) ? "NAN" : (x > 0 ? "INF" : "-INF");
    Decomposition d = decompose(x, chiffres);
    if (x == 0.0)
        d.exposant = 0;
    std::string texte = d.negatif ? "-" : "";
    texte += d.chiffres.substr(0, 1);
    if (d.chiffres.size() > 1)
        texte += separateur + d.chiffres.substr(1);
    return texte + "E" + exposantTexte(d.exposant, chiffresExposant, true);
}

char* ecritG6(char* debut, double x)
{
    if (x == 0.0 || !std::isfinite(x)) {
        const std::string texte = texteG6(x);
        return std::copy(texte.begin(), texte.end(), debut);
    }
    // The C library's "%.6g" makes the same choice between plain decimals
    // and a mantissa, with the same digits; only its exponent is written
    // differently ("e-05", "e+06" against "E-005", "E006").
    char tampon[32];
    const std::to_chars_result r = std::to_chars(tampon, tampon + sizeof tampon, x, std::chars_format::general, 6);
    const char* e = std::find(tampon, r.ptr, 'e');
    char* fin = std::copy(static_cast<const char*>(tampon), e, debut);
    if (e == r.ptr)
        return fin;
    *fin++ = 'E';
    const char* chiffres = e + 1;
    if (*chiffres == '-')
        *fin++ = '-';
    if (*chiffres == '-' || *chiffres == '+')
        ++chiffres;
    for (std::ptrdiff_t n = r.ptr - chiffres; n < 3; ++n)
        *fin++ = '0';
    return std::copy(chiffres, static_cast<const char*>(r.ptr), fin);
}

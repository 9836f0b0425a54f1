#include "export/FormatsNombres.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
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

namespace {

using u128 = unsigned __int128;

// 5^0 .. 5^27: the powers that keep a double's 53-bit mantissa times the
// power within 128 bits.
constexpr int kPuissanceCinqMax = 27;
constexpr u128 puissanceCinq(int n)
{
    u128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 5;
    return p;
}

// q / d rounded to the nearest integer, an exact half to the even one (as
// the C library rounds an exact binary value).
uint64_t divisionArrondie(u128 q, u128 d)
{
    const u128 entier = q / d;
    const u128 reste = q - entier * d;
    const bool auDessus = 2 * reste > d || (2 * reste == d && (entier & 1) != 0);
    return uint64_t(entier + (auDessus ? 1 : 0));
}

// q / 2^k rounded the same way, 0 < k < 128.
uint64_t decalageArrondi(u128 q, int k)
{
    const u128 entier = q >> k;
    const u128 reste = q & ((u128(1) << k) - 1);
    const u128 moitie = u128(1) << (k - 1);
    const bool auDessus = reste > moitie || (reste == moitie && (entier & 1) != 0);
    return uint64_t(entier + (auDessus ? 1 : 0));
}

// m × 2^q × 10^s rounded, exactly; false when the numbers leave 128 bits.
bool echelleExacte(uint64_t m, int q, int s, uint64_t& resultat)
{
    if (s > kPuissanceCinqMax || -s > kPuissanceCinqMax)
        return false;
    if (s >= 0) {
        // m × 5^s × 2^(q + s)
        const u128 a = u128(m) * puissanceCinq(s);
        const int b = q + s;
        if (b >= 0) {
            if (b > 40)
                return false;
            resultat = uint64_t(a << b);
        } else {
            if (-b > 100)
                return false;
            resultat = decalageArrondi(a, -b);
        }
        return true;
    }
    // m × 2^(q - t) / 5^t with t = -s
    const int t = -s;
    const int b = q - t;
    if (b >= 0) {
        if (b > 60)
            return false;
        resultat = divisionArrondie(u128(m) << b, puissanceCinq(t));
    } else {
        if (-b > 60)
            return false;
        resultat = divisionArrondie(u128(m), puissanceCinq(t) << -b);
    }
    return true;
}

// The six significant digits and the decimal exponent of |x|, from exact
// integer arithmetic: |x| ≈ chiffres × 10^(exposant - 5). False outside the
// magnitudes where 128 bits suffice (the caller then takes the slow way).
bool chiffresExacts(double x, uint64_t& chiffres, int& exposant)
{
    const double a = std::fabs(x);
    if (!(a >= 1e-20 && a <= 1e30))
        return false;
    uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    // a = m × 2^q with 2^52 <= m < 2^53 (no subnormal in this range).
    const uint64_t m = (bits & 0xFFFFFFFFFFFFFull) | (1ull << 52);
    const int q = int((bits >> 52) & 0x7FF) - 1075;
    // floor(log10(2^(q + 52))): 78913 / 2^18 is log10(2) by default, so the
    // estimate is the exponent or one below it.
    exposant = ((q + 52) * 78913) >> 18;
    // The estimate may be one too low, and rounding may carry into the next
    // power of ten (999999.7 gives 1E006): the exponent is the one whose six
    // rounded digits lie in 100000 .. 999999.
    for (int essai = 0; essai < 3; ++essai) {
        if (!echelleExacte(m, q, 5 - exposant, chiffres))
            return false;
        if (chiffres < 100000)
            --exposant;
        else if (chiffres >= 1000000)
            ++exposant;
        else
            return true;
    }
    return false;
}

char* ecritG6Chiffres(char* p, bool negatif, uint64_t chiffres, int exposant)
{
    char c[6];
    for (int i = 5; i >= 0; --i) {
        c[i] = char('0' + chiffres % 10);
        chiffres /= 10;
    }
    int n = 6; // digits kept: trailing zeros dropped
    while (n > 1 && c[n - 1] == '0')
        --n;
    if (negatif)
        *p++ = '-';
    if (exposant >= -4 && exposant < 6) {
        if (exposant >= 0) {
            for (int i = 0; i <= exposant; ++i)
                *p++ = c[i];
            if (n > exposant + 1) {
                *p++ = '.';
                for (int i = exposant + 1; i < n; ++i)
                    *p++ = c[i];
            }
        } else {
            *p++ = '0';
            *p++ = '.';
            for (int i = 0; i < -exposant - 1; ++i)
                *p++ = '0';
            for (int i = 0; i < n; ++i)
                *p++ = c[i];
        }
        return p;
    }
    *p++ = c[0];
    if (n > 1) {
        *p++ = '.';
        for (int i = 1; i < n; ++i)
            *p++ = c[i];
    }
    *p++ = 'E';
    if (exposant < 0)
        *p++ = '-';
    const int e = std::abs(exposant);
    *p++ = char('0' + e / 100);
    *p++ = char('0' + e / 10 % 10);
    *p++ = char('0' + e % 10);
    return p;
}

} // namespace

char* ecritG6(char* debut, double x)
{
    if (x == 0.0 || !std::isfinite(x)) {
        const std::string texte = texteG6(x);
        return std::copy(texte.begin(), texte.end(), debut);
    }
    // Exact integer arithmetic gives the digits several times faster than
    // the general conversion below.
    uint64_t chiffres = 0;
    int exposant = 0;
    if (chiffresExacts(x, chiffres, exposant))
        return ecritG6Chiffres(debut, x < 0, chiffres, exposant);
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
    const char* exposantTexte = e + 1;
    if (*exposantTexte == '-')
        *fin++ = '-';
    if (*exposantTexte == '-' || *exposantTexte == '+')
        ++exposantTexte;
    for (std::ptrdiff_t n = r.ptr - exposantTexte; n < 3; ++n)
        *fin++ = '0';
    return std::copy(exposantTexte, static_cast<const char*>(r.ptr), fin);
}

#include "model/UniteBaseChaines.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

// ---------------------------------------------------------------- separator

char g_separateur = 0; // 0 until set or first read from the C locale

bool separateurAdmis(char c)
{
    return c != 0 && c != ' ' && c != '+' && c != '-' && c != 'e' && c != 'E'
        && (c < '0' || c > '9');
}

// ---------------------------------------------------------------- SI prefixes

struct TPrefixeSI {
    int puissance1000;
    const char* symbole;
    long double multiplicateur;
};

constexpr TPrefixeSI prefixesSI[] = {
    {-5, "f", 1e-15L}, {-4, "p", 1e-12L}, {-3, "n", 1e-9L}, {-2, "\xC2\xB5", 1e-6L},
    {-1, "m", 1e-3L},  {0, "", 1.0L},     {1, "k", 1e3L},   {2, "M", 1e6L},
    {3, "G", 1e9L},    {4, "T", 1e12L},
};

// Prefixes as they are looked for in a typed text, in this order: the first one
// found anywhere wins. Micro is also recognised as the Greek letter mu and as
// "u", for keyboards without "µ".
struct TPrefixeLu {
    long double multiplicateur;
    const char* graphies[3];
};

constexpr TPrefixeLu prefixesLus[] = {
    {1e-15L, {"f", nullptr, nullptr}},
    {1e-12L, {"p", nullptr, nullptr}},
    {1e-9L, {"n", nullptr, nullptr}},
    {1e-6L, {"\xC2\xB5", "\xCE\xBC", "u"}},
    {1e-3L, {"m", nullptr, nullptr}},
    {1e3L, {"k", nullptr, nullptr}},
    {1e6L, {"M", nullptr, nullptr}},
    {1e9L, {"G", nullptr, nullptr}},
    {1e12L, {"T", nullptr, nullptr}},
};

// ---------------------------------------------------------------- reading

bool estChiffre(char c) { return c >= '0' && c <= '9'; }

// Spaces of every kind the interface may put into a number: the ASCII ones and
// the UTF-8 no-break and narrow no-break spaces of French number formats.
std::string sansEspaces(const std::string& texte)
{
    static const char* const espacesUtf8[] = {"\xC2\xA0", "\xE2\x80\xAF"};
    std::string s;
    s.reserve(texte.size());
    for (size_t i = 0; i < texte.size();) {
        if (texte[i] == ' ' || texte[i] == '\t') {
            ++i;
            continue;
        }
        bool espace = false;
        for (const char* e : espacesUtf8) {
            const size_t n = std::strlen(e);
            if (texte.compare(i, n, e) == 0) {
                i += n;
                espace = true;
                break;
            }
        }
        if (!espace)
            s += texte[i++];
    }
    return s;
}

// Cuts the text at the first SI prefix found; returns its multiplier (1 if none).
long double retirePrefixe(std::string& s)
{
    for (const TPrefixeLu& prefixe : prefixesLus) {
        size_t premier = std::string::npos;
        for (const char* graphie : prefixe.graphies)
            if (graphie)
                premier = std::min(premier, s.find(graphie));
        if (premier != std::string::npos) {
            s.erase(premier);
            return prefixe.multiplicateur;
        }
    }
    return 1.0L;
}

// An "e" right after a digit or a point marks an exponent; the "e" of a unit
// such as "Hertz" does not.
bool estMarqueExposant(const std::string& s, size_t i)
{
    return i > 0 && i < s.size() && s[i] == 'e' && (estChiffre(s[i - 1]) || s[i - 1] == '.');
}

// Drops what is left of a unit after the number. The exponent mark and the
// character right after it stay, so that "3e" and "3eX" are reported as a
// missing and a wrong exponent rather than read as 3.
void retireUnite(std::string& s)
{
    while (s.size() >= 2 && !estChiffre(s.back())) {
        if (estMarqueExposant(s, s.size() - 1) || estMarqueExposant(s, s.size() - 2))
            return;
        s.pop_back();
    }
}

// Position of a power-of-ten mark "x10" (turned into ".10" already, at posX) or
// ".10" followed by the exponent's sign, as in 2.10-3; npos if none. A plain
// decimal such as 0.105 or 1.100 has no mark.
size_t marquePuissanceDix(const std::string& s, size_t posX)
{
    if (posX < s.size() && s.compare(posX, 3, ".10") == 0)
        return posX;
    for (size_t p = s.find(".10"); p != std::string::npos; p = s.find(".10", p + 1)) {
        if (p + 3 < s.size() && (s[p + 3] == '-' || s[p + 3] == '+'))
            return p;
    }
    return std::string::npos;
}

// A whole number with an optional sign.
bool litEntier(const std::string& s, int& k)
{
    const char* debut = s.data();
    const char* fin = s.data() + s.size();
    if (debut < fin && *debut == '+') {
        ++debut;
        if (debut == fin || !estChiffre(*debut))
            return false;
    }
    const auto r = std::from_chars(debut, fin, k);
    return r.ec == std::errc() && r.ptr == fin;
}

// A decimal number with an optional sign and at most one separator.
bool litDecimal(std::string s, char separateur, long double& x)
{
    if (separateur != '.') {
        const size_t point = s.find('.');
        if (point != std::string::npos)
            s[point] = separateur;
    }
    size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    int chiffres = 0, separateurs = 0;
    for (size_t j = i; j < s.size(); ++j) {
        if (estChiffre(s[j]))
            ++chiffres;
        else if (s[j] == separateur)
            ++separateurs;
        else
            return false;
    }
    if (chiffres == 0 || separateurs > 1)
        return false;
    const bool negatif = i > 0 && s[0] == '-';
    std::string normal = s.substr(i);
    if (separateurs == 1)
        normal[normal.find(separateur)] = '.';
    const auto r = std::from_chars(normal.data(), normal.data() + normal.size(), x,
                                   std::chars_format::fixed);
    if (r.ec != std::errc() || r.ptr != normal.data() + normal.size())
        return false;
    if (negatif)
        x = -x;
    return true;
}

// 10^|k| by repeated multiplication, stopping once it has overflowed.
long double puissanceDeDix(int k)
{
    long double p = 1.0L;
    for (long long i = 0; i < std::llabs(k) && std::isfinite(p); ++i)
        p *= 10.0L;
    return p;
}

// ---------------------------------------------------------------- writing

void remplaceSeparateur(std::string& t, char separateur)
{
    for (char& c : t)
        if (c == '.')
            c = separateur;
}

// Significant digits of x > 0 rounded to n of them, and the decimal exponent of
// the first one: 12.5 with 3 digits gives "125" and 1.
std::string chiffresArrondis(long double x, int n, int& exposant)
{
    char tampon[128];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, x,
                                 std::chars_format::scientific, n - 1);
    const std::string t(tampon, r.ptr);
    const size_t e = t.find('e');
    std::string chiffres;
    for (size_t i = 0; i < e; ++i)
        if (estChiffre(t[i]))
            chiffres += t[i];
    const char* debut = t.data() + e + 1;
    if (*debut == '+')
        ++debut;
    exposant = 0;
    std::from_chars(debut, t.data() + t.size(), exposant);
    return chiffres;
}

// The digits written in fixed notation, without trailing decimal zeros.
std::string notationFixe(const std::string& chiffres, int exposant)
{
    const int n = static_cast<int>(chiffres.size());
    std::string t;
    if (exposant < 0)
        t = "0." + std::string(static_cast<size_t>(-exposant - 1), '0') + chiffres;
    else if (exposant + 1 >= n)
        return chiffres + std::string(static_cast<size_t>(exposant + 1 - n), '0');
    else
        t = chiffres.substr(0, static_cast<size_t>(exposant + 1)) + "."
            + chiffres.substr(static_cast<size_t>(exposant + 1));
    while (t.back() == '0')
        t.pop_back();
    if (t.back() == '.')
        t.pop_back();
    return t;
}

std::string texteNonFini(long double x)
{
    if (std::isnan(x))
        return "NAN ";
    return x < 0 ? "-INF " : "INF ";
}

std::string styleIngenieurTexte(int chiffres, bool court, long double x)
{
    const char separateur = separateurDecimal();
    if (!std::isfinite(x))
        return texteNonFini(x);
    const bool negatif = x < 0;
    x = std::fabs(x);
    // Zero is never signed.
    if (x < 1e-15L)
        return std::string("0") + separateur + (court ? "0 " : "00 ");

    int f = 0;
    if (x > 999.995L) {
        while (x > 999.995L && f < 4) {
            x /= 1000.0L;
            ++f;
        }
    } else if (x < 0.999995L) {
        while (x < 0.999995L && f >= -4) {
            x *= 1000.0L;
            --f;
        }
    }
    int exposant;
    std::string chiffresTexte = chiffresArrondis(x, chiffres, exposant);
    // Rounding may carry into a fourth integer digit (999.7 to 3 digits):
    // the next prefix writes it as 1.00 rather than 1000 or 1e+03.
    if (exposant >= 3 && f < 4) {
        x /= 1000.0L;
        ++f;
        chiffresTexte = chiffresArrondis(x, chiffres, exposant);
    }
    std::string t;
    if (exposant < 15) {
        t = notationFixe(chiffresTexte, exposant);
    } else { // beyond 1000 T: power-of-ten form
        char tampon[128];
        const auto r = std::to_chars(tampon, tampon + sizeof tampon, x,
                                     std::chars_format::general, chiffres);
        t.assign(tampon, r.ptr);
    }
    remplaceSeparateur(t, separateur);

    const size_t longueur = static_cast<size_t>(chiffres) + 1;
    if (t.find(separateur) != std::string::npos) {
        while (t.size() < longueur)
            t += '0';
    } else if (t.size() < static_cast<size_t>(chiffres)) {
        t += separateur;
        while (t.size() < longueur)
            t += '0';
    }
    return (negatif ? "-" : "") + t + " " + prefixeSI(f);
}

// Mantissa, ".10", then the exponent between the characters 9 and 10 that
// mark a superscript for the label drawing.
std::string stylePuissanceDixTexte(int chiffres, long double x)
{
    if (!std::isfinite(x))
        return texteNonFini(x);
    const bool negatif = x < 0;
    x = std::fabs(x);
    char tampon[128];
    const auto r = std::to_chars(tampon, tampon + sizeof tampon, x,
                                 std::chars_format::scientific, 11);
    const std::string t(tampon, r.ptr);
    const size_t e = t.find('e');
    const size_t garde = chiffres == 1 ? 1 : static_cast<size_t>(chiffres) + 1;
    std::string mantisse = t.substr(0, std::min(e, garde));
    remplaceSeparateur(mantisse, separateurDecimal());
    const char* debut = t.data() + e + 1;
    if (*debut == '+')
        ++debut;
    int exposant = 0;
    std::from_chars(debut, t.data() + t.size(), exposant);
    return (negatif ? "-" : "") + mantisse + ".10" + '\t' + std::to_string(exposant) + '\n';
}

std::string lettres(int n, char a)
{
    std::string t;
    if (n < 0)
        return t;
    // n + 1 in bijective base 26.
    long long v = static_cast<long long>(n) + 1;
    while (v > 0) {
        --v;
        t.insert(t.begin(), static_cast<char>(a + v % 26));
        v /= 26;
    }
    return t;
}

} // namespace

char separateurDecimal()
{
    if (g_separateur == 0) {
        const std::lconv* l = std::localeconv();
        const char* point = l ? l->decimal_point : nullptr;
        // A separator of several bytes cannot be a char: fall back on ".".
        g_separateur = point && std::strlen(point) == 1 && separateurAdmis(point[0]) ? point[0] : '.';
    }
    return g_separateur;
}

void setSeparateurDecimal(char separateur)
{
    g_separateur = separateurAdmis(separateur) ? separateur : '.';
}

int valeurDeTexte(const std::string& texte, long double& valeur)
{
    if (texte.empty())
        return valeurLue;
    std::string s = sansEspaces(texte);
    const size_t posX = s.find('x');
    if (posX != std::string::npos)
        s[posX] = '.';
    const size_t posE = s.find('E');
    if (posE != std::string::npos)
        s[posE] = 'e';

    const long double multiplicateur = retirePrefixe(s);
    retireUnite(s);
    if (s.empty())
        return erreurTexteVide;

    const size_t marque = marquePuissanceDix(s, posX);
    if (marque != std::string::npos)
        s = s.substr(0, marque) + 'e' + s.substr(marque + 3);

    int k = 0;
    const size_t e = s.find('e');
    if (e != std::string::npos) {
        const std::string exposant = s.substr(e + 1);
        if (exposant.empty())
            return erreurExposantVide;
        if (!litEntier(exposant, k))
            return erreurExposantIncorrect;
        s.erase(e);
    }

    long double mantisse;
    if (!litDecimal(s, separateurDecimal(), mantisse))
        return erreurMantisseIncorrecte;
    // Dividing by an exact 10^|k| rather than multiplying by an inexact 10^-|k|.
    const long double p = puissanceDeDix(k);
    const long double v = k >= 0 ? mantisse * multiplicateur * p : mantisse * multiplicateur / p;
    if (!std::isfinite(v))
        return erreurExposantIncorrect;
    valeur = v;
    return valeurLue;
}

void formatValeur(int chiffres, int style, std::string& texte, long double x)
{
    chiffres = std::clamp(chiffres, 1, 20);
    if (style == stylePuissanceDix)
        texte = stylePuissanceDixTexte(chiffres, x);
    else
        texte = styleIngenieurTexte(chiffres, style == styleIngenieurCourt, x);
}

std::string formatValeur(int chiffres, int style, long double x)
{
    std::string texte;
    formatValeur(chiffres, style, texte, x);
    return texte;
}

const char* prefixeSI(int puissance1000)
{
    for (const TPrefixeSI& p : prefixesSI)
        if (p.puissance1000 == puissance1000)
            return p.symbole;
    return "";
}

std::string lettresColonne(int n) { return lettres(n, 'A'); }
std::string lettresIndice(int n) { return lettres(n, 'a'); }

std::string majusculesASCII(const std::string& texte)
{
    std::string t = texte;
    for (char& c : t)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return t;
}

std::string sansCrochets(const std::string& nom)
{
    std::string r;
    for (char c : nom)
        if (c != '[' && c != ']' && c != '{' && c != '}')
            r += c;
    return r;
}

#include "model/UniteMath.h"

#include <cmath>
#include <limits>

namespace {

// 10^n: exact while it fits the long double mantissa (n up to 27).
long double puissanceDeDix(int n)
{
    if (n < 0)
        return 1.0L / puissanceDeDix(-n);
    if (n > 27)
        return std::pow(10.0L, static_cast<long double>(n));
    long double p = 1.0L;
    for (int i = 0; i < n; ++i)
        p *= 10.0L;
    return p;
}

// v × 10^-e, multiplying by an exact power of ten when e < 0 so that the
// mantissa of 0.83 is 8.3, which dividing by an inexact 0.1 would not give.
// Very large powers are applied in two halves so that none overflows.
long double echelle(long double v, int e)
{
    if (e > 2400 || e < -2400)
        return echelle(echelle(v, e / 2), e - e / 2);
    return e >= 0 ? v / puissanceDeDix(e) : v * puissanceDeDix(-e);
}

// x = m × 10^e with 1 <= |m| < 10; x finite and not zero.
int decompose(long double x, long double& m)
{
    int e = static_cast<int>(std::floor(std::log10(std::fabs(x))));
    m = echelle(x, e);
    // log10 may land one decade off near exact powers of ten, and the scaling of
    // extreme values is not exact: nudge m itself, never by recomputing it.
    while (std::fabs(m) >= 10.0L) {
        m /= 10.0L;
        ++e;
    }
    while (std::fabs(m) < 1.0L) {
        m *= 10.0L;
        --e;
        if (std::fabs(m) >= 10.0L) { // 0.99999... × 10 rounded up to 10
            m = std::copysign(1.0L, m);
            ++e;
        }
    }
    return e;
}

template <typename Entier>
Entier arrondiSature(long double x)
{
    if (std::isnan(x))
        return 0;
    const long double r = std::nearbyint(x);
    if (r <= static_cast<long double>(std::numeric_limits<Entier>::min()))
        return std::numeric_limits<Entier>::min();
    // max() + 1 is a power of two, exact in long double.
    if (r >= static_cast<long double>(std::numeric_limits<Entier>::max()) + 1.0L)
        return std::numeric_limits<Entier>::max();
    return static_cast<Entier>(r);
}

} // namespace

void decomposeMantisse(long double& mantisse, long double& puissance, long double x)
{
    if (x == 0.0L || !std::isfinite(x)) {
        mantisse = x;
        puissance = 1.0L;
        return;
    }
    const int e = decompose(x, mantisse);
    puissance = e > 4000 || e < -4000 ? echelle(1.0L, -e) : puissanceDeDix(e);
}

void chiffresSignificatifs(long double& x, int n)
{
    if (x == 0.0L || !std::isfinite(x))
        return;
    // Beyond 40 digits a long double has nothing left to round.
    if (n < 1)
        n = 1;
    if (n > 40)
        return;
    long double m;
    const int e = decompose(std::fabs(x), m);
    // Count whole units of the last kept digit: |x| × 10^(n-1-e), an exact
    // power of ten, so that 0.0012345 to 3 digits is exactly 0.00123.
    const int decale = n - 1 - e;
    const long double r = echelle(std::nearbyint(echelle(std::fabs(x), -decale)), decale);
    x = x < 0 ? -r : r;
}

void arrondiMultiple(float& x, float pas)
{
    if (pas == 0.0f || !std::isfinite(pas))
        return;
    x = pas * std::nearbyint(x / pas);
}

float arrondiSup(float tolerance, float x)
{
    long double m, p;
    decomposeMantisse(m, p, x);
    const long double tol = tolerance / 100.0L;
    // m × 10 whole within 1e-5: the mantissa already has a single decimal.
    auto uneDecimale = [](long double v) {
        return std::fabs(v * 10.0L - std::nearbyint(v * 10.0L)) < 1e-5L;
    };
    long double c;
    if (m >= 1e-15L) {
        const long double entiere = std::trunc(m);
        c = (m - entiere < 1e-5L * m) ? m : entiere + 1.0L;
        if (std::fabs(c - m) > tol * std::fabs(c))
            c = uneDecimale(m) ? m : (std::trunc(10.0L * m) + 1.0L) / 10.0L;
    } else if (m <= -1e-15L) {
        const long double entiere = std::trunc(m);
        c = (entiere - m < 1e-5L * -m) ? m : entiere;
        if (std::fabs(c - m) > tol * std::fabs(c))
            c = uneDecimale(m) ? m : std::trunc(10.0L * m) / 10.0L;
    } else {
        c = 0.0L;
    }
    return static_cast<float>(c * p);
}

double maxDouble(double a, double b) { return a > b ? a : b; }
double minDouble(double a, double b) { return a < b ? a : b; }

int signe(float x)
{
    return x > 0.0f ? 1 : (x < 0.0f ? -1 : 0);
}

int32_t arrondiEntier(long double x) { return arrondiSature<int32_t>(x); }
int64_t arrondiEntier64(long double x) { return arrondiSature<int64_t>(x); }

int32_t maxEntier(long double a, long double b) { return arrondiEntier(a > b ? a : b); }
int32_t minEntier(long double a, long double b) { return arrondiEntier(a < b ? a : b); }
int64_t maxEntier64(long double a, long double b) { return arrondiEntier64(a > b ? a : b); }
int64_t minEntier64(long double a, long double b) { return arrondiEntier64(a < b ? a : b); }

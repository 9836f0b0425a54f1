#include "widgets/CercleChromatique.h"

#include <algorithm>
#include <cmath>
#include <thread>
#include <vector>

namespace gv {

namespace {

constexpr double pi = 3.14159265358979323846;
// The sector limits, as the circle has always been drawn with them.
constexpr double pi3 = 1.0471976;
constexpr double deuxPi3 = 2.0943952;
const double racine3 = std::sqrt(3.0);

// Raised-cosine ramp from a0 at z0 to a1 at z1, kept in single precision:
// a0 + (a1 - a0) × (1 + sin(π/2 × (2z - z0 - z1) / (z1 - z0))) / 2. Two
// ramps over the same interval share their sine.
inline double sinusRampe(double z, double z0, double z1)
{
    return std::sin(pi / 2 * (2 * z - z0 - z1) / (z1 - z0));
}
inline float rampeDe(double sinus, double a0, double a1)
{
    return static_cast<float>(a0 + (a1 - a0) * (1 + sinus) / 2);
}
inline float rampe(double z, double z0, double a0, double z1, double a1)
{
    return rampeDe(sinusRampe(z, z0, z1), a0, a1);
}

// Whitening: full near the centre, none beyond 0.45 of the radius.
inline float blanchiment(double rho, double rayon)
{
    if (rho < 0.1 * rayon)
        return 255;
    if (rho <= 0.45 * rayon)
        return rampe(rho, 0.1 * rayon, 255, 0.45 * rayon, 0);
    return 0;
}

// Distance from the centre, in the pixel's direction, to the side of the
// triangle red (straight up), green (theta = pi/3), blue (theta = -pi/3).
inline double distanceTriangle(double dx, double dy, double rho, double theta, double rayon)
{
    if (theta > pi3)
        return rho * rayon / (racine3 * dx - dy);
    if (theta >= -pi3)
        return dy == 0 ? rho : rho * rayon / (2 * dy);
    return rho * rayon / (-racine3 * dx - dy);
}

// Truncated to a whole number within 0 .. 255.
inline bool composante(double valeur, uint8_t& resultat)
{
    if (!std::isfinite(valeur))
        return false;
    resultat = valeur <= 0 ? 0 : valeur >= 255 ? 255 : static_cast<uint8_t>(static_cast<int>(valeur));
    return true;
}

} // namespace

bool couleurDuCercle(double dx, double dy, double rayon, TCouleurCercle& couleur)
{
    const double rho = std::sqrt(dx * dx + dy * dy);
    const double theta = std::atan2(dx, dy);
    const double W = blanchiment(rho, rayon);
    const double X = distanceTriangle(dx, dy, rho, theta, rayon);
    const double E = X >= rho ? 1.0 : static_cast<double>(rampe(rho, X, 1, rayon, 0));

    double r, v, b;
    if (theta > deuxPi3) { // yellow to red
        const double s = sinusRampe(theta, deuxPi3, pi);
        r = 255 * E;
        v = rampeDe(s, 255, 0) * E;
        b = W * rampeDe(s, 1, 0);
    } else if (theta > pi3) { // green to yellow
        const double s = sinusRampe(theta, pi3, deuxPi3);
        r = rampeDe(s, 0, 255) * E;
        v = 255 * E;
        b = W * rampeDe(s, 0, 1);
    } else if (theta >= 0) { // cyan to green
        const double s = sinusRampe(theta, 0, pi3);
        r = W * rampeDe(s, 1, 0);
        v = 255 * E;
        b = rampeDe(s, 255, 0) * E;
    } else if (theta >= -pi3) { // blue to cyan
        const double s = sinusRampe(theta, -pi3, 0);
        r = W * rampeDe(s, 0, 1);
        v = rampeDe(s, 0, 255) * E;
        b = 255 * E;
    } else if (theta > -deuxPi3) { // magenta to blue
        const double s = sinusRampe(theta, -deuxPi3, -pi3);
        r = rampeDe(s, 255, 0) * E;
        v = W * rampeDe(s, 1, 0);
        b = 255 * E;
    } else { // red to magenta
        const double s = sinusRampe(theta, -pi, -deuxPi3);
        r = 255 * E;
        v = W * rampeDe(s, 0, 1);
        b = rampeDe(s, 0, 255) * E;
    }
    TCouleurCercle resultat;
    if (!composante(r, resultat.rouge) || !composante(v, resultat.vert) || !composante(b, resultat.bleu))
        return false;
    couleur = resultat;
    return true;
}

namespace {

// Rows y = debut, debut + pas, ... of the circle.
void peintLignes(uchar* pixels, qsizetype octetsParLigne, int rayon, int debut, int pas)
{
    const double R = rayon;
    for (int y = debut; y <= 2 * rayon - 1; y += pas) {
        const double dy = y - R;
        const int hw = static_cast<int>(std::sqrt(R * R - dy * dy));
        auto* ligne = reinterpret_cast<QRgb*>(pixels + (y + 2) * octetsParLigne);
        for (int x = rayon - hw + 1; x <= rayon + hw - 1; ++x) {
            TCouleurCercle c;
            if (couleurDuCercle(x - R, dy, R, c))
                ligne[x + 2] = qRgb(c.rouge, c.vert, c.bleu);
        }
    }
}

} // namespace

QImage peintCercleChromatique(int rayon)
{
    rayon = std::max(rayon, 0);
    const int cote = 2 * rayon + 4;
    QImage image(cote, cote, QImage::Format_RGB32);
    image.fill(Qt::black);
    uchar* pixels = image.bits();
    const qsizetype octetsParLigne = image.bytesPerLine();
    // A large circle is shared among the processors: every pixel is computed
    // on its own, and each worker writes its own rows, so that the chooser
    // opens without a visible wait.
    const int travailleurs = rayon < 150 ? 1 : static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 1u, 4u));
    std::vector<std::thread> autres;
    for (int t = 1; t < travailleurs; ++t)
        autres.emplace_back(peintLignes, pixels, octetsParLigne, rayon, 1 + t, travailleurs);
    peintLignes(pixels, octetsParLigne, rayon, 1, travailleurs);
    for (std::thread& travailleur : autres)
        travailleur.join();
    return image;
}

} // namespace gv

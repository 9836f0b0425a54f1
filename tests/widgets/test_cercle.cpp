// The colour circle, read back pixel by pixel.
#include "widgets/CercleChromatique.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

using gv::TCouleurCercle;

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int R = 300;

struct Rgb {
    int r, v, b;
};

std::string texte(Rgb c)
{
    return "(" + std::to_string(c.r) + ", " + std::to_string(c.v) + ", " + std::to_string(c.b) + ")";
}

// Largest difference between two colours, component by component.
int ecart(Rgb a, Rgb b)
{
    return std::max({std::abs(a.r - b.r), std::abs(a.v - b.v), std::abs(a.b - b.b)});
}

class Cercle : public ::testing::Test {
protected:
    static void SetUpTestSuite() { image = new QImage(gv::peintCercleChromatique(R)); }
    static void TearDownTestSuite() { delete image; }

    // The painted pixel at (dx, dy) from the centre (dy downwards).
    static Rgb pixel(int dx, int dy)
    {
        const QRgb c = image->pixel(R + dx + 2, R + dy + 2);
        return {qRed(c), qGreen(c), qBlue(c)};
    }
    // The painted pixel nearest to the point at distance k in direction theta
    // (0 straight down, positive towards the right).
    static Rgb pixelSurRayon(double theta, double k)
    {
        return pixel(int(std::lround(k * std::sin(theta))), int(std::lround(k * std::cos(theta))));
    }
    static QImage* image;
};
QImage* Cercle::image = nullptr;

Rgb exacte(double theta, double rho)
{
    TCouleurCercle c;
    EXPECT_TRUE(gv::couleurDuCercle(rho * std::sin(theta), rho * std::cos(theta), R, c));
    return {c.rouge, c.vert, c.bleu};
}

TEST_F(Cercle, CarreNoirDeDeuxRayonsPlusQuatre)
{
    ASSERT_EQ(image->size(), QSize(2 * R + 4, 2 * R + 4));
    // The two outer rows and columns and the corners stay black.
    for (int i = 0; i < 2 * R + 4; ++i)
        for (QPoint p : {QPoint(i, 0), QPoint(i, 2), QPoint(0, i), QPoint(2, i), QPoint(i, 2 * R + 3)})
            ASSERT_EQ(image->pixel(p), qRgb(0, 0, 0)) << p.x() << "," << p.y();
    EXPECT_EQ(image->pixel(20, 20), qRgb(0, 0, 0));
    // Row y = 1 (the top of the circle) is the picture's row 3.
    EXPECT_NE(image->pixel(R + 2, 3), qRgb(0, 0, 0));
}

TEST_F(Cercle, CentreBlanc)
{
    EXPECT_EQ(texte(pixel(0, 0)), texte({255, 255, 255}));
    TCouleurCercle c;
    ASSERT_TRUE(gv::couleurDuCercle(0, 0, R, c));
    EXPECT_EQ(texte({c.rouge, c.vert, c.bleu}), texte({255, 255, 255}));
}

TEST_F(Cercle, RougeToutDroitVersLeHautJusquAuBord)
{
    for (int k = 1; k <= R - 1; ++k)
        ASSERT_EQ(texte(pixel(0, -k)), texte({255, 0, 0})) << "at " << k << " pixels";
}

TEST_F(Cercle, VersLeBasBlancPuisCyanPuisPlusSombre)
{
    for (int k = 0; k < int(0.1 * R); ++k)
        ASSERT_EQ(texte(pixel(0, k)), texte({255, 255, 255})) << k;
    for (int k = int(std::ceil(0.45 * R)) + 1; k <= int(0.5 * R); ++k)
        ASSERT_EQ(texte(pixel(0, k)), texte({0, 255, 255})) << k;
    // Beyond: the same cyan, darker and darker, black at the rim.
    Rgb precedent = pixel(0, int(0.5 * R));
    for (int k = int(0.5 * R) + 1; k <= R - 1; ++k) {
        const Rgb c = pixel(0, k);
        ASSERT_EQ(c.r, 0) << k;
        ASSERT_EQ(c.v, c.b) << k;
        ASSERT_LE(c.v, precedent.v) << k;
        precedent = c;
    }
    EXPECT_LT(pixel(0, int(0.6 * R)).v, 255);
    EXPECT_EQ(texte(pixel(0, R - 1)), texte({0, 0, 0}));
}

// A raised-cosine ramp from a0 at z0 to a1 at z1.
double cosinusSureleve(double z, double z0, double a0, double z1, double a1)
{
    return a0 + (a1 - a0) * (1 - std::cos(pi * (z - z0) / (z1 - z0))) / 2;
}

TEST_F(Cercle, BlanchimentEtAssombrissementEnCosinusSureleve)
{
    // Straight down: red is the whitening, from 255 at 0.1 of the radius to
    // 0 at 0.45; green and blue are 255 times the darkening, from 1 at half
    // the radius (the side of the triangle) to 0 at the rim.
    for (double f : {0.12, 0.2, 0.3, 0.4, 0.42, 0.44}) {
        const int k = int(std::lround(f * R));
        const double attendu = cosinusSureleve(k, 0.1 * R, 255, 0.45 * R, 0);
        EXPECT_NEAR(pixel(0, k).r, attendu, 1.0) << f;
    }
    for (double f : {0.55, 0.6, 0.7, 0.8, 0.9}) {
        const int k = int(std::lround(f * R));
        const double attendu = 255 * cosinusSureleve(k, 0.5 * R, 1, R, 0);
        EXPECT_NEAR(pixel(0, k).v, attendu, 1.0) << f;
        EXPECT_EQ(pixel(0, k).b, pixel(0, k).v) << f;
    }
}

TEST_F(Cercle, MiroirGaucheDroiteEchangeVertEtBleu)
{
    // The left half is the right half with green and blue exchanged
    // (red stays), up to the rounding of the last unit.
    for (int dy = -R + 1; dy <= R - 1; dy += 3)
        for (int dx = 1; dx * dx + dy * dy < (R - 1) * (R - 1); dx += 3) {
            const Rgb droite = pixel(dx, dy), gauche = pixel(-dx, dy);
            ASSERT_LE(ecart(gauche, {droite.r, droite.b, droite.v}), 1)
                << dx << "," << dy << ": " << texte(droite) << " " << texte(gauche);
        }
}

struct Direction {
    const char* nom;
    double theta;
    Rgb pure;
};

// Yellow, cyan and magenta: pure between 0.45 and 0.5 of the radius, black at the rim.
const Direction secondaires[] = {
    {"jaune", 2 * pi / 3, {255, 255, 0}},
    {"cyan", 0, {0, 255, 255}},
    {"magenta", -2 * pi / 3, {255, 0, 255}},
};

TEST_F(Cercle, SecondairesPuresEntre045Et05PuisNoirAuBord)
{
    for (const Direction& d : secondaires) {
        for (double f = 0.455; f <= 0.4951; f += 0.005) {
            EXPECT_EQ(texte(exacte(d.theta, f * R)), texte(d.pure)) << d.nom << " at " << f;
            // The pixel grid is not on the ray: one unit of rounding at most.
            EXPECT_LE(ecart(pixelSurRayon(d.theta, f * R), d.pure), 1) << d.nom << " at " << f;
        }
        EXPECT_LT(exacte(d.theta, 0.6 * R).r + exacte(d.theta, 0.6 * R).v + exacte(d.theta, 0.6 * R).b,
                  d.pure.r + d.pure.v + d.pure.b)
            << d.nom;
        EXPECT_EQ(texte(exacte(d.theta, R - 1)), texte({0, 0, 0})) << d.nom;
        EXPECT_EQ(texte(pixelSurRayon(d.theta, R - 2)), texte({0, 0, 0})) << d.nom;
        // Towards the centre they pale to white.
        EXPECT_EQ(texte(exacte(d.theta, 0.05 * R)), texte({255, 255, 255})) << d.nom;
    }
}

// Red, green and blue: pure from the centre to the rim.
const Direction primaires[] = {
    {"rouge", pi, {255, 0, 0}},
    {"vert", pi / 3, {0, 255, 0}},
    {"bleu", -pi / 3, {0, 0, 255}},
};

TEST_F(Cercle, PrimairesPuresDuCentreAuBord)
{
    for (const Direction& d : primaires) {
        for (double rho = 0.5; rho <= R - 0.5; rho += 0.5)
            ASSERT_EQ(texte(exacte(d.theta, rho)), texte(d.pure)) << d.nom << " at " << rho;
        // The painted pixels nearest to the ray, from 2 % of the radius on.
        for (int k = int(0.02 * R); k <= R - 2; ++k)
            ASSERT_LE(ecart(pixelSurRayon(d.theta, k), d.pure), 2) << d.nom << " at " << k << ": "
                                                                   << texte(pixelSurRayon(d.theta, k));
    }
}

TEST_F(Cercle, SensHoraireRougeJauneVertCyanBleuMagenta)
{
    // Half way between two of the six directions, at 0.47 of the radius:
    // the two neighbours mix, the third component is absent.
    const struct {
        double theta;
        bool r, v, b;
    } milieux[] = {
        {5 * pi / 6, true, true, false},   // orange, between red and yellow
        {pi / 2, true, true, false},       // between yellow and green
        {pi / 6, false, true, true},       // between green and cyan
        {-pi / 6, false, true, true},      // between cyan and blue
        {-pi / 2, true, false, true},      // between blue and magenta
        {-5 * pi / 6, true, false, true},  // between magenta and red
    };
    for (const auto& m : milieux) {
        const Rgb c = pixelSurRayon(m.theta, 0.47 * R);
        EXPECT_EQ(c.r > 40, m.r) << m.theta << " " << texte(c);
        EXPECT_EQ(c.v > 40, m.v) << m.theta << " " << texte(c);
        EXPECT_EQ(c.b > 40, m.b) << m.theta << " " << texte(c);
    }
}

TEST(CercleTaille, ChaquePixelDuCercleEstCalculeUneFois)
{
    // Whatever the radius, and however the rows are shared out, every pixel
    // inside the circle has the colour of its place and every other stays black.
    for (int rayon : {0, 1, 2, 149, 150, 151, 401}) {
        const QImage image = gv::peintCercleChromatique(rayon);
        ASSERT_EQ(image.size(), QSize(2 * rayon + 4, 2 * rayon + 4));
        for (int py = 0; py < image.height(); ++py)
            for (int px = 0; px < image.width(); ++px) {
                const int x = px - 2, y = py - 2;
                QRgb attendu = qRgb(0, 0, 0);
                if (y >= 1 && y <= 2 * rayon - 1) {
                    const int hw = int(std::sqrt(double(rayon) * rayon - double(y - rayon) * (y - rayon)));
                    TCouleurCercle c;
                    if (x >= rayon - hw + 1 && x <= rayon + hw - 1 &&
                        gv::couleurDuCercle(x - rayon, y - rayon, rayon, c))
                        attendu = qRgb(c.rouge, c.vert, c.bleu);
                }
                ASSERT_EQ(image.pixel(px, py), attendu) << "radius " << rayon << " pixel " << px << "," << py;
            }
    }
}

} // namespace

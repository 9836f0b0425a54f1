#include "model/UniteBaseCouleurs.h"

#include <cmath>

namespace {

double pourcentBorne(float pourcent)
{
    if (!(pourcent > 0.0f)) // also NaN
        return 0.0;
    return pourcent > 100.0f ? 100.0 : pourcent;
}

// Applies f to each of the three components.
template <typename F>
int parComposante(int couleur, F f)
{
    return couleurRGB(f(rougeDe(couleur)), f(vertDe(couleur)), f(bleuDe(couleur)));
}

} // namespace

int couleurRGB(int rouge, int vert, int bleu)
{
    return (rouge & 0xFF) | (vert & 0xFF) << 8 | (bleu & 0xFF) << 16;
}

int rougeDe(int couleur) { return couleur & 0xFF; }
int vertDe(int couleur) { return (couleur >> 8) & 0xFF; }
int bleuDe(int couleur) { return (couleur >> 16) & 0xFF; }

int eclaircirCouleur(int couleur, float pourcent)
{
    const double q = pourcentBorne(pourcent);
    // Multiplying before dividing keeps 100 % exact: white, not 254.
    return parComposante(couleur, [q](int c) {
        return static_cast<int>(std::trunc((255 - c) * q / 100.0 + c));
    });
}

int assombrirCouleur(int couleur, float pourcent)
{
    const double q = pourcentBorne(pourcent);
    return parComposante(couleur, [q](int c) {
        return static_cast<int>(std::nearbyint(c - c * q / 100.0));
    });
}

#pragma once
// The colour circle of the colour chooser: red straight up, then clockwise
// yellow, green (lower right), cyan (straight down), blue (lower left) and
// magenta. The centre is white and the colours pale towards it, except along
// the three primaries; outside the triangle of the primaries they darken to
// black at the rim.
#include <QImage>
#include <cstdint>

namespace gv {

struct TCouleurCercle {
    uint8_t rouge = 0;
    uint8_t vert = 0;
    uint8_t bleu = 0;
};

// The colour at (dx, dy) from the centre of a circle of radius `rayon`, dy
// counted downwards. False when the computation gives no finite value: such
// a pixel stays black.
bool couleurDuCercle(double dx, double dy, double rayon, TCouleurCercle& couleur);

// The circle of radius `rayon` (whole pixels) in a black square picture of
// 2 × rayon + 4 pixels. Rows y = 1 .. 2 × rayon - 1 are computed, each over
// the columns that lie inside the circle; the point (x, y) is the pixel
// (x + 2, y + 2), the centre being (rayon, rayon).
QImage peintCercleChromatique(int rayon);

} // namespace gv

#pragma once
// The pictures of the toolbar's square buttons. They come from one sprite
// sheet of 64 × 64 cells: row r for button r, and four columns for the four
// states of a button (up, disabled, pressed, stays down). The sheet is our
// own artwork, painted by program at start.
#include <QIcon>
#include <QImage>

namespace gv {

inline constexpr int coteCellule = 64;
inline constexpr int nbLignesFeuille = 12;
inline constexpr int nbEtatsBouton = 4;

// The sprite sheet IBoutons: 4 × 64 wide, 12 × 64 high, 24-bit pixels.
QImage feuilleBoutons();

// One cell scaled to cote × cote by averaging, for each destination pixel,
// the red, green and blue values of the source pixels that fall in it.
QImage celluleReduite(const QImage& feuille, int ligne, int colonne, int cote);

// The button's picture: its four states side by side, state k at
// x = k × (cote + 3) + 1, y = 1, in a picture 4 × (cote + 3) wide and
// cote + 3 high; the pixel (k × (cote + 3), bottom row) is pure red, the
// transparent colour of the picture.
QImage imageBouton(const QImage& feuille, int ligne, int cote);

// The icon of a button made from its picture (red is transparent).
QIcon iconeBouton(const QImage& image, int cote);

} // namespace gv

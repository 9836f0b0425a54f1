#pragma once
// How the measurement table's cells look: its colours, its font at the
// window's scale, the header look, the data cells' background, the centred
// texts and the delete mark of the curve columns. The header and the data
// cells are drawn with these, so both look the same.
#include <QFont>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>

// 0x00BBGGRR colours, set from the window's colour.
struct TCouleursTableau {
    int clfdSG;      // ordinary data cells
    int clfdSGTitre; // header cells and column 0
    int clfdSGSelT;  // data cells between the green cursors
    int clBord;      // cell edges
};
const TCouleursTableau& couleursTableau();

// The table's font ("ms serif") of height round(taille × K) pixels.
QFont policeTableau(int taille, bool gras, float K);

// Filled with clfdSGTitre; a white line up the left edge and along the top,
// a grey one along the bottom and up the right edge.
void dessineAspectEntete(QPainter& p, const QRect& cellule);
// Filled with clfdSGSelT (inside the cursors) or clfdSG, with the grey line
// along the bottom and up the right edge.
void dessineFondDonnee(QPainter& p, const QRect& cellule, bool entreCurseurs);
// The focused cell's rectangle, 2 pixels inside the cell.
void dessineFocus(QPainter& p, const QRect& cellule);

// Where a text of that size is centred in the cell: x = max((l + r - w) div
// 2, l) and y = (t + b - h) div 2 (r and b exclusive).
QPoint origineCentree(const QRect& cellule, int largeur, int hauteur);
// The text centred in the cell with the painter's font.
void ecritCentre(QPainter& p, const QRect& cellule, const QString& texte);
// The text 2 pixels from the right and bottom edges.
void ecritEnBasADroite(QPainter& p, const QRect& cellule, const QString& texte);

// The delete mark (Image1, 24 × 22 pixels), centred in its cell.
const QPixmap& imageSuppression();
void dessineImageSuppression(QPainter& p, const QRect& cellule);

#pragma once
// Drawing of the graduated screen on off-screen images: background, axes
// and grid, curves in their three styles, pre-trigger mark and cursors.
// Every routine draws on a QImage, so it runs (and is tested) without a
// window. The images are in QImage::Format_RGB32.
#include "display/GeometrieEcran.h"
#include "display/ParametresTemps.h"

#include <QFont>
#include <QImage>
#include <QPainter>
#include <array>
#include <string>

// Progress of a running acquisition, set by the acquisition loop.
struct TProgresTrame {
    int64_t ptFront = 0;          // index of the last point received
    int64_t pt0Trame = 0;         // where the current frame starts in tv2
    int trameX = 0;               // frame index (0 or 1) in double-frame mode
    bool modeDoubleTrameX = false;
};


class TDessinEcran {
public:
    explicit TDessinEcran(TGeometrieEcran& geometrie);

    TGeometrieEcran& g;
    QFont fontEcran;
    std::array<TColor, 8> clsVX;
    TProgresTrame progres;

    // Clipping rectangle of the graph area.
    QRect rgnCourbes() const;

    void dessineFondEcran(QImage& image) const;
    void dessineQuadAxesV(QImage& image) const;
    void dessineQuadAxeH(QImage& image) const;
    // All curves; during a running acquisition the kept curves also go to
    // bmEcran0 with the axes (frame acquisitions erase from it).
    void dessineCourbesVM(QImage& image, QImage* bmEcran0 = nullptr);

    // One curve VM1 between the sample indexes kMin1 and kMax1, samples read
    // at pt0trame1 + k, sample k at k × dt. optionCl: 0 the curve's colour,
    // 1 that colour lightened 90 %, other black.
    void dessineUneCourbeSegsVerts(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1, int64_t kMax1,
                                   int optionCl, int ep1, double dt) const;
    void dessineUneCourbeLignes(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1, int64_t kMax1,
                                int optionCl, int ep1, double dt) const;
    void dessineUneCourbePoints(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1, int64_t kMax1,
                                int optionCl, double dt) const;
    void dessineUneCourbe1SegVert(QImage& image, int VM1, int optionCl) const;

    void dessinetPretrig(QImage& image) const;
    void dessineCurseursT(QImage& image) const;
    void dessineCurseursMesureT(QImage& image) const;
    void dessineCurseursMesureU(QImage& image) const;

    // Colour of a curve for an optionCl.
    TColor couleurCourbe(int VM1, int optionCl) const;
    // Lightening of a vertical segment of the given length (pixels), %.
    int eclaircissementSegment(int longueur) const;
    // Label of the second green cursor.
    std::string texteCurseurFin() const;

private:
    void dessineMarqueurCurseur(QPainter& p, int x, const QColor& couleur) const;
    void dessineCourbesStyle(QImage& image, int premiere, int derniere, int64_t pt0, int64_t kMin, int64_t kMax,
                             int optionCl, bool largeurQuadrillage, double dt);
    bool surAxeQuadrillage(int VM1) const;
};

// Legend image of an input: a small grid and a zigzag in the colour.
void dessineLegende(QImage& image, TColor couleur);

// The sampling-interval picture shown under "Intervalle:".
void dessineIntervalle(QImage& image, const QFont& police, double dt0X);

#pragma once
// The state and geometry of the graduated screen: margins, axes and their
// graduations, zoom and scrolling, cursors, the transforms between
// seconds/volts and pixels, and the search of the pointed sample. Numbers
// only: nothing here draws, so every rule can be checked without a window.
#include "display/DonneesCourbes.h"
#include "mesures/ModeGeneral.h"
#include "display/VueCentrale.h"

#include <array>
#include <cstdint>
#include <string>

// Text measures used to size the margins (the screen font in bold).
class TMesureTexte {
public:
    virtual ~TMesureTexte() = default;
    virtual int largeur(const std::string& texte) const = 0;
    virtual int hauteur() const = 0; // height of "Tp"
};

// The state of a scroll bar, kept here so that scrolling is computed (and
// tested) without the widget; the widget mirrors it.
struct TBarreDefilement {
    int Min = 0;
    int Max = 1000;
    int Position = 0;
    int LargeChange = 500;
    int SmallChange = 10;
    bool Enabled = false;
};

// Enabled state of the four zoom buttons.
struct TBoutonsZoom {
    bool plusH = true, moinsH = false, plusV = true, moinsV = false;
};

// Rounding to the nearest integer, ties to even.
int arrondi(long double x);

class TGeometrieEcran {
public:
    TGeometrieEcran();

    // 1-2-5 series indexed -14..21, serie125(0) = 1.
    static double serie125(int k);
    static constexpr std::array<double, 7> coefsZoom{1, 2, 5, 10, 20, 50, 100};

    // What the screen shows.
    TVueCentrale vue;
    TMesures* mesures = nullptr; // owned by the main window
    // The window's general state, read here, never written.
    const TModeGeneral* modeGeneral = nullptr;
    TModeGeneral MODEGENERAL() const { return modeGeneral ? *modeGeneral : TModeGeneral::rienAcquis; }

    // Geometry, pixels of the screen image.
    int larT = 0, hauT = 0;
    int mGau1 = 0, mgau2 = 1, mDroi1 = 1, mDroi2 = 1, mSup = 0, mInf = 0;
    int larG = 0, hauG = 0;
    int xOri = 0, yOri = 0;
    int xOriMin = 0, xOriMax = 0, yOriMin = 0, yOriMax = 0;
    std::array<int, 4> xgr1{}, xgr2{};
    int nbAxes = 1;
    int axeQuadrilleX = 0;
    std::array<int, 8> axesDesCalibres{-1, -1, -1, -1, -1, -1, -1, -1};
    std::array<float, 8> echsVoies{};
    std::array<float, 8> espaDivV1{};
    std::array<float, 4> sepR{};
    std::array<int, 4> nGradV11{}, nGradV12{};
    float espaDivH = 0, sepRt = 0;
    int nGradH1 = 0, nGradH2 = 0;
    float tMin1 = 0, tMax1 = 0, yMin1 = 0, yMax1 = 0;
    int eMinSousGradH = 80, eMaxSousGradH = 150, eMinSousGradV = 25, eMaxSousGradV = 50;
    float coDIMH = 1, coDimV = 1;
    long double zoomH = 1, zoomV = 1;
    int zoomIndexH = 0, ZoomIndexV = 0;
    bool bloqueSB = false;
    std::array<TAxe, 4> AxesX;
    TAxe axeT;
    TBarreDefilement SBHor{0, 1000, 0, 500, 10, false};
    TBarreDefilement SBVert{-1000, 1000, 0, 500, 10, false};
    TBoutonsZoom boutonsZoom;
    // Window size used for the size coefficients when no unit is active.
    int largeurFenetre = 1060, hauteurFenetre = 725;
    // Set when a zoom had to limit its scroll position: redraw at once.
    bool redessinDemande = false;

    // Cursors and levels. The green ones, "t = 0" and the end of what is
    // exported, are the measurements' (t0, tFin); without measurements they
    // stand at 0 and 2 ms.
    double t0() const { return mesures ? mesures->t0 : 0.0; }
    double tFin() const { return mesures ? mesures->tFin : 0.002; }
    int xeT0X = 0, xetFX = 0, xst0 = 0, xstF = 0;
    long double t0M = 0, tFinM = 0.002L;
    int xeT0M = 0, xeTFM = 0;
    long double UMaxM = 0, UMinM = 0;
    int yeUmaxM = 0, yeUMinM = 0;

    // Mouse and drawing style.
    int modeS = 0;
    int xS0 = 0, yS0 = 0, xOri0 = 0, yOri0 = 0;
    int voieMesureeP = -1;
    int pointP = -1;
    int modeDessinVM = 0;
    float nbPPP = 0;

    // Transforms.
    int xe(long double t1) const;
    int ye(int voie1, float uX1) const;
    int ye(float ech1, float uX1) const;
    float tr(int xe1) const;
    float U1(int voie1, int y1) const;
    float U1(float ech1, int y1) const;

    // Left and right edges of the graph.
    int gaucheGraphe() const { return mGau1 + mgau2; }
    int droiteGraphe() const { return mGau1 + mgau2 + larG; }
    bool enAcquisition() const { return ::enAcquisition(MODEGENERAL()); }
    int nbCourbesTotal() const; // kept curves plus the unit's signals
    // Scale of the grid axis (pixels per volt at zoom 1).
    float echelleQuadrillage() const;

    void prepareAxesX(const TMesureTexte& mesure);
    void prepareQuadAxes();
    bool setZoomHX(int ZoomIndexH1);
    bool setZoomVX(int ZoomIndexV1);
    void activerZooms();
    void DesactiverZooms();
    // End of a scroll of either bar, position already in the bar.
    void finDefilementH(int position);
    void finDefilementV(int position);
    // The image took a new size.
    void redimensionne(int largeur, int hauteur);
    // Levels put back near the top and bottom of the graph.
    void replaceNiveauxMesure();
    // Grid axis from a click (p1 < 0: axis ~p1; p1 >= 0: curve p1); the
    // measuring levels are re-expressed on it. The caller redraws.
    void choisitAxeQuadrille(int p1);
    // Pixels of the cursors and levels (first part of every full redraw).
    void calculePixelsCurseurs();
    void setModeDessinVM();
    // Smallest gap in pixels between the two cursors of a pair.
    int ecartMinCurseurs() const;
    void elementPointe(int x1, int y1);

    // First and last graduation numbers for a visible range and a step.
    static int premiereGraduation(long double vMin, long double pas);
    static int derniereGraduation(long double vMax, long double pas);

private:
    void prepareAxeTemps(double duree);
    // The whole-pixel spacing rule; returns the whole spacing S and
    // rescales E.
    static int regleEspacement(long double& E, int emin, int emax, int kmin, int kmax);
    void graduationsAxe(int i);
    void echellesVoiesEtCourbes();
    void prendAxe(TVoieMesuree& vm, int c);
};

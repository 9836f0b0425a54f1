#pragma once
// The graduated screen without its window: geometry, drawing on the
// off-screen images, live drawing during a run, mouse, zoom, scrolling and
// the on-screen measurements. The widget (WidgetEcran.h) only shows the
// image and forwards events here; the main window and the acquisition loop
// call the methods below.
//
// Typical use by the main window:
//   ecran.setCentrale(SP5); ecran.setMesures(&mesures); ecran.setCouleurs(clsVX);
//   ecran.setEtatGeneral(&MODEGENERAL) once: the screen reads the state;
//   a run, in state 3: preparePourAcquisition(); then for each block
//   and signal i, once tv2 holds the new points, dessinePointsAcquis(i, k1, k2);
//   at the end: fill the records, mesures.dtAX/nbPtsAX/dureeTotaleAX and
//   nbVoiesMesurees, state 2; finAcquisition().
//   After a change of curves or settings: dessineEcranN(true).
#include "display/DessinEcran.h"
#include "display/GeometrieEcran.h"

#include <QFont>
#include <QImage>
#include <QLine>
#include <array>
#include <functional>
#include <string>
#include <vector>

class TCentrale;

// Text measures of the screen font in bold.
class TMesureTexteQt : public TMesureTexte {
public:
    explicit TMesureTexteQt(const QFont& police);
    int largeur(const std::string& texte) const override;
    int hauteur() const override;

private:
    QFont police_;
};

enum class TBoutonSouris { gauche, droit };

class TEcran {
public:
    TEcran();
    TEcran(const TEcran&) = delete;
    TEcran& operator=(const TEcran&) = delete;

    TGeometrieEcran geometrie;
    TDessinEcran dessin{geometrie};
    QImage iEcranX;  // the screen
    QImage bmEX;     // screen after curves and vertical axes, before time axis and cursors
    QImage bmEcran0; // empty graduated screen (frame acquisitions)
    QImage bmEcran;  // work picture of frame acquisitions

    // --- Set-up by the main window -------------------------------------
    // The active unit (not owned); null = no unit. Read at every full redraw.
    void setCentrale(const TCentrale* centrale);
    // A fixed description instead of a unit (tests, demos).
    void setVue(const TVueCentrale& vue);
    // The curves (owned by the main window; the screen keeps echVM/axeVM).
    void setMesures(TMesures* mesures);
    // Current colour of each input's curves (clsVX).
    void setCouleurs(const std::array<TColor, 8>& clsVX);
    // The window's general state (not owned), read at every use.
    void setEtatGeneral(const TModeGeneral* modeGeneral);
    // Size coefficients of the window (layout).
    void setCoefficientsTaille(float coDIMH, float coDimV);
    // The screen image takes a new size (redimensionnementEcran).
    void redimensionnementEcran(int largeur, int hauteur);
    // bmEcran0 := background, vertical axes and time axis.
    void prepareEcranVide();

    // --- Drawing -------------------------------------------------------
    void prepareAxesX();
    void prepareQuadAxes();
    void dessineEcranN(bool avecCourbes1);
    void dessineEcranRDE();
    void dessineEcranRCu();
    void MAJAxeQuadrille(int p1);
    // The pre-trigger mark on the screen as it is, for the unit's trigger
    // as it is now (after a change of trigger type or pre-trigger).
    void dessinePretrig();

    // --- Zoom and scrolling (buttons and bars of the screen) ----------
    void zoomHorizontal(int pas); // +1 for "+", -1 for "-"
    void zoomVertical(int pas);
    void finDefilement(bool horizontal, int position);

    // --- Acquisition run ----------------------------------------------
    // Before a run, in state 3: zooms reset and disabled, cursors at 0 and
    // the duration, axes prepared, screen drawn (kept curves stay visible).
    void preparePourAcquisition();
    // Progress of the run (frame acquisitions).
    TProgresTrame& progres() { return dessin.progres; }
    // Draws the new points kDebut..kFin of the run's signal i (curve
    // nbVoiesMesurees + i, input VoiesActivesSignaux[i]) in the current
    // style; the first point of the run only places the pen.
    void dessinePointsAcquis(int signal, int64_t kDebut, int64_t kFin);
    // A new frame starts: its first point only places the pen again.
    void reinitialiseTraces();
    // After the run, in state 2, with the curve records filled.
    void finAcquisition();

    // --- Frame acquisitions (permanent mode) ---------------------------
    // After the mode, in state 4, with the curve records filled: the end
    // cursor at the duration, the zooms usable again; the caller redraws.
    void finModePermanent();
    // bmEcran0 becomes what each frame starts from: the blank graduated
    // screen with the kept curves, lightened, and the pre-trigger mark.
    void prepareFondTrames();
    // A fast frame is drawn on bmEcran, which starts as bmEcran0, and shown
    // whole when complete (finTrameRapide).
    void debutTrameRapide();
    void finTrameRapide();
    // A slow frame is drawn on the screen as its points arrive.
    void debutTrameLente();
    // The whole screen wiped to bmEcran0 (erasing option, first block).
    void effaceEcranTrame();
    // New points of a slow frame: unless the screen was wiped, the strip
    // just ahead of them is restored from bmEcran0 (the erasing front); the
    // pre-trigger mark is kept in sight; the screen is repainted.
    void dessinePointsTrameLente(int64_t premier, int64_t dernier, bool efface, bool pretrigActif);
    // Columns x0 .. x1 of the screen, full height, taken from bmEcran0.
    void restaureBande(int x0, int x1);

    // --- Mouse ---------------------------------------------------------
    void sourisEnfoncee(TBoutonSouris bouton, int x, int y);
    void sourisDeplacee(int x, int y, bool boutonGaucheTenu);
    void sourisRelachee();

    // --- On-screen measurement panel ----------------------------------
    void ouvreMesures();  // in state 6
    void fermeMesures();  // in state 2
    void choisitAxeMesures(int axe);
    std::vector<std::string> libellesAxes() const; // CBAxes

    // --- Read-outs ------------------------------------------------------
    std::string EditSerieP, EditPointP;
    std::string EditT0M, EditTFM, EditDTM, EditUmaxM, EditUMinM, EditDUM;
    void affichePointPointe();
    void afficheMesuresT();
    void afficheMesuresU();

    // --- Notifications --------------------------------------------------
    std::function<void()> surRepeint;              // the image changed
    std::function<void()> surLectures;             // read-outs changed
    std::function<void()> surTableau;              // MAJTableauFaite := false, then MAJTableau
    std::function<void(int)> surAxeQuadrille;      // CBAxes shows this axis
    std::function<void()> surEtatBarres;           // zoom buttons and scroll bars changed

private:
    struct TTraceLive {
        bool commence = false;
        int64_t colonne = 0;  // style 0: pixel column (from xOri) being gathered
        int64_t kSuivant = 0; // its first sample that falls in the next column
        int xAnc = 0, yAnc = 0; // styles 1 and 2: last point drawn
    };
    const TCentrale* centrale_ = nullptr;
    bool vueFixe_ = false;
    std::vector<TTraceLive> traces_;
    // Where the live points go: the screen, or bmEcran during a fast frame.
    QImage* cible_ = &iEcranX;
    std::vector<QLine> lignes_; // styles 1 and 2: one block's segments, drawn at once

    void dessineColonnesAcquises(QImage& image, TTraceLive& trace, TVoieMesuree& vm, const float* v, int voie,
                                 int64_t kDebut, int64_t kFin, TColor cl);
    void dessineLignesAcquises(QImage& image, TTraceLive& trace, const float* v, int voie, int64_t kDebut,
                               int64_t kFin, TColor cl);

    void rafraichitVue();
    void dessineEcran(bool avecCourbes1);
    void copieVersBmEX();
    void dessineCurseursSelonEtat(QImage& image);
    void repeint();
    void lecturesChangees();
    void barresChangees();
    // A green cursor dragged to t (the measurements keep it).
    void placeCurseurVert(bool debut, double t);
    bool curseurSaisi(int x, int y, int c) const;
    bool niveauSaisi(int x, int y, int c) const;
    void videLecturesPointees();
};


#pragma once
// The permanent mode: the unit runs frame after frame, like an oscilloscope
// sweeping its screen, until the user stops it. A fast frame (a duration
// within the unit's persistence) is drawn off screen and shown whole; a slow
// one is drawn on the screen as it comes, an erasing front sweeping the
// previous frame away (or the screen wiped at once with the erasing option).
// Slow frames without that option keep two frames in the curve arrays, the
// current one in one half and the previous one in the other.
//
// While the mode runs a change of a setting is only recorded (by the
// panels); the current frame ends and the change is applied here, between
// two frames, never inside a block. The loop runs in the user-interface
// thread; buttons reach it only through TDrapeauxAcquisition and the
// general state.
#include "app/acquisition/BoucleAcquisition.h"

#include <cstdint>

// What the window and the screen read of the mode's progress.
struct TEtatTrames {
    bool modeDoubleTrameX = false; // the curve arrays hold two frames
    int32_t trameX = 0;            // half receiving the current frame: 0 first, 1 second
    int32_t nbTramesAcq = 0;       // complete frames since the start, counted with two frames kept
    bool DessinerLesCourbes = true; // the screen is redrawn with the curves after a change
    // Duration above which two frames are not kept, s.
    double LimDureeMDT = 10000000.0;
};

// One frame as the screen draws it.
struct TTrame {
    bool rapide = false;   // drawn off screen, shown whole
    bool efface = false;   // slow frame: the screen wiped at its first block
    int64_t pt0Trame = 0;  // index of its first point in the curve arrays
};

// What the frame loop asks of the window besides what the read loop does.
class THoteTrames : public THoteAcquisition {
public:
    // --- The settings panels ------------------------------------------
    virtual bool modePermanent() const = 0;
    // The duration is within the unit's persistence (modeBalayage 1).
    virtual bool tramesRapides() const = 0;
    virtual bool optionEffaceTrame() const = 0;
    // The pre-trigger list's index when a pre-trigger is allowed, else 0.
    virtual int32_t indexPretrig() const = 0;
    virtual bool pretrigActif() const = 0;
    // "Ajouter les courbes" checked.
    virtual bool ajouterCoche() const = 0;
    // Applies the setting change the panels recorded.
    virtual void appliqueChangement() = 0;
    virtual void setModepermanent(bool mp) = 0;

    // --- The window ---------------------------------------------------
    virtual void setModeGeneral(TModeGeneral mode) = 0;
    // The mode starts: timers stopped, "Acquisition en cours...", the
    // button reads "Arrêter", state 5, zooms back to 1 and disabled, the
    // toolbar disabled (the panels stay usable).
    virtual void debutModePermanent() = 0;
    // The mode ends: the curve records, names and messages, the window
    // given back (the caller redraws).
    virtual void SortieNormaleMP() = 0;
    // Quit asked during the mode: the window's closing, with its question.
    virtual void Quitter() = 0;

    // --- The screen ---------------------------------------------------
    virtual void setModeDessinVM() = 0;
    // Time cursors at 0 and the duration; the quadrant axes prepared.
    virtual void prepareEcranMode() = 0;
    // The screen redrawn with no frame in progress (ptFront 0).
    virtual void dessineEcranN(bool avecCourbes) = 0;
    // bmEcran0: the blank screen each frame starts from.
    virtual void prepareFondTrames() = 0;
    // Before a frame: the pre-trigger mark, the axes for the frame.
    virtual void prepareEcranTrame() = 0;
    virtual void debutTrame(const TTrame& trame) = 0;
    // A fast frame ended: each input's value box shows its point ptFront;
    // the frame's picture becomes the screen.
    virtual void finTrameRapide(int64_t ptFront) = 0;
};

class TBoucleTrames {
public:
    TBoucleTrames(TCentrale& centrale, TMesures& mesures, TDrapeauxAcquisition& drapeaux,
                  const TModeGeneral& modeGeneral, TEtatTrames& etat, bool& ajouterLesCourbesX, THoteTrames& hote);

    // Start pressed with "Mode permanent" checked: the mode, until it ends.
    void Acquisition();

    // Stop pressed while the mode runs: slow frames end now, a fast frame
    // is completed first.
    void arrete();

    // The read loop of the current frame (its empty reads are the window's
    // RetourFIFOZero).
    TBoucleAcquisition& boucle() { return boucle_; }

private:
    void trame();
    void acquisitionTrameRapide();
    void acquisitionTrameLente();
    void finTrameRapide();
    void finTrameLente();
    void appliqueSortie(TTypeSortieMP code);
    void SortieNormaleMP();
    void calculeModeDoubleTrameX();
    void ajouterSelonReglages();
    void PrepareTV2();
    bool tableauxConformes() const;
    int64_t longueurCourbes() const;
    void metAZero(int64_t debut, int64_t fin);

    TCentrale& centrale_;
    TMesures& mesures_;
    TDrapeauxAcquisition& drapeaux_;
    const TModeGeneral& modeGeneral_;
    TEtatTrames& etat_;
    bool& ajouterLesCourbesX_;
    THoteTrames& hote_;
    TBoucleAcquisition boucle_;
    bool rapide_ = false;     // the current frame is a fast one
    bool sortieFaite_ = false; // SortieNormaleMP ran
};

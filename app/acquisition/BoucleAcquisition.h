#pragma once
// The read loop of one acquisition: starts the unit, reads its FIFO block
// after block, stores and hands the new points to the window, and watches
// for a trigger that does not come or a unit that vanished. It runs in the
// user-interface thread and lets the window process its messages after every
// block; buttons and timers talk to it only through TDrapeauxAcquisition.
#include "app/acquisition/TraitementBlocs.h"
#include "app/acquisition/TypeSortieMP.h"
#include "mesures/ModeGeneral.h"

#include <string>

// Flags of the main window tested once per pass of the loop (with the
// window's general state, which the loop reads where the window keeps it).
struct TDrapeauxAcquisition {
    bool stop = false;
    bool nouveauxParametres = false;
    TTypeSortieMP typeSortieMP = TTypeSortieMP::aucune; // why the loop ended, or the pending change
    int32_t typeSortieMP1 = 0; // -1: leave the permanent mode once the fast frame in progress is complete
    long double dtAttenteX = 0; // seconds slept on empty reads since the last news
};

// What the loop asks of the window.
class THoteAcquisition {
public:
    virtual ~THoteAcquisition() = default;
    // Shows a text in the message box, painted at once.
    virtual void afficheMessage(const std::string& texte) = 0;
    // The first data of the run arrived.
    virtual void premieresDonnees() = 0;
    // New points were stored: draw them, show the live values, repaint.
    virtual void pointsRecus(const TPointsRecus& recus, int64_t ptFront) = 0;
    virtual void traiteMessages() = 0;
    // The trigger is slow to come: show the (non-modal) waiting dialog.
    virtual void afficheAttenteDeclenchement() = 0;
};

class TBoucleAcquisition {
public:
    TBoucleAcquisition(TCentrale& centrale, TMesures& mesures, TDrapeauxAcquisition& drapeaux,
                       const TModeGeneral& modeGeneral, THoteAcquisition& hote)
        : centrale_(centrale), mesures_(mesures), drapeaux_(drapeaux), modeGeneral_(modeGeneral), hote_(hote)
    {
    }

    // One single acquisition, its curves starting at `premiereCourbe`; the
    // loop runs while the general state stays `modeEnCours`.
    void acquisitionSimple(int32_t premiereCourbe, TModeGeneral modeEnCours = TModeGeneral::acquisitionEnCours);

    // The read loop of one frame of the permanent mode: point k of the frame
    // goes to index pt0Trame + k of the curves. A slow frame ends at once on
    // Stop or a pending change; a fast one (`rapide`) that has started is
    // completed after Stop or the box unchecked (typeSortieMP 14). The unit
    // is left running: the frame's end stops it.
    void acquisitionTrame(int32_t premiereCourbe, int64_t pt0Trame, bool rapide);

    // The volts of every code, once for the run (and again after a change
    // of inputs or calibres between frames).
    void prepareConversion() { traitement_.prepareConversion(centrale_); }

    // An empty read: wait a little, and check on the unit when nothing comes
    // for too long.
    void RetourFIFOZero();

    const TTraitementBlocs& traitement() const { return traitement_; }

private:
    enum class TLecture { simple, trameLente, trameRapide };
    void lit(TLecture lecture, TModeGeneral modeEnCours);
    bool continuer(TLecture lecture, TModeGeneral modeEnCours) const;
    void blocRecu(int32_t n);
    int32_t trancheSommeil() const;
    void dort();

    TCentrale& centrale_;
    TMesures& mesures_;
    TDrapeauxAcquisition& drapeaux_;
    const TModeGeneral& modeGeneral_;
    THoteAcquisition& hote_;
    TTraitementBlocs traitement_;
    TFifoSP5 FifoSP5 {};
    bool donneesCommencees_ = false;
    bool trameRapide_ = false;
};

// Words per FIFO block: about 100 ms of samples, at most a block, at least
// one sample per signal and the driver's minimum.
int32_t tailleBlocFifo(const TCentrale& centrale);

// Milliseconds from the first data to the end of the record: the part of the
// duration that follows the trigger.
int32_t intervalleFinMesures(double dureeTotale0X, int32_t idxPretrig);

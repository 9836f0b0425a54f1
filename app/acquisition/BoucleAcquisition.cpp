#include "app/acquisition/BoucleAcquisition.h"

#include "model/UniteMath.h"
#include "platform/Temps.h"

#include <algorithm>

void TBoucleAcquisition::acquisitionSimple(int32_t premiereCourbe, TModeGeneral modeEnCours)
{
    centrale_.trameTerminee = false;
    drapeaux_.stop = false;
    centrale_.attenteDeclenchement = true;
    hote_.afficheMessage(centrale_.modeDecl == kDeclImmediat ? "Acquisition en attente..."
                                                             : "Attente du déclenchement sur synchro...");
    traitement_.debut(premiereCourbe);
    traitement_.prepareConversion(centrale_);
    donneesCommencees_ = false;
    trameRapide_ = false;

    centrale_.declencheAcq();
    drapeaux_.dtAttenteX = 0;
    drapeaux_.nouveauxParametres = false;
    lit(TLecture::simple, modeEnCours);
    centrale_.arreteAcq();
}

void TBoucleAcquisition::acquisitionTrame(int32_t premiereCourbe, int64_t pt0Trame, bool rapide)
{
    centrale_.attenteDeclenchement = true;
    centrale_.trameTerminee = false;
    hote_.afficheMessage(centrale_.modeDecl == kDeclImmediat ? "Acquisition en attente..."
                                                             : "Attente du déclenchement");
    traitement_.debut(premiereCourbe, pt0Trame);
    donneesCommencees_ = false;
    trameRapide_ = rapide;
    drapeaux_.dtAttenteX = 0;
    centrale_.declencheAcq();
    drapeaux_.nouveauxParametres = false;
    lit(rapide ? TLecture::trameRapide : TLecture::trameLente, TModeGeneral::permanentEnCours);
}

void TBoucleAcquisition::lit(TLecture lecture, TModeGeneral modeEnCours)
{
    while (continuer(lecture, modeEnCours)) {
        const int32_t n = centrale_.LireFifo(&FifoSP5);
        if (!centrale_.acqPeriodiqueEnCours) {
            // Stopped from outside the loop (button, lost unit, Quit). A run the
            // user did not stop that never started or ended on its own, with
            // the unit gone, is a lost unit: the user is told.
            if (!drapeaux_.stop && centrale_.presentePendantAcq() == -1)
                drapeaux_.typeSortieMP = TTypeSortieMP::centralePerdue;
            centrale_.arreteAcq();
            return;
        }
        if (n >= 1) {
            blocRecu(n);
        } else {
            hote_.traiteMessages();
            RetourFIFOZero();
            hote_.traiteMessages();
        }
        centrale_.trameTerminee = donneesCommencees_ && traitement_.recus() > centrale_.nbPts0X - 1;
    }
}

bool TBoucleAcquisition::continuer(TLecture lecture, TModeGeneral modeEnCours) const
{
    if (centrale_.nbVoiesActivesX <= 0 || centrale_.trameTerminee)
        return false;
    const bool sansChangement = modeGeneral_ == modeEnCours && !drapeaux_.stop && !drapeaux_.nouveauxParametres;
    // A fast frame that has started is shown whole even after Stop.
    return sansChangement || (lecture == TLecture::trameRapide && donneesCommencees_ &&
                              drapeaux_.typeSortieMP == TTypeSortieMP::arretTramesRapides);
}

void TBoucleAcquisition::blocRecu(int32_t n)
{
    drapeaux_.dtAttenteX = 0;
    if (!donneesCommencees_) {
        donneesCommencees_ = true;
        centrale_.attenteDeclenchement = false;
        hote_.afficheMessage("Acquisition en cours...");
        hote_.premieresDonnees();
        centrale_.getDTPretrig();
        centrale_.acqPeriodiqueEnCours = true;
    }
    const TPointsRecus recus = traitement_.traite(centrale_, mesures_, FifoSP5, n);
    if (!recus.vide())
        hote_.pointsRecus(recus, traitement_.ptFront());
    hote_.traiteMessages();
}

void TBoucleAcquisition::RetourFIFOZero()
{
    const long double tranche = trancheSommeil() / 1000.0L;
    if (centrale_.attenteDeclenchement) {
        dort();
        drapeaux_.dtAttenteX += tranche;
        if (drapeaux_.dtAttenteX <= centrale_.tAttenteMaxDecl)
            return;
        if (centrale_.presentePendantAcq() == -1) {
            drapeaux_.nouveauxParametres = true;
            drapeaux_.typeSortieMP = TTypeSortieMP::centralePerdue;
        } else {
            centrale_.tAcqAttDecl = double(centrale_.chronometre.Mesure());
            // The stopwatch reads milliseconds, the limit is in seconds.
            if (centrale_.tAcqAttDecl >= 1000.0 * centrale_.tAttenteMaxDecl)
                hote_.afficheAttenteDeclenchement();
        }
        drapeaux_.dtAttenteX = 0;
        hote_.traiteMessages();
        return;
    }
    if (drapeaux_.dtAttenteX <= 8.0L * centrale_.tSleepFifo / 1000.0L) {
        dort();
        drapeaux_.dtAttenteX += tranche;
        return;
    }
    switch (centrale_.presentePendantAcq()) {
    case -1:
        drapeaux_.nouveauxParametres = true;
        drapeaux_.typeSortieMP = TTypeSortieMP::centralePerdue;
        break;
    case 1:
        hote_.traiteMessages();
        drapeaux_.dtAttenteX = 0;
        break;
    default:
        break; // no news: the next empty read asks again
    }
}

int32_t TBoucleAcquisition::trancheSommeil() const
{
    // The driver sets its pause when the run starts. A fast frame lasts a
    // few blocks at most: waking every millisecond shows it as soon as the
    // unit has it, instead of up to a block's time later.
    const int32_t pause = std::max(centrale_.tSleepFifo, 0);
    return trameRapide_ ? std::min(pause, 1) : pause;
}

void TBoucleAcquisition::dort()
{
    plateforme::dors(uint32_t(trancheSommeil()));
}

int32_t tailleBlocFifo(const TCentrale& centrale)
{
    const int64_t en100ms = centrale.dt0X > 0 ? arrondiEntier64(0.1L / centrale.dt0X) : kTailleFifoSP5;
    const int32_t taille = int32_t(std::min<int64_t>(en100ms, kTailleFifoSP5));
    return std::max({ taille, centrale.nbVoiesSignaux, centrale.nbPtsFifoMin });
}

int32_t intervalleFinMesures(double dureeTotale0X, int32_t idxPretrig)
{
    return arrondiEntier(dureeTotale0X * 1000.0L * (100 - 25 * idxPretrig) / 100.0L);
}

// One acquisition run: start, wait for the trigger, collect the rows around
// a threshold trigger and align them, then hand the record back in blocks of
// at most 256 words (code << 4, inputs interleaved in ascending order).
//
// The whole record is kept in RAMAcq at its own positions: idxValfront is the
// next word to write, idxValFin the next word to hand back, nbValTotalLues the
// words read. Two recovery modes (records up to tRemanence are read back at
// the end with a threshold trigger) and three trigger modes give six variants.
#include "drivers/campus/TSYSAMCAMPUS.h"

#include "drivers/campus/AlignementCampus.h"
#include "model/UniteMath.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// LireFifo goes on to the next stage within the same call.
constexpr int32_t kContinuer = INT32_MIN;
constexpr int32_t kMotsParBloc = kTailleFifoSP5;
constexpr int32_t kTailleReception = 266;
// Pause between two empty answers of the library.
constexpr uint32_t kPauseLecture = 5;
// Milliseconds without a sample after which a run asks whether the unit is
// still there. The library tells no lost unit during a run (its reads just
// give nothing): without asking, an unplugged unit would keep the run going
// until the user stops it.
constexpr uint32_t kSilenceAvantControle = 400;

} // namespace

int32_t TSYSAMCAMPUS::TailleTransfertFifo(int32_t aTaille)
{
    TailleFifo = aTaille;
    ptTableauInt.assign(kTailleReception, 0);
    return aTaille;
}

void TSYSAMCAMPUS::declencheAcq()
{
    const int32_t n = motsParRang();
    etapeAcq = modeDecl == kDeclImmediat ? 4 : 1;
    premierPassageICI = true;
    centralePerdue_ = false;
    acqPeriodiqueEnCours = true;
    // One run counts once, however often it is started or stopped.
    if (!processusCompte) {
        ++NbProcessus;
        processusCompte = true;
    }
    idxValfront = 0;
    idxValFin = 0;
    nbValTotalLues = 0;
    NBValTrame = int64_t(n) * nbPts0X;
    nbTotalValRestantes = int32_t(NBValTrame);
    nbValPretrig = nbPtsPretrig != 0 ? std::min<int64_t>(int64_t(nbPtsPretrig) * n, NBValTrame) : 0;
    nbValFifo = int32_t(std::min<int64_t>(TailleFifo, nbTotalValRestantes));
    nbValLuesFifoEnCours = 0;
    nbValpretrigALire = 0;
    nbValRestantATransmettre = int32_t(NBValTrame);
    dtPretrigConnu = false;

    const int32_t parRang = std::max(1, n);
    tSleepFifo = std::max(20, std::max(int32_t(std::trunc(NbPtsFifo * 1100.0 / parRang * dt0X)),
                                       int32_t(NbPtsFifo * 30 / 1000)) + 1);
    tSleepTrame = arrondiEntier(75.0L * n * nbPts0X / 1000.0L) + 20;

    recupCommencee = false;
    recupTerminee = false;
    // The rows kept around a threshold trigger come on top of the record.
    const size_t motsNecessaires = size_t(std::max<int64_t>(NBValTrame, int64_t(nbPts0X + psc1 + psc2) * n)) + 100;
    if (RAMAcq.size() < motsNecessaires)
        RAMAcq.resize(motsNecessaires);
    std::fill(RAMAcq.begin(), RAMAcq.end(), uint16_t { 0 });
    if (ptTableauInt.size() < size_t(kTailleReception))
        ptTableauInt.assign(kTailleReception, 0);
    t1Attente = 150;
    tAttenteMaxDecl = 1.0f;
    nbValPretrigLues = 0;

    MSGErreurAcq.clear();
    if (points.DemarreAcquisition != nullptr) {
        CampusTexte message = nullptr;
        const int32_t resultat = points.DemarreAcquisition(&message);
        MSGErreurAcq = texteCampus(message);
        if (resultat == 0)
            chronometre.Declenche();
    }
}

void TSYSAMCAMPUS::arreteAcq()
{
    MSGErreurAcq = points.StoppeAcquisition != nullptr ? texteCampus(points.StoppeAcquisition()) : std::string();
    tAcqTotal = double(chronometre.Mesure());
    tAcqRecup = tAcqTotal - tAcqAttDecl;
    tAcqAttDecl1 = tAcqAttDecl;
    tAcqTotal1 = tAcqTotal;
    tAcqRecup1 = tAcqRecup;
    if (MSGErreurAcq == "%") {
        acqPeriodiqueEnCours = false;
        if (processusCompte) {
            NbProcessus = std::max(0, NbProcessus - 1);
            processusCompte = false;
        }
    }
    plateforme::dorsEnTraitantMessages(20);
}

uint32_t TSYSAMCAMPUS::delaiLecture() const
{
    return uint32_t(t1Attente) * 10;
}

// One call of the library; the words go to RAMAcq from idxValfront on, none
// at or beyond `limiteStockage`.
int32_t TSYSAMCAMPUS::lit(int32_t nbDemandes, int64_t limiteStockage)
{
    nbDemandes = std::min<int32_t>(nbDemandes, int32_t(ptTableauInt.size()));
    if (nbDemandes <= 0 || points.LitDonneeNumerique == nullptr)
        return 0;
    nbDonneesALire = nbDemandes;
    // A library answering more than it was asked is believed only that far.
    const int32_t recus = std::clamp(points.LitDonneeNumerique(nbDemandes, ptTableauInt.data()), 0, nbDemandes);
    nbDonneesRenvoyees = recus;
    if (recus == 0)
        return 0;
    nbValLuesFifoEnCours += recus;
    nbValTotalLues += recus;
    nbTotalValRestantes -= recus;
    recupCommencee = true;
    const int64_t limite = std::min<int64_t>(limiteStockage, int64_t(RAMAcq.size()));
    for (int32_t k = 0; k < recus; ++k) {
        const int64_t position = idxValfront + k;
        if (position < limite)
            RAMAcq[size_t(position)] = uint16_t((ptTableauInt[size_t(k)] & 0xFFFF) * 16);
    }
    idxValfront += recus;
    if (nbValTotalLues >= NBValTrame)
        recupTerminee = true;
    return recus;
}

// Reads until `cible` words are in, asking at most `tailleDemande` at a time,
// within `delaiMs` from the start of this loop.
TSYSAMCAMPUS::FinLecture TSYSAMCAMPUS::litJusqua(int64_t cible, int32_t tailleDemande, uint32_t delaiMs,
                                                 int64_t limiteStockage)
{
    const uint32_t debut = plateforme::compteurTicks();
    uint32_t silence = debut;
    while (nbValTotalLues < cible) {
        const int32_t demande = int32_t(std::min<int64_t>(cible - nbValTotalLues, tailleDemande));
        if (lit(demande, limiteStockage) > 0) {
            silence = plateforme::compteurTicks();
            continue;
        }
        if (!acqPeriodiqueEnCours || !toujoursPresente(silence))
            return FinLecture::arretee;
        if (plateforme::compteurTicks() - debut >= delaiMs)
            return FinLecture::delaiDepasse;
        if (!attends(kPauseLecture))
            return FinLecture::arretee;
    }
    return FinLecture::atteinte;
}

bool TSYSAMCAMPUS::toujoursPresente(uint32_t& debutSilence)
{
    if (plateforme::compteurTicks() - debutSilence < kSilenceAvantControle)
        return true;
    debutSilence = plateforme::compteurTicks();
    if (Presente())
        return true;
    centralePerdue_ = true;
    return false;
}

int32_t TSYSAMCAMPUS::renvoie(TPtrFifoSP5 bloc, int64_t jusqua)
{
    const int64_t disponibles = std::min<int64_t>(jusqua, int64_t(RAMAcq.size())) - idxValFin;
    const int32_t nb = int32_t(std::clamp<int64_t>(disponibles, 0, kMotsParBloc));
    if (nb > 0)
        std::memcpy(bloc->data(), RAMAcq.data() + idxValFin, size_t(nb) * sizeof(uint16_t));
    idxValFin += nb;
    return nb;
}

// Stage 1: one row again and again until it comes, the user stops, or
// tAttenteMaxDecl has passed in empty answers.
int32_t TSYSAMCAMPUS::attendDeclenchement()
{
    etapeAcq = 1;
    plateforme::traiteMessages();
    const int32_t n = motsParRang();
    const int32_t depart = nbValTotalLues;
    int32_t reponsesVides = 0;
    uint32_t silence = plateforme::compteurTicks();
    while (nbValTotalLues - depart < n) {
        if (lit(n - (nbValTotalLues - depart), int64_t(RAMAcq.size())) > 0)
            continue;
        if (!acqPeriodiqueEnCours || !toujoursPresente(silence))
            return 0;
        if (reponsesVides * double(kPauseLecture) >= tAttenteMaxDecl * 1000.0)
            break;
        if (!attends(kPauseLecture))
            return 0;
        ++reponsesVides;
    }
    const bool rangRecu = nbValTotalLues - depart >= n;
    if (!rangRecu && modeDecl == kDeclSeuil)
        return kLireFifoDelaiDepasse;

    // An external trigger that did not come leaves the waiting to the reading
    // stages, which keep asking within their own time limits.
    attenteDeclenchement = false;
    acqPeriodiqueEnCours = true;
    idxValFin = depart;
    idxValfront = nbValTotalLues;
    if (modeRecuperation == 1 && modeDecl == kDeclExterne) {
        etapeAcq = 4;
        nbValRestantATransmettre = int32_t(NBValTrame);
        dtPretrig = 0.0;
        dtPretrigConnu = true;
    } else {
        etapeAcq = 2;
    }
    return rangRecu ? kContinuer : kLireFifoDelaiDepasse;
}

void TSYSAMCAMPUS::aligneSeuil()
{
    const int32_t n = motsParRang();
    const int32_t voie = voieValide(voieSynchro) ? voieSynchro : 0;
    const int32_t calibre = calibreUtilise(voie);
    const ConversionSeuil conversion { a1[voie][calibre], b1[voie][calibre] };
    const AlignementSeuil alignement = aligneDeclenchementSeuil(
        RAMAcq.data(), nbValTotalLues / n, n, voieSynchroVA, nbPtsPretrig, USeuilDecl, sensDeclSeuil, dt0X, conversion);
    const int32_t motsSupprimes = int32_t(alignement.rangsSupprimes) * n;
    if (motsSupprimes > 0) {
        std::memmove(RAMAcq.data(), RAMAcq.data() + motsSupprimes,
                     size_t(nbValTotalLues - motsSupprimes) * sizeof(uint16_t));
        nbValTotalLues -= motsSupprimes;
        idxValfront -= motsSupprimes;
    }
    idxValFin = 0;
    dtPretrig = alignement.dtPretrig;
    vPre = alignement.vPre;
    vPost = alignement.vPost;
    uPre = float(alignement.uPre);
    uPost = float(alignement.uPost);
    dtPretrigConnu = true;
}

// Stage 2 with pre-trigger: the rows before the trigger (and, with a
// threshold, the extra rows around it).
int32_t TSYSAMCAMPUS::collectePretrig()
{
    const int32_t n = motsParRang();
    if (nbValpretrigALire == 0)
        nbValpretrigALire = int32_t(std::min<int64_t>(int64_t(nbPtsPretrig + psc1 + psc2) * n,
                                                      int64_t(RAMAcq.size()) / n * n));
    const int64_t stockage = int64_t(RAMAcq.size());
    if (modeDecl == kDeclSeuil) {
        const bool court = modeRecuperation == 1;
        const int64_t cible = std::min<int64_t>(nbValpretrigALire, int64_t(nbValTotalLues) + kMotsParBloc);
        const FinLecture fin = litJusqua(cible, kMotsParBloc, delaiLecture() * (court ? 2 : 1), stockage);
        if (fin == FinLecture::arretee)
            return 0;
        if (fin == FinLecture::delaiDepasse)
            return kLireFifoDelaiDepasse;
        if (nbValTotalLues < nbValpretrigALire)
            return 0;
        aligneSeuil();
    } else {
        const FinLecture fin = litJusqua(nbValpretrigALire, kMotsParBloc, delaiLecture(), stockage);
        if (fin == FinLecture::arretee)
            return 0;
        if (fin == FinLecture::delaiDepasse)
            return kLireFifoDelaiDepasse;
        idxValFin = 0;
    }
    nbValPretrigLues = nbValTotalLues;
    // A pre-trigger of (nearly) the whole record completes it at once.
    if (nbValTotalLues >= NBValTrame) {
        nbValTotalLues = int32_t(NBValTrame);
        idxValfront = NBValTrame;
        recupTerminee = true;
    }
    idxFinPretrigRenvoi = int32_t(idxValFin);
    idxFrontPretrigRenvoi = nbValTotalLues - 1;
    nbValRestantATransmettre = int32_t(NBValTrame);
    etapeAcq = 3;
    return kContinuer;
}

// Stage 2 without pre-trigger: two rows, handed back at once.
int32_t TSYSAMCAMPUS::premiersRangs(TPtrFifoSP5 bloc)
{
    const int32_t n = motsParRang();
    const FinLecture fin = litJusqua(2 * n, n, delaiLecture(), NBValTrame);
    if (fin == FinLecture::arretee)
        return 0;
    if (fin == FinLecture::delaiDepasse)
        return kLireFifoDelaiDepasse;
    if (modeDecl == kDeclSeuil) {
        const int32_t voie = voieValide(voieSynchro) ? voieSynchro : 0;
        const int32_t calibre = calibreUtilise(voie);
        const ConversionSeuil conversion { a1[voie][calibre], b1[voie][calibre] };
        dtPretrig = dtPretrigEntre(RAMAcq[size_t(voieSynchroVA)] >> 4, RAMAcq[size_t(n + voieSynchroVA)] >> 4,
                                   USeuilDecl, dt0X, conversion);
        dtPretrigConnu = true;
    }
    idxValfront = nbValTotalLues;
    const int32_t nb = renvoie(bloc, idxValfront);
    nbValRestantATransmettre = int32_t(NBValTrame) - nb;
    etapeAcq = 4;
    return nb;
}

// Stage 4: reads up to NbPtsFifo words in this call, then hands a block back
// once a whole block waits (or the record is complete). A short record with a
// threshold trigger is only handed back once it is complete.
int32_t TSYSAMCAMPUS::lireEnFlux(TPtrFifoSP5 bloc)
{
    const int32_t tailleBloc = std::clamp(NbPtsFifo, 1, kMotsParBloc);
    FinLecture fin = FinLecture::atteinte;
    if (!enregistrementComplet()) {
        const int64_t cible = std::min<int64_t>(
            NBValTrame, int64_t(nbValTotalLues) + std::max(0, tailleBloc - nbValLuesFifoEnCours));
        fin = litJusqua(cible, kMotsParBloc, delaiLecture(), NBValTrame);
        if (fin == FinLecture::arretee)
            return 0;
    }
    const int32_t resultatVide = fin == FinLecture::delaiDepasse ? kLireFifoDelaiDepasse : 0;
    idxValfront = std::min<int64_t>(nbValTotalLues, NBValTrame);
    if (enregistrementComplet()) {
        etapeAcq = 5;
        return renvoie(bloc, NBValTrame);
    }
    if (modeRecuperation == 1 && modeDecl == kDeclSeuil)
        return resultatVide;
    if (idxValfront - idxValFin < tailleBloc)
        return resultatVide;
    return renvoie(bloc, idxValfront);
}

int32_t TSYSAMCAMPUS::LireFifo(TPtrFifoSP5 aPtrFifoSP5)
{
    if (centralePerdue_ || !acqPeriodiqueEnCours || aPtrFifoSP5 == nullptr || motsParRang() <= 0 || NBValTrame <= 0)
        return 0;
    premierPassageICI = false;
    nbValLuesFifoEnCours = 0;
    if (etapeAcq == 1) {
        const int32_t resultat = attendDeclenchement();
        if (resultat != kContinuer)
            return resultat;
    }
    if (etapeAcq == 2) {
        const int32_t resultat = nbValPretrig > 0 ? collectePretrig() : premiersRangs(aPtrFifoSP5);
        if (resultat != kContinuer)
            return resultat;
    }
    if (etapeAcq == 3) {
        if (modeRecuperation == 1 && modeDecl == kDeclSeuil) {
            etapeAcq = enregistrementComplet() ? 5 : 4;
        } else {
            const int32_t nb = renvoie(aPtrFifoSP5, nbValTotalLues);
            if (idxValFin >= nbValTotalLues) {
                etapeAcq = enregistrementComplet() ? 5 : 4;
                idxValfront = nbValTotalLues;
                nbValLuesFifoEnCours = 0;
            }
            if (nb > 0)
                return nb;
        }
    }
    if (etapeAcq == 4)
        return lireEnFlux(aPtrFifoSP5);
    if (etapeAcq == 5) {
        const int32_t nb = renvoie(aPtrFifoSP5, std::min<int64_t>(nbValTotalLues, NBValTrame));
        nbValRestantATransmettre = std::max(0, nbValRestantATransmettre - nb);
        return nb;
    }
    return 0;
}

// One acquisition run: start, wait for the trigger, read the sample words
// from the link into RAMAcq and hand them back in blocks.
//
// Stages of a run (etapeAcq): 1 waiting for the trigger, 2 aligning the
// pre-trigger rows on the threshold crossing (threshold trigger only), 3
// handing back the pre-trigger rows, 4 streaming.
#include "drivers/v6/TSYSAMV6.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr char kEchap = 27;
constexpr uint32_t kDelaiCadre = 100;
constexpr int kTentativesOctet = 100;
constexpr uint32_t kPauseOctet = 100;
constexpr uint32_t kTrancheAttente = 20;

int signe(double x)
{
    return (x > 0) - (x < 0);
}
} // namespace

int32_t TSYSAMV6::TailleTransfertFifo(int32_t aTaille)
{
    TailleFifo = aTaille;
    return TailleFifo;
}

void TSYSAMV6::declencheAcq()
{
    if (AcqEmiV6EnCours)
        arreteTout();
    const int n = std::max(1, nbVoiesSignaux);
    tSleepFifo = int32_t(double(NbPtsFifo) * 1000.0 / n * dt0X) + 1;
    tSleepTrame = int32_t(30.0 * double(nbPts0X) * nbVoiesSignaux / 1000.0) + 1;
    plateforme::dors(10);
    declencheTout();
}

void TSYSAMV6::declencheTout()
{
    if (AcqEmiV6EnCours || !CentralePretePourAcq || nbVoiesActivesX <= 0)
        return;
    const int n = nbVoiesActivesX;
    NBValTrame = int64_t(n) * (pretrigCache + nbPts0X + 1);
    // Room for the whole run and one row more, whatever the time base left.
    if (int64_t(RAMAcq.size()) < NBValTrame + n) {
        RAMAcq.assign(std::size_t(NBValTrame + n), 0);
        tailleRAMAcq = int32_t(RAMAcq.size());
    }
    idxValfront = idxValFinX = 0;
    nbValLues = 0;
    attenteDeclenchement = true;
    attentePretrigFaite = false;
    etapeAcq = 1;
    EcrireUnCaractere(uint8_t(carDecl));
    if (AttendreUnCaractereTimeOut(carDecl, kDelaiCadre)) {
        acqPeriodiqueEnCours = true;
        AcqEmiV6EnCours = true;
        chronometre.Declenche();
    }
}

void TSYSAMV6::arreteAcq()
{
    if (AcqEmiV6EnCours)
        arreteTout();
}

void TSYSAMV6::arreteTout()
{
    if (CentralePresente && (acqPeriodiqueEnCours || acqPeriodiqueContinueEnCours)) {
        EcrireUnCaractere(uint8_t(kEchap));
        AttendreUnCaractereTimeOut(kEchap, kDelaiCadre);
    }
    acqPeriodiqueEnCours = false;
    acqPeriodiqueContinueEnCours = false;
    AcqEmiV6EnCours = false;
}

int32_t TSYSAMV6::tailleBloc() const
{
    return std::clamp(NbPtsFifo, 1, kTailleFifoSP5);
}

int32_t TSYSAMV6::LireFifo(TPtrFifoSP5 aPtrFifoSP5)
{
    if (aPtrFifoSP5 == nullptr || !AcqEmiV6EnCours || arretDemande())
        return 0;
    if (attenteDeclenchement)
        return etapeAttenteDeclenchement(aPtrFifoSP5);
    switch (etapeAcq) {
    case 2:
        return etapeAlignementPretrig(aPtrFifoSP5);
    case 3:
        return etapeRenvoiPretrig(aPtrFifoSP5);
    case 4:
        return etapeFlux(aPtrFifoSP5);
    default:
        // The framing after the trigger failed: the run has nothing to give.
        return 0;
    }
}

// The unit's status text up to "@", messages processed between characters.
bool TSYSAMV6::lireTexteEtat()
{
    for (;;) {
        char c = 0;
        if (!LireUnCaractereTimeOut(c, kDelaiCadre))
            return false;
        if (c == '@')
            return true;
        plateforme::traiteMessages();
        if (arretDemande())
            return false;
    }
}

int32_t TSYSAMV6::etapeAttenteDeclenchement(TPtrFifoSP5 bloc)
{
    etapeAcq = 1;
    plateforme::traiteMessages();
    if (arretDemande())
        return 0;
    if (modeAcq == 0) {
        // Polling for the trigger: ten sample intervals per call.
        const auto delai = uint32_t(std::max<int64_t>(1, std::llrint(dt0X * 10.0 * 1000.0)));
        if (!AttendreUnCaractereTimeOut(':', delai))
            return 0;
        attenteDeclenchement = false;
        acqPeriodiqueEnCours = true;
        if (!lireTexteEtat() || !AttendreUnCaractereTimeOut('\n', kDelaiCadre)
            || !AttendreUnCaractereTimeOut('\r', kDelaiCadre))
            return 0;
        EcrireUnCaractere('D');
        if (!AttendreUnCaractereTimeOut('D', kDelaiCadre) || !AttendreUnCaractereTimeOut(':', kDelaiCadre))
            return 0;
    } else {
        if (!AttendreUnCaractereTimeOut(':', 200)) {
            plateforme::traiteMessages();
            if (arretDemande())
                return 0;
        }
        attenteDeclenchement = false;
        acqPeriodiqueEnCours = true;
        if (!lireTexteEtat() || !AttendreUnCaractereTimeOut('\n', kDelaiCadre)
            || !AttendreUnCaractereTimeOut('\r', kDelaiCadre) || !AttendreUnCaractereTimeOut(':', kDelaiCadre))
            return 0;
    }
    etapeAcq = modeDecl == 1 ? 2 : 4;
    return LireFifo(bloc);
}

// One sample word, low byte first; a byte that does not come is retried every
// 100 ms, a hundred times.
bool TSYSAMV6::lireMot(uint16_t& mot)
{
    uint8_t octets[2] = {};
    for (uint8_t& octet : octets) {
        int tentative = 0;
        while (!LireUnOctet(octet)) {
            // The retries wait for a slow unit; a device the bridge lost
            // sends nothing more.
            if (++tentative >= kTentativesOctet || pontPerdu())
                return false;
            plateforme::dorsEnTraitantMessages(kPauseOctet, kTrancheAttente);
            if (arretDemande())
                return false;
        }
    }
    mot = uint16_t(octets[0] | octets[1] << 8);
    return true;
}

// One row at idxValfront, shifted into the upper 12 bits; idxValfront and
// nbValLues move only when the row is whole.
bool TSYSAMV6::lireRangee()
{
    const int n = nbVoiesActivesX;
    if (n <= 0 || idxValfront < 0 || idxValfront + n > int64_t(RAMAcq.size()))
        return false;
    for (int k = 0; k < n; ++k) {
        uint16_t mot = 0;
        if (!lireMot(mot))
            return false;
        RAMAcq[std::size_t(idxValfront + k)] = uint16_t(mot << 4);
    }
    idxValfront += n;
    nbValLues += n;
    return true;
}

int32_t TSYSAMV6::codeSynchro(int64_t rangee) const
{
    // A trigger position left over from other inputs stays inside the row.
    const int position = voieSynchroVA >= 0 && voieSynchroVA < nbVoiesActivesX ? voieSynchroVA : 0;
    return RAMAcq[std::size_t(rangee * nbVoiesActivesX + position)] >> 4;
}

int32_t TSYSAMV6::etapeAlignementPretrig(TPtrFifoSP5 bloc)
{
    const int n = nbVoiesActivesX;
    const int64_t p = int64_t(nbPtsPretrig) + pretrigCache;
    if (!attentePretrigFaite) {
        // The unit needs this long to send the pre-trigger rows.
        const auto attente = uint32_t(std::max<int64_t>(2, std::llrint(double(p) * dt0X * 1000.0 * 1.05)));
        const uint32_t debut = plateforme::compteurTicks();
        for (;;) {
            plateforme::traiteMessages();
            if (arretDemande())
                return 0;
            const uint32_t ecoule = plateforme::compteurTicks() - debut;
            if (ecoule >= attente)
                break;
            plateforme::dors(std::min(kTrancheAttente, attente - ecoule));
            plateforme::traiteMessages();
            if (arretDemande())
                return 0;
        }
        attentePretrigFaite = true;
    }
    // Rows 0..p; a call that ran out of bytes resumes where it stopped.
    while (nbValLues < n * (p + 1))
        if (!lireRangee())
            return 0;

    // The crossing nearest to the end, in either direction. Rows are compared
    // with the threshold code the unit itself triggered on: compared in volts,
    // the code just reaching it may convert slightly below USeuilDecl and the
    // crossing the unit saw would be missed.
    const double S = USeuilDecl;
    const double seuilCode = double(VNESeuilDecl) - 0.5;
    int64_t l = -1;
    for (int64_t g = p; g >= 1; --g) {
        const int sl = signe(codeSynchro(g - 1) - seuilCode);
        const int sg = signe(codeSynchro(g) - seuilCode);
        if (sl * sg == -1) {
            l = g - 1;
            break;
        }
    }
    // No crossing, or one too near the start to become row nbPtsPretrig:
    // the rows stay where they are.
    const int64_t s = l >= nbPtsPretrig ? l - nbPtsPretrig : 0;
    if (s > 0) {
        const int64_t decalage = n * s;
        std::copy(RAMAcq.begin() + decalage, RAMAcq.begin() + idxValfront, RAMAcq.begin());
        nbValLues -= int32_t(decalage);
        idxValfront -= decalage;
    }
    idxValFinX = 0;

    // Where the threshold lies between the two rows around the trigger.
    const int64_t avant = std::min<int64_t>(nbPtsPretrig, nbValLues / n - 1);
    const int64_t apres = std::min<int64_t>(avant + 1, nbValLues / n - 1);
    const int32_t a = codeSynchro(avant);
    const int32_t b = codeSynchro(apres);
    vPre = uint16_t(a);
    vPost = uint16_t(b);
    if (a == b) {
        dtPretrig = 0;
    } else {
        uPre = float(Ux(voieSynchro, a));
        uPost = float(Ux(voieSynchro, b));
        // Two codes may give the same voltage (no calibration read: every
        // code is 0 V): no crossing to place, and no division by zero.
        const double ecart = double(uPost) - uPre;
        const double fraction = ecart != 0.0 ? (S - uPre) / ecart : 0.0;
        dtPretrig = std::isfinite(fraction) ? std::clamp(fraction * dt0X, 0.0, dt0X) : 0.0;
    }
    idxFinPretrigRenvoi = 0;
    idxFrontPretrigRenvoi = nbValLues - 1;
    etapeAcq = 3;
    return etapeRenvoiPretrig(bloc);
}

int32_t TSYSAMV6::etapeRenvoiPretrig(TPtrFifoSP5 bloc)
{
    const int32_t fin = std::min(idxFinPretrigRenvoi + tailleBloc() - 1, nbValLues - 1);
    const int32_t nombre = std::max(0, fin - idxFinPretrigRenvoi + 1);
    std::copy_n(RAMAcq.begin() + idxFinPretrigRenvoi, nombre, bloc->begin());
    idxFinPretrigRenvoi += nombre;
    if (idxFinPretrigRenvoi >= nbValLues) {
        etapeAcq = 4;
        idxValFinX = nbValLues;
    }
    return nombre;
}

int32_t TSYSAMV6::etapeFlux(TPtrFifoSP5 bloc)
{
    const int n = nbVoiesActivesX;
    const int32_t taille = tailleBloc();
    const int64_t entree = idxValfront;
    while (double(idxValfront + n) < double(entree) + 1.1 * taille && nbValLues < NBValTrame)
        if (!lireRangee())
            return 0;

    const bool complete = nbValLues >= NBValTrame;
    if (idxValFinX + taille > idxValfront && !complete)
        return 0;
    idxValfront = std::min(idxValfront, NBValTrame - 1);
    const int64_t nombre = std::clamp<int64_t>(idxValfront - idxValFinX + 1, 0, taille);
    std::copy_n(RAMAcq.begin() + idxValFinX, nombre, bloc->begin());
    idxValFinX += nombre;
    return int32_t(nombre);
}

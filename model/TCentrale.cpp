#include "model/TCentrale.h"

#include <cmath>

void TCentrale::Create(const std::string& sDLL, int32_t logiUti1)
{
    (void)sDLL;
    // Every field back to its default: applied to an existing object, Create
    // re-initialises it completely, not only its library. The handle is
    // forgotten with the fields, so the library loaded before goes first.
    libereBibliotheque();
    static_cast<TDonneesCentrale&>(*this) = TDonneesCentrale {};
    LogiUtilisateur = logiUti1;
    acquisitionUtilisateur = false;
    coPretrigCache = 0;
    chronometre = TChronometreTicks {};
    tAcqRecup = -1.0;
    CentralePCI = false;
    pretrigDispo = true;
    tAttenteMaxDecl = 31557599232.0f;
    LaCentraleGereDesCapteurs = false;
    synchroExterneDispo = false;
    detectionCapteurPdtAcqPossible = false;
    for (int sa = 0; sa < 2; ++sa) {
        uPer[sa] = std::make_shared<TuPer>();
        uSalve[sa] = std::make_shared<TuSalve>();
        uImp[sa] = std::make_shared<TuImpulsion>();
    }
    UBodeZ = std::make_shared<TuPer>();
}

void TCentrale::setDurees(double dureeTotale1, int64_t nbPts1, bool applique)
{
    if (!commenceDurees(dureeTotale1, nbPts1))
        return;
    double duree = dureeTotale1;
    double dt = dt0X;
    int64_t nbAcquis = nbPts1;
    int64_t nbAffiches = nbPts1;
    int64_t nbMax = nbPts0XMax;
    int64_t n = ndt;
    setDureesGeneriques(duree, dt, nbAcquis, nbAffiches, nbMax, n, tSkipAcq);
    if (!retientDurees(nbPts1))
        return;
    dureeTotale0X = duree;
    dt0X = dt;
    nbPts0X = nbAcquis;
    nbPtsAffX = nbAffiches;
    nbPts0XMax = nbMax;
    ndt = n;
    // Short records are read back once they are over, long ones while they run.
    modeRecuperation = tRemanence >= dureeTotale0X ? 1 : 0;
    termineDurees(applique);
}

plateforme::HandleBibliotheque TCentrale::adopteBibliotheque(plateforme::HandleBibliotheque handle)
{
    bibliotheque_.reset(handle);
    HandleDLL = reinterpret_cast<intptr_t>(handle);
    return handle;
}

void TCentrale::libereBibliotheque()
{
    bibliotheque_.reset();
    HandleDLL = 0;
}

void TCentrale::LiberationBibliotheque::operator()(void* handle) const
{
    plateforme::libereBibliotheque(handle);
}

namespace {
// The sample interval in nanoseconds: exact enough to tell two timings apart,
// immune to the last bits of a computed double.
int64_t intervalleEnNanosecondes(double dt)
{
    return std::llround(dt * 1e9);
}
} // namespace

void TCentrale::memoriseParametresTemporels()
{
    acqPerPrec.RTnbPts = nbPts0X;
    acqPerPrec.RTndt = intervalleEnNanosecondes(dt0X);
    acqPerPrec.RTmodeTe = -1; // the interval is stored in nanoseconds, not in quanta
}

bool TCentrale::memesParametresTemporels()
{
    return acqPerPrec.RTmodeTe == -1 && acqPerPrec.RTnbPts == nbPts0X && nbPts0X > 0
        && acqPerPrec.RTndt == intervalleEnNanosecondes(dt0X);
}

void libereCentrale(TCentrale*& centrale, bool libererDLL)
{
    if (centrale == nullptr)
        return;
    centrale->free(libererDLL);
    delete centrale;
    centrale = nullptr;
}

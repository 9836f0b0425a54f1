// Time base: intervals rounded by the driver and confirmed by the library,
// at most 4000 points, pre-trigger points and the extra rows kept around a
// threshold trigger.
#include "drivers/campus/TSYSAMCAMPUS.h"

#include "drivers/campus/TempsBaseCampus.h"
#include "model/UniteMath.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr int64_t kNbPtsMax = 4000;
constexpr int64_t kNbPtsMin = 11;
constexpr double kDureeIgnoree = 1e-10;
constexpr double kDureeMin = 1e-6;
constexpr double kDureeMax = 3600.0;

struct RegleTemps {
    int32_t ptDePlus = 0;
    int32_t epsNbPts = 1;
};

// A threshold trigger acquires one point more, and the interval then comes
// from (points - 1); otherwise 4000 points exactly use the whole record.
RegleTemps regleTemps(int32_t modeDecl, int64_t nbPtsAff)
{
    if (modeDecl == kDeclSeuil)
        return { 1, 1 };
    return { 0, nbPtsAff == kNbPtsMax ? 0 : 1 };
}

struct PlanPretrig {
    int64_t nbPtsAff = 0;
    int32_t nbPtsPretrig = 0;
    int32_t psc1 = 0, psc2 = 0;
};

int32_t pointsPretrig(float taux, double facteur, int64_t nbPtsAff, int32_t eps)
{
    return arrondiEntier(static_cast<long double>(taux) * facteur * (nbPtsAff - eps) / 100.0L);
}

} // namespace

double TSYSAMCAMPUS::CalibreTe1(double te)
{
    // The library is told of the interval; the driver keeps its own rounding.
    try {
        (void)calibreTeBibliotheque(te);
    } catch (const std::exception&) {
    }
    return arrondiTeCampus(te);
}

double TSYSAMCAMPUS::TeSuperieurSuivant(double te)
{
    return teSuperieurSuivantCampus(te);
}

void TSYSAMCAMPUS::determinePtDePlus(int64_t nbPtsAff)
{
    const RegleTemps regle = regleTemps(modeDecl, nbPtsAff);
    ptDePlus = regle.ptDePlus;
    epsNbPts = regle.epsNbPts;
}

// Next feasible interval up until the points fit. The library's answer is
// taken only when it really is longer, so that the loop always ends.
void TSYSAMCAMPUS::allongeIntervalle(double duree, double& dt, int64_t& nbPtsAff, int32_t eps, int32_t ptDePlus1)
{
    if (nbPtsAff + ptDePlus1 <= kNbPtsMax)
        return;
    do {
        const double suivant = TeSuperieurSuivant(dt);
        const double confirme = calibreTeBibliotheque(suivant);
        dt = std::isfinite(confirme) && confirme > dt ? confirme : suivant;
        nbPtsAff = arrondiEntier64(duree / dt) + eps;
    } while (nbPtsAff >= kNbPtsMax);
}

void TSYSAMCAMPUS::SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1)
{
    const float dt = float(CalibreTe1(dt1));
    ndt1 = std::max<int64_t>(1, arrondiEntier64(dt / tSkipAcq1));
}

void TSYSAMCAMPUS::SetNdt(double dt1)
{
    SetNdt(dt1, tSkipAcq, ndt);
}

void TSYSAMCAMPUS::DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2)
{
    (void)nbVA2;
    nbPts0XMax2 = kNbPtsMax;
}

int32_t TSYSAMCAMPUS::filtreNbPts(int32_t nbPts1)
{
    (void)nbPts1;
    return int32_t(kNbPtsMax);
}

void TSYSAMCAMPUS::determine_tSkipAcquisition()
{
    tSkipAcq = 100e-9;
    FeAcq = 1e7;
    setDurees(dureeTotale0X, nbPtsAffX, false);
    CentralePretePourAcq = false;
}

void TSYSAMCAMPUS::setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                                       int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1)
{
    if (!(dureeTotale1 >= kDureeIgnoree) || nbPts1 < kNbPtsMin)
        return;
    // Without a unit the library cannot confirm an interval: the request is
    // left as it was rather than answered with a duration that is none.
    baseDeTempsSansCentrale = !Presente();
    if (baseDeTempsSansCentrale)
        return;

    int64_t aff = std::min(nbPtsAff1, kNbPtsMax);
    const RegleTemps regle = regleTemps(modeDecl, aff);
    const double duree = std::clamp(dureeTotale1, kDureeMin, kDureeMax);
    aff = std::max(kNbPtsMin, std::min(std::max<int64_t>(aff, 1), kNbPtsMax));
    aff = std::min(aff, kNbPtsMax - regle.ptDePlus);
    double dt = CalibreTe1(duree / double(aff - regle.epsNbPts));
    aff = arrondiEntier64(duree / dt) + regle.epsNbPts;
    allongeIntervalle(duree, dt, aff, regle.epsNbPts, regle.ptDePlus);

    // The extra rows around a threshold trigger may take points off the record.
    if (modeDecl == kDeclSeuil && tauxPretrig >= 0.01f) {
        auto extra = [&](int64_t n) { return std::max(arrondiEntier64(n * double(tauxPreTrigSupp) / 100.0), int64_t(pscMin)); };
        while (aff + regle.ptDePlus + 2 * extra(aff) > kNbPtsMax)
            --aff;
    }

    nbPtsAff1 = aff;
    nbPts1 = aff + regle.ptDePlus;
    dureeTotale1 = double(aff - regle.epsNbPts) * dt;
    dt1 = dt;
    nbPts0XMax1 = kNbPtsMax;
    SetNdt(dt, tSkipAcq1, ndt1);
}

bool TSYSAMCAMPUS::commenceDurees(double dureeTotale1, int64_t nbPts1)
{
    return dureeTotale1 >= kDureeIgnoree && nbPts1 >= kNbPtsMin;
}

bool TSYSAMCAMPUS::retientDurees(int64_t nbPts1)
{
    if (baseDeTempsSansCentrale)
        return false;
    determinePtDePlus(std::min(nbPts1, kNbPtsMax));
    return true;
}

void TSYSAMCAMPUS::termineDurees(bool applique)
{
    MAJDurees(applique);
}

void TSYSAMCAMPUS::MAJDurees(bool applique)
{
    nbPtsAffX = arrondiEntier64(dureeTotale0X / dt0X + epsNbPts);
    nbPts0X = nbPtsAffX + (modeDecl == kDeclSeuil ? 1 : 0);
    dureeTotale0X = double(nbPtsAffX - epsNbPts) * dt0X;
    setPretrig(tauxPretrig, false);
    prepareTousPRX(applique);
    CentralePretePourAcq = applique;
    modeAcq = -1;
    MAJTailleRAMAcq();
}

void TSYSAMCAMPUS::MAJTailleRAMAcq()
{
    nbPts0X = nbPtsAffX + (modeDecl == kDeclSeuil ? 1 : 0);
    tailleRAMAcq = nbVoiesActivesX * int32_t(kNbPtsMax);
    RAMAcq.assign(size_t(tailleRAMAcq) + 100, 0);
    ptTableauInt.assign(size_t(tailleRAMAcq) + 100, 0);
    ptTableauInt1.assign(size_t(tailleRAMAcq) + 100, 0);
}

bool TSYSAMCAMPUS::memesParametresTemporels()
{
    return nbPts0X * ndt == acqPerPrec.RTnbPts * acqPerPrec.RTndt;
}

void TSYSAMCAMPUS::memoriseParametresTemporels()
{
    acqPerPrec.RTnbPts = nbPts0X;
    acqPerPrec.RTndt = ndt;
    acqPerPrec.RTmodeTe = 0;
}

void TSYSAMCAMPUS::setPretrig(float tauxPretrig1, bool applique)
{
    determinePtDePlus(nbPtsAffX);
    const float taux = tauxPretrig1;
    idxPretrig = -1;
    if (std::fabs(taux) < 0.5f)
        idxPretrig = 0;
    for (int32_t idx = 1; idx <= 4; ++idx)
        if (std::fabs(taux - 25.0f * idx) <= 0.005f * 25.0f * idx)
            idxPretrig = idx;
    tauxPretrig = taux;
    calculePretrig(true, applique);
}

void TSYSAMCAMPUS::setPretrig(int32_t idxPretrig1, bool applique)
{
    determinePtDePlus(nbPtsAffX);
    idxPretrig = idxPretrig1;
    tauxPretrig = 25.0f * idxPretrig1;
    calculePretrig(false, applique);
}

void TSYSAMCAMPUS::calculePretrig(bool parTaux, bool applique)
{
    if (dt0X > 0.0) {
        nbPtsAffX = arrondiEntier64(dureeTotale0X / dt0X) + epsNbPts;
        const double dtAvant = dt0X;
        allongeIntervalle(dureeTotale0X, dt0X, nbPtsAffX, epsNbPts, ptDePlus);
        if (dt0X != dtAvant)
            SetNdt(dt0X);
    }
    nbPtsPretrig = pointsPretrig(tauxPretrig, 0.99999, nbPtsAffX, epsNbPts);
    psc1 = psc2 = 0;
    if (modeDecl == kDeclSeuil && tauxPretrig >= 0.01f) {
        auto extra = [&]() { return std::max(arrondiEntier(nbPtsAffX * double(tauxPreTrigSupp) / 100.0), pscMin); };
        psc1 = psc2 = extra();
        while (nbPtsAffX + ptDePlus + psc1 + psc2 > nbPts0XMax) {
            --nbPtsAffX;
            nbPtsPretrig = pointsPretrig(tauxPretrig, 0.9999, nbPtsAffX, epsNbPts);
            psc1 = psc2 = extra();
        }
    }
    nbValPretrig = int64_t(nbPtsPretrig) * nbVoiesActivesX;
    tPretrig = float(nbPtsPretrig * dt0X);
    if (parTaux && modeDecl != kDeclSeuil)
        tPretrig = 0.0f;
    nbPts0X = nbPtsAffX + ptDePlus;
    NBValTrame = nbPts0X * nbVoiesActivesX;
    dureeTotale0X = double(nbPtsAffX - epsNbPts) * dt0X;
    aPreTrig1 = arrondiEntier((nbPtsPretrig + psc1) * 100.001L / (psc1 + nbPts0X + psc2));
    MAJTailleRAMAcq();
    termineReglage(applique);
}

void TSYSAMCAMPUS::getDTPretrig()
{
    if (modeDecl == kDeclImmediat)
        dtPretrig = 0.0;
}

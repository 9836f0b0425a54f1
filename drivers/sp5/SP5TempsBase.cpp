// The SP5's time base: how a wanted duration and point count become the
// interval, point count and duration really acquired, and the pre-trigger.
#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Nearest integer, ties to even, saturated to what an Int64 holds.
int64_t arrondi(double x)
{
    if (std::isnan(x))
        return 0;
    constexpr double limite = 9.2e18;
    return std::llrint(std::clamp(x, -limite, limite));
}

} // namespace

int32_t TSP5::nbSignauxDesEntrees() const
{
    int32_t n = 0;
    for (int i = 0; i < nbEAU; ++i) {
        if (!VoiesX[i].active)
            continue;
        if (i < nbCanauxUt || !canauxDiff[i - nbCanauxUt])
            ++n;
    }
    return n;
}

void TSP5::determine_tSkipAcquisition()
{
    tSkipAcq = sp5::kQuantumBase;
    modeTe = 0;
    for (int c = 0; c < nbCanauxUt; ++c) {
        if (VoiesX[c].active && VoiesX[c + nbCanauxUt].active && !canauxDiff[c]) {
            tSkipAcq = sp5::kQuantumLent;
            modeTe = 1;
        }
    }
    FeAcq = 1.0 / tSkipAcq;
    setDurees(dureeTotale0X, nbPtsAffX, false);
    CentralePretePourAcq = false;
}

void TSP5::SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1)
{
    ndt1 = std::max<int64_t>(arrondi(dt1 / tSkipAcq1), 1);
    // Some input combinations cannot be converted at the shortest interval.
    // The signal count is taken from the input flags as they are now: the
    // stored count is only refreshed by the register image, which runs after.
    const bool e0 = VoiesX[0].active, e1 = VoiesX[1].active, e2 = VoiesX[2].active, e3 = VoiesX[3].active;
    if (nbSignauxDesEntrees() == 4 || (!e0 && e1 && e2 && !e3) || (!e0 && e1 && !e2 && e3))
        ndt1 = std::max<int64_t>(ndt1, 2);
    else if (e0 && e1 && e2 && !e3)
        ndt1 = std::max<int64_t>(ndt1, 3);
}

void TSP5::SetNdt(double dt1)
{
    SetNdt(dt1, tSkipAcq, ndt);
}

void TSP5::DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2)
{
    (void)nbVA2;
    nbPts0XMax2 = sp5::kNbPtsMax;
}

int32_t TSP5::filtreNbPts(int32_t nbPts1)
{
    return nbPts1;
}

void TSP5::setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                               int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1)
{
    using namespace sp5;
    if (LogiUtilisateur >= 2)
        return;
    double duree = dureeTotale1;
    int64_t n = nbPtsAff1;
    if (!(duree >= kDureeIgnoree) || n < kNbPtsMin)
        return;
    duree = std::max(std::min(duree, kDureeMax), kDureeMin);
    DetermineNBPt0XMAx(nbVoiesActivesX, nbPts0XMax1);
    n = std::min<int64_t>(std::max<int64_t>(n, 1), nbPts0XMax1);
    double dt = duree / double(n - 1);
    SetNdt(dt, tSkipAcq1, ndt1);
    dt = double(ndt1) * tSkipAcq1;
    // The count that fits the rounded interval; it is not limited again to the
    // maximum, so that the duration stays what was asked.
    n = std::max<int64_t>(arrondi(duree / dt) + 1, kNbPtsMin);
    duree = double(n - 1) * dt;
    dureeTotale1 = duree;
    dt1 = dt;
    nbPtsAff1 = n;
    // The threshold trigger needs one sample after the last displayed point.
    nbPts1 = modeDecl == kDeclSeuil ? n + 1 : n;
}

bool TSP5::commenceDurees(double dureeTotale1, int64_t nbPts1)
{
    return dureeTotale1 >= sp5::kDureeIgnoree && nbPts1 >= sp5::kNbPtsMin;
}

void TSP5::termineDurees(bool applique)
{
    termineReglage(applique);
    modeAcq = -1;
}

void TSP5::setPretrig(int32_t idxPretrig1, bool applique)
{
    idxPretrig = idxPretrig1;
    tauxPretrig = 25.0f * float(idxPretrig1);
    nbPtsPretrig = int32_t(arrondi(double(tauxPretrig) * 0.9999 * double(nbPtsAffX - 1) / 100.0));
    tPretrig = float(nbPtsPretrig * dt0X);
    termineReglage(applique);
}

void TSP5::setPretrig(float tauxPretrig1, bool applique)
{
    idxPretrig = -1;
    if (std::fabs(tauxPretrig1) < 0.5f) {
        idxPretrig = 0;
    } else {
        for (int i = 1; i <= 4; ++i) {
            const float taux = 25.0f * float(i);
            if (std::fabs(tauxPretrig1 - taux) <= 0.005f * taux) {
                idxPretrig = i;
                break;
            }
        }
    }
    tauxPretrig = tauxPretrig1;
    nbPtsPretrig = int32_t(arrondi(double(tauxPretrig) * 0.9999 * double(nbPtsAffX - 1) / 100.0));
    tPretrig = float(nbPtsPretrig * dt0X);
    termineReglage(applique);
}

void TSP5::setPretrigKvSpectre(float tauxPretrig1, bool applique)
{
    setPretrig(tauxPretrig1, applique);
}

void TSP5::prepareNbPtsPretrig()
{
    if (modeDecl == kDeclSeuil || modeDecl == kDeclExterne) {
        if (tauxPretrig > 0.0f) {
            nbPtsPretrig = int32_t(arrondi(double(nbPtsAffX - 1) * double(tauxPretrig) / 100.0));
            tPretrig = float(nbPtsPretrig * dt0X);
            nbPtsPretrig += sp5::kMargePretrig;
        } else {
            nbPtsPretrig = sp5::kMargePretrig;
        }
    } else {
        nbPtsPretrig = 0;
    }
}

void TSP5::getNbPtsPretrig()
{
    if (modeDecl == kDeclSeuil || modeDecl == kDeclExterne) {
        const int64_t p = int64_t(litRegistres(sp5::kNbPtsPretrig, 3)) - sp5::kMargePretrig;
        nbPtsPretrig = int32_t(std::max<int64_t>(p, 0));
        tPretrig = float(nbPtsPretrig * dt0X);
    } else {
        nbPtsPretrig = 0;
        tPretrig = 0;
    }
}

void TSP5::memoriseParametresTemporels()
{
    acqPerPrec.RTnbPts = nbPts0X;
    acqPerPrec.RTndt = ndt;
    acqPerPrec.RTmodeTe = modeTe;
}

bool TSP5::memesParametresTemporels()
{
    auto ticks = [](int64_t points, int64_t n, int32_t mode) { return points * n * (mode == 1 ? 20 : 1); };
    return ticks(acqPerPrec.RTnbPts, acqPerPrec.RTndt, acqPerPrec.RTmodeTe) == ticks(nbPts0X, ndt, modeTe)
        && acqPerPrec.RTnbPts == nbPts0X;
}

float TSP5::tx(int32_t pt1) const
{
    return float(pt1 * dt0X);
}

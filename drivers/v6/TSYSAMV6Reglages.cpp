// Inputs, the time base of the unit's two modes, trigger and pre-trigger.
//
// Fast mode (start "F", total duration up to 0.999995 s): the interval is a
// count of 50 ns clock steps per input, at most 65536 of them. Slow mode
// (start "G"): a whole number of milliseconds, at most 65536 ms.
#include "drivers/v6/TSYSAMV6.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kDureeMaxModeRapide = 0.999995;
constexpr double kDureeMax = 36000.0;
constexpr double kDureeMinDemandee = 1e-4;
// Longest interval the period field can express.
constexpr double kPasMaxRapideParVoie = 65536 * 50e-9;
constexpr double kIntervalleMaxLent = 65.536;

bool estModeLent(double dureeTotale)
{
    return dureeTotale > kDureeMaxModeRapide;
}

double dureeBornee(double dureeTotale)
{
    return std::max(std::min(dureeTotale, kDureeMax), kDureeMinDemandee);
}

} // namespace

// Marks an input active or not, rebuilds the lists and re-applies the time
// base with `nbPts1` points.
void TSYSAMV6::changeActivationVoie(uint8_t numV, bool active, int64_t nbPts1, bool applique)
{
    if (numV >= VoiesX.size() || numV >= nbEAU)
        return;
    CentralePretePourAcq = false;
    VoiesX[numV].active = active;
    VoiesActivesX.assign(std::size_t(nbEAU) + 1, -1);
    nbVoiesActivesX = 0;
    for (int v = 0; v < nbEAU; ++v)
        if (VoiesX[v].active)
            VoiesActivesX[nbVoiesActivesX++] = v;
    VoiesActivesSignaux = VoiesActivesX;
    nbVoiesSignaux = nbVoiesActivesX;
    ccV_VoiesAAcqMod = true;
    determine_tSkipAcquisition();
    setDurees(dureeTotale0X, nbPts1, applique);
    CentralePretePourAcq = false;
    prepareTousPRX(applique);
}

void TSYSAMV6::activeVoieA(uint8_t numV, bool applique)
{
    changeActivationVoie(numV, true, nbPtsAffX, applique);
}

void TSYSAMV6::desactiveVoieA(uint8_t numV, bool applique)
{
    // The acquired count, not the displayed one: with a trigger the displayed
    // count grows by one.
    changeActivationVoie(numV, false, nbPts0X, applique);
}

void TSYSAMV6::setCal(uint8_t numV, int32_t cal1, bool applique)
{
    (void)applique;
    if (numV < 3 && numV < VoiesX.size())
        VoiesX[numV].idxCalibreEA = std::clamp(cal1, 0, 3);
}

void TSYSAMV6::prepareCalibreAdapte(int32_t voie1, float v1max)
{
    (void)v1max;
    if (voie1 >= 0 && voie1 < int(VoiesX.size()))
        VoiesX[voie1].idxCalibreEA = 0;
}

void TSYSAMV6::setModeDiff(int32_t canal1, bool mode1, bool applique)
{
    (void)mode1, (void)applique;
    if (canal1 >= 0 && canal1 < int(canauxDiff.size()))
        canauxDiff[canal1] = true;
}

bool TSYSAMV6::SelectionModeDiffPossible(uint8_t canal)
{
    (void)canal;
    return true;
}

uint8_t TSYSAMV6::Capteur(uint8_t canal)
{
    (void)canal;
    return 0;
}

void TSYSAMV6::determine_tSkipAcquisition()
{
    const int n = std::max(1, nbVoiesActivesX);
    tSkipAcq = n * 10e-6;
    tSkipSA.assign(2, tSkipAcq);
    FeAcq = 1.0 / tSkipAcq;
}

void TSYSAMV6::DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2)
{
    nbPts0XMax2 = 30000 / std::max(nbVA2, 1) + 1;
}

void TSYSAMV6::SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1)
{
    (void)tSkipAcq1;
    ndt1 = std::max<int64_t>(1, std::llrint(dt1 / tSkipAcq));
}

void TSYSAMV6::setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                                   int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1)
{
    dureeTotale1 = dureeBornee(dureeTotale1);
    DetermineNBPt0XMAx(nbVoiesActivesX, nbPts0XMax1);
    int64_t m = std::max<int64_t>(5, std::min(std::max<int64_t>(nbPtsAff1, 1), nbPts0XMax1));
    // The period field has 16 bits: an interval beyond it takes more points
    // over the same duration rather than a malformed command.
    const double intervalleMax = estModeLent(dureeTotale1)
                                     ? kIntervalleMaxLent
                                     : kPasMaxRapideParVoie * std::max(1, nbVoiesActivesX);
    if (dureeTotale1 / double(m - 1) > intervalleMax)
        m = std::max<int64_t>(m, int64_t(std::ceil(dureeTotale1 / intervalleMax - 1e-9)) + 1);
    if (!estModeLent(dureeTotale1)) {
        dt1 = std::max(tSkipAcq1, dureeTotale1 / double(m - 1));
        nbPtsAff1 = std::max<int64_t>(5, std::llrint(dureeTotale1 / dt1) + 1);
    } else {
        dt1 = dureeTotale1 / double(m - 1);
        dt1 = double(std::max<int64_t>(1, std::llrint(dt1 * 0.9995 / 0.001))) * 0.001;
        nbPtsAff1 = std::min(std::max<int64_t>(5, std::llrint(dureeTotale1 / dt1) + 1), nbPts0XMax1);
    }
    dureeTotale1 = double(nbPtsAff1 - 1) * dt1;
    nbPts1 = (modeDecl == 1 || modeDecl == 2) ? nbPtsAff1 + 1 : nbPtsAff1;
    SetNdt(dt1, tSkipAcq1, ndt1);
}

bool TSYSAMV6::commenceDurees(double dureeTotale1, int64_t nbPts1)
{
    nbVoiesActivesES = nbVoiesActivesX;
    CentralePretePourAcq = false;
    if (!(dureeTotale1 >= 1e-10) || nbPts1 < 3)
        return false;
    determine_tSkipAcquisition();
    modeAcq = estModeLent(dureeBornee(dureeTotale1)) ? 1 : 0;
    return true;
}

void TSYSAMV6::termineDurees(bool applique)
{
    setPretrig(tauxPretrig, false);
    prepareTousPRX(applique);
    tailleRAMAcq = int32_t(double(std::max(nbVoiesActivesES, 0)) * 2.7 * double(nbPts0X));
    RAMAcq.assign(std::size_t(tailleRAMAcq), 0);
}

// The V6 asks again for its acquired count, the trigger's extra point included.
void TSYSAMV6::setDurees(bool applique)
{
    setDurees(dureeTotale0X, nbPts0X, applique);
}

void TSYSAMV6::MAJCoNbPPP()
{
    coNbPPP = 10.78;
    BaseNbPtsSpectre = 4096;
}

void TSYSAMV6::setPretrigCache()
{
    pretrigCache = (modeDecl == 1 || modeDecl == 2) ? 4 : 0;
    coDecalPtsRecup = 0;
    coDecalPtsFifo = 0;
}

void TSYSAMV6::setModeDeclenchement(int32_t modeDecl1, bool applique)
{
    modeDecl = modeDecl1;
    CentralePretePourAcq = false;
    setDurees(false);
    setPretrigCache();
    prepareTousPRX(applique);
}

int32_t TSYSAMV6::setVoieSynchro(int32_t voie1, bool applique)
{
    return setVoieSynchro(voie1, 0, applique);
}

int32_t TSYSAMV6::setVoieSynchro(int32_t voie1, int32_t grPhys1, bool applique)
{
    voieSynchro = voie1;
    grPhys1 = std::clamp(grPhys1, 0, 1);
    if (nbVoiesActivesX <= 0) {
        voieSynchro = voieSynchroVA = GrPhysSynchroX = idxgrSynchro = 0;
    } else {
        int position = -1;
        for (int p = 0; p < nbVoiesActivesX && p < int(VoiesActivesX.size()); ++p)
            if (VoiesActivesX[p] == voie1)
                position = p;
        GrPhysSynchroX = grPhys1;
        if (position >= 0) {
            voieSynchroVA = position;
            idxgrSynchro = grPhys1;
            for (int p = 0; p < position; ++p)
                idxgrSynchro += VoiesX[VoiesActivesX[p]].cap.nbGrPhyX;
        } else {
            voieSynchroVA = 0;
            voieSynchro = VoiesActivesX[0];
            idxgrSynchro = 0;
        }
    }
    if (voieSynchro >= 0 && voieSynchro < int(VoiesX.size()))
        unitevSeuil = VoiesX[voieSynchro].cap.sUnite;
    if (applique || voieSynchro != -1)
        prepareTousPRX(true);
    return voieSynchro;
}

void TSYSAMV6::setSensDeclSeuil(int32_t sensDecl1, bool applique)
{
    sensDeclSeuil = sensDecl1;
    prepareTousPRX(applique);
}

void TSYSAMV6::setSeuilDecl(float ValSeuilDecl1)
{
    if (voieSynchro < 0 || voieSynchro > 2 || voieSynchro >= int(VoiesX.size()))
        return;
    if (VoiesX[voieSynchro].cap.CodeCapteur != 0)
        return;
    const float pleineEchelle = calibresEAStandard.empty() ? 25.0f : calibresEAStandard[0];
    const float v = std::clamp(ValSeuilDecl1, -0.95f * pleineEchelle, 0.95f * pleineEchelle);
    USeuilDecl = vSeuilDecl = VSeuilDeclNom = v;
    VNESeuilDecl = ValUx(voieSynchro, v);
}

void TSYSAMV6::setPretrig(int32_t idxPretrig1, bool applique)
{
    idxPretrig = idxPretrig1;
    tauxPretrig = 25.0f * float(idxPretrig1);
    nbPtsPretrig = int32_t(std::llrint(double(tauxPretrig) * 0.9999 * double(nbPtsAffX - 1) / 100.0));
    tPretrig = float(nbPtsPretrig * dt0X);
    prepareTousPRX(applique);
}

void TSYSAMV6::setPretrig(float tauxPretrig1, bool applique)
{
    idxPretrig = -1;
    tauxPretrig = tauxPretrig1;
    if (std::fabs(tauxPretrig1) < 0.5f) {
        idxPretrig = 0;
        tauxPretrig = 0;
    } else {
        for (int i = 1; i <= 4; ++i) {
            const float taux = 25.0f * float(i);
            if (std::fabs(tauxPretrig1 - taux) <= 0.005f * taux) {
                idxPretrig = i;
                tauxPretrig = taux;
            }
        }
    }
    nbPtsPretrig = int32_t(std::llrint(double(tauxPretrig) * 0.99999 * double(nbPtsAffX - 1) / 100.0));
    tPretrig = float(nbPtsPretrig * dt0X);
    prepareTousPRX(applique);
}

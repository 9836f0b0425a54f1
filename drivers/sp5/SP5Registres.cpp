// Settings of the SP5 and the register image that carries them to the unit.
#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"

#include <algorithm>
#include <cmath>

namespace {

struct RegistreImage {
    uint8_t adresse;
    uint8_t TDonneesSP5::*octet;
};

// Every register of the image, in the order the unit expects them written:
// multi-byte values from their highest byte down.
constexpr RegistreImage kOrdreEcriture[] = {
    { 0, &TDonneesSP5::PR_VoiesAA00 },
    { 3, &TDonneesSP5::PR_CalEA03 },
    { 2, &TDonneesSP5::PR_CalEA02 },
    { 1, &TDonneesSP5::PR_CalEA01 },
    { 8, &TDonneesSP5::PR_skip08 },
    { 7, &TDonneesSP5::PR_skip07 },
    { 6, &TDonneesSP5::PR_skip06 },
    { 5, &TDonneesSP5::PR_skip05 },
    { 4, &TDonneesSP5::PR_skip04 },
    { 11, &TDonneesSP5::PR_nbpts0B },
    { 10, &TDonneesSP5::PR_nbpts0A },
    { 9, &TDonneesSP5::PR_nbpts09 },
    { 12, &TDonneesSP5::PR_ModeDiff0C },
    { 29, &TDonneesSP5::PR_DeclenchementG1D },
    { 31, &TDonneesSP5::PR_SeuilTrig1F },
    { 30, &TDonneesSP5::PR_SeuilTrig1E },
    { 34, &TDonneesSP5::PR_NbPtsPreTrig22 },
    { 33, &TDonneesSP5::PR_NbPtsPreTrig21 },
    { 32, &TDonneesSP5::PR_NbPtsPreTrig20 },
    { 35, &TDonneesSP5::PR_HysteresisTrig23 },
};

uint8_t octet(uint64_t valeur, int rang)
{
    return uint8_t(valeur >> (8 * rang));
}

} // namespace

uint8_t TSP5::imageRegistre(uint8_t adr) const
{
    for (const RegistreImage& r : kOrdreEcriture)
        if (r.adresse == adr)
            return this->*r.octet;
    return 0;
}

// ---- Setters -------------------------------------------------------------

void TSP5::activeVoieA(uint8_t numV, bool applique)
{
    if (!voieValide(numV))
        return;
    VoiesX[numV].active = true;
    determine_tSkipAcquisition();
    termineReglage(applique);
}

void TSP5::desactiveVoieA(uint8_t numV, bool applique)
{
    if (!voieValide(numV))
        return;
    VoiesX[numV].active = false;
    determine_tSkipAcquisition();
    termineReglage(applique);
}

void TSP5::setModeDiff(int32_t canal1, bool mode1, bool applique)
{
    if (canal1 < 0 || canal1 >= nbCanauxUt)
        return;
    canauxDiff[canal1] = mode1;
    determine_tSkipAcquisition();
    termineReglage(applique);
}

void TSP5::setCal(uint8_t numV, int32_t cal1, bool applique)
{
    if (!voieValide(numV))
        return;
    const int32_t k = std::clamp(cal1, 0, sp5::kNbCalibres - 1);
    TVoie& voie = VoiesX[numV];
    voie.idxCalibreEA = k;
    const float calibre = sp5::kCalibres[k];
    if (voie.cap.CodeCapteur == 0)
        voie.cap.ResolutionsCapteur[0] = 2.0f * calibre / sp5::kPasCodes;
    const float nominal = sp5::kCalibres[std::clamp(voie.cap.calNominal, 0, sp5::kNbCalibres - 1)];
    voie.cap.ValMinUt = voie.cap.ValMinCapteur * calibre / nominal;
    voie.cap.ValMaxUt = voie.cap.ValMaxCapteur * calibre / nominal;
    termineReglage(applique);
}

void TSP5::prepareCalibreAdapte(int32_t voie1, float v1max)
{
    if (!voieValide(voie1))
        return;
    const TCapteur& cap = VoiesX[voie1].cap;
    const double v = (double(v1max) - cap.b[0]) / cap.a[0];
    int32_t k = 0;
    for (int32_t i = sp5::kNbCalibres - 1; i >= 1; --i) {
        if (sp5::kCalibres[i] >= v) {
            k = i;
            break;
        }
    }
    setCal(uint8_t(voie1), k, false);
}

void TSP5::setModeDeclenchement(int32_t modeDecl1, bool applique)
{
    modeDecl = modeDecl1;
    termineReglage(applique);
}

void TSP5::setSensDeclSeuil(int32_t sensDecl1, bool applique)
{
    sensDeclSeuil = sensDecl1;
    termineReglage(applique);
}

void TSP5::setSensDeclEchelon(int32_t sensDecl1, bool applique)
{
    sensDeclEchelon = sensDecl1;
    termineReglage(applique);
}

int32_t TSP5::setVoieSynchro(int32_t voie1, bool applique)
{
    voieSynchro = voie1;
    if (nbVoiesSignaux < 1) {
        voieSynchro = 0;
        voieSynchroVA = 0;
        CentralePretePourAcq = false;
        return 0;
    }
    // On a differential channel the second input carries no signal of its own:
    // the trigger watches the channel's signal, on its first input.
    if (voie1 >= nbCanauxUt && voie1 < nbEAU && VoiesX[voie1 - nbCanauxUt].active
        && canauxDiff[voie1 - nbCanauxUt])
        voieSynchro = voie1 - nbCanauxUt;
    const auto debut = VoiesActivesSignaux.begin();
    const auto fin = debut + nbVoiesSignaux;
    const auto trouvee = std::find(debut, fin, voieSynchro);
    if (trouvee != fin) {
        voieSynchroVA = int32_t(trouvee - debut);
    } else {
        voieSynchroVA = 0;
        voieSynchro = VoiesActivesSignaux[0];
    }
    if (voieSynchro == -1) {
        CentralePretePourAcq = false;
        return voieSynchro;
    }
    unitevSeuil = VoiesX[voieSynchro].cap.sUnite;
    termineReglage(applique);
    return voieSynchro;
}

void TSP5::setSeuilDecl(float ValSeuilDecl1)
{
    const int32_t voie = voieValide(voieSynchro) ? voieSynchro : 0;
    const float limite = 0.9f * sp5::kCalibres[calibreUtilise(voie)];
    USeuilDecl = std::clamp(ValSeuilDecl1, -limite, limite);
}

float TSP5::filtreUSeuilAuto()
{
    return 0.05f;
}

// ---- Register image --------------------------------------------------------

void TSP5::prepareListesVoies()
{
    nbVoiesActivesX = 0;
    nbVoiesSignaux = 0;
    std::fill(VoiesActivesX.begin(), VoiesActivesX.end(), -1);
    std::fill(VoiesActivesSignaux.begin(), VoiesActivesSignaux.end(), -1);
    PR_VoiesAA00 = 0;
    for (int i = 0; i < nbEAU; ++i) {
        if (!VoiesX[i].active)
            continue;
        VoiesActivesX[nbVoiesActivesX++] = i;
        if (i < nbCanauxUt || !canauxDiff[i - nbCanauxUt]) {
            PR_VoiesAA00 |= uint8_t(1u << i);
            VoiesActivesSignaux[nbVoiesSignaux++] = i;
        }
    }
}

void TSP5::prepareMotsTransfert()
{
    const int64_t signaux = std::max(nbVoiesSignaux, 1);
    const int64_t bloc = std::max(NbPtsFifo, 1);
    int64_t mots = signaux * nbPts0X;
    if (mots % bloc != 0) {
        mots = (mots / bloc + 1) * bloc;
        nbPtsR = int32_t(mots / signaux + 1);
    } else {
        nbPtsR = int32_t(mots / signaux);
    }
    nbValTVx = int32_t(mots);
}

void TSP5::prepareGains()
{
    uint32_t gains = 0;
    for (int i = 0; i < nbEAU; ++i) {
        int32_t voieCalibre = -1;
        if (i < nbCanauxUt) {
            if (VoiesX[i].active)
                voieCalibre = i;
        } else if (canauxDiff[i - nbCanauxUt]) {
            // The second input of a differential channel amplifies like the first.
            voieCalibre = i - nbCanauxUt;
        } else if (VoiesX[i].active) {
            voieCalibre = i;
        }
        if (voieCalibre >= 0)
            gains += sp5::kCodesGain[calibreUtilise(voieCalibre)] * uint32_t(cGainX[i]);
    }
    PR_CalEA01 = octet(gains, 0);
    PR_CalEA02 = octet(gains, 1);
    PR_CalEA03 = octet(gains, 2);

    PR_ModeDiff0C = 0;
    for (int c = 0; c < nbCanauxUt; ++c)
        if (canauxDiff[c])
            PR_ModeDiff0C |= uint8_t(1u << c);
}

void TSP5::prepareIntervalle()
{
    const double ticks = std::nearbyint(dt0X / sp5::kQuantumBase);
    const uint64_t s = ticks >= 1.0 && ticks < 1.1e12 ? uint64_t(ticks) - 1 : 0;
    PR_skip04 = octet(s, 0);
    PR_skip05 = octet(s, 1);
    PR_skip06 = octet(s, 2);
    PR_skip07 = octet(s, 3);
    PR_skip08 = octet(s, 4);

    PR_nbpts09 = octet(uint32_t(nbPtsR), 0);
    PR_nbpts0A = octet(uint32_t(nbPtsR), 1);
    PR_nbpts0B = octet(uint32_t(nbPtsR), 2);
}

void TSP5::prepareDeclenchement()
{
    using namespace sp5;
    uint8_t declenchement = 0;
    if (modeDecl == kDeclSeuil) {
        declenchement = kDeclSeuilBit | uint8_t((voieSynchro & 0x07) << kDecalageVoieSynchro);
        if (sensDeclSeuil == 0)
            declenchement |= kDeclMontantBit;
    } else if (modeDecl == kDeclExterne) {
        declenchement = kDeclExterneBit;
        if (sensDeclEchelon == 0)
            declenchement |= kDeclMontantBit;
    }
    PR_DeclenchementG1D = declenchement;

    const uint32_t seuil = modeDecl == kDeclSeuil ? uint32_t(ValUx(voieSynchro, USeuilDecl)) : 0;
    PR_SeuilTrig1E = octet(seuil, 0);
    PR_SeuilTrig1F = octet(seuil, 1);

    prepareNbPtsPretrig();
    const uint32_t pretrig = uint32_t(std::max(nbPtsPretrig, 0));
    PR_NbPtsPreTrig20 = octet(pretrig, 0);
    PR_NbPtsPreTrig21 = octet(pretrig, 1);
    PR_NbPtsPreTrig22 = octet(pretrig, 2);

    PR_HysteresisTrig23 = modeDecl == kDeclSeuil ? uint8_t(ValUx(voieSynchro, 0.025f) / 256) : 0;
}

void TSP5::prepareTousPRX(bool applique)
{
    prepareListesVoies();
    if (nbVoiesActivesX == 0)
        return;
    prepareMotsTransfert();
    prepareGains();
    prepareIntervalle();
    prepareDeclenchement();
    PrepareIdxTraitGV();
    if (applique) {
        CentralePretePourAcq = false;
        prepareInterfacePourAcq(false);
    }
}

bool TSP5::prepareInterfacePourAcq(bool forceV6)
{
    (void)forceV6;
    if (CentralePretePourAcq)
        return true;
    for (const RegistreImage& r : kOrdreEcriture)
        SetRegistre(r.adresse, this->*r.octet);
    CentralePretePourAcq = true;
    return true;
}

void TSP5::PrepareIdxTraitGV()
{
    // The unit converts the first input of each channel that has one, then
    // the second inputs left over.
    std::array<bool, sp5::kNbEntrees> candidate {};
    for (int i = 0; i < nbEAU; ++i)
        candidate[i] = VoiesX[i].active && (i < nbCanauxUt || !canauxDiff[i - nbCanauxUt]);

    std::array<int32_t, sp5::kNbEntrees> ordre {};
    int n = 0;
    for (int c = 0; c < nbCanauxUt; ++c) {
        const int prise = candidate[c] ? c : (candidate[c + nbCanauxUt] ? c + nbCanauxUt : -1);
        if (prise >= 0) {
            ordre[n++] = prise;
            candidate[prise] = false;
        }
    }
    for (int c = 0; c < nbCanauxUt; ++c)
        if (candidate[c + nbCanauxUt])
            ordre[n++] = c + nbCanauxUt;

    sOrdreTraitt.clear();
    for (int k = 0; k < n; ++k)
        sOrdreTraitt += char('0' + ordre[k]);
    idxTraitGV.assign(std::size_t(nbEAU), 0);
    for (int j = 0; j < nbVoiesSignaux; ++j) {
        const auto position = std::find(ordre.begin(), ordre.begin() + n, VoiesActivesSignaux[j]);
        idxTraitGV[j] = int32_t(position - ordre.begin());
    }
}

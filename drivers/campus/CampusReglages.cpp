// Inputs, trigger settings, and the settings handed to the library's
// PrepareAcquisition; live reading of the inputs.
#include "drivers/campus/TSYSAMCAMPUS.h"

#include "model/UniteMath.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <algorithm>

void TSYSAMCAMPUS::termineReglage(bool applique)
{
    prepareTousPRX(applique);
    CentralePretePourAcq = applique;
}

void TSYSAMCAMPUS::activeVoieA(uint8_t numV, bool applique)
{
    if (!voieValide(numV))
        return;
    TCentrale::activeVoieA(numV, applique);
    VoiesX[numV].active = true;
    commandeLed(numV, LED_ROUGE);
    determine_tSkipAcquisition();
    setVoieCanal(numV, uint8_t(VoiesDesCanaux[numV].empty() ? 0 : VoiesDesCanaux[numV][0]), false);
    setCal(numV, VoiesX[numV].idxCalibreUt, false);
    prepareTousPRX(applique);
}

void TSYSAMCAMPUS::desactiveVoieA(uint8_t numV, bool applique)
{
    if (!voieValide(numV))
        return;
    TCentrale::desactiveVoieA(numV, applique);
    VoiesX[numV].active = false;
    nbVoiesActivesX = int32_t(std::count_if(VoiesX.begin(), VoiesX.end(), [](const TVoie& v) { return v.active; }));
    commandeLed(numV, LED_BLEU);
    termineReglage(applique);
}

void TSYSAMCAMPUS::setVoieCanal(uint8_t canal1, uint8_t voieCanal1, bool applique)
{
    if (!voieValide(canal1))
        return;
    VoiesDesCanaux[canal1].assign(1, voieCanal1);
    VoiesRDesCanaux[canal1].assign(1, canal1);
    TVoie& voie = VoiesX[canal1];
    voie.idxCalibreUt = voie.idxCalibreEA;
    voie.calibreR = voie.calsVoieR[calibreUtilise(canal1)];
    if (applique)
        prepareTousPRX(true);
}

void TSYSAMCAMPUS::prepareCalibreAdapte(int32_t voie1, float v1max)
{
    if (!voieValide(voie1))
        return;
    const TCapteur& cap = VoiesX[voie1].cap;
    const double necessaire = (v1max - cap.b[0]) / cap.a[0] * 1.01;
    int32_t calibre = 0;
    for (int32_t c : { 3, 2, 1 })
        if (VoiesX[voie1].calsVoieR[c] >= necessaire) {
            calibre = c;
            break;
        }
    setCal(uint8_t(voie1), calibre, false);
}

void TSYSAMCAMPUS::setModeDeclenchement(int32_t modeDecl1, bool applique)
{
    modeDecl = modeDecl1;
    setDurees(false);
    MAJTailleRAMAcq();
    termineReglage(applique);
}

int32_t TSYSAMCAMPUS::setVoieSynchro(int32_t voie1, bool applique)
{
    voieSynchro = voie1;
    voieSynchroVA = 0;
    int32_t premiere = -1;
    int32_t position = -1;
    int32_t rang = 0;
    for (int32_t k = 0; k < nbEAU; ++k) {
        if (!VoiesX[k].active)
            continue;
        if (premiere < 0)
            premiere = k;
        if (k == voie1)
            position = rang;
        ++rang;
    }
    if (premiere < 0) {
        voieSynchro = 0;
    } else if (position >= 0) {
        voieSynchroVA = position;
    } else {
        voieSynchro = premiere;
    }
    unitevSeuil = VoiesX[voieSynchro].cap.sUnite;
    termineReglage(applique);
    return voieSynchro;
}

void TSYSAMCAMPUS::setSensDeclSeuil(int32_t sensDecl1, bool applique)
{
    sensDeclSeuil = sensDecl1;
    termineReglage(applique);
}

void TSYSAMCAMPUS::setSensDeclEchelon(int32_t sensDecl1, bool applique)
{
    sensDeclEchelon = sensDecl1;
    termineReglage(applique);
}

void TSYSAMCAMPUS::setSeuilDecl(float ValSeuilDecl1)
{
    const int32_t voie = voieValide(voieSynchro) ? voieSynchro : 0;
    const float limite = 0.9f * VoiesX[voie].calibreR;
    USeuilDecl = std::clamp(ValSeuilDecl1, -limite, limite);
    vSeuilDecl = float(VoiesX[voie].cap.a[0] * USeuilDecl + VoiesX[voie].cap.b[0]);
}

float TSYSAMCAMPUS::filtreUSeuilAuto()
{
    return 0.15f;
}

void TSYSAMCAMPUS::prepareTousPRX(bool applique)
{
    VoiesActivesX.assign(nbEAU + 1, -1);
    nbVoiesActivesX = 0;
    for (int32_t k = 0; k < nbEAU; ++k)
        if (VoiesX[k].active)
            VoiesActivesX[nbVoiesActivesX++] = k;
    nbVoiesSignaux = nbVoiesActivesX;
    if (nbVoiesActivesX == 0) {
        VoiesActivesSignaux.assign(nbEAU + 1, -1);
        return;
    }
    VoiesActivesSignaux = VoiesActivesX;
    PrepareIdxTraitGV();

    const int64_t parRang = std::max(1, nbVoiesSignaux);
    const int64_t mots = parRang * nbPts0X;
    const int64_t bloc = std::max(1, NbPtsFifo);
    const int64_t arrondi = (mots + bloc - 1) / bloc * bloc;
    nbValTVx = int32_t(arrondi);
    nbPtsR = int32_t(arrondi / parRang + (arrondi != mots ? 1 : 0));

    aTabOrdreVoies1.fill(-1);
    for (int32_t k = 0; k < nbEAU && k < 4; ++k)
        if (VoiesX[k].active)
            aTabOrdreVoies1[k] = k;
    aTe1 = dt0X;
    aNombreDePoint1 = int32_t(nbPts0X + psc1 + psc2);
    switch (modeDecl) {
    case kDeclSeuil:
        aSourceTrigger1 = _SOURCE_EA1 + std::clamp(voieSynchro, 0, 3);
        asensDeclenchement1 = sensDeclSeuil == 0 ? _MONTANT : _DESCENDANT;
        break;
    case kDeclExterne:
        aSourceTrigger1 = _SOURCE_EXTERNE;
        break;
    default:
        aSourceTrigger1 = _SOURCE_AUCUNE;
        break;
    }
    aSeuil1 = USeuilDecl;
    aPreTrig1 = arrondiEntier((nbPtsPretrig + psc1) * 100.001L / (nbPts0X + psc1 + psc2));
    aModePermanent1 = false;
    if (applique) {
        CentralePretePourAcq = false;
        prepareInterfacePourAcq(false);
    }
}

bool TSYSAMCAMPUS::prepareInterfacePourAcq(bool forceV6)
{
    (void)forceV6;
    if (CentralePretePourAcq)
        return true;
    CentralePretePourAcq = true;
    if (points.PrepareAcquisition != nullptr) {
        // The library writes back the interval and point count it will use;
        // the driver keeps its own.
        double te = aTe1;
        int32_t nbPoints = aNombreDePoint1;
        CampusTexte message = nullptr;
        points.PrepareAcquisition(aTabOrdreVoies1.data(), &te, &nbPoints, aSourceTrigger1,
                                  asensDeclenchement1, aSeuil1, aPreTrig1, aModePermanent1, &message);
        aStrMessageErreur1 = texteCampus(message);
    }
    plateforme::dorsEnTraitantMessages(20);
    return true;
}

// A code the converter cannot give (the library answers -1 without a unit)
// ends the reading like a failure would.
void TSYSAMCAMPUS::MesureDirecte()
{
    if (points.LitValeurVoie == nullptr)
        return;
    for (int32_t j = 0; j < nbVoiesActivesX && j < int32_t(VoiesActivesX.size()); ++j) {
        const int32_t k = VoiesActivesX[j];
        if (!voieValide(k))
            break;
        const int32_t code = points.LitValeurVoie(k);
        if (code < 0 || code > 4095)
            break;
        VoiesX[k].mesDir = uint16_t(code);
        VoiesX[k].mesDirR = float(Ux(k, code));
    }
}

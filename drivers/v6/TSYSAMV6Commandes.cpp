// The five settings commands: built from the settings, compared with the text
// the unit last received, and sent in the order "V", "P", "N", "E", "O".
#include "drivers/v6/CommandesV6.h"
#include "drivers/v6/TSYSAMV6.h"

#include <algorithm>
#include <cmath>

void TSYSAMV6::prendCommande(std::string& cache, bool& modifiee, const std::string& texte)
{
    if (texte != cache) {
        cache = texte;
        modifiee = true;
    }
}

void TSYSAMV6::prepareVAAQ()
{
    prendCommande(ccV_VoiesAAcq, ccV_VoiesAAcqMod,
                  commandeVoiesV6(acquisitionUtilisateur, VoiesActivesX, nbVoiesActivesX));
}

void TSYSAMV6::prepareTousPRX(bool applique)
{
    const bool modeLent = modeAcq == 1;
    carDecl = modeLent ? 'G' : 'F';
    prendCommande(ccP_TempsEch, ccP_TempsEchMod,
                  commandePeriodeV6(valeurPeriodeV6(modeLent, dt0X, nbVoiesActivesES)));
    prepareVAAQ();
    prendCommande(ccN_NbPoints, ccN_NbPointsMod, commandePointsV6(nbPts0X, pretrigCache));

    const double points = double(tauxPretrig) / 100.0 * double(nbPts0X - 1);
    bool montant = sensDeclSeuil == 0;
    const bool sensInverse = voieSynchro >= 0 && voieSynchro < int(VoiesX.size())
                             && VoiesX[voieSynchro].sensConv == -1;
    if (GrPhysSynchroX == 1 && sensInverse)
        montant = !montant;
    switch (modeDecl) {
    case 1:
        nbPtsPretrig = int32_t(std::llrint(points));
        break;
    case 2:
        nbPtsPretrig = std::max<int32_t>(1, int32_t(std::llrint(points)));
        break;
    default:
        nbPtsPretrig = 0;
        break;
    }
    const int32_t codeSeuil = CentralePresente ? VNESeuilDecl : 0x8000;
    prendCommande(ccE_Synchro, ccE_SynchroMod, commandeDeclenchementV6(modeDecl, montant, codeSeuil, voieSynchro));
    prendCommande(ccO_Pretrig, ccO_PretrigMod, commandePretrigV6(nbPtsPretrig, pretrigCache));
    ccO_PretrigMod = true;

    const int32_t nbVoies = std::max(1, nbVoiesActivesX);
    const int64_t mots = int64_t(nbVoies) * nbPts0X;
    const int64_t bloc = std::max(1, NbPtsFifo);
    if (mots % bloc != 0) {
        nbValTVx = int32_t((mots / bloc + 1) * bloc);
        nbPtsR = nbValTVx / nbVoies + 1;
    } else {
        nbValTVx = int32_t(mots);
        nbPtsR = int32_t(mots / nbVoies);
    }
    VoiesActivesSignaux = VoiesActivesX;
    PrepareIdxTraitGV();
    if (applique) {
        prepareInterfacePourAcq(true);
        CentralePretePourAcq = true;
    }
}

bool TSYSAMV6::envoieSiModifiee(const std::string& texte, bool& modifiee, bool reponseExigee)
{
    if (!modifiee)
        return true;
    const std::string reponse = Send_V6(texte);
    if (reponseExigee && reponse.empty())
        return false;
    modifiee = false;
    return true;
}

bool TSYSAMV6::prepareInterfacePourAcq(bool forceV6)
{
    if (forceV6) {
        ccP_TempsEchMod = ccV_VoiesAAcqMod = ccA_VoieMod = true;
        ccN_NbPointsMod = ccE_SynchroMod = ccO_PretrigMod = true;
    }
    if (!envoieSiModifiee(ccV_VoiesAAcq, ccV_VoiesAAcqMod, true)
        || !envoieSiModifiee(ccP_TempsEch, ccP_TempsEchMod, true)
        || !envoieSiModifiee(ccN_NbPoints, ccN_NbPointsMod, true)
        || !envoieSiModifiee(ccE_Synchro, ccE_SynchroMod, false)
        || !envoieSiModifiee(ccO_Pretrig, ccO_PretrigMod, true))
        return false;
    CentralePretePourAcq = true;
    return true;
}

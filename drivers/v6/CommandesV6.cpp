#include "drivers/v6/CommandesV6.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

std::string hexaV6(int64_t valeur, int chiffresMin)
{
    char texte[32];
    std::snprintf(texte, sizeof texte, "%0*llX", chiffresMin, static_cast<unsigned long long>(std::max<int64_t>(valeur, 0)));
    return texte;
}

int64_t valeurPeriodeV6(bool modeLent, double dt0X, int32_t nbVoiesES)
{
    if (modeLent)
        return std::llrint((dt0X * 1'000'000.0 - 1000.0) / 1000.0);
    return std::llrint(65536.0 - dt0X / std::max(1, nbVoiesES) * 20'000'000.0);
}

std::string commandePeriodeV6(int64_t valeur)
{
    return "P" + hexaV6(std::clamp<int64_t>(valeur, 0, 0xFFFF), 4);
}

std::string commandeVoiesV6(bool acquisitionUtilisateur, const TArrayOfInteger& voiesActives, int32_t nbVoiesActives)
{
    std::string texte = "V0F0F0F0F0F";
    if (!acquisitionUtilisateur || nbVoiesActives <= 0)
        return texte;
    for (int champ = 0; champ < 4; ++champ) {
        const bool presente = champ < nbVoiesActives && champ < int(voiesActives.size()) && voiesActives[champ] >= 0
                              && voiesActives[champ] < 8;
        texte[2 + 2 * champ] = presente ? kEntreesPhysiquesV6[voiesActives[champ]] : 'F';
    }
    return texte;
}

std::string commandePointsV6(int64_t nbPts0X, int32_t pretrigCache)
{
    return "N" + hexaV6(nbPts0X + pretrigCache + 10, 4);
}

std::string commandeDeclenchementV6(int32_t modeDecl, bool montant, int32_t codeSeuil, int32_t voieSynchro)
{
    switch (modeDecl) {
    case 1: {
        std::string texte = "E0000000";
        texte[1] = montant ? '2' : '3';
        texte[3] = '2';
        texte.replace(4, 3, hexaV6(codeSeuil, 3).substr(0, 3));
        texte[7] = kEntreesPhysiquesV6[std::clamp(voieSynchro, 0, 7)];
        return texte;
    }
    case 2:
        return "E1020000";
    default:
        return "E0000000";
    }
}

std::string commandePretrigV6(int32_t nbPtsPretrig, int32_t pretrigCache)
{
    return "O" + hexaV6(std::max(0, nbPtsPretrig + pretrigCache), 4);
}

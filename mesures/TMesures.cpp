#include "mesures/TMesures.h"

#include <algorithm>

void TMesures::PrepareTV2(int32_t nbSignaux, int64_t nbPts, bool ajouter, bool modeDoubleTrame)
{
    if (!ajouter)
        nbVoiesMesurees = 0;
    const std::size_t premiere = std::size_t(std::max(nbVoiesMesurees, 0));
    const std::size_t total = premiere + std::size_t(std::max(nbSignaux, 0));
    const std::size_t points = std::size_t(std::max<int64_t>(nbPts, 0)) * (modeDoubleTrame ? 2 : 1);
    tv2.resize(total);
    voiesMesurees.resize(total);
    for (std::size_t c = premiere; c < total; ++c) {
        tv2[c].assign(points, 0.0f);
        voiesMesurees[c] = TVoieMesuree {};
    }
    modifie();
}

void TMesures::suitBaseDeTemps(const TBaseDeTemps& base)
{
    dtAX = base.dt;
    nbPtsAX = base.nbPts;
    nbPtsAffAX = base.nbPtsAff;
    dureeTotaleAX = base.duree;
    modifie();
}

int32_t TMesures::finAcquisition(const TBaseDeTemps& base, const std::vector<TDescriptionCourbe>& courbes,
                                 bool ajouter, bool uniteParExtremes)
{
    suitBaseDeTemps(base);
    const std::size_t premiere = std::size_t(std::max(nbVoiesMesurees, 0));
    std::size_t total = premiere;
    for (std::size_t i = 0; i < courbes.size() && premiere + i < voiesMesurees.size(); ++i) {
        const TDescriptionCourbe& d = courbes[i];
        TVoieMesuree& vm = voiesMesurees[premiere + i];
        vm.sEnteteVM = d.sEnteteVM;
        vm.ModeDiffVM = d.ModeDiffVM;
        vm.capCommRegvoie1VM = d.capCommRegvoie1VM;
        vm.capCommRegvoie2VM = d.capCommRegvoie2VM;
        vm.calVM = d.calVM;
        vm.echVM = d.echVM;
        vm.clVM = d.clVM;
        const TUniteCourbe unite = uniteParExtremes ? uniteDeCourbeExtremes(vm.max, vm.min) : uniteDeCourbe(vm.max);
        vm.multVM = unite.multVM;
        vm.sUniteVM = unite.sUniteVM;
        total = premiere + i + 1;
    }

    // Letters tell apart the runs of the same input.
    if (!ajouter)
        nommage.vide();
    std::vector<std::string> noms;
    noms.reserve(voiesMesurees.size());
    for (const TVoieMesuree& vm : voiesMesurees)
        noms.push_back(vm.sEnteteVM);
    for (std::size_t indice = premiere; indice < total; ++indice)
        nommage.nomme(noms, int32_t(indice));
    for (std::size_t k = 0; k < noms.size(); ++k)
        voiesMesurees[k].sEnteteVM = noms[k];
    nbVoiesMesurees = int32_t(total);
    modifie();
    return nbVoiesMesurees;
}

void TMesures::supprimeSerie(int32_t i)
{
    if (i < 0 || i >= nbVoiesMesurees)
        return;
    tv2.erase(tv2.begin() + i);
    voiesMesurees.erase(voiesMesurees.begin() + i);
    --nbVoiesMesurees;
    tv2.resize(std::size_t(nbVoiesMesurees));
    voiesMesurees.resize(std::size_t(nbVoiesMesurees));
    MAJEntetesVM();
    if (nbVoiesMesurees == 0)
        nbPtsAX = 0;
    modifie();
}

void TMesures::MAJEntetesVM()
{
    std::vector<std::string> noms;
    const std::size_t n = std::min(std::size_t(std::max(nbVoiesMesurees, 0)), voiesMesurees.size());
    noms.reserve(n);
    for (std::size_t k = 0; k < n; ++k)
        noms.push_back(voiesMesurees[k].sEnteteVM);
    nommage.renomme(noms);
    for (std::size_t k = 0; k < n; ++k)
        voiesMesurees[k].sEnteteVM = noms[k];
    modifie();
}

void TMesures::curseursAuxBornes(double dureeTotale0X)
{
    t0 = 0;
    tFin = dureeTotale0X;
    modifie();
}

void TMesures::videPourNouvelleExperience(double dureeTotale0X)
{
    nbVoiesMesurees = 0;
    nommage.vide();
    curseursAuxBornes(dureeTotale0X);
}

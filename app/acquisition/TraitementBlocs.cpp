#include "app/acquisition/TraitementBlocs.h"

#include <algorithm>

void TTraitementBlocs::debut(int32_t premiereCourbe, int64_t pt0Trame)
{
    reportes_ = 0;
    faits_ = 0;
    ptFront_ = 0;
    premiereCourbe_ = premiereCourbe;
    pt0Trame_ = pt0Trame;
}

TPointsRecus TTraitementBlocs::traite(TCentrale& centrale, TMesures& mesures, const TFifoSP5& bloc, int32_t n)
{
    TPointsRecus recus;
    const int32_t nbSignaux = centrale.nbVoiesSignaux;
    if (nbSignaux <= 0 || n <= 0)
        return recus;
    n = std::min<int32_t>(n, kTailleFifoSP5);
    for (int32_t j = 0; j < n; ++j)
        travail_[std::size_t(reportes_ + j)] = uint16_t(bloc[std::size_t(j)] >> 4);
    const int32_t total = reportes_ + n;
    const int32_t groupes = total / nbSignaux;
    stocke(centrale, mesures, groupes, recus);
    // The samples of the unfinished frame go to the front for the next block.
    reportes_ = total % nbSignaux;
    std::copy_n(travail_.begin() + groupes * nbSignaux, reportes_, travail_.begin());
    faits_ += groupes;
    return recus;
}

void TTraitementBlocs::stocke(TCentrale& centrale, TMesures& mesures, int32_t groupes, TPointsRecus& recus)
{
    const int32_t nbSignaux = centrale.nbVoiesSignaux;
    const int64_t dernier = std::min<int64_t>(faits_ + groupes - 1, centrale.nbPts0X - 1);
    if (dernier < faits_)
        return;
    ptFront_ = dernier;
    const bool seuil = centrale.modeDecl == kDeclSeuil;
    // The threshold trigger falls dtPretrig after a raw sample: point k - 1
    // is the value at that instant, between raw samples k - 1 and k.
    const double fraction = centrale.dt0X > 0 ? centrale.dtPretrig / centrale.dt0X : 0.0;
    recus.premier = seuil ? std::max<int64_t>(faits_ - 1, 0) : faits_;
    recus.dernier = seuil ? std::max<int64_t>(dernier - 1, 0) : dernier;
    for (int32_t i = 0; i < nbSignaux; ++i) {
        const int32_t voie = centrale.VoiesActivesSignaux[std::size_t(i)];
        const int32_t position = centrale.idxTraitGV[std::size_t(i)];
        const std::size_t courbe = std::size_t(premiereCourbe_ + i);
        if (courbe >= mesures.tv2.size() || courbe >= mesures.voiesMesurees.size())
            continue;
        std::vector<float>& valeurs = mesures.tv2[courbe];
        TVoieMesuree& vm = mesures.voiesMesurees[courbe];
        TVoie& entree = centrale.VoiesX[std::size_t(voie)];
        const int64_t limite = int64_t(valeurs.size()) - pt0Trame_;
        for (int64_t k = faits_; k <= dernier; ++k) {
            const int32_t brut = travail_[std::size_t((k - faits_) * nbSignaux + position)];
            const float u = float(centrale.Ux(voie, brut));
            int64_t point = k;
            float stockee = u;
            if (seuil && k >= 1) {
                point = k - 1;
                stockee = float(entree.uPrecC + (u - entree.uPrecC) * fraction);
            }
            if (seuil)
                entree.uPrecC = u;
            if (point >= limite)
                break;
            valeurs[std::size_t(pt0Trame_ + point)] = stockee;
            vm.max = std::max(vm.max, stockee);
            vm.min = std::min(vm.min, stockee);
        }
    }
}

#include "app/acquisition/TraitementBlocs.h"

#include <algorithm>

void TTraitementBlocs::debut(int32_t premiereCourbe, int64_t pt0Trame)
{
    reportes_ = 0;
    faits_ = 0;
    ptFront_ = 0;
    dernierStocke_ = -1;
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

void TTraitementBlocs::prepareConversion(TCentrale& centrale)
{
    const int32_t nbSignaux = std::max(centrale.nbVoiesSignaux, 0);
    voiesConverties_.assign(centrale.VoiesActivesSignaux.begin(),
                            centrale.VoiesActivesSignaux.begin() +
                                std::min<std::size_t>(std::size_t(nbSignaux), centrale.VoiesActivesSignaux.size()));
    volts_.resize(voiesConverties_.size() * kNbCodes);
    for (std::size_t i = 0; i < voiesConverties_.size(); ++i)
        centrale.convertitCodes(voiesConverties_[i], volts_.data() + i * kNbCodes, kNbCodes);
}

bool TTraitementBlocs::conversionPrete(const TCentrale& centrale) const
{
    const std::size_t n = std::size_t(std::max(centrale.nbVoiesSignaux, 0));
    return voiesConverties_.size() == n && n <= centrale.VoiesActivesSignaux.size() &&
           std::equal(voiesConverties_.begin(), voiesConverties_.end(), centrale.VoiesActivesSignaux.begin());
}

void TTraitementBlocs::stocke(TCentrale& centrale, TMesures& mesures, int32_t groupes, TPointsRecus& recus)
{
    const int32_t nbSignaux = centrale.nbVoiesSignaux;
    const int64_t dernier = std::min<int64_t>(faits_ + groupes - 1, centrale.nbPts0X - 1);
    if (dernier < faits_)
        return;
    if (!conversionPrete(centrale))
        prepareConversion(centrale);
    ptFront_ = dernier;
    const bool seuil = centrale.modeDecl == kDeclSeuil;
    // The threshold trigger falls dtPretrig after a raw sample: point k - 1
    // is the value at that instant, between raw samples k - 1 and k.
    const double fraction = centrale.dt0X > 0 ? centrale.dtPretrig / centrale.dt0X : 0.0;
    recus.premier = seuil ? std::max<int64_t>(faits_ - 1, 0) : faits_;
    recus.dernier = seuil ? std::max<int64_t>(dernier - 1, 0) : dernier;
    dernierStocke_ = recus.dernier;
    for (int32_t i = 0; i < nbSignaux; ++i) {
        const int32_t voie = centrale.VoiesActivesSignaux[std::size_t(i)];
        const int32_t position = centrale.idxTraitGV[std::size_t(i)];
        const std::size_t courbe = std::size_t(premiereCourbe_ + i);
        if (courbe >= mesures.tv2.size() || courbe >= mesures.voiesMesurees.size())
            continue;
        std::vector<float>& valeurs = mesures.tv2[courbe];
        TVoieMesuree& vm = mesures.voiesMesurees[courbe];
        const float* volts = volts_.data() + std::size_t(i) * kNbCodes;
        const uint16_t* brut = travail_.data() + position;
        const int64_t limite = int64_t(valeurs.size()) - pt0Trame_;
        if (limite <= 0)
            continue;
        float* sortie = valeurs.data() + pt0Trame_;
        float uMax = vm.max, uMin = vm.min;
        if (!seuil) {
            const int64_t fin = std::min(dernier, limite - 1);
            for (int64_t k = faits_; k <= fin; ++k) {
                const float u = volts[brut[(k - faits_) * nbSignaux]];
                sortie[k] = u;
                uMax = std::max(uMax, u);
                uMin = std::min(uMin, u);
            }
        } else {
            TVoie& entree = centrale.VoiesX[std::size_t(voie)];
            for (int64_t k = faits_; k <= dernier; ++k) {
                const float u = volts[brut[(k - faits_) * nbSignaux]];
                int64_t point = k;
                float stockee = u;
                if (k >= 1) {
                    point = k - 1;
                    stockee = float(entree.uPrecC + (u - entree.uPrecC) * fraction);
                }
                entree.uPrecC = u;
                if (point >= limite)
                    break;
                sortie[point] = stockee;
                uMax = std::max(uMax, stockee);
                uMin = std::min(uMin, stockee);
            }
        }
        vm.max = uMax;
        vm.min = uMin;
    }
}

#include "mesures/NommageSeries.h"

#include "model/UniteBaseChaines.h"

#include <algorithm>
#include <cmath>

void TNommageSeries::vide()
{
    sUMesurees_.clear();
    nbUMesurees_.clear();
    nPrem_.clear();
}

void TNommageSeries::rejoint(std::vector<std::string>& noms, int32_t indice, std::size_t j)
{
    if (nbUMesurees_[j] == 1)
        noms[std::size_t(nPrem_[j])] += lettresIndice(0);
    noms[std::size_t(indice)] += lettresIndice(nbUMesurees_[j]);
    ++nbUMesurees_[j];
}

void TNommageSeries::nouvelleBase(const std::string& base, int32_t indice)
{
    sUMesurees_.push_back(base);
    nbUMesurees_.push_back(1);
    nPrem_.push_back(indice);
}

void TNommageSeries::nomme(std::vector<std::string>& noms, int32_t indice)
{
    const std::string base = noms[std::size_t(indice)];
    for (std::size_t j = 0; j < sUMesurees_.size(); ++j) {
        if (base.substr(0, 6) == sUMesurees_[j].substr(0, 6)) {
            rejoint(noms, indice, j);
            return;
        }
    }
    nouvelleBase(base, indice);
}

void TNommageSeries::renomme(std::vector<std::string>& noms)
{
    vide();
    for (std::size_t i = 0; i < noms.size(); ++i) {
        const std::string nom = noms[i];
        std::size_t j = 0;
        while (j < sUMesurees_.size() && nom != sUMesurees_[j].substr(0, 5))
            ++j;
        if (j < sUMesurees_.size())
            rejoint(noms, int32_t(i), j);
        else
            nouvelleBase(nom, int32_t(i));
    }
}

TUniteCourbe uniteDeCourbe(float max)
{
    if (std::fabs(max) < 0.001f)
        return { 1000000.0f, "µV" };
    if (max >= 1.0f)
        return { 1.0f, "V" };
    return { 1000.0f, "mV" };
}

TUniteCourbe uniteDeCourbeExtremes(float max, float min)
{
    const float m = std::max(std::fabs(max), std::fabs(min));
    if (m < 0.001f)
        return { 1000000.0f, "µV" };
    if (m >= 1.0f)
        return { 1.0f, "V" };
    return { 1000.0f, "mV" };
}

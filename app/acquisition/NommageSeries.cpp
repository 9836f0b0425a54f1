#include "app/acquisition/NommageSeries.h"

#include "model/UniteBaseChaines.h"

#include <cmath>

void TNommageSeries::vide()
{
    sUMesurees_.clear();
    nbUMesurees_.clear();
    nPrem_.clear();
}

void TNommageSeries::nomme(std::vector<std::string>& noms, int32_t indice)
{
    const std::string base = noms[std::size_t(indice)];
    for (std::size_t j = 0; j < sUMesurees_.size(); ++j) {
        // Names are compared on their first six characters.
        if (base.substr(0, 6) != sUMesurees_[j].substr(0, 6))
            continue;
        if (nbUMesurees_[j] == 1)
            noms[std::size_t(nPrem_[j])] += lettresIndice(0);
        noms[std::size_t(indice)] += lettresIndice(nbUMesurees_[j]);
        ++nbUMesurees_[j];
        return;
    }
    sUMesurees_.push_back(base);
    nbUMesurees_.push_back(1);
    nPrem_.push_back(indice);
}

TUniteCourbe uniteDeCourbe(float max)
{
    if (std::fabs(max) < 0.001f)
        return { 1000000.0f, "µV" };
    if (max >= 1.0f)
        return { 1.0f, "V" };
    return { 1000.0f, "mV" };
}

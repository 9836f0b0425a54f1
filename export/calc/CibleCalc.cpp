#include "export/calc/CibleCalc.h"

#include "model/UniteBaseChaines.h"

#include <algorithm>

TCibleCalc cibleTransfertCalc(int optionTransfertOOo, bool nouvelleConnexion, bool documentPrecedentOuvert)
{
    if (nouvelleConnexion || !documentPrecedentOuvert)
        return TCibleCalc::nouveauClasseur;
    switch (optionTransfertOOo) {
    case 1:
        return TCibleCalc::nouvelleFeuille;
    case 3:
        return TCibleCalc::demander;
    default:
        return TCibleCalc::nouveauClasseur;
    }
}

std::string nomNouvelleFeuille(int numTransfert, const std::vector<std::string>& existants)
{
    std::vector<std::string> pris;
    pris.reserve(existants.size());
    for (const std::string& nom : existants)
        pris.push_back(majusculesASCII(nom));
    const auto libre = [&](const std::string& nom) {
        return std::find(pris.begin(), pris.end(), majusculesASCII(nom)) == pris.end();
    };
    const std::string base = "Transfert" + std::to_string(numTransfert);
    if (libre(base))
        return base;
    // There are fewer sheets than suffixes, so one of the first
    // existants.size() + 1 suffixes is free.
    for (int i = 0;; ++i) {
        const std::string nom = base + lettresIndice(i);
        if (libre(nom))
            return nom;
    }
}

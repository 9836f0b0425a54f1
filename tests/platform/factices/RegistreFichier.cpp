#include "RegistreFichier.h"

#include <fstream>

namespace testgv {

TContenuRegistre litRegistre(const std::string& fichier)
{
    TContenuRegistre contenu;
    std::ifstream entree(fichier);
    std::string ligne;
    plateforme::TRegistreUtilisateur::TValeurs* cle = nullptr;
    while (std::getline(entree, ligne)) {
        if (ligne.size() >= 2 && ligne.front() == '[' && ligne.back() == ']') {
            cle = &contenu[ligne.substr(1, ligne.size() - 2)];
            continue;
        }
        const size_t egal = ligne.find('=');
        if (cle && egal != std::string::npos)
            (*cle)[ligne.substr(0, egal)] = ligne.substr(egal + 1);
    }
    return contenu;
}

void ecritRegistre(const std::string& fichier, const TContenuRegistre& contenu)
{
    std::ofstream sortie(fichier, std::ios::trunc);
    for (const auto& [cle, valeurs] : contenu) {
        sortie << '[' << cle << "]\n";
        for (const auto& [nom, valeur] : valeurs)
            sortie << nom << '=' << valeur << '\n';
    }
}

std::optional<TRegistreFichier::TValeurs> TRegistreFichier::litCle(const std::string& cle)
{
    const TContenuRegistre contenu = litRegistre(fichier_);
    const auto trouvee = contenu.find(cle);
    if (trouvee == contenu.end())
        return std::nullopt;
    return trouvee->second;
}

bool TRegistreFichier::ecritTexte(const std::string& cle, const std::string& nom, const std::string& valeur)
{
    TContenuRegistre contenu = litRegistre(fichier_);
    const auto trouvee = contenu.find(cle);
    if (trouvee == contenu.end())
        return false;
    trouvee->second[nom] = valeur;
    ecritRegistre(fichier_, contenu);
    return true;
}

} // namespace testgv

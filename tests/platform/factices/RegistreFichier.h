#pragma once
// A registry kept in a text file, for tests: "[key]" lines, then "name=value"
// lines. The test implementation of the registry, and what the stand-in
// Wine's "reg" tool reads and writes, so that both are checked on one file.
#include "platform/RegistreUtilisateur.h"

#include <map>
#include <string>

namespace testgv {

using TContenuRegistre = std::map<std::string, plateforme::TRegistreUtilisateur::TValeurs>;

TContenuRegistre litRegistre(const std::string& fichier);
void ecritRegistre(const std::string& fichier, const TContenuRegistre& contenu);

class TRegistreFichier : public plateforme::TRegistreUtilisateur {
public:
    explicit TRegistreFichier(std::string fichier) : fichier_(std::move(fichier)) {}
    std::optional<TValeurs> litCle(const std::string& cle) override;
    bool ecritTexte(const std::string& cle, const std::string& nom, const std::string& valeur) override;

private:
    std::string fichier_;
};

} // namespace testgv

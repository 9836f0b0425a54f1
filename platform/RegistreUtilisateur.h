#pragma once
// Keys of other programs in the current user's registry, read and written as
// text. Keys are named as under the user's root ("\Software\Regressi\Format")
// and are never created here: only values of a key that exists are written.
#include <map>
#include <memory>
#include <optional>
#include <string>

namespace plateforme {

class TRegistreUtilisateur {
public:
    using TValeurs = std::map<std::string, std::string>;

    virtual ~TRegistreUtilisateur() = default;

    // Every value of `cle` (name → data as text); nullopt when the key does
    // not exist or cannot be read.
    virtual std::optional<TValeurs> litCle(const std::string& cle) = 0;

    // Sets the text value `nom` of `cle`, a key that litCle found; false
    // when the key was not found so or the value could not be written.
    virtual bool ecritTexte(const std::string& cle, const std::string& nom, const std::string& valeur) = 0;
};

// The registry of the user's Wine prefix (prefixeWine), through Wine's own
// "reg" tool (wine reg query / wine reg add). Without Wine on PATH, or
// without an initialised prefix (no system.reg), every key is missing and
// nothing is run, so no prefix is ever created.
std::unique_ptr<TRegistreUtilisateur> registreWine();

// Wine's "reg query" output for one key: the lines "    name    TYPE    data".
TRegistreUtilisateur::TValeurs valeursDeRegQuery(const std::string& sortie);

} // namespace plateforme

// The registry of a Wine prefix, only through Wine's "reg" tool: the
// prefix's files are Wine's own business, and its server may hold newer
// values than the files.
#include "platform/RegistreUtilisateur.h"

#include "platform/Processus.h"
#include "platform/ProgrammesWindows.h"

#include <set>
#include <sys/stat.h>

namespace plateforme {

namespace {

// Starting Wine's server for the first time takes a few seconds; a tool
// that hangs must not hold the program for longer than this.
constexpr int kDelaiReg = 20000;

std::string cleDeWine(const std::string& cle)
{
    std::string chemin = cle;
    while (!chemin.empty() && chemin.front() == '\\')
        chemin.erase(chemin.begin());
    return "HKEY_CURRENT_USER\\" + chemin;
}

class TRegistreWine : public TRegistreUtilisateur {
public:
    explicit TRegistreWine(std::string wine) : wine_(std::move(wine)) {}

    std::optional<TValeurs> litCle(const std::string& cle) override
    {
        std::string sortie;
        const std::optional<int> code = executeProgramme(wine_, {"reg", "query", cleDeWine(cle)}, kDelaiReg, sortie);
        if (!code || *code != 0)
            return std::nullopt;
        clesTrouvees_.insert(cle);
        return valeursDeRegQuery(sortie);
    }

    bool ecritTexte(const std::string& cle, const std::string& nom, const std::string& valeur) override
    {
        // "reg add" would create a missing key.
        if (!clesTrouvees_.count(cle))
            return false;
        std::string sortie;
        const std::optional<int> code = executeProgramme(
            wine_, {"reg", "add", cleDeWine(cle), "/v", nom, "/t", "REG_SZ", "/d", valeur, "/f"}, kDelaiReg, sortie);
        return code && *code == 0;
    }

private:
    std::string wine_;
    std::set<std::string> clesTrouvees_;
};

class TRegistreAbsent : public TRegistreUtilisateur {
public:
    std::optional<TValeurs> litCle(const std::string&) override { return std::nullopt; }
    bool ecritTexte(const std::string&, const std::string&, const std::string&) override { return false; }
};

bool estFichier(const std::string& chemin)
{
    struct stat etat {};
    return ::stat(chemin.c_str(), &etat) == 0 && S_ISREG(etat.st_mode);
}

} // namespace

TRegistreUtilisateur::TValeurs valeursDeRegQuery(const std::string& sortie)
{
    static const std::string marge = "    ";
    TRegistreUtilisateur::TValeurs valeurs;
    size_t debut = 0;
    while (debut < sortie.size()) {
        size_t fin = sortie.find('\n', debut);
        if (fin == std::string::npos)
            fin = sortie.size();
        std::string ligne = sortie.substr(debut, fin - debut);
        debut = fin + 1;
        if (!ligne.empty() && ligne.back() == '\r')
            ligne.pop_back();
        // Key names start in the first column, values four spaces in:
        // name, type (REG_...) and data, each separated by four spaces. A
        // name may hold spaces, so the type is what splits the line.
        if (ligne.compare(0, marge.size(), marge) != 0)
            continue;
        const size_t type = ligne.find(marge + "REG_", marge.size());
        if (type == std::string::npos)
            continue;
        const std::string nom = ligne.substr(marge.size(), type - marge.size());
        const size_t donnees = ligne.find(marge, type + marge.size());
        valeurs[nom] = donnees == std::string::npos ? std::string() : ligne.substr(donnees + marge.size());
    }
    return valeurs;
}

std::unique_ptr<TRegistreUtilisateur> registreWine()
{
    const std::string wine = chercheDansPATH("wine");
    const std::string prefixe = prefixeWine();
    // Running Wine on a prefix that does not exist yet would create one.
    if (wine.empty() || prefixe.empty() || !estFichier(prefixe + "/system.reg"))
        return std::make_unique<TRegistreAbsent>();
    return std::make_unique<TRegistreWine>(wine);
}

} // namespace plateforme

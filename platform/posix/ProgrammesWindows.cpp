// Windows programs on Linux are Wine's: installed under the user's prefix,
// naming Linux files through drive Z:.
#include "platform/ProgrammesWindows.h"

#include "platform/Systeme.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace plateforme {

std::string prefixeWine()
{
    const char* prefixe = std::getenv("WINEPREFIX");
    if (prefixe && prefixe[0] == '/')
        return prefixe;
    const char* home = std::getenv("HOME");
    if (!home || home[0] != '/')
        return {};
    std::string chemin = home;
    while (chemin.size() > 1 && chemin.back() == '/')
        chemin.pop_back();
    return chemin + "/.wine";
}

std::vector<std::string> dossiersProgrammesWindows()
{
    std::vector<std::string> dossiers;
    const std::string prefixe = prefixeWine();
    if (prefixe.empty())
        return dossiers;
    for (const char* nom : {"Program Files", "Program Files (x86)"}) {
        const std::string dossier = fichierSansCasse(prefixe + "/drive_c", nom);
        std::error_code erreur;
        if (!dossier.empty() && fs::is_directory(dossier, erreur))
            dossiers.push_back(dossier);
    }
    return dossiers;
}

std::string fichierSansCasse(const std::string& dossier, const std::string& relatif)
{
    std::error_code erreur;
    fs::path chemin = dossier;
    if (!fs::is_directory(chemin, erreur))
        return {};
    for (const fs::path& partie : fs::path(relatif)) {
        if (partie.empty() || partie == "/")
            continue;
        if (fs::exists(chemin / partie, erreur)) {
            chemin /= partie;
            continue;
        }
        const std::string cherche = majusculesASCIISysteme(partie.string());
        fs::path trouve;
        fs::directory_iterator it(chemin, fs::directory_options::skip_permission_denied, erreur);
        for (; !erreur && it != fs::directory_iterator(); it.increment(erreur))
            if (majusculesASCIISysteme(it->path().filename().string()) == cherche) {
                trouve = it->path();
                break;
            }
        if (trouve.empty())
            return {};
        chemin = trouve;
    }
    return chemin.string();
}

std::string cheminPourWindows(const std::string& chemin)
{
    std::string windows = "Z:" + chemin;
    for (char& c : windows)
        if (c == '/')
            c = '\\';
    return windows;
}

} // namespace plateforme

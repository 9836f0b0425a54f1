#include "export/CheminREGRESSI.h"

#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace gv {

namespace {

// Below a Program Files folder; Wine's folders may differ in case.
const char* const kRegressiDansProgrammes = "Evariste/Regressi/regressi.exe";

} // namespace

std::vector<std::string> cheminsStandardREGRESSI()
{
    const std::string prefixe = plateforme::prefixeWine();
    if (prefixe.empty())
        return {};
    std::vector<std::string> chemins;
    for (const char* programmes : {"Program Files", "Program Files (x86)"})
        chemins.push_back(prefixe + "/drive_c/" + programmes + "/" + kRegressiDansProgrammes);
    return chemins;
}

std::string cheminOfficielREGRESSI()
{
    for (const std::string& dossier : plateforme::dossiersProgrammesWindows()) {
        const std::string chemin = plateforme::fichierSansCasse(dossier, kRegressiDansProgrammes);
        if (!chemin.empty())
            return chemin;
    }
    return {};
}

bool estExecutableREGRESSI(const std::string& chemin)
{
    if (chemin.empty())
        return false;
    std::error_code erreur;
    if (!fs::is_regular_file(chemin, erreur))
        return false;
    return plateforme::majusculesASCIISysteme(fs::path(chemin).filename().string()) == "REGRESSI.EXE";
}

} // namespace gv

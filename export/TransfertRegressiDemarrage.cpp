// At start-up: this program's entry in REGRESSI's list of acquisition
// programs, and which REGRESSI executable to start. Later, the REGRESSI the
// options choose.
#include "export/TransfertRegressi.h"

#include "export/CheminREGRESSI.h"
#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"

#include <filesystem>

namespace {

bool memeChemin(const std::string& a, const std::string& b)
{
    return plateforme::majusculesASCIISysteme(a) == plateforme::majusculesASCIISysteme(b);
}

} // namespace

bool TTransfertRegressi::estRegressi(const std::string& chemin)
{
    return gv::estExecutableREGRESSI(chemin);
}

// REGRESSI starts a declared program from its own menus. It names programs
// as Windows does, so this program is declared under the name it has for
// REGRESSI (under Wine, on drive Z:).
void TTransfertRegressi::declareProgramme(const std::string& cheminProgramme)
{
    const auto valeurs = registre_->litCle(kCleAcquisitionRegressi);
    if (!valeurs)
        return;
    const std::string chemin = plateforme::cheminPourWindows(cheminProgramme);
    for (int i = 0; i < kPlacesAcquisitionRegressi; ++i) {
        const auto valeur = valeurs->find(std::to_string(i));
        const std::string declare = valeur == valeurs->end() ? std::string() : valeur->second;
        if (memeChemin(declare, chemin))
            return;
        if (declare.empty()) {
            registre_->ecritTexte(kCleAcquisitionRegressi, std::to_string(i), chemin);
            return;
        }
    }
}

void TTransfertRegressi::chercheRegressi()
{
    cheminOfficielREGRESSI = gv::cheminOfficielREGRESSI();
    if (liens_.versionRegressiDefaut) {
        if (estRegressi(cheminOfficielREGRESSI)) {
            cheminRegressiUt = cheminOfficielREGRESSI;
        } else {
            cheminOfficielREGRESSI.clear();
            cheminRegressiUt.clear();
            liens_.versionRegressiDefaut = false;
        }
    } else if (estRegressi(liens_.cheminREGRESSINonDefautX)) {
        cheminRegressiUt = liens_.cheminREGRESSINonDefautX;
    } else {
        liens_.cheminREGRESSINonDefautX.clear();
        cheminRegressiUt.clear();
    }
}

bool TTransfertRegressi::appliqueChoixRegressi(bool parDefaut, const std::string& cheminAffiche)
{
    const std::string avant = cheminRegressiUt;
    liens_.versionRegressiDefaut = parDefaut;
    if (!parDefaut && estRegressi(cheminAffiche)) {
        liens_.cheminREGRESSINonDefautX = cheminAffiche;
        cheminRegressiUt = cheminAffiche;
    } else {
        liens_.versionRegressiDefaut = true;
        cheminRegressiUt = cheminOfficielREGRESSI;
    }
    if (!cheminRegressiUt.empty())
        transfertPossible_ = true;
    return !memeChemin(avant, cheminRegressiUt);
}

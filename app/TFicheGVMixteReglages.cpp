// The persistent settings of the main window, read at creation and written
// at destruction, and the temporary files cleaned up at exit.
#include "app/TFicheGVMixte.h"

#include <QSettings>
#include <memory>

void TFicheGVMixte::lireReglages()
{
    const std::unique_ptr<QSettings> stockage(gv::ouvreReglagesGV());
    gv::litReglages(*stockage, reglages);
}

void TFicheGVMixte::ecrireReglages()
{
    const std::unique_ptr<QSettings> stockage(gv::ouvreReglagesGV());
    gv::ecritReglages(*stockage, reglages);
}

void TFicheGVMixte::nettoieFichiersTemporaires()
{
    aMemoriser = gv::supprimeFichiersTemporaires(aSupprimer);
    gv::ecritFichierTemporairesGV(contexte_.emplacements.fichierTemporairesGV, aMemoriser);
}

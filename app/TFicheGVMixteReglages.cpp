// The persistent settings of the main window, read at creation and written
// at destruction, and the temporary files cleaned up at exit.
#include "app/Messages.h"
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
    QString erreur;
    if (!gv::ecritReglages(*stockage, reglages, &erreur))
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement,
                         gv::messageEcritureImpossible(stockage->fileName(), erreur));
}

void TFicheGVMixte::nettoieFichiersTemporaires()
{
    aMemoriser = gv::supprimeFichiersTemporaires(aSupprimer);
    QString erreur;
    const std::string& par = contexte_.emplacements.fichierTemporairesGV;
    if (!gv::ecritFichierTemporairesGV(par, aMemoriser, &erreur))
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement,
                         gv::messageEcritureImpossible(QString::fromStdString(par), erreur));
}

#include "export/CommandeEnregistrementRW3.h"

#include "export/EtapesEnregistrement.h"
#include "export/FichierTexteWindows.h"

bool enregistreRegressi(const TSourceRegressi& source, TEtatEnregistrement& etat, TDialoguesEnregistrement& dialogues)
{
    const TFormatEnregistrement format{QStringLiteral("Fichiers Regressi Windows (*.rw3)|*.rw3"),
                                       QStringLiteral("Enregistrement au format Regressi Win"), QStringLiteral(".rw3"),
                                       &TEtatEnregistrement::nomFichierREG};
    return enregistreSous(format, intervalleVide(*source.mesures), etat, dialogues,
                          [&source](const QString& chemin, QString* erreur) {
                              return ecritFichierWindows(chemin, prepareSL(source, true).SL, erreur);
                          });
}

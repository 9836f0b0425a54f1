#include "export/CommandeEnregistrementTXT.h"

#include "export/EtapesEnregistrement.h"

bool enregistreTexte(const TSourceTexte& source, TEtatEnregistrement& etat, TDialoguesEnregistrement& dialogues)
{
    const TFormatEnregistrement format{QStringLiteral("Fichiers texte (*.txt)|*.txt"),
                                       QStringLiteral("Enregistrement au format texte"), QStringLiteral(".txt"),
                                       &TEtatEnregistrement::nomfichierTXT};
    return enregistreSous(format, intervalleSansValeurs(*source.mesures), etat, dialogues,
                          [&source](const QString& chemin, QString* erreur) {
                              return EnregistrerTXT(source, chemin, erreur);
                          });
}

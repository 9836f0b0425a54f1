#include "export/EtapesEnregistrement.h"

#include <QFileInfo>

#include <algorithm>

bool enregistreSous(const TFormatEnregistrement& format, bool sansValeurs, TEtatEnregistrement& etat,
                    TDialoguesEnregistrement& dialogues, const TEcritureFichier& ecrit)
{
    if (sansValeurs) {
        dialogues.information(QStringLiteral(
            "Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs verts ! \n\r"
            "L'enregistrement est donc inutile. "));
        return false;
    }
    const TEtatEnregistrement avant = etat;
    ++etat.numAcqDef;
    const QString choisi = dialogues.demandeNomFichier(format.filtre, format.titre, nomPropose(etat.numAcqDef));
    if (choisi.isEmpty())
        return false;
    const QString nom = nomAvecExtension(choisi, format.extension);
    if (QFileInfo::exists(nom)
        && !dialogues.demandeOuiNon(QStringLiteral("Le fichier \"") + nom
                                    + QStringLiteral("\" existe déjà. Faut-il le remplacer ?"))) {
        --etat.numAcqDef;
        return false;
    }
    etat.*format.dernierNom = nom;
    dialogues.curseurAttente(true);
    QString erreur;
    const bool ecrit1 = ecrit(nom, &erreur);
    dialogues.curseurAttente(false);
    if (!ecrit1) {
        // Nothing was saved: the counter and the names are as before.
        etat = avant;
        dialogues.avertissement(QStringLiteral("Impossible d'enregistrer le fichier \"") + nom
                                + QStringLiteral("\" :\n") + erreur);
    }
    return ecrit1;
}

QString nomAvecExtension(const QString& choisi, const QString& extension)
{
    const int debutNom = std::max(choisi.lastIndexOf(QLatin1Char('/')), choisi.lastIndexOf(QLatin1Char('\\'))) + 1;
    const int point = choisi.indexOf(QLatin1Char('.'), debutNom);
    return (point >= 0 ? choisi.left(point) : choisi) + extension;
}

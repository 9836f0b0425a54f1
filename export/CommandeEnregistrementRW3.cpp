#include "export/CommandeEnregistrementRW3.h"

#include "export/FichierTexteWindows.h"

#include <QFileInfo>

bool enregistreRegressi(const TSourceRegressi& source, TEtatEnregistrement& etat, TDialoguesEnregistrement& dialogues)
{
    if (intervalleVide(*source.mesures)) {
        dialogues.information(QStringLiteral(
            "Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs verts ! \n\r"
            "L'enregistrement est donc inutile. "));
        return false;
    }
    const TEtatEnregistrement avant = etat;
    ++etat.numAcqDef;
    const QString choisi = dialogues.demandeNomFichier(QStringLiteral("Fichiers Regressi Windows (*.rw3)|*.rw3"),
                                                       QStringLiteral("Enregistrement au format Regressi Win"),
                                                       nomPropose(etat.numAcqDef));
    if (choisi.isEmpty())
        return false;
    const QString nom = nomFichierRegressi(choisi);
    if (QFileInfo::exists(nom)
        && !dialogues.demandeOuiNon(QStringLiteral("Le fichier \"") + nom + QStringLiteral("\" existe déjà. Faut-il le remplacer ?"))) {
        --etat.numAcqDef;
        return false;
    }
    etat.nomFichierREG = nom;
    dialogues.curseurAttente(true);
    QString erreur;
    const bool ecrit = ecritFichierWindows(nom, prepareSL(source, true).SL, &erreur);
    dialogues.curseurAttente(false);
    if (!ecrit) {
        // Nothing was saved: the counter and the name are as before.
        etat = avant;
        dialogues.avertissement(QStringLiteral("Impossible d'enregistrer le fichier \"") + nom + QStringLiteral("\" :\n")
                                + erreur);
    }
    return ecrit;
}

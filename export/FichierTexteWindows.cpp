#include "export/FichierTexteWindows.h"

#include <QSaveFile>
#include <QStringEncoder>

QByteArray octetsWindows1252(const QStringList& lignes)
{
    QStringEncoder encodeur("windows-1252");
    QByteArray octets;
    for (const QString& ligne : lignes) {
        QByteArray encodee = encodeur.encode(ligne);
        // The converter marks a character the code page lacks with SUB;
        // readers of these files expect the usual "?".
        if (encodeur.hasError() && !ligne.contains(QChar(0x1A)))
            encodee.replace('\x1A', '?');
        encodeur.resetState();
        octets += encodee;
        octets += "\r\n";
    }
    return octets;
}

bool ecritFichierWindows(const QString& chemin, const QStringList& lignes, QString* erreur)
{
    QSaveFile fichier(chemin);
    const QByteArray octets = octetsWindows1252(lignes);
    const bool ecrit = fichier.open(QIODevice::WriteOnly)
        && fichier.write(octets) == octets.size()
        && fichier.commit();
    if (!ecrit && erreur != nullptr)
        *erreur = fichier.errorString();
    return ecrit;
}

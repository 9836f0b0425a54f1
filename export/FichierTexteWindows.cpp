#include "export/FichierTexteWindows.h"

#include <QFile>
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

namespace {

bool ecritOctets(const QString& chemin, const QByteArray& octets, QString* erreur)
{
    QSaveFile fichier(chemin);
    // flush() first: commit() puts a file whose buffered end could not be
    // written in place all the same.
    const bool ecrit = fichier.open(QIODevice::WriteOnly)
        && fichier.write(octets) == octets.size()
        && fichier.flush()
        && fichier.commit();
    if (!ecrit && erreur != nullptr)
        *erreur = fichier.errorString();
    return ecrit;
}

} // namespace

bool ecritFichierWindows(const QString& chemin, const QStringList& lignes, QString* erreur)
{
    return ecritOctets(chemin, octetsWindows1252(lignes), erreur);
}

bool ajouteAuFichierWindows(const QString& chemin, const QStringList& lignes, QString* erreur)
{
    QFile existant(chemin);
    if (!existant.open(QIODevice::ReadOnly)) {
        if (erreur != nullptr)
            *erreur = existant.errorString();
        return false;
    }
    QByteArray octets = existant.readAll();
    existant.close();
    // A last line without its line end would run into the first new one.
    if (!octets.isEmpty() && !octets.endsWith('\n'))
        octets += "\r\n";
    octets += octetsWindows1252(lignes);
    return ecritOctets(chemin, octets, erreur);
}

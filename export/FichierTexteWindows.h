#pragma once
// Text files for programs that read the Windows code page: Windows-1252
// bytes, every line (the last included) ended by CR LF.
#include <QString>
#include <QStringList>

// Writes `lignes` to `chemin` through a temporary file renamed over the
// target, so that a failed write never destroys an existing file. Returns
// false and sets `erreur` (when given) on failure.
bool ecritFichierWindows(const QString& chemin, const QStringList& lignes, QString* erreur = nullptr);

// Adds `lignes` at the end of the existing file `chemin`, in the same form
// (Windows-1252, CR LF), through a temporary file renamed over it: the file
// is either whole with the new lines or as it was. False, with `erreur`,
// when the file cannot be read or written.
bool ajouteAuFichierWindows(const QString& chemin, const QStringList& lignes, QString* erreur = nullptr);

// The bytes written for `lignes`. A character the code page lacks becomes "?".
QByteArray octetsWindows1252(const QStringList& lignes);

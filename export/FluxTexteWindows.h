#pragma once
// A Windows text file (Windows-1252, every line ended by CR LF) written line
// by line, for files too large to build in memory first. It is written to a
// temporary file that replaces the target only once complete, so a failed
// write never destroys an existing file.
#include <QByteArray>
#include <QSaveFile>
#include <QString>

#include <cstddef>

class TFluxTexteWindows {
public:
    explicit TFluxTexteWindows(const QString& chemin);

    bool ouvre();

    // One line of text, converted to the code page.
    void ligne(const QString& texte);

    // A line of ASCII characters written in place: `place` gives room for
    // `taille` characters, `finLigne` takes where they end and adds CR LF.
    char* place(std::size_t taille);
    void finLigne(char* fin);

    // Writes what is left and puts the file in place; false (and `erreur`)
    // when anything failed, the target being then untouched.
    bool termine(QString* erreur = nullptr);

private:
    void vide();

    QSaveFile fichier_;
    QByteArray tampon_;
    std::size_t rempli_ = 0;
    bool echec_ = false;
};

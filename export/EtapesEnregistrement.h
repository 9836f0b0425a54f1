#pragma once
// The steps every "save as" command of the toolbar takes, whatever the kind
// of file: a proposed name from the shared counter, the file dialog, the
// extension rule, the question before replacing, the hourglass while
// writing, and the counter and last name left as they were when nothing
// was written.
#include "export/CommandeEnregistrementRW3.h"

#include <QString>

#include <functional>

struct TFormatEnregistrement {
    QString filtre;    // "Description (*.ext)|*.ext"
    QString titre;     // of the dialog
    QString extension; // ".ext"
    QString TEtatEnregistrement::*dernierNom; // where the chosen name is kept
};

// Writes the file at the given path; false and the reason on failure.
using TEcritureFichier = std::function<bool(const QString& chemin, QString* erreur)>;

// True when a file was written.
bool enregistreSous(const TFormatEnregistrement& format, bool sansValeurs, TEtatEnregistrement& etat,
                    TDialoguesEnregistrement& dialogues, const TEcritureFichier& ecrit);

// The name saved for a name chosen in the dialog: everything from the first
// "." of the file-name part is dropped, then `extension` is appended.
QString nomAvecExtension(const QString& choisi, const QString& extension);

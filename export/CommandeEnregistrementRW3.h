#pragma once
// The "save as REGRESSI file" command: proposes a name, asks for the file,
// applies the extension rule, asks before replacing, writes the file.
#include "export/RegressiRW3.h"

#include <QString>

// What the command asks of the user; the window shows real dialogs, tests
// answer from a script.
class TDialoguesEnregistrement {
public:
    virtual ~TDialoguesEnregistrement() = default;
    // The chosen file, or an empty text when the user cancels.
    virtual QString demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose) = 0;
    virtual bool demandeOuiNon(const QString& question) = 0;
    virtual void information(const QString& texte) = 0;
    virtual void avertissement(const QString& texte) = 0;
    virtual void curseurAttente(bool attente) = 0;
};

struct TEtatEnregistrement {
    int numAcqDef = 0;       // counter of proposed names, shared with the text export
    QString nomFichierREG;   // last file saved
    QString nomfichierTXT;   // last text file saved
};

// Runs the command; true when a file was written.
bool enregistreRegressi(const TSourceRegressi& source, double dureeTotaleAX, TEtatEnregistrement& etat,
                        TDialoguesEnregistrement& dialogues);

#pragma once
// What the save and transfer commands ask of the user, and the file names
// and counter they share. The window shows real dialogs (through
// gv::executeDialogue and gv::boiteMessage); tests answer from a script.
#include <QString>

class TDialoguesEnregistrement {
public:
    virtual ~TDialoguesEnregistrement() = default;
    // The chosen file, or an empty text when the user cancels. `filtre` is
    // "Description (*.ext)|*.ext".
    virtual QString demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose) = 0;
    virtual bool demandeOuiNon(const QString& question) = 0;
    virtual void information(const QString& texte) = 0;
    virtual void avertissement(const QString& texte) = 0;
    virtual void curseurAttente(bool attente) = 0;
};

struct TEtatEnregistrement {
    int numAcqDef = 0;       // counter of proposed names, shared by the REGRESSI and text files
    QString nomFichierREG;   // last REGRESSI file saved
    QString nomfichierTXT;   // last text file saved
};

#pragma once
// The questions of the save and transfer commands as dialogs of the main
// window; every one goes through gv::executeDialogue or gv::boiteMessage, so
// that a test can answer.
#include "export/DialoguesExport.h"

#include <QString>

class QWidget;

class TDialoguesFenetre : public TDialoguesEnregistrement {
public:
    // `dossier`: where the file dialog opens (the user's documents).
    TDialoguesFenetre(QWidget* fiche, QString dossier);

    QString demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose) override;
    bool demandeOuiNon(const QString& question) override;
    void information(const QString& texte) override;
    void avertissement(const QString& texte) override;
    void curseurAttente(bool attente) override;

private:
    QWidget* fiche_;
    QString dossier_;
};

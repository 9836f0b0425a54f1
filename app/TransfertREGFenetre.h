#pragma once
// The questions of the transfer to REGRESSI as the main window asks them:
// message boxes and dialogs through gv::boiteMessage / gv::executeDialogue
// (so that tests can answer), the hourglass on the whole application. The
// window gives what only it has: the choice dialog TFicheGVMixteChoixTR and
// its toolbar button.
#include "export/TransfertRegressi.h"

#include <functional>

class QFileDialog;
class QWidget;

class TInterfaceTransfertREGFenetre : public TInterfaceTransfertREG {
public:
    // `choix` shows TFicheGVMixteChoixTR (neither choice selected, OK
    // disabled) and gives its answer; `desactiveBouton` disables
    // SBTransfertDirectREG.
    TInterfaceTransfertREGFenetre(QWidget* fiche, std::function<TChoixTransfertREG()> choix,
                                  std::function<void()> desactiveBouton);

    void information(const QString& texte) override;
    void avertissement(const QString& texte) override;
    TChoixTransfertREG choixTransfert() override;
    QString demandeProgrammeRegressi(const QString& filtre, const QString& titre, const QString& dossier) override;
    void curseurAttente(bool attente) override;
    void desactiveBoutonTransfert() override;
    void traiteMessages() override;

private:
    QWidget* fiche_;
    std::function<TChoixTransfertREG()> choix_;
    std::function<void()> desactiveBouton_;
};

// The open dialog ODCheminRegressi, not shown yet.
void prepareDialogueRegressi(QFileDialog& dialogue, const QString& filtre, const QString& titre, const QString& dossier);

// "Description|pattern" as a Qt name filter whose pattern ignores case (Linux
// file names keep it: REGRESSI may be installed as regressi.exe).
QString filtreSansCasse(const QString& filtre);

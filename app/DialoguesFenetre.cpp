#include "app/DialoguesFenetre.h"

#include "app/Messages.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

TDialoguesFenetre::TDialoguesFenetre(QWidget* fiche, QString dossier) : fiche_(fiche), dossier_(std::move(dossier)) {}

QString TDialoguesFenetre::demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose)
{
    // "Description (*.rw3)|*.rw3": the dialog shows the description.
    const QString filtreQt = filtre.section(QLatin1Char('|'), 0, 0);
    QFileDialog dialogue(fiche_, titre, QDir(dossier_).filePath(nomPropose), filtreQt);
    dialogue.setObjectName(QStringLiteral("SD"));
    dialogue.setAcceptMode(QFileDialog::AcceptSave);
    dialogue.setFileMode(QFileDialog::AnyFile);
    // The command asks itself before replacing, after its extension rule.
    dialogue.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (gv::executeDialogue(dialogue) != QDialog::Accepted)
        return {};
    const QStringList choisis = dialogue.selectedFiles();
    return choisis.isEmpty() ? QString() : choisis.first();
}

bool TDialoguesFenetre::demandeOuiNon(const QString& question)
{
    return gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, question, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TDialoguesFenetre::information(const QString& texte)
{
    gv::boiteMessage(fiche_, gv::TIconeMessage::Information, texte);
}

void TDialoguesFenetre::avertissement(const QString& texte)
{
    gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, texte);
}

void TDialoguesFenetre::curseurAttente(bool attente)
{
    if (attente)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

// Saving the measurements as a REGRESSI file from the window: the source of
// the text (curves, green cursors, unit) and the real dialogs of the command.
#include "app/TFicheGVMixte.h"

#include "app/Messages.h"
#include "model/TCentrale.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

namespace {

// The command's questions as dialogs of the window; every one goes through
// gv::executeDialogue or gv::boiteMessage, so that a test can answer.
class TDialoguesFenetre : public TDialoguesEnregistrement {
public:
    TDialoguesFenetre(QWidget* fiche, QString dossier) : fiche_(fiche), dossier_(std::move(dossier)) {}

    QString demandeNomFichier(const QString& filtre, const QString& titre, const QString& nomPropose) override
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

    bool demandeOuiNon(const QString& question) override
    {
        return gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, question,
                                QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    void information(const QString& texte) override
    {
        gv::boiteMessage(fiche_, gv::TIconeMessage::Information, texte);
    }

    void avertissement(const QString& texte) override
    {
        gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, texte);
    }

    void curseurAttente(bool attente) override
    {
        if (attente)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    }

private:
    QWidget* fiche_;
    QString dossier_;
};

} // namespace

void TFicheGVMixte::enregistreRegressiRW3()
{
    TSourceRegressi source;
    source.courbes = &courbes;
    if (SP5) {
        source.nomCentrale = QString::fromStdString(SP5->nomCentrale);
        source.calibresEAStandard.assign(SP5->calibresEAStandard.begin(), SP5->calibresEAStandard.end());
    }
    const TGeometrieEcran& g = ecran().geometrie;
    source.t0 = g.t0;
    source.tFin = double(g.tFin);
    source.heureAcq = heureAcq;
    source.maintenant = QDateTime::currentDateTime();
    source.OptionCouleursRegressi = reglages.OptionCouleursRegressi;
    source.cheminProgramme = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    source.locale = QLocale::system();
    TDialoguesFenetre dialogues(this, QString::fromStdString(dossierDocuments));
    enregistreRegressi(source, courbes.dureeTotaleAX, etatEnregistrement, dialogues);
}

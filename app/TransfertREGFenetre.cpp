#include "app/TransfertREGFenetre.h"

#include "app/Messages.h"

#include <QApplication>
#include <QFileDialog>

namespace {

// While a question is shown during the hourglass, the pointer is the normal one.
class TCurseurNormal {
public:
    TCurseurNormal() { QApplication::setOverrideCursor(Qt::ArrowCursor); }
    ~TCurseurNormal() { QApplication::restoreOverrideCursor(); }
    TCurseurNormal(const TCurseurNormal&) = delete;
    TCurseurNormal& operator=(const TCurseurNormal&) = delete;
};

} // namespace

TInterfaceTransfertREGFenetre::TInterfaceTransfertREGFenetre(QWidget* fiche, std::function<TChoixTransfertREG()> choix,
                                                             std::function<void()> desactiveBouton)
    : fiche_(fiche)
    , choix_(std::move(choix))
    , desactiveBouton_(std::move(desactiveBouton))
{
}

void TInterfaceTransfertREGFenetre::information(const QString& texte)
{
    const TCurseurNormal curseur;
    gv::boiteMessage(fiche_, gv::TIconeMessage::Information, texte);
}

void TInterfaceTransfertREGFenetre::avertissement(const QString& texte)
{
    const TCurseurNormal curseur;
    gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, texte);
}

TChoixTransfertREG TInterfaceTransfertREGFenetre::choixTransfert()
{
    // Without the dialog, a new document: it never touches an earlier file.
    return choix_ ? choix_() : TChoixTransfertREG::NouveauDocument;
}

QString TInterfaceTransfertREGFenetre::demandeProgrammeRegressi(const QString& filtre, const QString& titre,
                                                                const QString& dossier)
{
    QFileDialog dialogue(fiche_);
    prepareDialogueRegressi(dialogue, filtre, titre, dossier);
    const TCurseurNormal curseur;
    if (gv::executeDialogue(dialogue) != QDialog::Accepted)
        return {};
    const QStringList choisis = dialogue.selectedFiles();
    return choisis.isEmpty() ? QString() : choisis.first();
}

void TInterfaceTransfertREGFenetre::curseurAttente(bool attente)
{
    if (attente)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void TInterfaceTransfertREGFenetre::desactiveBoutonTransfert()
{
    if (desactiveBouton_)
        desactiveBouton_();
}

void TInterfaceTransfertREGFenetre::traiteMessages()
{
    QCoreApplication::processEvents();
}

void prepareDialogueRegressi(QFileDialog& dialogue, const QString& filtre, const QString& titre, const QString& dossier)
{
    dialogue.setObjectName(QStringLiteral("ODCheminRegressi"));
    dialogue.setWindowTitle(titre);
    dialogue.setAccessibleName(titre);
    dialogue.setDirectory(dossier);
    dialogue.setAcceptMode(QFileDialog::AcceptOpen);
    dialogue.setFileMode(QFileDialog::ExistingFile);
    // The list shows the description only, not the pattern that ignores case.
    dialogue.setOption(QFileDialog::HideNameFilterDetails, true);
    dialogue.setNameFilter(filtreSansCasse(filtre));
}

QString filtreSansCasse(const QString& filtre)
{
    const QString description = filtre.section(QLatin1Char('|'), 0, 0);
    const QString motif = filtre.section(QLatin1Char('|'), 1);
    QString sansCasse;
    for (const QChar c : motif) {
        if (c.isLetter() && c.toLower() != c.toUpper())
            sansCasse += QLatin1Char('[') + c.toLower() + c.toUpper() + QLatin1Char(']');
        else
            sansCasse += c;
    }
    return description + QStringLiteral(" (") + sansCasse + QLatin1Char(')');
}

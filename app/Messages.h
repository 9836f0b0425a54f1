#pragma once
// Every message box of the program goes through boiteMessage, so that a test
// can answer it instead of a user (and nothing modal blocks a test run).
#include <QMessageBox>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace gv {

// Aucune: a dialog without an icon.
enum class TIconeMessage { Information, Avertissement, Question, Erreur, Aucune };

// What a box shows; `boutons` is a combination of QMessageBox::StandardButton.
struct TMessage {
    TIconeMessage icone;
    QString texte;
    QMessageBox::StandardButtons boutons;
};

// Shows the box (modal) and returns the button chosen. The program's texts
// use "\n\r" as line break; it is shown as one line break.
QMessageBox::StandardButton boiteMessage(QWidget* parent, TIconeMessage icone, const QString& texte,
                                         QMessageBox::StandardButtons boutons = QMessageBox::Ok);

// Replaces the boxes by a function (tests); an empty function restores them.
using TIntercepteurMessages = std::function<QMessageBox::StandardButton(const TMessage&)>;
void installeIntercepteurMessages(TIntercepteurMessages intercepteur);

// Shows a dialog modally; a test can operate it instead (clicking its
// buttons) and give its result.
int executeDialogue(QDialog& dialogue);
using TIntercepteurDialogues = std::function<int(QDialog&)>;
void installeIntercepteurDialogues(TIntercepteurDialogues intercepteur);

// "\n\r" and "\r\n" of the program's texts become "\n".
QString texteAffichable(QString texte);

} // namespace gv

#include "app/Messages.h"

#include <QDialog>

namespace gv {

namespace {
TIntercepteurMessages& intercepteur()
{
    static TIntercepteurMessages fonction;
    return fonction;
}
TIntercepteurDialogues& intercepteurDialogues()
{
    static TIntercepteurDialogues fonction;
    return fonction;
}
} // namespace

int executeDialogue(QDialog& dialogue)
{
    if (intercepteurDialogues())
        return intercepteurDialogues()(dialogue);
    return dialogue.exec();
}

void installeIntercepteurDialogues(TIntercepteurDialogues fonction)
{
    intercepteurDialogues() = std::move(fonction);
}

void installeIntercepteurMessages(TIntercepteurMessages fonction)
{
    intercepteur() = std::move(fonction);
}

QString texteAffichable(QString texte)
{
    texte.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    texte.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return texte;
}

QMessageBox::StandardButton boiteMessage(QWidget* parent, TIconeMessage icone, const QString& texte,
                                         QMessageBox::StandardButtons boutons)
{
    if (intercepteur())
        return intercepteur()(TMessage{icone, texte, boutons});
    static const QMessageBox::Icon icones[] = {QMessageBox::Information, QMessageBox::Warning,
                                              QMessageBox::Question, QMessageBox::Critical, QMessageBox::NoIcon};
    QMessageBox boite(icones[static_cast<int>(icone)], QStringLiteral("Galvora"), texteAffichable(texte), boutons,
                      parent);
    return static_cast<QMessageBox::StandardButton>(boite.exec());
}

} // namespace gv

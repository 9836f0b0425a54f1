// Program entry: one copy per user, the title window while the units are
// detected, then the main window and the message loop.
#include "app/EmplacementsGV.h"
#include "app/InstanceUnique.h"
#include "app/TFicheGVChoixCentrale.h"
#include "app/TFicheGVMixte.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/UniteBaseChaines.h"
#include "platform/PompeMessages.h"
#include "platform/Systeme.h"

#include <QApplication>
#include <QLabel>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <memory>

// The version of this executable, read back by versionFichier like the
// version resource of a Windows program.
[[gnu::used]] static const char marqueVersion[] = "FileVersion=" GALVORA_VERSION_FICHIER;

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Galvora"));
    QApplication::setApplicationDisplayName(QStringLiteral("Galvora"));
    QApplication::setDesktopFileName(QStringLiteral("galvora"));
    (void)marqueVersion;

    const QString version =
        QString::fromStdString(plateforme::versionFichier(QApplication::applicationFilePath().toStdString()));

    const std::unique_ptr<QLockFile> verrou = gv::verrouInstance();
    if (!verrou)
        return 0;

    // The standard dialogs (file choice, questions) speak French like the
    // rest of the program, whatever the desktop's language.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductionQt);

    // Numbers are read and written with the user's decimal separator.
    setSeparateurDecimal(QLocale::system().decimalPoint().at(0).toLatin1());

    // Long driver waits keep the windows alive.
    plateforme::installePompeMessages([] { QApplication::processEvents(); });

    auto titre = std::make_unique<TFicheGVMixteTitre>(version);
    titre->LabelVersion->setText(QStringLiteral("Version ") + version);
    titre->show();
    titre->repaint();
    QApplication::processEvents();

    auto choix = std::make_unique<TFicheGVChoixCentrale>();

    TContexteGV contexte;
    contexte.emplacements = gv::emplacementsParDefaut();
    contexte.fabrique = gv::fabriqueDesPilotes();
    contexte.titre = titre.get();
    contexte.choix = choix.get();
    contexte.version = version;
    auto fiche = std::make_unique<TFicheGVMixte>(contexte);

    if (fiche->nbCentralesGerees > 0) {
        titre->ajouteLigneMemo(QStringLiteral("Autres préparations... "));
        titre->ajouteLigneMemo(QString());
        titre->ajouteLigneMemo(QStringLiteral("Démarrage terminé"));
    }
    fiche->show();
    titre->raise();
    titre->demarreFondu();
    const int resultat = QApplication::exec();
    fiche.reset();
    plateforme::installePompeMessages(nullptr);
    return resultat;
}

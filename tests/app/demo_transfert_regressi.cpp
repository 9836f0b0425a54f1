// The direct transfer to REGRESSI as a new user meets it, in the real window
// on the simulated SP5, with the stand-in REGRESSI in the user's downloads
// and no Wine: the open dialog, then the message that REGRESSI cannot be
// started, then the window with its button disabled. Takes a screenshot of
// the X screen at each step (run it under Xvfb):
//   app_demo_transfert_regressi <folder for the pictures>
#include "FenetreSimulee.h"

#include "EnvironnementTest.h"
#include "app/TransfertREGFenetre.h"
#include "platform/PompeMessages.h"

#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QListView>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QToolButton>
#include <QTranslator>

#include <cstdio>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

QString dossierImages;

void capture(const QString& nom)
{
    QApplication::processEvents();
    QTest::qWait(600);
    const QString fichier = dossierImages + QLatin1Char('/') + nom;
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), fichier});
    std::printf("%s\n", qPrintable(fichier));
}

TSourceRegressi sourceDe(TFicheGVMixte& fiche)
{
    TSourceRegressi source;
    source.courbes = &fiche.courbes;
    source.nomCentrale = QString::fromStdString(fiche.SP5->nomCentrale);
    source.calibresEAStandard.assign(fiche.SP5->calibresEAStandard.begin(), fiche.SP5->calibresEAStandard.end());
    source.t0 = fiche.ecran().geometrie.t0;
    source.tFin = double(fiche.ecran().geometrie.tFin);
    source.heureAcq = fiche.heureAcq;
    source.maintenant = QDateTime::currentDateTime();
    source.OptionCouleursRegressi = fiche.reglages.OptionCouleursRegressi;
    source.cheminProgramme = QCoreApplication::applicationFilePath();
    source.locale = QLocale::system();
    return source;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder for the pictures>\n", argv[0]);
        return 2;
    }
    const std::string base = testgv::prepareEnvironnement("demo-transfert-regressi");
    ::unsetenv("WINEPREFIX");
    QApplication application(argc, argv);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    // The standard dialogs in French, as the program shows them.
    QTranslator traductionQt;
    if (traductionQt.load(QLocale(QLocale::French, QLocale::France), QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&traductionQt);
    dossierImages = QString::fromLocal8Bit(argv[1]);
    fs::create_directories(dossierImages.toStdString());
    plateforme::installePompeMessages([] { QCoreApplication::processEvents(); });

    // What the teacher downloaded: REGRESSI, and its notice.
    const std::string telechargements = base + "/home/Téléchargements/Regressi";
    fs::create_directories(telechargements);
    fs::copy_file(GALVORA_REGRESSI_FACTICE, telechargements + "/REGRESSI.EXE");
    std::ofstream(telechargements + "/Lisez-moi.txt") << "REGRESSI\n";

    testgv::TFenetreSimulee fenetre;
    std::unique_ptr<TFicheGVMixte> fiche = fenetre.ouvre(base, kSysamSP5);
    fiche->showMaximized();

    // Wired as the window wires it.
    TTransfertRegressi transfert({fiche->reglages.versionRegressiDefaut, fiche->reglages.cheminREGRESSINonDefautX,
                                  fiche->reglages.optionTransfertREGRESSI, fiche->dossierDocuments, fiche->aSupprimer},
                                 plateforme::registreWine());
    transfert.declareProgramme(QCoreApplication::applicationFilePath().toStdString());
    transfert.chercheRegressi();
    TInterfaceTransfertREGFenetre ui(
        fiche.get(), [] { return TChoixTransfertREG::NouveauDocument; },
        [&] { fiche->SBTransfertDirectREG->setEnabled(false); });
    const auto autres = fiche->commandeOutil;
    fiche->commandeOutil = [&](QToolButton* bouton) {
        if (bouton == fiche->SBTransfertDirectREG)
            transfert.TransfertRegressiFichier(sourceDe(*fiche), fiche->sdateAcqX, ui);
        else if (autres)
            autres(bouton);
    };

    QTest::qWait(500);
    QTest::mouseClick(fiche->BAcquisition, Qt::LeftButton);
    if (!QTest::qWaitFor([&] { return fiche->MODEGENERAL == 2; }, 10000)) {
        std::fprintf(stderr, "no acquisition\n");
        return 1;
    }

    // The dialogs are modal: they are operated from inside their own loops.
    int etape = 0;
    QTimer veille;
    veille.setInterval(100);
    QObject::connect(&veille, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* dialogue = qobject_cast<QFileDialog*>(modal); dialogue && etape == 0) {
            etape = 1;
            capture(QStringLiteral("1-recherche-regressi.png"));
            dialogue->setDirectory(QString::fromStdString(telechargements));
            auto* liste = dialogue->findChild<QListView*>(QStringLiteral("listView"));
            [[maybe_unused]] const bool rempli = QTest::qWaitFor(
                [&] { return liste && liste->model()->rowCount(liste->rootIndex()) > 0; }, 5000);
            capture(QStringLiteral("2-recherche-regressi-telechargements.png"));
            auto* nom = dialogue->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            nom->clear();
            QTest::keyClicks(nom, QStringLiteral("REGRESSI.EXE"));
            QTest::keyClick(nom, Qt::Key_Return);
        } else if (auto* boite = qobject_cast<QMessageBox*>(modal); boite && etape == 1) {
            etape = 2;
            capture(QStringLiteral("3-regressi-introuvable.png"));
            boite->accept();
        }
    });
    veille.start();
    QTest::mouseClick(fiche->SBTransfertDirectREG, Qt::LeftButton);
    veille.stop();
    capture(QStringLiteral("4-bouton-desactive.png"));
    std::printf("dialogue: %s, message: %s, button enabled: %s, file: %s\n", etape >= 1 ? "yes" : "no",
                etape >= 2 ? "yes" : "no", fiche->SBTransfertDirectREG->isEnabled() ? "yes" : "no",
                transfert.nfRegAC.c_str());

    fiche.reset();
    fenetre.ferme();
    plateforme::installePompeMessages(nullptr);
    fs::remove_all(base);
    return etape == 2 ? 0 : 1;
}

// Opens the main window on a simulated unit, checks "Mode permanent" and
// starts it on input 0 (a 50 Hz sine on every simulated unit), with no
// synchronisation or synchronised on a rising 1 V threshold of that input,
// and lets it run a few seconds, so that it can be looked at or captured
// while the frames follow one another; then stops it.
//   demo_permanent <SP5|V6|CAMPUS> <aucune|seuil> [durée totale] [secondes]
#include "ControlesFiche.h"
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "app/Messages.h"
#include "model/TCentrale.h"

#include <QApplication>
#include <QTimer>
#include <filesystem>

using testgv::ui;

int main(int argc, char* argv[])
{
    const std::string racine = testgv::prepareEnvironnement("demo-permanent");
    QApplication application(argc, argv);
    const QString unite = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("SP5");
    const bool seuil = argc > 2 && QString::fromLocal8Bit(argv[2]) == QStringLiteral("seuil");
    const std::string duree = argc > 3 ? argv[3] : "50 ms";
    const int secondes = argc > 4 ? std::atoi(argv[4]) : 6;
    const int32_t type = unite == QStringLiteral("V6") ? kSysamV6 : unite == QStringLiteral("CAMPUS") ? kSysamCampus : kSysamSP5;
    // The V6 beside the CAMPUS is warned of at start: answered at once.
    gv::installeIntercepteurMessages([](const gv::TMessage&) { return QMessageBox::Ok; });
    testgv::TFenetreSimulee fenetre;
    auto fiche = fenetre.ouvre(racine, type);
    fiche->showMaximized();
    if (!QTest::qWaitForWindowExposed(fiche.get()))
        qWarning("window not exposed");
    fiche->controleur().ChangeDureeTotale(duree);
    fiche->controleur().changeNbPts("1001");
    testgv::cliqueBouton(ui(*fiche).CBModePermanent);
    if (seuil) {
        testgv::choisitDansListe(ui(*fiche).CBTypeDeclenchement, kDeclSeuil);
        ui(*fiche).EditUSeuilDecl->setFocus();
        ui(*fiche).EditUSeuilDecl->selectAll();
        QTest::keyClicks(ui(*fiche).EditUSeuilDecl, QStringLiteral("1"));
        QTest::keyClick(ui(*fiche).EditUSeuilDecl, Qt::Key_Return);
    }
    QTimer::singleShot(secondes * 1000, fiche.get(), [&fiche] {
        QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
    });
    QTest::mouseClick(ui(*fiche).BAcquisition, Qt::LeftButton);
    QTest::qWait(1000);
    fiche->peutFermer = true;
    fiche.reset();
    fenetre.ferme();
    std::filesystem::remove_all(racine);
    return 0;
}

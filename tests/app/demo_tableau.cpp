// Opens the main window on the simulated SP5, acquires 1001 points on the
// first n inputs (1 to 8), shows the measurement table and keeps the window
// open a few seconds, so that it can be looked at or captured; with a file
// name, the window is also saved to it. With a time in ms, "t = 0" is put
// there first and the table scrolled to it.
//   demo_tableau <n> [image.png] [t0 en ms]
#include "EnvironnementTest.h"
#include "FenetreSimulee.h"
#include "display/ModeleTableau.h"
#include "display/VueTableau.h"

#include <QApplication>
#include <QCheckBox>
#include <QTimer>
#include <QToolButton>
#include <filesystem>

int main(int argc, char* argv[])
{
    const std::string racine = testgv::prepareEnvironnement("demo-tableau");
    QApplication application(argc, argv);
    const int n = std::clamp(argc > 1 ? std::atoi(argv[1]) : 3, 1, 8);
    const QString image = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
    const double t0 = argc > 3 ? std::atof(argv[3]) / 1000 : 0;
    testgv::TFenetreSimulee fenetre;
    auto fiche = fenetre.ouvre(racine, kSysamSP5);
    if (!QTest::qWaitForWindowExposed(fiche.get()))
        qWarning("window not exposed");
    for (int v = 0; v < n; ++v) {
        auto* active = fiche->findChild<QCheckBox*>(QStringLiteral("CBVoiesActives%1").arg(v));
        if (!active->isChecked())
            QTest::mouseClick(active, Qt::LeftButton, {}, QPoint(8, active->height() / 2));
    }
    fiche->controleur().ChangeDureeTotale("100 ms");
    fiche->controleur().changeNbPts("1001");
    QTest::mouseClick(fiche->findChild<QPushButton*>(QStringLiteral("BAcquisition")), Qt::LeftButton);
    QTest::mouseClick(fiche->findChild<QToolButton*>(QStringLiteral("SBVoirTableau")), Qt::LeftButton);
    if (t0 > 0) {
        TGeometrieEcran& g = fiche->ecran().geometrie;
        QWidget* ecran = fiche->widgetEcran->iEcranX();
        const int y = g.mSup + g.hauG / 2;
        QTest::mousePress(ecran, Qt::LeftButton, {}, QPoint(g.xeT0X, y));
        QTest::mouseMove(ecran, QPoint(g.xe(t0), y));
        QTest::mouseRelease(ecran, Qt::LeftButton, {}, QPoint(g.xe(t0), y));
        auto* tableau = fiche->findChild<TPanneauTableau*>(QStringLiteral("PTableau"));
        const int k = int(std::lround(t0 / fiche->mesures.dtAX));
        tableau->SGMesures->scrollTo(tableau->modele()->index(std::max(k - 5, 0), 1),
                                     QAbstractItemView::PositionAtTop);
    }
    QTest::qWait(500);
    if (!image.isEmpty())
        fiche->grab().save(image);
    // Leaving without the closing questions.
    QTimer::singleShot(3000, &application, [&fiche] {
        fiche->peutFermer = true;
        QApplication::quit();
    });
    const int resultat = QApplication::exec();
    fiche.reset();
    fenetre.ferme();
    std::filesystem::remove_all(racine);
    return resultat;
}

// Shows the options dialog on one page (0 to 4), or the colour chooser
// ("choix"), for a few seconds, so that it can be looked at or captured.
#include "app/ReglagesGV.h"
#include "app/TFicheGVMixteOptions.h"
#include "drivers/sp5/TSP5.h"
#include "widgets/TFicheChoixCouleurCercleChro.h"

#include <QApplication>
#include <QButtonGroup>
#include <QPushButton>
#include <QTimer>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    const QString quoi = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("0");
    const int duree = argc > 2 ? QString::fromLocal8Bit(argv[2]).toInt() : 4000;
    QTimer::singleShot(duree, &application, &QApplication::quit);
    if (quoi == QLatin1String("choix")) {
        TFicheChoixCouleurCercleChro fiche;
        fiche.setWindowTitle(QStringLiteral("Couleur de la courbe de la voie EA0"));
        fiche.clChoisie = 0x90;
        fiche.show();
        fiche.move(20, 20);
        return QApplication::exec();
    }
    TSP5 unite("/chemin/inexistant/SP5.DLL", 1);
    gv::TReglagesGV reglages;
    reglages.clsV0 = gv::couleursDefaut();
    reglages.clsVX = reglages.clsV0;
    TFicheGVMixteOptions fiche(unite, reglages);
    fiche.FormShow();
    fiche.onglets->button(quoi.toInt())->click();
    fiche.show();
    fiche.move(20, 20);
    return QApplication::exec();
}

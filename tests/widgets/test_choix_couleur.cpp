// The colour chooser and its component, operated as a user would.
#include "widgets/TComposantChoixCouleurCercleChro.h"
#include "widgets/TFicheChoixCouleurCercleChro.h"

#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QtTest>
#include <functional>

namespace {

using TOperation = std::function<void(TFicheChoixCouleurCercleChro&)>;

// Shows the chooser as execute() would, waits for the circle, then lets the
// test operate it; the result is what closed it (0 when nothing did).
int opere(QDialog& dialogue, const TOperation& operation)
{
    auto& fiche = static_cast<TFicheChoixCouleurCercleChro&>(dialogue);
    fiche.setResult(0);
    fiche.show();
    if (!QTest::qWaitFor([&] { return !fiche.premierActivate; }, 5000))
        return -1;
    operation(fiche);
    return fiche.result();
}

// The point of the image straight above the centre, at a fraction of the radius.
QPoint auDessusDuCentre(const TFicheChoixCouleurCercleChro& f, double fraction)
{
    const int centre = f.pbC->width() / 2;
    return QPoint(centre, centre - int(fraction * f.rayon));
}

QRgb pixelEchantillon(const TFicheChoixCouleurCercleChro& f, int x, int y)
{
    return f.imageEchantillon().pixel(x, y);
}

} // namespace

class TestChoixCouleur : public QObject {
    Q_OBJECT
private slots:
    void proprietes();
    void ouverture();
    void okPrendLaCouleurClique();
    void annulerLaisseLesProprietes();
    void mouvementsEtMinuterie();
    void boitesDAjustage();
    void echantillon();
    void redimensionnementSansRecalcul();
};

void TestChoixCouleur::proprietes()
{
    TComposantChoixCouleurCercleChro c;
    c.setCouleur(10 + 256 * 20 + 65536 * 30);
    QCOMPARE(int(c.rouge()), 10);
    QCOMPARE(int(c.vert()), 20);
    QCOMPARE(int(c.bleu()), 30);
    // The high byte of a colour value is not kept.
    c.setCouleur(0x02000090u);
    QCOMPARE(c.couleur(), 0x90u);
    c.setVert(255);
    QCOMPARE(c.couleur(), 0x90u + 0xFF00u);
    c.setBleu(1);
    QCOMPARE(c.couleur(), 0x90u + 0xFF00u + 0x10000u);
    // Through the published properties as well.
    c.setProperty("couleur", 10 + 256 * 20 + 65536 * 30);
    QCOMPARE(c.property("vert").toUInt(), 20u);
}

void TestChoixCouleur::ouverture()
{
    TFicheChoixCouleurCercleChro f;
    QCOMPARE(f.windowTitle(), QStringLiteral("Choix d'une couleur"));
    QCOMPARE(f.StatusBar1->currentMessage(), QStringLiteral("Préparation des couleurs..."));
    QVERIFY(f.premierActivate);
    const QSize ecran = f.screen()->availableGeometry().size();
    QCOMPARE(f.width(), ecran.width() * 2 / 3);
    QCOMPARE(f.maximumWidth(), ecran.width() * 2 / 3);
    QCOMPARE(f.maximumHeight(), 490);
    QCOMPARE(f.minimumSize(), QSize(300, 250));
    QCOMPARE(f.height(), std::clamp(ecran.height() * 2 / 3, 250, 490));
    QCOMPARE(f.TimerMM.interval(), 5000);
    QVERIFY(!f.TimerMM.isActive());
    for (QSpinBox* s : {f.SERouge, f.SEVert, f.SEBleu})
        QCOMPARE(s->value(), 0);
    QCOMPARE(f.ButtonAnnuler->text(), QStringLiteral("Annuler "));
    // Until it is painted, the image is black.
    QCOMPARE(f.imageCercle().pixel(f.pbC->width() / 2, f.pbC->height() / 2), qRgb(0, 0, 0));
    // The circle fills the left part, centred: its side is 2 × radius + 4.
    QCOMPARE(f.pbC->width(), int(2 * f.rayon) + 4);
    QCOMPARE(f.pbC->height(), f.pbC->width());
    const QRect zone = f.Panel5->contentsRect();
    QCOMPARE(f.rayon, float(std::min(zone.width() / 2 - 1, zone.height() / 2 - 1) - 2));

    f.show();
    QVERIFY(QTest::qWaitFor([&] { return !f.premierActivate; }, 5000));
    // Painted once, centre white.
    const int centre = f.pbC->width() / 2;
    QCOMPARE(f.imageCercle().pixel(centre, centre), qRgb(255, 255, 255));
    QCOMPARE(f.bm2.size(), f.pbC->size());
    QVERIFY(f.LPanel5->text().isEmpty());
}

void TestChoixCouleur::okPrendLaCouleurClique()
{
    TComposantChoixCouleurCercleChro c;
    c.setCouleur(10 + 256 * 20 + 65536 * 30);
    c.setTitre(QStringLiteral("Couleur de la courbe de la voie EA3"));
    QString titre;
    c.executeur = [&](QDialog& d) {
        return opere(d, [&](TFicheChoixCouleurCercleChro& f) {
            titre = f.windowTitle();
            // The sample shows the colour passed in, the boxes 0.
            QCOMPARE(f.clChoisie, 10u + 256 * 20 + 65536 * 30);
            QCOMPARE(f.SERouge->value(), 0);
            QTest::mouseClick(f.pbC, Qt::LeftButton, {}, auDessusDuCentre(f, 0.7));
            QTest::mouseClick(f.ButtonOK, Qt::LeftButton);
        });
    };
    QVERIFY(c.execute());
    QCOMPARE(titre, QStringLiteral("Couleur de la courbe de la voie EA3"));
    QCOMPARE(c.couleur(), 255u);
    QCOMPARE(int(c.rouge()), 255);
    QCOMPARE(int(c.vert()), 0);
    QCOMPARE(int(c.bleu()), 0);
}

void TestChoixCouleur::annulerLaisseLesProprietes()
{
    for (const char* fermeture : {"Annuler", "Echap"}) {
        TComposantChoixCouleurCercleChro c;
        c.setCouleur(10 + 256 * 20 + 65536 * 30);
        c.executeur = [&](QDialog& d) {
            return opere(d, [&](TFicheChoixCouleurCercleChro& f) {
                QTest::mouseClick(f.pbC, Qt::LeftButton, {}, auDessusDuCentre(f, 0.7));
                QCOMPARE(f.clChoisie, 255u);
                if (QByteArray(fermeture) == "Annuler")
                    QTest::mouseClick(f.ButtonAnnuler, Qt::LeftButton);
                else
                    QTest::keyClick(&f, Qt::Key_Escape);
                QVERIFY(f.result() != 1);
            });
        };
        QVERIFY(!c.execute());
        QCOMPARE(c.couleur(), 10u + 256 * 20 + 65536 * 30);
        QCOMPARE(int(c.rouge()), 10);
        QCOMPARE(int(c.vert()), 20);
        QCOMPARE(int(c.bleu()), 30);
    }
    // "Aide" closes nothing.
    TComposantChoixCouleurCercleChro c;
    int resultat = -2;
    c.executeur = [&](QDialog& d) {
        resultat = opere(d, [](TFicheChoixCouleurCercleChro& f) { QTest::mouseClick(f.ButtonAide, Qt::LeftButton); });
        return resultat;
    };
    QVERIFY(!c.execute());
    QCOMPARE(resultat, 0);
}

void TestChoixCouleur::mouvementsEtMinuterie()
{
    TFicheChoixCouleurCercleChro f;
    opere(f, [&](TFicheChoixCouleurCercleChro& f) {
        const int centre = f.pbC->width() / 2;
        // Moving over the circle takes the colour under the pointer.
        QTest::mouseMove(f.pbC, QPoint(centre, centre));
        QCOMPARE(f.clChoisie, 0xFFFFFFu);
        QCOMPARE(f.SERouge->value(), 255);
        QCOMPARE(f.GBleu->value(), 255);
        QCOMPARE(f.StatusBar1->currentMessage(),
                 QStringLiteral("Cliquez sur une couleur, puis affinez si nécessaire à l'aide des boites d'ajustage "));
        QTest::mouseMove(f.pbC, auDessusDuCentre(f, 0.5));
        QCOMPARE(f.clChoisie, 255u);
        QCOMPARE(f.GVert->value(), 0);
        // Outside the circle: black.
        QTest::mouseMove(f.pbC, QPoint(1, 1));
        QCOMPARE(f.clChoisie, 0u);
        // Over the window outside its controls, before any click: black.
        QTest::mouseMove(f.pbC, auDessusDuCentre(f, 0.5));
        f.FormMouseMove();
        QCOMPARE(f.clChoisie, 0u);
        QCOMPARE(f.SERouge->value(), 0);

        // A click keeps its colour for 5 s whatever the pointer does.
        QTest::mouseClick(f.pbC, Qt::LeftButton, {}, auDessusDuCentre(f, 0.5));
        QVERIFY(f.ajustage);
        QVERIFY(f.TimerMM.isActive());
        QCOMPARE(f.StatusBar1->currentMessage(),
                 QStringLiteral("Affinez si nécessaire à l'aide des boites d'ajustage; validez avec [OK] "));
        QTest::mouseMove(f.pbC, QPoint(centre, centre));
        QCOMPARE(f.clChoisie, 255u);
        f.FormMouseMove();
        QCOMPARE(f.clChoisie, 255u);
        // When the 5 s are over, moving over the circle changes it again
        // (the timer is shortened here so that the test does not wait).
        f.TimerMM.setInterval(30);
        QTest::mouseClick(f.pbC, Qt::LeftButton, {}, auDessusDuCentre(f, 0.5));
        QVERIFY(QTest::qWaitFor([&] { return !f.TimerMM.isActive(); }, 2000));
        QTest::mouseMove(f.pbC, QPoint(centre, centre + 1));
        QTest::mouseMove(f.pbC, QPoint(centre, centre));
        QCOMPARE(f.clChoisie, 0xFFFFFFu);
    });
}

void TestChoixCouleur::boitesDAjustage()
{
    TFicheChoixCouleurCercleChro f;
    opere(f, [&](TFicheChoixCouleurCercleChro& f) {
        f.SERouge->setValue(200);
        QCOMPARE(f.clChoisie, 200u);
        QCOMPARE(f.GRouge->value(), 200);
        f.SEBleu->setValue(30);
        QCOMPARE(f.clChoisie, 200u + 65536u * 30);
        QCOMPARE(f.GBleu->value(), 30);
        QCOMPARE(int(f.b1), 30);
        // Typing is refused; the arrow keys step.
        QVERIFY(f.SEVert->findChild<QLineEdit*>()->isReadOnly());
        f.SEVert->setFocus();
        QTest::keyClick(f.SEVert, Qt::Key_Up);
        QTest::keyClick(f.SEVert, Qt::Key_Up);
        QCOMPARE(f.SEVert->value(), 2);
        QCOMPARE(f.clChoisie, 200u + 256u * 2 + 65536u * 30);
        QCOMPARE(f.GVert->value(), 2);
        QCOMPARE(f.SERouge->maximum(), 255);
        QCOMPARE(f.SERouge->minimum(), 0);
    });
}

void TestChoixCouleur::echantillon()
{
    TFicheChoixCouleurCercleChro f;
    opere(f, [&](TFicheChoixCouleurCercleChro& f) {
        f.clChoisie = 10 + 256 * 20 + 65536 * 30;
        f.echantillon(0);
        const int W = f.pbE->width(), h2 = f.pbE->height() / 2;
        QCOMPARE(f.imageEchantillon().size(), f.pbE->size());
        // Black half on top, white half below, the colour in a rectangle on each.
        QCOMPARE(pixelEchantillon(f, 1, 1), qRgb(0, 0, 0));
        QCOMPARE(pixelEchantillon(f, 1, h2 + 1), qRgb(255, 255, 255));
        QCOMPARE(pixelEchantillon(f, W / 2, h2 / 2), qRgb(10, 20, 30));
        QCOMPARE(pixelEchantillon(f, W / 2, h2 + h2 / 2), qRgb(10, 20, 30));
        QCOMPARE(pixelEchantillon(f, W / 6, h2 / 6), qRgb(255, 255, 255));
        QCOMPARE(pixelEchantillon(f, W / 6, h2 + h2 / 6), qRgb(0, 0, 0));
        QCOMPARE(pixelEchantillon(f, 5 * W / 6 - 1, 5 * h2 / 6 - 1), qRgb(255, 255, 255));
        QCOMPARE(pixelEchantillon(f, 5 * W / 6, 5 * h2 / 6), qRgb(0, 0, 0));
        // Option 1 repaints the rectangles only.
        f.clChoisie = 255;
        f.echantillon(1);
        QCOMPARE(pixelEchantillon(f, W / 2, h2 / 2), qRgb(255, 0, 0));
        QCOMPARE(pixelEchantillon(f, 1, h2 + 1), qRgb(255, 255, 255));
    });
}

void TestChoixCouleur::redimensionnementSansRecalcul()
{
    TFicheChoixCouleurCercleChro f;
    opere(f, [&](TFicheChoixCouleurCercleChro& f) {
        const qint64 cercle = f.bm2.cacheKey();
        const int cote = f.pbC->width();
        f.resize(f.minimumSize());
        QVERIFY(QTest::qWaitFor([&] { return f.pbC->width() != cote; }, 2000));
        QCOMPARE(f.bm2.cacheKey(), cercle);
        QCOMPARE(f.imageCercle().size(), f.pbC->size());
        QCOMPARE(f.pbC->width(), int(2 * f.rayon) + 4);
        // The stretched circle: still red straight up and cyan straight down.
        const int centre = f.pbC->width() / 2;
        const QRgb bas = f.imageCercle().pixel(centre, centre + int(0.47 * f.rayon));
        QVERIFY2(qRed(bas) < 15 && qGreen(bas) > 240 && qBlue(bas) > 240, qPrintable(QString::number(bas, 16)));
        const QRgb haut = f.imageCercle().pixel(centre, centre - int(0.6 * f.rayon));
        QVERIFY2(qRed(haut) > 240 && qGreen(haut) < 15 && qBlue(haut) < 15, qPrintable(QString::number(haut, 16)));
        // Its frame: white on the outer right column and bottom row, RGB(25, 25, 25) on the left.
        QCOMPARE(f.imageCercle().pixel(f.pbC->width() - 1, centre), qRgb(255, 255, 255));
        QCOMPARE(f.imageCercle().pixel(centre, f.pbC->height() - 2), qRgb(0, 0, 0));
        QCOMPARE(f.imageCercle().pixel(0, centre), qRgb(25, 25, 25));
        QCOMPARE(f.imageCercle().pixel(1, centre), qRgb(255, 255, 255));
    });
}

QTEST_MAIN(TestChoixCouleur)
#include "test_choix_couleur.moc"

// The toolbar pictures: the sprite sheet and its scaling by averaging.
#include "app/Disposition.h"
#include "app/IconesBoutons.h"

#include <QApplication>
#include <QtTest>

using namespace gv;

class TestIcones : public QObject {
    Q_OBJECT
private slots:
    void feuilleDeDouzeLignesDeQuatreEtats()
    {
        const QImage feuille = feuilleBoutons();
        QCOMPARE(feuille.size(), QSize(4 * 64, 12 * 64));
        QCOMPARE(feuille.depth(), 24);
        // Each used row has four different states; the disabled state has no
        // saturated colour left.
        for (int bouton = 0; bouton < nbBoutonsOutils; ++bouton) {
            const int ligne = ligneSprite[bouton];
            const QImage etats[4] = {feuille.copy(0, ligne * 64, 64, 64), feuille.copy(64, ligne * 64, 64, 64),
                                     feuille.copy(128, ligne * 64, 64, 64), feuille.copy(192, ligne * 64, 64, 64)};
            QVERIFY(etats[0] != etats[1]);
            QVERIFY(etats[0] != etats[2]);
            QVERIFY(etats[0] != etats[3]);
            int sature = 0;
            for (int y = 0; y < 64; ++y)
                for (int x = 0; x < 64; ++x)
                    sature += QColor(etats[1].pixel(x, y)).saturation() > 60 ? 1 : 0;
            QVERIFY2(sature == 0, qPrintable(QStringLiteral("bouton %1").arg(bouton)));
        }
    }

    void reductionParMoyenne()
    {
        // A cell of 2 × 2 blocks: left half black, right half white, with
        // one red column at x = 0.
        QImage feuille(4 * 64, 12 * 64, QImage::Format_RGB888);
        feuille.fill(Qt::black);
        for (int y = 64; y < 128; ++y)
            for (int x = 64 + 32; x < 128; ++x)
                feuille.setPixel(x, y, qRgb(255, 255, 255));
        for (int y = 64; y < 128; ++y)
            feuille.setPixel(64, y, qRgb(255, 0, 0));
        const QImage petite = celluleReduite(feuille, 1, 1, 32);
        QCOMPARE(petite.size(), QSize(32, 32));
        // Destination pixel 0 averages source columns 0 and 1: red and black.
        QCOMPARE(QColor(petite.pixel(0, 5)).red(), 127);
        QCOMPARE(QColor(petite.pixel(0, 5)).green(), 0);
        QCOMPARE(petite.pixel(10, 10), qRgb(0, 0, 0));
        QCOMPARE(petite.pixel(20, 10), qRgb(255, 255, 255));
        // 26 pixels: destination column 0 takes source columns 0, 1 and 2.
        const QImage p26 = celluleReduite(feuille, 1, 1, 26);
        QCOMPARE(p26.pixel(0, 3), qRgb(255 / 3, 0, 0));
        QCOMPARE(p26.pixel(1, 3), qRgb(0, 0, 0));
        // Larger than the cell: every pixel still gets a value.
        const QImage grande = celluleReduite(feuille, 1, 1, 100);
        QCOMPARE(grande.pixel(99, 99), qRgb(255, 255, 255));
        QCOMPARE(grande.pixel(40, 40), qRgb(0, 0, 0));
    }

    void imageDesQuatreEtats()
    {
        const QImage feuille = feuilleBoutons();
        const int s = 26;
        const QImage image = imageBouton(feuille, ligneSprite[boutonQuitter], s);
        QCOMPARE(image.size(), QSize(4 * (s + 3), s + 3));
        for (int k = 0; k < 4; ++k) {
            QCOMPARE(image.pixel(k * (s + 3), s + 2), qRgb(255, 0, 0));
            QCOMPARE(image.copy(k * (s + 3) + 1, 1, s, s), celluleReduite(feuille, 11, k, s).convertToFormat(image.format()));
        }
        const QIcon icone = iconeBouton(image, s);
        QVERIFY(!icone.pixmap(s, s, QIcon::Disabled).isNull());
        QVERIFY(icone.pixmap(s, s, QIcon::Normal).toImage() != icone.pixmap(s, s, QIcon::Disabled).toImage());
    }
};

QTEST_MAIN(TestIcones)
#include "test_icones.moc"

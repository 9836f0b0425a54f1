// The measurement table over measurements made here: the cells' texts, the
// three header rows, the band between the green cursors, the sizes at the
// window's scale, the delete mark, and what the grid refuses.
#include "Fixtures.h"
#include "MesuresTableau.h"
#include "display/DessinTableau.h"
#include "display/EnteteTableau.h"
#include "display/ModeleTableau.h"
#include "display/TextesTableau.h"
#include "display/VueTableau.h"
#include "model/UniteBaseChaines.h"

#include <QAccessible>
#include <QHeaderView>
#include <QScrollBar>
#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

std::string texte(const QVariant& v)
{
    return v.toString().toStdString();
}

struct Tableau : ::testing::Test {
    void SetUp() override
    {
        assureApplication();
        setSeparateurDecimal('.');
    }
    void TearDown() override { setSeparateurDecimal('.'); }
};

} // namespace

// ---- Texts of the cells --------------------------------------------------------------

TEST_F(Tableau, TimeUnitFollowsTheDuration)
{
    const struct {
        double duree;
        const char* unite;
        double mult;
    } cas[] = {
        {2.0, "s", 1},         {20e-3, "ms", 1e3},      {500e-6, "µs", 1e6},
        {1.0, "ms", 1e3},      {1.0000002, "s", 1},     {1e-3, "µs", 1e6},
        {1.000002e-3, "ms", 1e3},
    };
    for (const auto& c : cas) {
        const TUniteTemps u = uniteTemps(c.duree);
        EXPECT_STREQ(u.sUniteT, c.unite) << c.duree;
        EXPECT_EQ(u.multT, c.mult) << c.duree;
    }
}

// 20 ms in ms, 500 µs in µs (a 10 µs interval gives 10, 20, 30 ...), 2 s in s.
TEST_F(Tableau, TimeColumnOfEachDuration)
{
    const struct {
        double duree;
        int64_t n;
        const char* unite;
        std::vector<std::string> premiers;
        std::string dernier;
    } cas[] = {
        {20e-3, 101, "ms", {"0", "0.2", "0.4", "0.6"}, "20"},
        {500e-6, 51, "µs", {"0", "10", "20", "30"}, "500"},
        {2.0, 201, "s", {"0", "0.01", "0.02", "0.03"}, "2"},
        {1e-3, 1001, "µs", {"0", "1", "2", "3"}, "1000"},
        {10.0, 7, "s", {"0", "1.6667", "3.3333", "5"}, "10"},
    };
    for (const auto& c : cas) {
        TMesures m = mesuresDe(c.duree, c.n, {[](double) { return 1.0; }}, {"u[EA0]"});
        TModeleTableau modele(m);
        modele.remplit();
        ASSERT_EQ(modele.rowCount(), c.n);
        EXPECT_EQ(texte(modele.headerData(1, Qt::Horizontal, TModeleTableau::roleLigneUnite)), c.unite);
        for (std::size_t k = 0; k < c.premiers.size(); ++k)
            EXPECT_EQ(texte(modele.index(int(k), 1).data()), c.premiers[k]) << c.duree << " point " << k;
        EXPECT_EQ(texte(modele.index(int(c.n - 1), 1).data()), c.dernier) << c.duree;
        EXPECT_EQ(texte(modele.index(int(c.n - 1), 0).data()), std::to_string(c.n - 1));
    }
}

TEST_F(Tableau, TimesInTheUsersDecimalSeparatorAndWithExponents)
{
    setSeparateurDecimal(',');
    EXPECT_EQ(texteTemps(1, 0.0002, 0, 1000), "0,2");
    // 5 significant digits, written as the files write 6.
    EXPECT_EQ(texteTemps(1, 1.0 / 3.0, 0, 1), "0,33333");
    EXPECT_EQ(texteTemps(1, 2e-5, 0, 1), "2E-005");
    EXPECT_EQ(texteTemps(123456, 10.0, 0, 1), "1,2346E006");
    EXPECT_EQ(texteValeur(-1.23456f, 1, 1e-3), "-1,235");
}

// The point under "t = 0" reads 0, not what is left of k × dtAX - t0.
TEST_F(Tableau, PointUnderTheFirstCursorIsAtZero)
{
    const double dt = 0.1;
    const double t0 = 3 * dt; // 0.30000000000000004: not exactly 3 × 0.1
    EXPECT_EQ(texteTemps(3, dt, t0, 1000), "0");
    EXPECT_EQ(texteTemps(2, dt, t0, 1000), "-100");
    EXPECT_EQ(texteTemps(4, dt, t0, 1000), "100");
}

// "0" when |y / dtAX| < 0.01 with y in the curve's unit and dtAX in seconds;
// otherwise 4 significant digits.
TEST_F(Tableau, ValuesBelowOnePercentOfTheIntervalAreZero)
{
    const struct {
        float u;
        float multVM;
        double dtAX;
        const char* attendu;
    } cas[] = {
        {1e-7f, 1, 1e-3, "0"},            // 1e-7 / 1e-3 = 1e-4 < 0.01
        {-1e-7f, 1, 1e-3, "0"},
        {2e-5f, 1, 1e-3, "2E-005"},       // 0.02: shown
        {9e-6f, 1, 1e-3, "0"},
        {1e-7f, 1000, 1e-3, "0.0001"},    // the same sample on a mV curve: 1e-4 mV
        {1e-7f, 1, 1e-6, "1E-007"},       // a short interval shows it
        {1.23456f, 1, 1e-3, "1.235"},
        {0.0123456f, 1000, 1e-3, "12.35"},
        {2.5e-6f, 1000000, 1e-3, "2.5"},
        {9.99951f, 1, 1e-3, "10"},
        {-4.99f, 1, 1e-3, "-4.99"},
        {0.0f, 1, 1e-3, "0"},
    };
    for (const auto& c : cas)
        EXPECT_EQ(texteValeur(c.u, c.multVM, c.dtAX), c.attendu) << c.u << " × " << c.multVM << ", dt " << c.dtAX;
}

TEST_F(Tableau, CurveColumnsShowTheSamplesInTheirUnit)
{
    TMesures m = mesuresDe(0.02, 101, {[](double t) { return 5 * std::sin(314.159 * t); },
                                      [](double t) { return 0.02 + 0.15 * std::sin(6283.2 * t); },
                                      [](double t) { return t < 0.01 ? 0.0 : 5.0; }},
                           {"u[EA0]", "u[EA7]", "u[EA2]"});
    TModeleTableau modele(m);
    modele.remplit();
    ASSERT_EQ(modele.columnCount(), 5);
    EXPECT_EQ(texte(modele.headerData(3, Qt::Horizontal, TModeleTableau::roleLigneUnite)), "mV");
    for (int k : {0, 1, 17, 50, 100}) {
        for (int i = 0; i < 3; ++i) {
            const float u = m.tv2[std::size_t(i)][std::size_t(k)];
            EXPECT_EQ(texte(modele.index(k, 2 + i).data()), texteValeur(u, m.voiesMesurees[std::size_t(i)].multVM, m.dtAX))
                << k << " " << i;
        }
    }
    EXPECT_EQ(texte(modele.index(10, 4).data()), "0");
    EXPECT_EQ(texte(modele.index(60, 4).data()), "5");
    EXPECT_EQ(texte(modele.index(0, 3).data()), "20"); // 0.02 V in mV
}

// ---- Header rows -----------------------------------------------------------------------

TEST_F(Tableau, HeaderRowsHoldTheMarkNamesAndUnits)
{
    TMesures m = mesuresDe(2.0, 11, {[](double) { return 1.0; }, [](double) { return 0.5; }},
                           {"u[EA0]", "u[EA1]"});
    TModeleTableau modele(m);
    modele.remplit();
    const auto ligne = [&](int colonne, int role) { return texte(modele.headerData(colonne, Qt::Horizontal, role)); };
    EXPECT_EQ(ligne(0, TModeleTableau::roleLigneTitre), TModeleTableau::marqueCoin);
    EXPECT_EQ(ligne(0, TModeleTableau::roleLigneUnite), "Unités");
    EXPECT_EQ(ligne(1, TModeleTableau::roleLigneTitre), "t");
    EXPECT_EQ(ligne(1, TModeleTableau::roleLigneUnite), "s");
    EXPECT_EQ(ligne(2, TModeleTableau::roleLigneTitre), "u[EA0]");
    EXPECT_EQ(ligne(2, TModeleTableau::roleLigneUnite), "V");
    EXPECT_EQ(ligne(3, TModeleTableau::roleLigneUnite), "mV");
    // Read out as one heading.
    EXPECT_EQ(ligne(3, Qt::DisplayRole), "u[EA1] (mV)");
}

// ---- The panel: filling, sizes, band, deletion -----------------------------------------

struct PanneauTableau : Tableau {
    TMesures m;
    std::unique_ptr<TPanneauTableau> panneau;

    void monte(double duree, int64_t n, int nbCourbes = 2)
    {
        std::vector<TSignal> signaux;
        std::vector<std::string> noms;
        for (int i = 0; i < nbCourbes; ++i) {
            signaux.push_back([i](double t) { return (i + 2) * std::sin(100 * t); });
            noms.push_back("u[EA" + std::to_string(i) + "]");
        }
        m = mesuresDe(duree, n, signaux, noms);
        panneau = std::make_unique<TPanneauTableau>(m);
        panneau->resize(400, 500);
        panneau->show();
    }
    QImage image()
    {
        QApplication::processEvents();
        return panneau->SGMesures->viewport()->grab().toImage();
    }
    QColor couleurLigne(const QImage& im, int colonne, int k)
    {
        const QRect r = panneau->SGMesures->visualRect(panneau->modele()->index(k, colonne));
        return im.pixelColor(r.left() + 1, r.center().y()); // left of the focus rectangle
    }
};

TEST_F(PanneauTableau, FilledOnlyWhenOutOfDateOrRescaled)
{
    monte(0.02, 101);
    EXPECT_FALSE(panneau->MAJTableauFaite);
    EXPECT_TRUE(panneau->MAJTableau(1.0f));
    EXPECT_TRUE(panneau->MAJTableauFaite);
    // Up to date: a renamed series waits for the next filling.
    m.voiesMesurees[0].sEnteteVM = "autre";
    EXPECT_FALSE(panneau->MAJTableau(1.0f));
    EXPECT_EQ(texte(panneau->modele()->headerData(2, Qt::Horizontal, TModeleTableau::roleLigneTitre)), "u[EA0]");
    panneau->MAJTableauFaite = false;
    EXPECT_TRUE(panneau->MAJTableau(1.0f));
    EXPECT_EQ(texte(panneau->modele()->headerData(2, Qt::Horizontal, TModeleTableau::roleLigneTitre)), "autre");
    // The sizes follow the window's scale.
    EXPECT_TRUE(panneau->MAJTableau(1.5f));
    // Nothing without curves or points: the grid keeps what it shows.
    TMesures vide;
    TPanneauTableau sansCourbe(vide);
    EXPECT_FALSE(sansCourbe.MAJTableau(1.0f));
    EXPECT_FALSE(sansCourbe.MAJTableauFaite);
    EXPECT_EQ(sansCourbe.modele()->rowCount(), 0);
}

TEST_F(PanneauTableau, RowsAndColumnsAtTheWindowsScale)
{
    monte(0.02, 50001);
    for (float K : {1.0f, 1.8f, 1.25f}) {
        panneau->MAJTableau(K);
        const TDimensionsTableau& d = panneau->dimensions();
        const int h18 = int(std::nearbyint(18 * K)), h20 = int(std::nearbyint(20 * K));
        EXPECT_EQ(d.hauteursEntete[0], h20) << K;
        EXPECT_EQ(d.hauteursEntete[1], h18) << K;
        EXPECT_EQ(d.hauteursEntete[2], h18) << K;
        EXPECT_EQ(panneau->SGMesures->rowHeight(0), h18) << K;
        EXPECT_EQ(panneau->SGMesures->rowHeight(50000), h18) << K;
        EXPECT_EQ(panneau->entete()->height(), h20 + 2 * h18) << K;
        const QFontMetrics fm(policeTableau(14, true, K));
        EXPECT_EQ(panneau->SGMesures->columnWidth(0),
                  std::max(fm.horizontalAdvance(QStringLiteral("Unités")), fm.horizontalAdvance(QStringLiteral("50001"))) + 3);
        EXPECT_EQ(panneau->SGMesures->columnWidth(1), fm.horizontalAdvance(QStringLiteral("9,99999")));
        const int w = fm.horizontalAdvance(QStringLiteral("u[EA0]"));
        EXPECT_EQ(d.w, w);
        EXPECT_EQ(panneau->SGMesures->columnWidth(2), w + 10);
        EXPECT_EQ(panneau->SGMesures->columnWidth(3), w + 10);
    }
    EXPECT_EQ(policeTableau(11, false, 1.8f).pixelSize(), 20);
}

TEST_F(PanneauTableau, WidthLimitsOfThePanel)
{
    monte(0.02, 101, 3);
    EXPECT_EQ(panneau->largeurMaximale(1000, 1.0f), QWIDGETSIZE_MAX); // not filled yet
    panneau->MAJTableau(1.0f);
    const TDimensionsTableau& d = panneau->dimensions();
    const int colonnes = d.largeurColonne0 + d.largeurColonne1 + 3 * (d.w + 6) + 50;
    const int separateur = 5 * 64 + 60;
    EXPECT_EQ(panneau->largeurMaximale(2000, 1.0f), std::min(colonnes, separateur));
    // A narrow screen-and-table panel keeps 150 pixels for the screen, and
    // the splitter 180 at the window's scale.
    EXPECT_EQ(panneau->largeurMaximale(300, 1.0f), std::min({colonnes, 150, 120}));
    EXPECT_EQ(panneau->largeurMaximale(300, 0.5f), std::min({colonnes, 150, 210}));
}

TEST_F(PanneauTableau, ColoursFromTheWindowsColour)
{
    const TCouleursTableau& c = couleursTableau();
    EXPECT_EQ(qcouleur(c.clfdSG), QColor(255, 255, 255));
    EXPECT_EQ(qcouleur(c.clfdSGTitre), QColor(188, 202, 217));
    EXPECT_EQ(qcouleur(c.clfdSGSelT), QColor(228, 233, 239));
    EXPECT_EQ(qcouleur(c.clBord), QColor(160, 160, 160));
}

// "t = 0" moved to 5 ms: the times start negative and the tinted band starts
// at the point under the cursor; the band follows the cursors at every
// repaint, the times at the next filling.
TEST_F(PanneauTableau, FirstCursorAtFiveMilliseconds)
{
    monte(0.02, 101); // dt = 0.2 ms
    panneau->MAJTableau(1.0f);
    const TCouleursTableau& c = couleursTableau();
    QImage im = image();
    EXPECT_EQ(couleurLigne(im, 1, 0), qcouleur(c.clfdSGSelT));
    EXPECT_EQ(couleurLigne(im, 2, 5), qcouleur(c.clfdSGSelT));
    EXPECT_EQ(couleurLigne(im, 0, 0), qcouleur(c.clfdSGTitre)); // column 0 has the header look

    m.t0 = 0.005;
    panneau->SGMesures->viewport()->update();
    im = image();
    EXPECT_EQ(couleurLigne(im, 1, 0), qcouleur(c.clfdSG));
    EXPECT_EQ(couleurLigne(im, 2, 20), qcouleur(c.clfdSG));
    panneau->SGMesures->scrollTo(panneau->modele()->index(30, 1));
    im = image();
    EXPECT_EQ(couleurLigne(im, 1, 25), qcouleur(c.clfdSGSelT));
    EXPECT_EQ(couleurLigne(im, 3, 25), qcouleur(c.clfdSGSelT));
    EXPECT_EQ(couleurLigne(im, 1, 24), qcouleur(c.clfdSG));
    EXPECT_EQ(texte(panneau->modele()->index(0, 1).data()), "0"); // not filled again yet

    panneau->MAJTableauFaite = false;
    panneau->MAJTableau(1.0f);
    TModeleTableau& modele = *panneau->modele();
    EXPECT_EQ(texte(modele.index(0, 1).data()), "-5");
    EXPECT_EQ(texte(modele.index(24, 1).data()), "-0.2");
    EXPECT_EQ(texte(modele.index(25, 1).data()), "0");
    EXPECT_EQ(texte(modele.index(100, 1).data()), "15");
    // Filling again kept the rows in view.
    im = image();
    EXPECT_EQ(couleurLigne(im, 1, 25), qcouleur(c.clfdSGSelT));

    // The band ends with the second cursor (its time × 1.0001).
    m.tFin = 0.01;
    panneau->SGMesures->viewport()->update();
    panneau->SGMesures->scrollTo(panneau->modele()->index(52, 1));
    im = image();
    EXPECT_EQ(couleurLigne(im, 1, 50), qcouleur(c.clfdSGSelT));
    EXPECT_EQ(couleurLigne(im, 1, 51), qcouleur(c.clfdSG));
}

TEST_F(PanneauTableau, BandOfTheCursors)
{
    const TBandeCurseurs b = bandeCurseurs(0.005, 0.02, 0.0002);
    EXPECT_EQ(b.premier, 25);
    EXPECT_EQ(b.dernier, 100);
    // tFin × 1.0001 takes in a point that rounding alone would leave out.
    EXPECT_EQ(bandeCurseurs(0, 0.01049995, 0.001).dernier, 11);
    EXPECT_FALSE(bandeCurseurs(0, 1, 0).contient(0));
}

TEST_F(PanneauTableau, DeleteMarkOfACurveColumnAndTheDeleteKey)
{
    monte(0.02, 101, 3);
    panneau->MAJTableau(1.0f);
    std::vector<int> demandes;
    panneau->surSuppression = [&](int colonne) { demandes.push_back(colonne); };
    TEnteteTableau& e = *panneau->entete();
    const auto& h = e.hauteurs();
    const auto clique = [&](int colonne, int y) {
        const int x = e.sectionViewportPosition(colonne) + e.sectionSize(colonne) / 2;
        QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, QPoint(x, y));
    };
    clique(3, h[0] + h[1] + h[2] / 2);
    clique(2, h[0] + h[1] + 1);
    clique(4, h[0] / 2);             // the name: nothing
    clique(4, h[0] + h[1] / 2);      // the unit: nothing
    clique(1, h[0] + h[1] + h[2] / 2); // the time column has no mark
    clique(0, h[0] + h[1] + h[2] / 2);
    EXPECT_EQ(demandes, (std::vector<int> {3, 2}));
    // From the keyboard: Delete on a cell of a curve column.
    TVueTableau& v = *panneau->SGMesures;
    QTest::keyClick(&v, Qt::Key_Delete); // the time column: nothing
    QTest::keyClick(&v, Qt::Key_Right);
    QTest::keyClick(&v, Qt::Key_Right);
    QTest::keyClick(&v, Qt::Key_Delete);
    EXPECT_EQ(demandes, (std::vector<int> {3, 2, 3}));
    // The mark is drawn in row 2 of the curve columns only.
    QApplication::processEvents();
    const QImage im = e.viewport()->grab().toImage();
    const int yMarque = h[0] + h[1] + h[2] / 2;
    const auto rouge = [&](int colonne) {
        const int x0 = e.sectionViewportPosition(colonne);
        for (int x = x0; x < x0 + e.sectionSize(colonne); ++x) {
            const QColor p = im.pixelColor(x, yMarque);
            if (p.red() > 150 && p.green() < 80)
                return true;
        }
        return false;
    };
    EXPECT_TRUE(rouge(2));
    EXPECT_TRUE(rouge(4));
    EXPECT_FALSE(rouge(1));
    EXPECT_FALSE(rouge(0));
}

// No cell is ever selected; a click does not move the focused cell, the keys
// do (reading from the keyboard).
TEST_F(PanneauTableau, CellsAreNeverSelected)
{
    monte(0.02, 101);
    panneau->MAJTableau(1.0f);
    TVueTableau& v = *panneau->SGMesures;
    EXPECT_EQ(v.currentIndex(), panneau->modele()->index(0, 1));
    const QRect cellule = v.visualRect(panneau->modele()->index(3, 2));
    QTest::mouseClick(v.viewport(), Qt::LeftButton, {}, cellule.center());
    EXPECT_TRUE(v.hasFocus() || !v.isActiveWindow());
    EXPECT_EQ(v.currentIndex(), panneau->modele()->index(0, 1));
    EXPECT_FALSE(v.selectionModel()->hasSelection());
    QTest::keyClick(&v, Qt::Key_Down);
    QTest::keyClick(&v, Qt::Key_Right);
    EXPECT_EQ(v.currentIndex(), panneau->modele()->index(1, 2));
    EXPECT_FALSE(v.selectionModel()->hasSelection());
    QTest::keyClick(&v, Qt::Key_End, Qt::ControlModifier);
    EXPECT_EQ(v.currentIndex().row(), 100);
    EXPECT_EQ(v.verticalScrollBar()->value(), v.verticalScrollBar()->maximum());
    // Filling again keeps the focused cell and the scrolling.
    panneau->MAJTableauFaite = false;
    panneau->MAJTableau(1.0f);
    EXPECT_EQ(v.currentIndex().row(), 100);
    EXPECT_EQ(v.verticalScrollBar()->value(), v.verticalScrollBar()->maximum());
}

// Curves dropped by a run that does not add its curves: until the table is
// filled again, their columns are empty rather than the new run's samples.
TEST_F(PanneauTableau, ColumnsOfCurvesThatAreGoneStayEmpty)
{
    monte(0.02, 101);
    panneau->MAJTableau(1.0f);
    EXPECT_FALSE(panneau->modele()->index(10, 2).data().toString().isEmpty());
    m.PrepareTV2(2, 101, false);
    EXPECT_TRUE(panneau->modele()->index(10, 2).data().toString().isEmpty());
    EXPECT_TRUE(panneau->modele()->index(10, 3).data().toString().isEmpty());
    EXPECT_EQ(texte(panneau->modele()->index(10, 1).data()), "2");
    (void)image(); // drawn without failing
}

// A screen reader finds a table named "Tableau de mesures" whose cells and
// headings are the texts shown.
TEST_F(PanneauTableau, ReadableByAssistiveTechnology)
{
    monte(0.02, 101);
    panneau->MAJTableau(1.0f);
    QAccessibleInterface* table = QAccessible::queryAccessibleInterface(panneau->SGMesures);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->role(), QAccessible::Table);
    EXPECT_EQ(table->text(QAccessible::Name), QStringLiteral("Tableau de mesures"));
    QAccessibleTableInterface* t = table->tableInterface();
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->rowCount(), 101);
    EXPECT_EQ(t->columnCount(), 4);
    QAccessibleInterface* cellule = t->cellAt(7, 1);
    ASSERT_NE(cellule, nullptr);
    EXPECT_EQ(cellule->text(QAccessible::Name), QStringLiteral("1.4"));
    EXPECT_EQ(t->columnDescription(2), QStringLiteral("u[EA0] (V)"));
}

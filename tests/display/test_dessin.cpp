// Drawing on images: labels with exponents, the curve styles, the grid axis
// and the cursors.
#include "Fixtures.h"
#include "display/Couleurs.h"
#include "display/DessinEcran.h"
#include "display/EcritAvecExposant.h"
#include "display/Ecran.h"
#include "model/UniteBaseCouleurs.h"

#include <QFontMetrics>
#include <gtest/gtest.h>

namespace {

struct EcranDessin : ::testing::Test {
    void SetUp() override { assureApplication(); }
};

QImage imageBlanche(int l, int h)
{
    QImage image(l, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// Lowest row with ink (non-white) between two columns, -1 when none.
int derniereLigneEncree(const QImage& image, int x1, int x2)
{
    int derniere = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = x1; x < x2; ++x)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                derniere = y;
    return derniere;
}

int compte(const QImage& image, const QRect& r, const std::function<bool(QRgb)>& critere)
{
    int n = 0;
    QRect zone = r.intersected(image.rect());
    for (int y = zone.top(); y <= zone.bottom(); ++y)
        for (int x = zone.left(); x <= zone.right(); ++x)
            n += critere(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool rouge(QRgb c)
{
    return qRed(c) > 200 && qGreen(c) < 80 && qBlue(c) < 80;
}

TEST_F(EcranDessin, DecoupageDesMarques)
{
    struct Cas {
        std::string texte;
        std::vector<std::pair<THauteurMorceau, std::string>> morceaux;
    };
    using H = THauteurMorceau;
    const Cas cas[] = {
        {"x 10(-3) s", {{H::normale, "x 10"}, {H::haute, "-3"}, {H::normale, " s"}}},
        {"t[Fin]= 2", {{H::normale, "t"}, {H::basse, "Fin"}, {H::normale, "= 2"}}},
        {"a((b))c[[d", {{H::normale, "a(b)c[d"}}},
        {std::string("2.10\t-5\ns"), {{H::normale, "2.10"}, {H::haute, "-5"}, {H::normale, "s"}}},
        {"u\x0b" "EA0\x0c", {{H::normale, "u"}, {H::basse, "EA0"}}},
        {"a//1b", {{H::normale, std::string("a\x07" "b")}}},
    };
    for (const Cas& c : cas) {
        auto morceaux = decoupeExposant(c.texte);
        ASSERT_EQ(morceaux.size(), c.morceaux.size()) << c.texte;
        for (size_t i = 0; i < morceaux.size(); ++i) {
            EXPECT_EQ(morceaux[i].hauteur, c.morceaux[i].first) << c.texte;
            EXPECT_EQ(morceaux[i].texte, c.morceaux[i].second) << c.texte;
        }
    }
}

TEST_F(EcranDessin, ExposantDessineAuDessusDeLaLigneDeBase)
{
    QImage image = imageBlanche(300, 80);
    QFont police;
    police.setPixelSize(30);
    {
        QPainter p(&image);
        p.setFont(police);
        ecritAvecExposant(p, 10, 10, 0, 0, ancrageHautGauche, effetAucun, 0, -1000, -1000, "x 10(-3) s");
    }
    QFont petite(police);
    petite.setPixelSize(22);
    QFontMetrics mN(police), mP(petite);
    const int r = mN.height() / 4;
    const int xNormal = 10 + r - 1;
    const int xExposant = xNormal + mN.horizontalAdvance("x 10");
    const int ligneDeBase = 10 + mN.ascent();
    const int basExposant = derniereLigneEncree(image, xExposant, xExposant + mP.horizontalAdvance("-3"));
    const int basNormal = derniereLigneEncree(image, xNormal, xExposant);
    ASSERT_GE(basExposant, 10);
    EXPECT_LT(basExposant, ligneDeBase - 4);
    EXPECT_GE(basNormal, ligneDeBase - 2);
    // The text after the exponent is back on the base line.
    const int xSuite = xExposant + mP.horizontalAdvance("-3");
    EXPECT_GE(derniereLigneEncree(image, xSuite, xSuite + mN.horizontalAdvance(" s")), ligneDeBase - 2);
}

TEST_F(EcranDessin, CrochetDoubleDessineTelQuel)
{
    QFont police;
    police.setPixelSize(24);
    QImage avecMarque = imageBlanche(200, 60), attendu = imageBlanche(200, 60);
    {
        QPainter p(&avecMarque);
        p.setFont(police);
        ecritAvecExposant(p, 10, 10, 0, 0, ancrageHautGauche, effetAucun, 0, -1000, -1000, "A((B");
    }
    {
        QPainter p(&attendu);
        p.setFont(police);
        QFontMetrics fm(police);
        p.drawText(10 + fm.height() / 4 - 1, 10 + fm.ascent(), "A(B");
    }
    EXPECT_EQ(avecMarque, attendu);
}

TEST_F(EcranDessin, FondEtLimitesDuTexte)
{
    QFont police;
    police.setPixelSize(16);
    QImage image = imageBlanche(200, 60);
    {
        QPainter p(&image);
        p.setFont(police);
        // Right limit 100: the text is pushed left so that it ends before it.
        ecritAvecExposant(p, 150, 5, 100, 60, ancrageHautGauche, effetAucun, 0, clFondEcran, -1000, "abc");
    }
    const QRgb fond = qrgbDe(clFondEcran);
    EXPECT_GT(compte(image, QRect(0, 0, 100, 60), [&](QRgb c) { return c == fond; }), 0);
    EXPECT_EQ(compte(image, QRect(100, 0, 100, 60), [](QRgb c) { return c != qRgb(255, 255, 255); }), 0);
}

// A graph of 500 columns from x = 100, 500 pixels per second, 100 pixels
// per volt around y = 210.
struct EcranStyles : EcranDessin {
    TGeometrieEcran g;
    TDessinEcran dessin{g};
    TMesures mesures;

    void prepare(const std::function<double(int64_t)>& valeur)
    {
        mesures = courbesDe(1, 20001, {0}, [](double) { return 0.0; });
        for (int64_t k = 0; k < 20001; ++k)
            mesures.tv2[0][k] = static_cast<float>(valeur(k));
        mesures.voiesMesurees[0].echVM = 100;
        mesures.voiesMesurees[0].clVM = couleurRGB(200, 0, 0);
        g.mesures = &mesures;
        g.mGau1 = 99;
        g.mgau2 = 1;
        g.larG = 500;
        g.mSup = 10;
        g.hauG = 400;
        g.xOri = 100;
        g.yOri = 210;
        g.axeT.EchA = 500;
    }
};

TEST_F(EcranStyles, PalierUnPixelParColonne)
{
    prepare([](int64_t) { return 1.0; });
    QImage image = imageBlanche(700, 450);
    dessin.dessineUneCourbeSegsVerts(image, 0, 0, 0, 20000, 0, 1, mesures.dtAX);
    for (int x = 100; x < 590; ++x) {
        ASSERT_EQ(compte(image, QRect(x, 0, 1, 450), [](QRgb c) { return c != qRgb(255, 255, 255); }), 1) << x;
        ASSERT_EQ(image.pixel(x, 110), qRgb(200, 0, 0)) << x;
    }
    // Nothing outside the graph.
    EXPECT_EQ(compte(image, QRect(601, 0, 99, 450), [](QRgb c) { return c != qRgb(255, 255, 255); }), 0);
}

TEST_F(EcranStyles, LesLongsSegmentsSontPlusPales)
{
    // 10-pixel swings in the first half, 200-pixel swings in the second.
    prepare([](int64_t k) { return k % 2 == 0 ? 0.0 : (k < 10000 ? 0.1 : 2.0); });
    QImage image = imageBlanche(700, 450);
    dessin.dessineUneCourbeSegsVerts(image, 0, 0, 0, 20000, 0, 1, mesures.dtAX);
    const QRgb court = image.pixel(200, 205), long_ = image.pixel(450, 100);
    EXPECT_EQ(court, qrgbDe(eclaircirCouleur(couleurRGB(200, 0, 0), 2)));
    EXPECT_EQ(long_, qrgbDe(eclaircirCouleur(couleurRGB(200, 0, 0), 30)));
    EXPECT_GT(qGreen(long_), qGreen(court));
    EXPECT_EQ(dessin.eclaircissementSegment(100000), 80);
    g.zoomV = 10; // zoomed in, the same pixels are paler by a tenth
    EXPECT_EQ(dessin.eclaircissementSegment(200), 3);
}

TEST_F(EcranStyles, CroixDeStyleDeux)
{
    prepare([](int64_t) { return 1.0; });
    QImage image = imageBlanche(700, 450);
    // Sample 1000 lies at x = 125; a cross of half-size 2 off the grid axis.
    mesures.voiesMesurees[0].axeVM = 1;
    dessin.dessineUneCourbePoints(image, 0, 0, 1000, 1000, 0, mesures.dtAX);
    EXPECT_EQ(image.pixel(125, 108), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(123, 110), qRgb(200, 0, 0));
    EXPECT_EQ(image.pixel(125, 106), qRgb(255, 255, 255));
    mesures.voiesMesurees[0].axeVM = 0; // on the grid axis: half-size 4
    dessin.dessineUneCourbePoints(image, 0, 0, 1000, 1000, 0, mesures.dtAX);
    EXPECT_EQ(image.pixel(125, 106), qRgb(200, 0, 0));
}

struct EcranComplet : EcranDessin {
    TVueCentrale vue;
    TMesures mesures;
    TEcran ecran;

    void monte(const TVueCentrale& v, TMesures c, int etat)
    {
        vue = v;
        mesures = std::move(c);
        ecran.setVue(vue);
        ecran.setMesures(&mesures);
        etatGeneral(ecran.geometrie, etat);
        ecran.geometrie.mesures->tFin = vue.dureeTotale0X;
        ecran.redimensionnementEcran(1000, 600);
    }
};

TEST_F(EcranComplet, AxeDeQuadrillageEnRouge)
{
    monte(vueSP5({{0, 0}, {1, 2}}, 1, 1001), courbesDe(1, 1001, {0, 2}, [](double) { return 1.0; },
                                                       [](double) { return 0.5; }), 2);
    const TGeometrieEcran& g = ecran.geometrie;
    const QRect colonne0(0, 0, g.mGau1 - 1, 600), colonne1(g.mGau1, 0, g.mgau2 - 1, 600);
    // The ticks of axis 0 cross the label column of axis 1: leave their rows out.
    auto rougeHorsTraits0 = [&](const QRect& r) {
        int n = compte(ecran.iEcranX, r, rouge);
        float ech = static_cast<float>(g.AxesX[0].EchA);
        for (int k = g.nGradV11[0]; k <= g.nGradV12[0]; ++k)
            n -= compte(ecran.iEcranX, QRect(r.left(), g.ye(ech, k * g.sepR[0]), r.width(), 1), rouge);
        return n;
    };
    EXPECT_GT(compte(ecran.iEcranX, colonne0, rouge), 0);
    EXPECT_EQ(rougeHorsTraits0(colonne1), 0);
    int choisi = -1;
    ecran.surAxeQuadrille = [&](int a) { choisi = a; };
    ecran.MAJAxeQuadrille(-2);
    EXPECT_EQ(choisi, 1);
    EXPECT_EQ(compte(ecran.iEcranX, colonne0, rouge), 0);
    EXPECT_GT(rougeHorsTraits0(colonne1), 0);
}

TEST_F(EcranComplet, CurseursSelonLEtat)
{
    auto vert = [](QRgb c) { return c == qRgb(0, 128, 0); };
    auto rougePur = [](QRgb c) { return c == qRgb(255, 0, 0); };
    monte(vueSP5({{0, 0}}, 1, 1001), courbesDe(1, 1001, {0}, [](double) { return 1.0; }), 2);
    // Above the graph, between its edges (the axis labels are left out).
    const TGeometrieEcran& g = ecran.geometrie;
    const QRect haut(g.gaucheGraphe() - 6, 0, g.larG + 12, g.mSup - 2);
    EXPECT_GT(compte(ecran.iEcranX, haut, vert), 0);
    EXPECT_EQ(compte(ecran.iEcranX, haut, rougePur), 0);
    etatGeneral(ecran.geometrie, 6);
    ecran.ouvreMesures();
    EXPECT_EQ(compte(ecran.iEcranX, haut, vert), 0);
    EXPECT_GT(compte(ecran.iEcranX, haut, rougePur), 0);
    etatGeneral(ecran.geometrie, 3);
    ecran.dessineEcranN(true);
    EXPECT_EQ(compte(ecran.iEcranX, haut, vert), 0);
    EXPECT_EQ(compte(ecran.iEcranX, haut, rougePur), 0);
}

TEST_F(EcranComplet, MultiplicateurDuTempsEcritSeulementSiNecessaire)
{
    auto encre = [](QRgb c) { return qRed(c) < 60 && qGreen(c) < 60 && qBlue(c) < 60; };
    monte(vueSP5({{0, 0}}, 0.002, 101), courbesDe(0.002, 101, {0}, [](double) { return 0.0; }), 2);
    const TGeometrieEcran& g = ecran.geometrie;
    const QRect coin(g.mGau1 + g.mgau2 + g.larG - 120, g.mSup + g.hauG + 2, 120, g.mInf - 3);
    EXPECT_GT(compte(ecran.iEcranX, coin, encre), 0);
    monte(vueSP5({{0, 0}}, 1, 101), courbesDe(1, 101, {0}, [](double) { return 0.0; }), 2);
    // Only the graduation numbers remain in that corner (none past the last one).
    const QRect coin1(g.mGau1 + g.mgau2 + g.larG - 40, g.mSup + g.hauG + 2, 40, g.mInf - 3);
    EXPECT_EQ(compte(ecran.iEcranX, coin1, encre), 0);
}

TEST_F(EcranComplet, SansCentraleUnEcranGradue)
{
    ecran.redimensionnementEcran(800, 500);
    const TGeometrieEcran& g = ecran.geometrie;
    EXPECT_EQ(g.nbAxes, 1);
    EXPECT_EQ(ecran.iEcranX.pixel(g.mGau1 + g.mgau2 + 10, g.mSup + 10), qRgb(255, 255, 255));
    EXPECT_EQ(ecran.iEcranX.pixel(2, 2), qrgbDe(clFondEcran));
}

TEST_F(EcranDessin, LegendeEtIntervalle)
{
    QImage legende(42, 21, QImage::Format_RGB32);
    dessineLegende(legende, couleurRGB(0, 66, 133));
    EXPECT_GT(compte(legende, legende.rect(), [](QRgb c) { return c == qRgb(0, 66, 133); }), 20);
    QImage intervalle(120, 24, QImage::Format_RGB32);
    QFont police;
    police.setPixelSize(12);
    dessineIntervalle(intervalle, police, 1e-5);
    EXPECT_EQ(intervalle.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(intervalle.pixel(119, 23), qRgb(255, 255, 255));
    EXPECT_GT(compte(intervalle, QRect(8, 4, 100, 16), [](QRgb c) { return qRed(c) < 100; }), 10);
}

} // namespace

#include "display/ParametresTemps.h"
#include "model/UniteBaseChaines.h"

namespace {

TEST(EcranParametresTemps, DureeChoisieDansLaListeOuEcrite)
{
    const std::vector<std::string> items = {"1 ms", "2 ms", "5 ms", "10 ms", "1 s"};
    EXPECT_EQ(indexDureeDansListe(items, 0.002), 1);
    EXPECT_EQ(indexDureeDansListe(items, 0.002003), 1); // within 0.2 %
    EXPECT_EQ(indexDureeDansListe(items, 0.00201), -1);
    EXPECT_EQ(indexDureeDansListe(items, 3), -1);
    EXPECT_EQ(texteDureeTotale(2000), "2000 s");
    EXPECT_EQ(texteDureeTotale(0.0125), formatValeur(4, styleIngenieur, 0.0125) + "s");
}

} // namespace

namespace {

TEST(EcranTexteGeneral, ChiffresSignificatifsEtExposant)
{
    const char sep = separateurDecimal();
    auto avecSeparateur = [sep](std::string s) {
        for (char& c : s)
            if (c == '.')
                c = sep;
        return s;
    };
    EXPECT_EQ(texteGeneral(0.6000000089, 6), avecSeparateur("0.6"));
    EXPECT_EQ(texteGeneral(-2, 6), "-2");
    EXPECT_EQ(texteGeneral(-0.0, 6), "0");
    EXPECT_EQ(texteGeneral(0.00002, 6), "2E-5");
    EXPECT_EQ(texteGeneral(1.23456789, 4), avecSeparateur("1.235"));
}

} // namespace

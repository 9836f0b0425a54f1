// The screen's handlers: mouse modes, cursors and levels, pointing read-outs,
// panning, grid-axis choice, keys, and the live drawing of a run.
#include "Fixtures.h"
#include "display/Clavier.h"
#include "display/Couleurs.h"
#include "display/Ecran.h"
#include "model/UniteBaseCouleurs.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

constexpr double pi = 3.14159265358979323846;

struct EcranSouris : ::testing::Test {
    TVueCentrale vue;
    TMesures mesures;
    TEcran ecran;
    TGeometrieEcran& g = ecran.geometrie;
    int tableaux = 0;

    void SetUp() override { assureApplication(); }

    void monte(const TVueCentrale& v, TMesures c, int etat = 2)
    {
        vue = v;
        mesures = std::move(c);
        ecran.setVue(vue);
        ecran.setMesures(&mesures);
        etatGeneral(ecran.geometrie, etat);
        g.mesures->t0 = 0;
        g.mesures->tFin = vue.dureeTotale0X;
        g.t0M = 0;
        g.tFinM = vue.dureeTotale0X;
        ecran.surTableau = [this] { ++tableaux; };
        ecran.redimensionnementEcran(1000, 600);
    }
    void monteSinus(int nbPts = 1001)
    {
        monte(vueSP5({{0, 0}}, 1, nbPts),
              courbesDe(1, nbPts, {0}, [](double t) { return 5 * std::sin(2 * pi * t); }));
    }
    int xEchantillon(int k) const { return g.xe(k * mesures.dtAX); }
    int yEchantillon(int i, int k) const { return g.ye(mesures.voiesMesurees[i].echVM, mesures.tv2[i][k]); }
};

TEST_F(EcranSouris, LeSecondCurseurVertResteAEcartEtDansLAcquisition)
{
    monteSinus();
    const int b = g.ecartMinCurseurs();
    ASSERT_GT(b, 0);
    ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xetFX, g.mSup + 5);
    ASSERT_EQ(g.modeS, 4);
    ecran.sourisDeplacee(g.xeT0X - 20, g.mSup + 5, true);
    EXPECT_EQ(g.xetFX, g.xeT0X + b);
    ecran.sourisDeplacee(g.xeT0X + 333, g.mSup + 5, true);
    const double n = static_cast<double>(g.tFin()) / vue.dt0X;
    EXPECT_NEAR(n, std::round(n), 1e-3); // a whole number of intervals
    ecran.sourisDeplacee(g.droiteGraphe() + 50, g.mSup + 5, true);
    EXPECT_NEAR(static_cast<double>(g.tFin()), vue.dureeTotale0X, 1e-6);
    EXPECT_EQ(g.xetFX, g.xe(vue.dureeTotale0X));
    EXPECT_LE(g.xetFX, g.droiteGraphe());
    ecran.sourisRelachee();
    EXPECT_EQ(g.modeS, 0);
    EXPECT_EQ(tableaux, 1);
}

TEST_F(EcranSouris, LePremierCurseurVertSArronditAUnIntervalle)
{
    monteSinus();
    ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xeT0X + 1, g.mSup - 5);
    ASSERT_EQ(g.modeS, 3);
    ecran.sourisDeplacee(g.gaucheGraphe() + 333, g.mSup + 100, true);
    const double n = g.t0() / vue.dt0X;
    EXPECT_GT(g.t0(), 0);
    EXPECT_NEAR(n, std::round(n), 1e-3);
    ecran.sourisDeplacee(g.xetFX + 100, g.mSup + 100, true); // not past the second
    EXPECT_EQ(g.xeT0X, g.xetFX - g.ecartMinCurseurs());
}

// Dragged onto a sample, the green cursors are that sample's time exactly
// (k × dt in double precision): the exports then count it at 0.
TEST_F(EcranSouris, LesCurseursVertsTombentExactementSurUnEchantillon)
{
    const struct {
        double duree;
        int64_t nbPts;
        int k;
    } cas[] = {{0.1, 41, 1}, {0.1, 101, 7}, {1, 1001, 333}};
    for (const auto& c : cas) {
        monte(vueSP5({{0, 0}}, c.duree, c.nbPts), courbesDe(c.duree, c.nbPts, {0}, [](double) { return 1.0; }));
        ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xeT0X, g.mSup + 5);
        ASSERT_EQ(g.modeS, 3);
        ecran.sourisDeplacee(g.xe(c.k * vue.dt0X), g.mSup + 5, true);
        ecran.sourisRelachee();
        EXPECT_EQ(mesures.t0, c.k * vue.dt0X) << c.nbPts;
        ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xetFX, g.mSup + 5);
        ASSERT_EQ(g.modeS, 4);
        ecran.sourisDeplacee(g.xe((c.nbPts - 1 - c.k) * vue.dt0X), g.mSup + 5, true);
        ecran.sourisRelachee();
        EXPECT_EQ(mesures.tFin, (c.nbPts - 1 - c.k) * vue.dt0X) << c.nbPts;
    }
}

TEST_F(EcranSouris, LeNiveauHautSArreteCinqPixelsAuDessusDuBas)
{
    monteSinus();
    etatGeneral(ecran.geometrie, 6);
    ecran.ouvreMesures();
    EXPECT_FLOAT_EQ(static_cast<float>(g.UMaxM), 9.0f);
    EXPECT_EQ(ecran.EditUmaxM, "  9.00 V");
    const int x = g.gaucheGraphe() + 300;
    ecran.sourisEnfoncee(TBoutonSouris::gauche, x, g.yeUmaxM + 2);
    ASSERT_EQ(g.modeS, 7);
    ecran.sourisDeplacee(x, g.yeUMinM + 30, true);
    // The level's value keeps 3 significant digits; its pixel is redrawn
    // from that value, hence the pixel of tolerance.
    EXPECT_NEAR(g.yeUmaxM, g.yeUMinM - 5, 1);
    EXPECT_GT(g.UMaxM, g.UMinM);
    ecran.sourisRelachee();
    ecran.sourisEnfoncee(TBoutonSouris::gauche, x, g.yeUMinM);
    ASSERT_EQ(g.modeS, 8);
    ecran.sourisDeplacee(x, g.mSup + g.hauG + 40, true); // not below the graph
    EXPECT_NEAR(g.yeUMinM, g.mSup + g.hauG, 1);
    EXPECT_NEAR(static_cast<double>(g.UMinM), -10.0, 0.1);
    ecran.sourisRelachee();
    EXPECT_EQ(tableaux, 2);
}

TEST_F(EcranSouris, LectureDuPointSurvole)
{
    monteSinus();
    ecran.sourisDeplacee(xEchantillon(250), yEchantillon(0, 250), false);
    EXPECT_EQ(g.voieMesureeP, 0);
    EXPECT_EQ(ecran.EditSerieP, "uEA0_M");
    EXPECT_EQ(ecran.EditPointP.rfind("t = 25", 0), 0u) << ecran.EditPointP;
    EXPECT_NE(ecran.EditPointP.find("   u = 5.000 V"), std::string::npos) << ecran.EditPointP;
    ecran.sourisDeplacee(xEchantillon(250), yEchantillon(0, 250) + 60, false);
    EXPECT_EQ(g.voieMesureeP, -1);
    EXPECT_EQ(ecran.EditSerieP, "");
    EXPECT_EQ(ecran.EditPointP, "");
}

TEST_F(EcranSouris, SurLaDroiteEntreDeuxEchantillons)
{
    monte(vueSP5({{0, 0}}, 1, 11), courbesDe(1, 11, {0}, [](double t) { return 8 * t; }));
    const int x = (xEchantillon(3) + xEchantillon(4)) / 2;
    const int y = (yEchantillon(0, 3) + yEchantillon(0, 4)) / 2;
    ecran.sourisDeplacee(x, y, false);
    EXPECT_EQ(g.voieMesureeP, 0);
    EXPECT_EQ(g.pointP, -1);
    EXPECT_EQ(ecran.EditSerieP, "uEA0_M");
    EXPECT_EQ(ecran.EditPointP, "");
}

TEST_F(EcranSouris, RienPendantUneAcquisitionEtBoutonDroit)
{
    monteSinus();
    etatGeneral(ecran.geometrie, 3);
    ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xetFX, g.mSup + 5);
    EXPECT_EQ(g.modeS, 0);
    etatGeneral(ecran.geometrie, 2);
    ecran.sourisEnfoncee(TBoutonSouris::droit, g.xetFX, g.mSup + 5);
    EXPECT_EQ(g.modeS, 1);
    ecran.sourisRelachee();
    EXPECT_EQ(g.modeS, 0);
}

TEST_F(EcranSouris, GlisserLEcranSeulementZoome)
{
    monteSinus();
    const int x = g.gaucheGraphe() + 500, y = g.mSup + 20; // far from the curve
    ecran.sourisEnfoncee(TBoutonSouris::gauche, x, y);
    EXPECT_EQ(g.modeS, 0);
    ecran.zoomHorizontal(1);
    EXPECT_EQ(g.zoomIndexH, 1);
    const int xOri = g.xOri;
    ecran.sourisEnfoncee(TBoutonSouris::gauche, x, y);
    ASSERT_EQ(g.modeS, 2);
    ecran.sourisDeplacee(x - 100, y, true);
    EXPECT_LT(g.xOri, xOri);
    EXPECT_GE(g.xOri, g.xOriMin);
    EXPECT_GT(g.SBHor.Position, 0);
    ecran.sourisDeplacee(x - 120, y, false); // button released meanwhile
    EXPECT_EQ(g.modeS, 0);
}

TEST_F(EcranSouris, ChoixDeLAxeDeQuadrillage)
{
    monte(vueSP5({{0, 0}, {1, 2}}, 1, 1001),
          courbesDe(1, 1001, {0, 2}, [](double t) { return 5 * std::sin(2 * pi * t); },
                    [](double t) { return 0.5 * std::cos(2 * pi * t); }));
    ASSERT_EQ(g.nbAxes, 2);
    ecran.sourisEnfoncee(TBoutonSouris::gauche, g.mGau1 + 3, 300); // labels of axis 1
    EXPECT_EQ(g.axeQuadrilleX, 1);
    ecran.sourisRelachee();
    ecran.sourisEnfoncee(TBoutonSouris::gauche, xEchantillon(100), yEchantillon(0, 100)); // curve 0
    EXPECT_EQ(g.axeQuadrilleX, 0);
    EXPECT_EQ(g.voieMesureeP, 0);
    EXPECT_EQ(ecran.EditSerieP, "uEA0_M");
    ecran.sourisRelachee();
    etatGeneral(ecran.geometrie, 6);
    ecran.ouvreMesures();
    EXPECT_EQ(ecran.libellesAxes(), (std::vector<std::string>{" +10.0 ", " +1.00 "}));
    ecran.choisitAxeMesures(1);
    EXPECT_EQ(g.axeQuadrilleX, 1);
}

TEST_F(EcranSouris, DeplacerUnCurseurRedessineDepuisLaCopie)
{
    monteSinus();
    const int x = xEchantillon(600), y = yEchantillon(0, 600);
    const QRgb avant = ecran.iEcranX.pixel(x, y);
    ASSERT_NE(avant, qRgb(255, 255, 255));
    for (float& v : mesures.tv2[0])
        v = 0; // the curves are not drawn again while a cursor moves...
    ecran.sourisEnfoncee(TBoutonSouris::gauche, g.xetFX, g.mSup + 5);
    ecran.sourisDeplacee(g.xetFX - 30, g.mSup + 5, true);
    EXPECT_EQ(ecran.iEcranX.pixel(x, y), avant);
    ecran.sourisRelachee(); // ...but are on release
    EXPECT_EQ(ecran.iEcranX.pixel(x, y), qRgb(255, 255, 255));
}

TEST(EcranClavier, F10EtEchapSelonLEtat)
{
    for (int etat = 0; etat <= 8; ++etat) {
        bool enCours = etat == 3 || etat == 5;
        bool arrete = etat == 0 || etat == 1 || etat == 2 || etat == 4;
        EXPECT_EQ(toucheDemarreArrete(TToucheEcran::echap, TModeGeneral(etat)), enCours) << etat;
        EXPECT_EQ(toucheDemarreArrete(TToucheEcran::f10, TModeGeneral(etat)), arrete) << etat;
        EXPECT_FALSE(toucheDemarreArrete(TToucheEcran::entree, TModeGeneral(etat)));
    }
}

TEST(EcranClavier, OrdreDeLaToucheEntree)
{
    using C = TControleSaisie;
    EXPECT_EQ(suivantParEntree(C::CBDureeTotale, true, true), C::CBNbPoints);
    EXPECT_EQ(suivantParEntree(C::CBNbPoints, true, true), C::CBDureeTotale);
    EXPECT_EQ(suivantParEntree(C::CBTypeDeclenchement, true, true), C::RGSensDeclenchement);
    EXPECT_EQ(suivantParEntree(C::CBTypeDeclenchement, false, true), C::aucun);
    EXPECT_EQ(suivantParEntree(C::RGSensDeclenchement, true, true), C::CBVoieSynchro);
    EXPECT_EQ(suivantParEntree(C::CBVoieSynchro, true, true), C::EditUSeuilDecl);
    EXPECT_EQ(suivantParEntree(C::EditUSeuilDecl, true, true), C::CBPretrigX);
    EXPECT_EQ(suivantParEntree(C::EditUSeuilDecl, true, false), C::CBTypeDeclenchement);
    EXPECT_EQ(suivantParEntree(C::CBPretrigX, true, true), C::CBTypeDeclenchement);
    EXPECT_EQ(positionApresMolette(100, 400, 1), 80);
    EXPECT_EQ(positionApresMolette(100, 400, -2), 140);
}

// A run drawn block by block: the kept curve stays, the new points appear
// in the input's colour as they arrive.
TEST_F(EcranSouris, DessinDUneAcquisitionParBlocs)
{
    monte(vueSP5({{2, 0}}, 1, 201), courbesDe(1, 201, {0}, [](double) { return -5.0; }));
    // The run adds its curve after the kept one.
    mesures.tv2.emplace_back(201, 0.0f);
    mesures.voiesMesurees.emplace_back();
    etatGeneral(ecran.geometrie, 3);
    ecran.preparePourAcquisition();
    EXPECT_EQ(g.zoomIndexH, 0);
    EXPECT_FALSE(g.boutonsZoom.plusH);
    const QRgb couleur = qrgbDe(ecran.dessin.clsVX[2]);
    auto encre = [&](int x1, int x2) {
        int n = 0;
        for (int x = x1; x < x2; ++x)
            for (int y = g.mSup; y < g.mSup + g.hauG; ++y)
                n += ecran.iEcranX.pixel(x, y) == couleur;
        return n;
    };
    const int milieu = g.xe(0.5);
    for (int k = 0; k <= 100; ++k)
        mesures.tv2[1][k] = static_cast<float>(3 * std::sin(k / 10.0));
    ecran.dessinePointsAcquis(0, 0, 60);
    ecran.dessinePointsAcquis(0, 61, 100);
    EXPECT_GT(encre(g.gaucheGraphe(), milieu - 2), 50);
    EXPECT_EQ(encre(milieu + 2, g.droiteGraphe()), 0);
    // The kept curve is drawn lightened behind the run.
    const TColor gardee = mesures.voiesMesurees[0].clVM;
    EXPECT_EQ(ecran.iEcranX.pixel(g.xe(0.75), g.ye(mesures.voiesMesurees[0].echVM, -5.0f)),
              qrgbDe(eclaircirCouleur(gardee, 90)));
}

} // namespace

#include "display/VueCentraleDe.h"
#include "model/TCentrale.h"

namespace {

// An SP5-like unit model with input 3 active on the 0.2 V calibre.
void prepareCentrale(TCentrale& c)
{
    c.nbEAU = 8;
    c.nbCalEAGV = 4;
    c.calibresEAStandard = {10, 5, 1, 0.2f};
    c.calibresDispo = {10, 5, 1, 0, -1, -1, -1, -1};
    c.twCals_ = {" +10.0 ", " +5.00 ", " +1.00 ", " +0.200 "};
    c.VoiesX.assign(8, TVoie{});
    c.VoiesX[3].active = true;
    c.VoiesX[3].idxCalibreUt = 3;
    c.VoiesActivesX = {3, -1};
    c.VoiesActivesSignaux = {3, -1};
    c.nbVoiesActivesX = c.nbVoiesSignaux = 1;
    c.dureeTotale0X = 0.01;
    c.nbPts0X = c.nbPtsAffX = 1001;
    c.dt0X = 1e-5;
    c.modeDecl = kDeclSeuil;
    c.tPretrig = 0.0025f;
}

TEST(EcranCentrale, LEcranLitLaCentraleAChaqueRedessin)
{
    assureApplication();
    EXPECT_FALSE(vueDe(nullptr).presente);
    TCentrale centrale(1);
    prepareCentrale(centrale);
    TVueCentrale vue = vueDe(&centrale);
    EXPECT_TRUE(vue.presente);
    EXPECT_TRUE(vue.actives[3]);
    EXPECT_EQ(vue.idxCalibreUt[3], 3);
    EXPECT_DOUBLE_EQ(vue.pleineEchelle(3), 0.2);
    EXPECT_EQ(vue.VoiesActivesSignaux[0], 3);

    TMesures mesures;
    TEcran ecran;
    ecran.setCentrale(&centrale);
    ecran.setMesures(&mesures);
    ecran.redimensionnementEcran(800, 500);
    EXPECT_EQ(ecran.geometrie.AxesX[0].calA, 3);
    EXPECT_EQ(ecran.geometrie.axeT.sp10Mult, "-3");
    // The pre-trigger mark of a threshold trigger, red dash-dot.
    const int x = ecran.geometrie.xe(centrale.tPretrig);
    int rouges = 0;
    for (int y = ecran.geometrie.mSup; y < ecran.geometrie.mSup + ecran.geometrie.hauG; ++y)
        rouges += ecran.iEcranX.pixel(x, y) == qRgb(255, 0, 0);
    EXPECT_GT(rouges, 20);
    centrale.VoiesX[3].idxCalibreUt = 1;
    centrale.dureeTotale0X = 1;
    ecran.dessineEcranN(true);
    EXPECT_EQ(ecran.geometrie.AxesX[0].calA, 1);
    EXPECT_EQ(ecran.geometrie.axeT.sp10Mult, "");
}

} // namespace

namespace {

// Many points per pixel during a run: one segment per finished column.
TEST_F(EcranSouris, DessinEnDirectUnSegmentParColonne)
{
    monte(vueSP5({{0, 0}}, 1, 20001), courbesDe(1, 20001, {0}, [](double) { return 0.0; }));
    mesures.nbVoiesMesurees = 0; // nothing kept: the run's curve is curve 0
    etatGeneral(ecran.geometrie, 3);
    ecran.preparePourAcquisition();
    ASSERT_EQ(g.modeDessinVM, 0);
    // A square wave of ±2 V, a period every 5 samples: each column spans it.
    for (int64_t k = 0; k < 20001; ++k)
        mesures.tv2[0][k] = (k % 5 < 2) ? 2.0f : -2.0f;
    ecran.dessinePointsAcquis(0, 0, 10000);
    const int x = g.xe(0.25);
    const float ech = g.echsVoies[0];
    const TColor cl = ecran.dessin.clsVX[0];
    const int longueur = g.ye(0, -2.0f) - g.ye(0, 2.0f);
    ASSERT_GT(ech, 0);
    EXPECT_EQ(ecran.iEcranX.pixel(x, g.yOri),
              qrgbDe(eclaircirCouleur(cl, static_cast<float>(ecran.dessin.eclaircissementSegment(longueur)))));
    // Nothing yet beyond the points received.
    EXPECT_NE(ecran.iEcranX.pixel(g.xe(0.75), g.yOri), ecran.iEcranX.pixel(x, g.yOri));
}

} // namespace

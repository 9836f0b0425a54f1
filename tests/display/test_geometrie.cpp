// Geometry of the graduated screen: axes, graduations, zoom, scrolling,
// cursors, drawing style and the pointed sample.
#include "Fixtures.h"
#include "display/GeometrieEcran.h"

#include <gtest/gtest.h>

namespace {

struct EcranPrepare {
    TGeometrieEcran g;
    TMesures mesures;
    TMesureFixe mesure;

    explicit EcranPrepare(const TVueCentrale& vue, int larT = 1000, int hauT = 600)
    {
        g.vue = vue;
        g.mesures = &mesures;
        g.larT = larT;
        g.hauT = hauT;
        prepare();
    }
    void prepare()
    {
        g.prepareAxesX(mesure);
        g.prepareQuadAxes();
        g.calculePixelsCurseurs();
    }
};

TEST(EcranAxeDesTemps, MultiplicateurEtExposantSelonLaDuree)
{
    struct Cas {
        double duree;
        float maxAxe;
        float mult;
        const char* sp10Mult;
    };
    const Cas cas[] = {
        {0.002, 0.002f, 0.001f, "-3"}, {1, 1, 1, ""},         {0.02, 0.02f, 0.001f, "-3"},
        {0.0005, 0.0005f, 1e-6f, "-6"}, {2000, 2000, 1000, "3"}, {0.83, 0.9f, 1, ""},
    };
    for (const Cas& c : cas) {
        EcranPrepare e(vueSP5({{0, 0}}, c.duree, 101));
        EXPECT_FLOAT_EQ(e.g.axeT.maxAxe, c.maxAxe) << c.duree;
        EXPECT_FLOAT_EQ(e.g.axeT.mult, c.mult) << c.duree;
        EXPECT_EQ(e.g.axeT.sp10Mult, c.sp10Mult) << c.duree;
    }
}

TEST(EcranAxeDesTemps, SansCentraleUnAxeEtDeuxMillisecondes)
{
    TGeometrieEcran g;
    g.larT = 800;
    g.hauT = 500;
    g.prepareAxesX(TMesureFixe());
    g.prepareQuadAxes();
    EXPECT_EQ(g.nbAxes, 1);
    EXPECT_EQ(g.axeT.sp10Mult, "-3");
    EXPECT_EQ(g.mGau1, 7 * 5 + 4);
    EXPECT_EQ(g.larG, 800 - g.mGau1 - 6);
    EXPECT_GT(g.AxesX[0].EchA, 0);
    EXPECT_LE(g.nGradV11[0], g.nGradV12[0]);
}

TEST(EcranAxesVerticaux, DeuxEntreesSurLeMemeCalibrePartagentUnAxe)
{
    EcranPrepare e(vueSP5({{0, 1}, {1, 1}}, 1, 1001));
    EXPECT_EQ(e.g.nbAxes, 1);
    EXPECT_EQ(e.g.mgau2, 1);
    EXPECT_EQ(e.mesures.voiesMesurees[0].axeVM, 0);
    EXPECT_EQ(e.mesures.voiesMesurees[1].axeVM, 0);
    EXPECT_EQ(e.g.xgr1[0], e.g.mGau1 - 3);
    EXPECT_EQ(e.g.xgr2[0], e.g.mGau1);
}

TEST(EcranAxesVerticaux, DeuxCalibresDonnentDeuxAxesEtUneSecondeMarge)
{
    EcranPrepare e(vueSP5({{0, 0}, {1, 2}}, 1, 1001));
    const TGeometrieEcran& g = e.g;
    ASSERT_EQ(g.nbAxes, 2);
    EXPECT_EQ(g.AxesX[0].calA, 0);
    EXPECT_EQ(g.AxesX[1].calA, 2);
    EXPECT_EQ(g.mgau2, 7 * 7 + 2);
    EXPECT_EQ(e.mesures.voiesMesurees[1].axeVM, 1);
    EXPECT_EQ(g.larG, 1000 - g.mGau1 - g.mgau2 - 1 - 1 - 3);
    const int L = g.mGau1 + g.mgau2;
    EXPECT_EQ(g.xgr1[0], g.mGau1 - 4);
    EXPECT_EQ(g.xgr2[0], L);
    EXPECT_EQ(g.xgr1[1], L - 4);
    // Each axis fills half the graph (540 pixels) with its calibre; its
    // graduations are a whole number of pixels apart: 10 V gives 27 px/V,
    // under the least spacing (48), hence 54 pixels for 2 V; 1 V gives
    // 270 px/V, over the greatest (50), hence 27 pixels for 0.1 V.
    ASSERT_EQ(g.hauG, 540);
    EXPECT_EQ(g.espaDivV1[0], 54);
    EXPECT_FLOAT_EQ(g.sepR[0], 2.0f);
    EXPECT_EQ(g.espaDivV1[1], 27);
    EXPECT_FLOAT_EQ(g.sepR[1], 0.1f);
    for (int i = 0; i < 2; ++i) {
        float ech = static_cast<float>(g.AxesX[i].EchA);
        int n = g.nGradV11[i];
        EXPECT_EQ(g.ye(ech, n * g.sepR[i]) - g.ye(ech, (n + 1) * g.sepR[i]), static_cast<int>(g.espaDivV1[i]));
        EXPECT_EQ(g.ye(ech, static_cast<float>(g.vue.calibresDispo[g.AxesX[i].calA])), g.mSup);
    }
    EXPECT_EQ(g.echsVoies[1], static_cast<float>(g.AxesX[1].EchA));
}

TEST(EcranAxesVerticaux, LesCourbesGardeesCreentLeursAxesApresLesEntrees)
{
    TVueCentrale vue = vueSP5({{0, 0}}, 1, 1001);
    TGeometrieEcran g;
    TMesures mesures = courbesDe(1, 1001, {2}, [](double) { return 0.5; });
    g.vue = vue;
    g.mesures = &mesures;
    g.larT = 1000;
    g.hauT = 600;
    g.prepareAxesX(TMesureFixe());
    ASSERT_EQ(g.nbAxes, 2);
    EXPECT_EQ(g.AxesX[0].calA, 0);
    EXPECT_EQ(g.AxesX[1].calA, 2);
    EXPECT_EQ(mesures.voiesMesurees[0].axeVM, 1);
    EXPECT_EQ(mesures.voiesMesurees[1].axeVM, 0); // the input's record
}

TEST(EcranAxesVerticaux, UnCinquiemeCalibreNeCreePasDAxe)
{
    TVueCentrale vue = vueSP5({{0, 0}, {1, 1}, {2, 2}, {3, 3}}, 1, 1001);
    vue.nbCalEAGV = 5;
    vue.calibresDispo = {20, 10, 5, 2, 1, -1, -1, -1};
    vue.calibresR = {20, 10, 5, 2, 1, -1, -1, -1};
    vue.twCals_ = {" +20.0 ", " +10.0 ", " +5.00 ", " +2.00 ", " +1.00 "};
    TMesures mesures = courbesDe(1, 1001, {4}, [](double) { return 0.5; });
    TGeometrieEcran g;
    g.vue = vue;
    g.mesures = &mesures;
    g.larT = 1000;
    g.hauT = 600;
    g.prepareAxesX(TMesureFixe());
    g.prepareQuadAxes();
    EXPECT_EQ(g.nbAxes, 4);
    EXPECT_EQ(mesures.voiesMesurees[0].axeVM, -1);
    EXPECT_EQ(g.axesDesCalibres[4], -1);
    // The curve left without an axis keeps the scale of its own calibre.
    EXPECT_NEAR(mesures.voiesMesurees[0].echVM, g.hauG / 2.0, 1e-3);
    // Fourth axis: labels right of the third's, ticks just before them.
    const int R = g.mGau1 + g.mgau2 + g.larG;
    EXPECT_EQ(g.mDroi2, 7 * 7 + 2);
    EXPECT_EQ(g.xgr1[2], R);
    EXPECT_EQ(g.xgr1[3], R + g.mDroi1 - 2);
    EXPECT_EQ(g.xgr2[3], R + g.mDroi1 - 2);
}

TEST(EcranAxesVerticaux, LeCalibreDeDeuxCentsMillivoltsUtiliseSaPleineEchelle)
{
    EcranPrepare e(vueSP5({{0, 3}}, 1, 1001));
    const TGeometrieEcran& g = e.g;
    ASSERT_EQ(g.AxesX[0].calA, 3);
    EXPECT_NEAR(static_cast<double>(g.AxesX[0].EchA), g.hauG / (2 * 0.2), 1.0);
    EXPECT_FLOAT_EQ(g.sepR[0], 0.02f);
    // +0.2 V reaches the top of the graph and -0.2 V its bottom.
    EXPECT_NEAR(g.ye(0, 0.2f), g.mSup, 1);
    EXPECT_NEAR(g.ye(0, -0.2f), g.mSup + g.hauG, 1);
}

TEST(EcranGraduations, PremierEtDernierNumeros)
{
    EXPECT_EQ(TGeometrieEcran::premiereGraduation(-10, 2), -5);
    EXPECT_EQ(TGeometrieEcran::premiereGraduation(0.5, 1), 1);
    EXPECT_EQ(TGeometrieEcran::premiereGraduation(-9.9, 2), -4);
    EXPECT_EQ(TGeometrieEcran::derniereGraduation(10, 2), 5);
    EXPECT_EQ(TGeometrieEcran::derniereGraduation(0, 1), -1);
    EXPECT_EQ(TGeometrieEcran::derniereGraduation(-0.5, 1), -1);
}

TEST(EcranZoom, IndexLimitesEtBoutons)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    etatGeneral(g, 2);
    g.activerZooms();
    EXPECT_TRUE(g.boutonsZoom.plusH);
    EXPECT_FALSE(g.boutonsZoom.moinsH);
    EXPECT_TRUE(g.setZoomHX(7));
    EXPECT_EQ(g.zoomIndexH, 6);
    EXPECT_EQ(static_cast<double>(g.zoomH), 100);
    EXPECT_FALSE(g.setZoomHX(6));
    g.activerZooms();
    EXPECT_FALSE(g.boutonsZoom.plusH);
    EXPECT_TRUE(g.boutonsZoom.moinsH);
    EXPECT_TRUE(g.SBHor.Enabled);
    EXPECT_TRUE(g.setZoomHX(-3));
    EXPECT_EQ(g.zoomIndexH, 0);
    EXPECT_FALSE(g.SBHor.Enabled);
    EXPECT_TRUE(g.setZoomVX(6));
    g.activerZooms();
    EXPECT_FALSE(g.boutonsZoom.plusV);
    EXPECT_TRUE(g.boutonsZoom.moinsV);
    // During a run the buttons are left as they are.
    g.DesactiverZooms();
    etatGeneral(g, 3);
    g.activerZooms();
    EXPECT_FALSE(g.boutonsZoom.moinsV);
}

TEST(EcranZoom, AZoomUnLesOriginesIgnorentLesBarres)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    g.SBHor.Position = 700;
    g.SBVert.Position = -500;
    g.prepareQuadAxes();
    EXPECT_EQ(g.xOri, g.mGau1 + g.mgau2);
    EXPECT_EQ(g.yOri, g.mSup + g.hauG / 2);
}

TEST(EcranZoom, CurseursProchesCentresEnZoomant)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    etatGeneral(g, 2);
    g.mesures->t0 = 0.40f;
    g.mesures->tFin = 0.45L;
    g.calculePixelsCurseurs();
    g.setZoomHX(1);
    const int milieu = g.mGau1 + g.mgau2 + g.larG / 2;
    EXPECT_NEAR((g.xe(g.t0()) + g.xe(g.tFin())) / 2.0, milieu, 1);
    EXPECT_GT(g.SBHor.Position, 0);
    // The scroll position gives back the same origin.
    g.prepareQuadAxes();
    EXPECT_NEAR((g.xe(g.t0()) + g.xe(g.tFin())) / 2.0, milieu, 2);
}

TEST(EcranZoom, AuZoomCentLesCurseursRestentCentresAuRedessin)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 100001));
    TGeometrieEcran& g = e.g;
    etatGeneral(g, 2);
    g.mesures->t0 = 0.5f;
    g.mesures->tFin = 0.5004L;
    g.calculePixelsCurseurs();
    g.setZoomHX(6);
    const int milieu = g.mGau1 + g.mgau2 + g.larG / 2;
    const int avant = (g.xe(g.t0()) + g.xe(g.tFin())) / 2;
    EXPECT_NEAR(avant, milieu, 1);
    g.prepareQuadAxes(); // a redraw keeps the origin the zoom chose
    EXPECT_EQ((g.xe(g.t0()) + g.xe(g.tFin())) / 2, avant);
    // The end of a scroll moves it to the scroll position.
    g.finDefilementH(0);
    g.prepareQuadAxes();
    EXPECT_EQ(g.xOri, g.mGau1 + g.mgau2);
}

TEST(EcranZoom, PaireTropLargePremierCurseurATroisPixelsDuBord)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    etatGeneral(g, 2);
    g.mesures->t0 = 0.1f;
    g.mesures->tFin = 0.9L;
    g.calculePixelsCurseurs();
    g.setZoomHX(2);
    EXPECT_EQ(g.xe(g.t0()), g.mGau1 + g.mgau2 + 3);
}

TEST(EcranZoom, ZoomVerticalGardeLaValeurDuMilieu)
{
    EcranPrepare e(vueSP5({{0, 0}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    g.setZoomVX(1);
    g.yOri = g.yOriMax; // scrolled: the middle shows a negative value
    float ech = static_cast<float>(g.AxesX[0].EchA);
    float milieu = g.U1(ech, g.mSup + g.hauG / 2);
    g.setZoomVX(2);
    EXPECT_NEAR(g.U1(ech, g.mSup + g.hauG / 2), milieu, 1.0f / ech);
}

TEST(EcranStyleDeDessin, ChoisiParLeNombreDePointsParPixel)
{
    struct Cas {
        int64_t nbIntervalles;
        int style;
    };
    for (Cas c : {Cas{10000, 0}, Cas{400, 1}, Cas{50, 2}}) {
        TGeometrieEcran g;
        TMesures mesures;
        mesures.tv2.resize(1);
        g.mesures = &mesures;
        g.vue = vueSP5({{0, 0}}, 1, c.nbIntervalles + 1);
        g.mGau1 = 99;
        g.mgau2 = 1;
        g.larG = 500;
        g.xOri = 100;
        g.axeT.EchA = 500;
        g.setModeDessinVM();
        EXPECT_EQ(g.modeDessinVM, c.style) << c.nbIntervalles;
        EXPECT_NEAR(g.nbPPP, c.nbIntervalles / 500.0, 1e-4);
    }
}

TEST(EcranCurseurs, EcartMinimalEntreDeuxCurseurs)
{
    TGeometrieEcran g;
    g.vue.dt0X = 0.001;
    g.axeT.EchA = 500;
    EXPECT_EQ(g.ecartMinCurseurs(), 5);
    g.zoomH = 5;
    EXPECT_EQ(g.ecartMinCurseurs(), 10);
}

// A small graph: sample k of a curve at x = 100 + 10 k, and 10 pixels per volt.
struct EcranPointage : ::testing::Test {
    TGeometrieEcran g;
    TMesures mesures;

    void SetUp() override
    {
        g.mGau1 = 99;
        g.mgau2 = 1;
        g.larG = 500;
        g.mSup = 100;
        g.hauG = 400;
        g.xOri = 100;
        g.yOri = 300;
        g.axeT.EchA = 100;
        mesures = courbesDe(0.5, 6, {0}, [](double t) { return 10 * t; });
        mesures.voiesMesurees[0].echVM = 10;
        g.mesures = &mesures;
    }
    void ajouteCourbe(float decalage)
    {
        mesures.tv2.push_back(mesures.tv2[0]);
        for (float& v : mesures.tv2.back())
            v += decalage;
        mesures.voiesMesurees.push_back(mesures.voiesMesurees[0]);
        mesures.nbVoiesMesurees = static_cast<int>(mesures.tv2.size());
    }
};

TEST_F(EcranPointage, SurUnEchantillon)
{
    g.elementPointe(120, 280);
    EXPECT_EQ(g.voieMesureeP, 0);
    EXPECT_EQ(g.pointP, 2);
    g.elementPointe(143, 258); // within 5 pixels of sample 4 (140, 260)
    EXPECT_EQ(g.pointP, 4);
}

TEST_F(EcranPointage, SurLeSegmentEntreDeuxEchantillons)
{
    g.elementPointe(125, 275);
    EXPECT_EQ(g.voieMesureeP, 0);
    EXPECT_EQ(g.pointP, -1);
}

TEST_F(EcranPointage, SurRien)
{
    g.elementPointe(120, 286); // 6 pixels under sample 2, off the line
    EXPECT_EQ(g.voieMesureeP, -1);
    EXPECT_EQ(g.pointP, -1);
    g.elementPointe(90, 300); // outside the graph
    EXPECT_EQ(g.voieMesureeP, -1);
    mesures.nbVoiesMesurees = 0;
    g.elementPointe(120, 280);
    EXPECT_EQ(g.voieMesureeP, -1);
}

TEST_F(EcranPointage, DeuxCourbesAMoinsDeCinqPixels)
{
    ajouteCourbe(-0.4f); // curve 1 is 4 pixels under curve 0
    g.elementPointe(120, 282); // 2 pixels from each: the later one wins
    EXPECT_EQ(g.voieMesureeP, 1);
    EXPECT_EQ(g.pointP, 2);
    g.elementPointe(120, 281); // nearer to curve 0
    EXPECT_EQ(g.voieMesureeP, 0);
    g.elementPointe(120, 283); // nearer to curve 1
    EXPECT_EQ(g.voieMesureeP, 1);
}

TEST(EcranNiveauxDeMesure, ReexprimesSurLAxeDeQuadrillage)
{
    EcranPrepare e(vueSP5({{0, 0}, {1, 2}}, 1, 1001));
    TGeometrieEcran& g = e.g;
    g.replaceNiveauxMesure();
    EXPECT_NEAR(g.yeUmaxM, g.mSup + g.hauG / 18, 1);
    long double avant = g.UMaxM;
    g.choisitAxeQuadrille(-2); // axis 1 (calibre 1 V)
    EXPECT_EQ(g.axeQuadrilleX, 1);
    EXPECT_NEAR(static_cast<double>(g.UMaxM), static_cast<double>(avant) / 10, 0.05);
    g.choisitAxeQuadrille(0); // the curve of input 0, on axis 0
    EXPECT_EQ(g.axeQuadrilleX, 0);
    EXPECT_NEAR(static_cast<double>(g.UMaxM), static_cast<double>(avant), 0.05);
}

} // namespace

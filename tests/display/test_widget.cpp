// The screen widget forwards its buttons, bars and mouse to the screen.
#include "Fixtures.h"
#include "display/PanelMesuresSurEcran.h"
#include "display/WidgetEcran.h"

#include <QTest>
#include <cmath>
#include <gtest/gtest.h>

namespace {

struct EcranWidget : ::testing::Test {
    TVueCentrale vue;
    TMesures mesures;

    void SetUp() override
    {
        assureApplication();
        vue = vueSP5({{0, 0}, {1, 2}}, 1, 1001);
        mesures = courbesDe(1, 1001, {0, 2}, [](double t) { return 5 * std::sin(6.28 * t); },
                            [](double t) { return 0.5 * std::cos(6.28 * t); });
    }
    void monte(TWidgetEcran& w)
    {
        w.ecran().setVue(vue);
        w.ecran().setMesures(&mesures);
        etatGeneral(w.ecran().geometrie, 2);
        w.ecran().geometrie.mesures->tFin = 1;
        w.resize(800, 500);
        w.show();
    }
};

TEST_F(EcranWidget, LImageOccupeLePanneauMoinsLesBarres)
{
    TWidgetEcran w;
    monte(w);
    const int e = 16;
    EXPECT_EQ(w.ecran().iEcranX.size(), QSize(800 - e, 500 - e));
    EXPECT_EQ(w.ecran().geometrie.larT, 800 - e);
    EXPECT_EQ(w.iEcranX()->size(), QSize(800 - e, 500 - e));
    EXPECT_FALSE(w.SBHor->isEnabled());
    EXPECT_FALSE(w.SBZoomMoinsH->isEnabled());
    w.resize(600, 400);
    EXPECT_EQ(w.ecran().iEcranX.size(), QSize(600 - e, 400 - e));
}

TEST_F(EcranWidget, BoutonsDeZoomEtBarreDeDefilement)
{
    TWidgetEcran w;
    monte(w);
    QTest::mouseClick(w.SBZoomPlusH, Qt::LeftButton);
    EXPECT_EQ(w.ecran().geometrie.zoomIndexH, 1);
    EXPECT_TRUE(w.SBHor->isEnabled());
    EXPECT_TRUE(w.SBZoomMoinsH->isEnabled());
    const int xOri = w.ecran().geometrie.xOri;
    w.SBHor->setValue(1000);
    EXPECT_EQ(w.ecran().geometrie.SBHor.Position, 1000);
    EXPECT_LT(w.ecran().geometrie.xOri, xOri);
    QTest::mouseClick(w.SBZoomPlusV, Qt::LeftButton);
    EXPECT_EQ(w.ecran().geometrie.ZoomIndexV, 1);
    EXPECT_TRUE(w.SBVert->isEnabled());
}

TEST_F(EcranWidget, LaSourisVaAuxGestionnaires)
{
    TWidgetEcran w;
    monte(w);
    TEcran& e = w.ecran();
    const int x = e.geometrie.xetFX, y = e.geometrie.mSup + 5;
    QTest::mousePress(w.iEcranX(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_EQ(e.geometrie.modeS, 4);
    QTest::mouseRelease(w.iEcranX(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    EXPECT_EQ(e.geometrie.modeS, 0);
}

TEST_F(EcranWidget, PanneauDeMesures)
{
    TWidgetEcran w;
    monte(w);
    TEcran& e = w.ecran();
    TPanelMesuresSurEcran panneau(e);
    e.surLectures = [&] { panneau.MAJLectures(); };
    etatGeneral(e.geometrie, 6);
    e.ouvreMesures();
    panneau.MAJAxes();
    ASSERT_EQ(panneau.CBAxes->count(), 2);
    EXPECT_EQ(panneau.CBAxes->itemText(1), " +1.00 ");
    EXPECT_EQ(panneau.EditUmaxM->text(), "  9.00 V");
    panneau.CBAxes->setCurrentIndex(1);
    EXPECT_EQ(e.geometrie.axeQuadrilleX, 1);
    EXPECT_EQ(panneau.BFermerMesuresSurEcran->text(), "Fermer");
}

} // namespace

// The layout computed from the window's size.
#include "app/Disposition.h"

#include <gtest/gtest.h>

using namespace gv;

namespace {

TDisposition pour(int largeur, int hauteur, int boutonsCentrales = 0, int largeurClient = 0)
{
    TEntreeDisposition e;
    e.largeurFenetre = e.largeurClient = largeur;
    if (largeurClient > 0)
        e.largeurClient = largeurClient;
    e.hauteurFenetre = e.hauteurClient = hauteur;
    e.nbBoutonsCentrales = boutonsCentrales;
    return calculeDisposition(e);
}

TEST(Disposition, FenetreDeReference)
{
    const TDisposition d = pour(1060, 725);
    EXPECT_EQ(d.LarNomPParametres, 169);
    EXPECT_EQ(d.hauNomPVoies, 180);
    EXPECT_FLOAT_EQ(d.coDIMH, 1.0f);
    EXPECT_FLOAT_EQ(d.coDimV, 1.0f);
    EXPECT_EQ(d.hauteurOutils, 30);
    EXPECT_EQ(d.cote, 26);
    EXPECT_EQ(d.ecart, 2);
    EXPECT_EQ(d.panelParametres.largeur, 169);
    EXPECT_EQ(d.panelParametres.hauteur, 626);
    EXPECT_EQ(d.PanelVoies.hauteur, 180);
    EXPECT_EQ(d.PanelVoies.y, 725 - 180 - 3);
    EXPECT_EQ(d.PanelVoies.largeur, 1060 - 169 - 6);
    EXPECT_EQ(d.PanelEcranTab.y, 32);
    EXPECT_EQ(d.PanelEcranTab.hauteur, 542 - 30 - 6);
    EXPECT_EQ(d.largeurSplitter, 5);
    EXPECT_EQ(d.tailleMinSplitter, 80);
}

TEST(Disposition, FenetreDoublee)
{
    const TDisposition d = pour(2120, 1450);
    EXPECT_EQ(d.LarNomPParametres, 287); // min(304, 287)
    EXPECT_FLOAT_EQ(d.coDIMH, 287.0f / 169.0f);
    EXPECT_EQ(d.hauNomPVoies, 324);
    EXPECT_FLOAT_EQ(d.coDimV, 1.8f);
    EXPECT_EQ(d.hauteurOutils, 54);
    // min(trunc(26 × 1.8), trunc(26 × 1.698)) = min(46, 44)
    EXPECT_EQ(d.cote, 44);
    EXPECT_EQ(d.ecart, 3);
    EXPECT_EQ(d.panelParametres.largeur, 287);
    EXPECT_EQ(d.PanelVoies.hauteur, 324);
}

TEST(Disposition, FenetreBasse)
{
    const TDisposition d = pour(1060, 600);
    EXPECT_LT(d.LarNomPParametres, 169);
    EXPECT_LT(d.coDIMH, 1.0f);
    EXPECT_FLOAT_EQ(d.coDimV, 1.0f);
    EXPECT_EQ(d.hauNomPVoies, 180);
    // The buttons never shrink below 26 pixels.
    EXPECT_EQ(d.cote, 26);
    // A wide but low window is limited by its height.
    EXPECT_EQ(pour(3000, 600).LarNomPParametres, d.LarNomPParametres);
}

TEST(Disposition, BoutonsDeLaBarreDOutils)
{
    // The coefficients of a 1060 × 725 window, the room of a wider client.
    const TDisposition d = pour(1060, 725, 0, 1400);
    const int s = 26, q = 2;
    const int gauches[] = {q, s + 2 * q, 2 * s + 3 * q, 3 * s + 8 * q, 4 * s + 9 * q, 5 * s + 10 * q,
                           6 * s + 14 * q, 7 * s + 15 * q, 8 * s + 19 * q, 9 * s + 20 * q};
    for (int b = 0; b <= boutonAproposDe; ++b) {
        EXPECT_EQ(d.boutons[b].x, gauches[b]) << b;
        EXPECT_EQ(d.boutons[b].y, q);
        EXPECT_EQ(d.boutons[b].largeur, s);
    }
    EXPECT_EQ(d.boutons[boutonQuitter].x, 10 * s + 20 * q + 4 * q);
    EXPECT_EQ(d.PPointage.x, d.boutons[boutonQuitter].droite() + 4 * q);
    EXPECT_EQ(d.PPointage.largeur, 336);
    EXPECT_EQ(d.PMessages.x, d.PPointage.droite() + 4 * q);
    EXPECT_EQ(d.PMessages.largeur, 460);

    // Three unit buttons, 3.5 × 26 wide, between about and quit.
    const TDisposition u = pour(1060, 725, 3, 1700);
    ASSERT_EQ(u.boutonsCentrales.size(), 3u);
    EXPECT_EQ(u.boutonsCentrales[0].x, u.boutons[boutonAproposDe].droite() + q);
    EXPECT_EQ(u.boutonsCentrales[0].largeur, 91);
    EXPECT_EQ(u.boutonsCentrales[1].x, u.boutonsCentrales[0].droite() + q);
    EXPECT_EQ(u.boutons[boutonQuitter].x, u.boutonsCentrales[2].droite() + 4 * q);
    EXPECT_EQ(u.policeBoutonsCentrales, 12);
}

TEST(Disposition, LaBoitePresenceResteDansUneFenetreEtroite)
{
    for (const int boutons : {0, 3}) {
        const TDisposition d = pour(1060, 725, boutons);
        EXPECT_LE(d.PMessages.droite(), 1060) << boutons;
        EXPECT_EQ(d.PMessages.largeur - d.largeurEditMessageX, 240) << boutons; // the presence box keeps 230
        EXPECT_EQ(d.PMessages.x, d.PPointage.droite() + 4 * d.ecart);
        EXPECT_LT(d.PPointage.largeur, 336);
        EXPECT_GE(d.PPointage.largeur, 120);
        EXPECT_GE(d.largeurEditMessageX, 40);
        // Nothing is given up beyond what the window lacks.
        EXPECT_EQ(d.PMessages.droite() + d.ecart, 1060);
    }
}

TEST(Disposition, PanneauxReduits)
{
    TEntreeDisposition e;
    e.pParametresReduit = true;
    e.pVoiesReduit = true;
    const TDisposition d = calculeDisposition(e);
    EXPECT_EQ(d.panelParametres.largeur, 16); // trunc(169 × 0.1)
    EXPECT_EQ(d.PanelVoies.hauteur, 18);
    EXPECT_EQ(d.PanelVoies.largeur, 1060 - 16 - 6);
    EXPECT_EQ(d.PanelEcranTab.hauteur, (725 - 18 - 3) - 30 - 6);
}

} // namespace

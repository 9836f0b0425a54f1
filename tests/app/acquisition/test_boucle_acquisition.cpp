#include "app/acquisition/BoucleAcquisition.h"

#include "CentraleScriptee.h"
#include "HoteEspion.h"

#include <gtest/gtest.h>

namespace {

struct Boucle : ::testing::Test {
    TCentraleScriptee centrale { { 0, 1 }, { 0, 1 } };
    TMesures mesures;
    TDrapeauxAcquisition drapeaux;
    TModeGeneral modeGeneral = TModeGeneral::rienAcquis;
    THoteEspion hote;

    void SetUp() override
    {
        centrale.nbPts0X = 200;
        mesures.tv2.assign(2, std::vector<float>(200));
        mesures.voiesMesurees.resize(2);
        modeGeneral = TModeGeneral::acquisitionEnCours;
    }
    void blocs(int nombre, int mots)
    {
        for (int b = 0; b < nombre; ++b)
            centrale.ajouteBloc(std::vector<uint16_t>(std::size_t(mots), 7));
    }
};

} // namespace

TEST_F(Boucle, ReadsUntilTheRecordIsCompleteThenStops)
{
    blocs(1, 0); // nothing yet
    blocs(2, 256);
    centrale.blocs.front().second = 0;
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    boucle.acquisitionSimple(0);
    EXPECT_TRUE(centrale.trameTerminee);
    EXPECT_EQ(centrale.arrets, 1);
    EXPECT_EQ(hote.debuts, 1);
    EXPECT_EQ(centrale.demandesDtPretrig, 1);
    ASSERT_EQ(hote.blocs.size(), 2u);
    EXPECT_EQ(hote.fronts.back(), 199);
    EXPECT_EQ(hote.messages.front(), "Acquisition en attente...");
    EXPECT_EQ(hote.messages.back(), "Acquisition en cours...");
    EXPECT_FLOAT_EQ(mesures.tv2[1][199], 1.07f);
}

TEST_F(Boucle, StopPressedDuringTheRunEndsIt)
{
    blocs(50, 2);
    hote.pendantLaBoucle = [&] {
        if (hote.blocs.size() == 3)
            drapeaux.stop = true;
    };
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    boucle.acquisitionSimple(0);
    EXPECT_EQ(hote.blocs.size(), 3u);
    EXPECT_FALSE(centrale.trameTerminee);
    EXPECT_EQ(centrale.arrets, 1);

    // A run stopped from outside (the unit no longer running) ends at once.
    THoteEspion autre;
    autre.pendantLaBoucle = [&] { centrale.acqPeriodiqueEnCours = false; };
    TBoucleAcquisition boucle2(centrale, mesures, drapeaux, modeGeneral, autre);
    boucle2.acquisitionSimple(0);
    EXPECT_EQ(autre.blocs.size(), 1u);
}

TEST_F(Boucle, SlowTriggerShowsTheDialogAndALostUnitEndsTheRun)
{
    centrale.modeDecl = kDeclSeuil;
    centrale.tAttenteMaxDecl = 0.02f;
    hote.pendantLaBoucle = [&] {
        if (hote.attentesLongues == 2)
            drapeaux.stop = true;
    };
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    boucle.acquisitionSimple(0);
    EXPECT_EQ(hote.messages.front(), "Attente du déclenchement sur synchro...");
    EXPECT_EQ(hote.attentesLongues, 2);
    EXPECT_GE(centrale.tAcqAttDecl, 20.0);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::aucune);

    hote.pendantLaBoucle = nullptr;
    centrale.presence = -1;
    boucle.acquisitionSimple(0);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::centralePerdue);
    EXPECT_TRUE(drapeaux.nouveauxParametres);
    EXPECT_EQ(hote.blocs.size(), 0u);
}

TEST_F(Boucle, DataThatStopComing)
{
    blocs(1, 4);
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    // Present but silent: the loop goes on asking until stopped.
    int pompes = 0;
    hote.pendantLaBoucle = [&] {
        if (++pompes == 40)
            drapeaux.stop = true;
    };
    boucle.acquisitionSimple(0);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::aucune);
    EXPECT_EQ(mesures.tv2[0][1], 0.07f);
    EXPECT_EQ(mesures.tv2[0][2], 0.0f);

    // Gone: after 8 sleeps without data the run ends as a lost unit.
    blocs(1, 4);
    centrale.presence = -1;
    hote.pendantLaBoucle = nullptr;
    boucle.acquisitionSimple(0);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::centralePerdue);
    EXPECT_LE(centrale.lectures, 40 + 2 + 12);
}

TEST(ReglagesRun, BlockSizeAndEndOfMeasurementDelay)
{
    TCentrale c(1);
    c.nbPtsFifoMin = 1;
    const struct {
        double dt;
        int32_t signaux;
        int32_t attendu;
    } cas[] = { { 1e-4, 1, 256 }, { 1e-3, 2, 100 }, { 0.1, 3, 3 }, { 1.0, 1, 1 }, { 0.05, 2, 2 }, { 1e-7, 8, 256 } };
    for (const auto& k : cas) {
        c.dt0X = k.dt;
        c.nbVoiesSignaux = k.signaux;
        EXPECT_EQ(tailleBlocFifo(c), k.attendu) << k.dt;
    }
    EXPECT_EQ(intervalleFinMesures(2.0, 2), 1000); // 50 % pre-trigger, 2 s
    EXPECT_EQ(intervalleFinMesures(0.1, 0), 100);
    EXPECT_EQ(intervalleFinMesures(0.1, 4), 0);
}

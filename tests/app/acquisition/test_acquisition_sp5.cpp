// The read loop against the SP5 driver and its simulator library: what the
// Start button does below the window.
#include "app/acquisition/BoucleAcquisition.h"
#include "drivers/sp5/TSP5.h"
#include "platform/Bibliotheque.h"
#include "platform/Temps.h"
#include "simulators/sp5/SignauxSP5Sim.h"

#include "HoteEspion.h"

#include <gtest/gtest.h>

namespace {

const char* const kSimulateur = GALVORA_SIM_DIR "/SP5SIM.DLL";

struct AcquisitionSP5 : ::testing::Test {
    TSP5 centrale { kSimulateur, 1 };
    TMesures mesures;
    TDrapeauxAcquisition drapeaux;
    TModeGeneral modeGeneral = TModeGeneral::rienAcquis;
    THoteEspion hote;
    plateforme::HandleBibliotheque simulateur = plateforme::chargeBibliotheque(kSimulateur);

    void SetUp() override
    {
        ASSERT_NE(simulateur, nullptr);
        plateforme::procedure<void (*)()>(simulateur, "SimSP5_Reinitialise")();
        // Runs read from the signals' phase 0, to compare with them.
        plateforme::procedure<void (*)(int64_t)>(simulateur, "SimSP5_FixeDebutRuns")(0);
        ASSERT_TRUE(centrale.Presente());
        modeGeneral = TModeGeneral::acquisitionEnCours;
    }
    void TearDown() override
    {
        plateforme::procedure<void (*)(int32_t)>(simulateur, "SimSP5_Branche")(1);
        plateforme::libereBibliotheque(simulateur);
    }

    // The preparation the Start button makes before the read loop.
    void prepare()
    {
        mesures.tv2.assign(std::size_t(centrale.nbVoiesSignaux), std::vector<float>(std::size_t(centrale.nbPts0X)));
        mesures.voiesMesurees.assign(std::size_t(centrale.nbVoiesSignaux), TVoieMesuree {});
        centrale.Reset();
        centrale.NbPtsFifo = tailleBlocFifo(centrale);
        centrale.prepareTousPRX(true);
        centrale.TailleTransfertFifo(centrale.NbPtsFifo);
        centrale.ViderFifo();
    }
};

} // namespace

TEST_F(AcquisitionSP5, TwoInputsOfOneChannelInRealTime)
{
    centrale.activeVoieA(0, false);
    centrale.activeVoieA(4, false);
    centrale.setDurees(0.1, 1001, false);
    ASSERT_EQ(centrale.nbVoiesSignaux, 2);
    ASSERT_EQ(centrale.nbPts0X, 1001);
    prepare();
    const double debut = plateforme::secondesMonotones();
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    boucle.acquisitionSimple(0);
    const double duree = plateforme::secondesMonotones() - debut;
    EXPECT_TRUE(centrale.trameTerminee);
    EXPECT_GE(duree, 0.095);
    EXPECT_LT(duree, 0.5);
    EXPECT_GE(hote.blocs.size(), 4u); // blocks of about 100 ms of both inputs
    for (int i = 0; i < 2; ++i) {
        const int entree = centrale.VoiesActivesSignaux[std::size_t(i)];
        for (int64_t k = 0; k < centrale.nbPts0X; ++k)
            ASSERT_NEAR(mesures.tv2[std::size_t(i)][std::size_t(k)], sp5sim::sp5simTension(entree, double(k) * centrale.dt0X), 0.03)
                << "input " << entree << " point " << k;
    }
    EXPECT_NEAR(mesures.voiesMesurees[0].max, 5.0, 0.03);
    EXPECT_NEAR(mesures.voiesMesurees[1].min, 0.0, 0.03); // EA4's 1 Hz sine over 0.1 s
}

TEST_F(AcquisitionSP5, UnitUnpluggedDuringTheRun)
{
    centrale.setDurees(0.5, 1001, false);
    prepare();
    hote.pendantLaBoucle = [&] {
        if (hote.blocs.size() == 1)
            plateforme::procedure<void (*)(int32_t)>(simulateur, "SimSP5_Branche")(0);
    };
    TBoucleAcquisition boucle(centrale, mesures, drapeaux, modeGeneral, hote);
    boucle.acquisitionSimple(0);
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::centralePerdue);
    EXPECT_FALSE(centrale.trameTerminee);
    EXPECT_NEAR(mesures.tv2[0][10], sp5sim::sp5simTension(0, 10 * centrale.dt0X), 0.03); // kept
    EXPECT_EQ(mesures.tv2[0][1000], 0.0f);
}

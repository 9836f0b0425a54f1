// The driver against the simulated V6: construction, settings accepted by the
// unit, and runs read block by block like the acquisition control does,
// compared sample for sample with the simulator's documented signals.
#include "BibliothequeTest.h"
#include "LecteurBlocs.h"
#include "drivers/v6/TSYSAMV6.h"
#include "platform/PompeMessages.h"
#include "simulators/v6/SignauxV6Sim.h"
#include "simulators/v6/SimV6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {
const std::string kCheminSim = std::string(GALVORA_SIM_DIR) + "/FTD2XX-V6.DLL";
}

class SimulateurV6 : public ::testing::Test {
protected:
    BibliothequeTest sim { kCheminSim };
    std::unique_ptr<TSYSAMV6> v6;

    void SetUp() override
    {
        ASSERT_TRUE(sim.chargee()) << "simulated V6 not built: " << kCheminSim;
        sim.fonction<PtrSimV6_Reinitialise>("SimV6_Reinitialise")();
        // Each run sees the signals from their phase 0, to compare with them.
        sim.fonction<PtrSimV6_FixeDebutRuns>("SimV6_FixeDebutRuns")(0);
        v6 = std::make_unique<TSYSAMV6>(kCheminSim, 1);
        v6->acquisitionUtilisateur = true;
    }

    void TearDown() override
    {
        plateforme::installePompeMessages({});
        if (v6)
            v6->free(true);
    }

    void activeSeulement(std::initializer_list<int> voies)
    {
        for (int v = 0; v < 3; ++v)
            v6->desactiveVoieA(uint8_t(v), false);
        for (int v : voies)
            v6->activeVoieA(uint8_t(v), false);
    }

    // What the main window does before a run.
    void programme()
    {
        v6->Reset();
        v6->NbPtsFifo = std::max(std::max<int32_t>(std::min<int32_t>(int32_t(std::nearbyint(0.1 / v6->dt0X)), 256),
                                               v6->nbVoiesSignaux),
                                 v6->nbPtsFifoMin);
        v6->prepareTousPRX(true);
        ASSERT_TRUE(v6->prepareInterfacePourAcq(true));
        v6->TailleTransfertFifo(v6->NbPtsFifo);
        v6->ViderFifo();
    }

    int64_t dtNs() const
    {
        const auto p = uint16_t(std::stoul(v6->ccP_TempsEch.substr(1), nullptr, 16));
        return v6->modeAcq == 1 ? v6simDtLentNs(p) : v6simDtRapideNs(p, v6->nbVoiesActivesX);
    }

    // Every point of every signal equals the simulator's code of sample
    // premier + point.
    void verifieSignaux(const AcquisitionLue& lue, int64_t premier, int64_t nbPoints)
    {
        ASSERT_GE(lue.pointsRecus, nbPoints);
        for (int s = 0; s < v6->nbVoiesSignaux; ++s) {
            const int entree = v6->VoiesActivesSignaux[std::size_t(s)];
            for (int64_t k = 0; k < nbPoints; ++k) {
                const int attendu = v6simCode(entree, v6simInstant(premier + k, dtNs()));
                ASSERT_EQ(lue.codes[std::size_t(s)][std::size_t(k)], attendu) << "input " << entree << " point " << k;
            }
        }
        for (int32_t taille : lue.tailleBlocs)
            EXPECT_LE(taille, v6->NbPtsFifo);
    }
};

TEST_F(SimulateurV6, ConstructionReadsTheUnitAndItsCalibration)
{
    EXPECT_TRUE(v6->CentraleInstallee);
    EXPECT_TRUE(v6->CentralePresente);
    EXPECT_TRUE(v6->V6TrouveeAuMoinsUneFois);
    EXPECT_EQ(v6->numeroSerie, v6simNumeroSerie);
    for (int k = 0; k < 3; ++k) {
        EXPECT_DOUBLE_EQ(v6->a1[std::size_t(k)][0], v6simAmpliCan[k]);
        EXPECT_FLOAT_EQ(v6->VoiesX[std::size_t(k)].cb[0], v6simOffsetCan[k]);
    }
    EXPECT_DOUBLE_EQ(v6->a1S[0], v6simAmpliDac);
    // A code converts back to its voltage within half a step.
    EXPECT_NEAR(v6->Ux(2, v6simCodeDe(2, 7.5)), 7.5, 0.5 * v6simAmpliCan[2] + 1e-6);
    EXPECT_EQ(v6->ValUx(2, 7.5f), v6simCodeDe(2, 7.5));
}

TEST_F(SimulateurV6, UnpluggedUnitIsAbsentAndFoundAgain)
{
    sim.fonction<PtrSimV6_Branche>("SimV6_Branche")(0);
    EXPECT_FALSE(v6->Presente());
    EXPECT_FALSE(v6->prepareInterfacePourAcq(true));
    sim.fonction<PtrSimV6_Branche>("SimV6_Branche")(1);
    EXPECT_TRUE(v6->Presente());
    EXPECT_TRUE(v6->prepareInterfacePourAcq(true));
}

TEST_F(SimulateurV6, DirectMeasurementOfEveryActiveInput)
{
    activeSeulement({ 0, 1, 2 });
    v6->MesureDirecte();
    const double amplitude[3] = { 5.0, 8.0, 20.0 };
    for (int k = 0; k < 3; ++k) {
        const TVoie& v = v6->VoiesX[std::size_t(k)];
        EXPECT_NEAR(v.mesDirR, v6->Ux(k, v.mesDir), 1e-4);
        EXPECT_LE(std::fabs(v.mesDirR), amplitude[k] + 0.05) << k;
    }
}

TEST_F(SimulateurV6, FastRunWithoutTriggerOnThreeInputs)
{
    activeSeulement({ 0, 1, 2 });
    v6->setDurees(0.06, 201, false);
    ASSERT_EQ(v6->modeAcq, 0);
    ASSERT_NEAR(v6->dt0X, 3e-4, 1e-12);
    programme();
    v6->declencheAcq();
    ASSERT_TRUE(v6->acqPeriodiqueEnCours);
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    verifieSignaux(lue, 0, v6->nbPts0X);
    EXPECT_FALSE(v6->AcqEmiV6EnCours);
}

TEST_F(SimulateurV6, SlowRunDeliversSamplesAsTheyAreAcquired)
{
    v6->setDurees(1.0, 101, false);
    ASSERT_EQ(v6->modeAcq, 1);
    ASSERT_EQ(v6->ccP_TempsEch, "P0009");
    programme();
    v6->declencheAcq();
    const AcquisitionLue lue = lisAcquisition(*v6, 3000);
    verifieSignaux(lue, 0, v6->nbPts0X);
}

TEST_F(SimulateurV6, ThresholdRunIsAlignedOnTheTrigger)
{
    v6->setModeDeclenchement(1, false);
    v6->setDurees(0.05, 501, false);
    v6->setPretrig(int32_t(1), false);
    v6->setVoieSynchro(0, false);
    v6->setSensDeclSeuil(0, false);
    // A threshold a little under the voltage of code 2300.
    const int32_t codeSeuil = 2300;
    v6->setSeuilDecl(float(v6->Ux(0, codeSeuil) - 0.3 * v6simAmpliCan[0]));
    ASSERT_EQ(v6->VNESeuilDecl, codeSeuil);
    programme();
    ASSERT_EQ(v6->nbPtsPretrig, 125);
    ASSERT_EQ(v6->ccO_Pretrig, "O0081");

    // The sample the unit triggers on.
    const int64_t O = v6->nbPtsPretrig + v6->pretrigCache;
    int64_t kT = O;
    while (!(v6simCode(0, v6simInstant(kT - 1, dtNs())) < codeSeuil
             && v6simCode(0, v6simInstant(kT, dtNs())) >= codeSeuil))
        ++kT;

    v6->declencheAcq();
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    // Row nbPtsPretrig is the last sample before the trigger.
    verifieSignaux(lue, kT - v6->nbPtsPretrig - 1, v6->nbPts0X);
    ASSERT_LT(lue.codes[0][125], codeSeuil);
    ASSERT_GE(lue.codes[0][126], codeSeuil);
    const double uA = v6->Ux(0, lue.codes[0][125]);
    const double uB = v6->Ux(0, lue.codes[0][126]);
    EXPECT_NEAR(v6->dtPretrig, (v6->USeuilDecl - uA) / (uB - uA) * v6->dt0X, 1e-9);
    // The first block holds the pre-trigger rows the alignment kept.
    ASSERT_FALSE(lue.tailleBlocs.empty());
    EXPECT_EQ(lue.tailleBlocs[0], std::min<int32_t>(v6->NbPtsFifo, 130 - 3));
}

TEST_F(SimulateurV6, ExternalTriggerRunStartsAtTheEdge)
{
    activeSeulement({ 1 });
    v6->setModeDeclenchement(2, false);
    v6->setDurees(0.05, 501, false);
    v6->setPretrig(int32_t(0), false);
    programme();
    ASSERT_EQ(v6->ccE_Synchro, "E1020000");
    ASSERT_EQ(v6->nbPtsPretrig, 1);
    ASSERT_EQ(dtNs(), 100'000);
    v6->declencheAcq();
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    // The edge at 20 ms is sample 200; the rows start O = 5 samples before.
    verifieSignaux(lue, 200 - 5, v6->nbPts0X);
}

TEST_F(SimulateurV6, StopWhileWaitingForTheTriggerLeavesTheUnitReady)
{
    v6->setModeDeclenchement(1, false);
    v6->setDurees(0.05, 501, false);
    v6->setSeuilDecl(20.0f); // the sine never reaches it
    programme();
    v6->declencheAcq();
    TFifoSP5 bloc {};
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    plateforme::installePompeMessages([this] { v6->arreteAcq(); });
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    plateforme::installePompeMessages({});
    EXPECT_FALSE(v6->acqPeriodiqueEnCours);
    EXPECT_FALSE(v6->AcqEmiV6EnCours);
    // ESC ended the run: the unit answers its commands again.
    EXPECT_TRUE(v6->Presente());
    EXPECT_TRUE(v6->prepareInterfacePourAcq(true));
}

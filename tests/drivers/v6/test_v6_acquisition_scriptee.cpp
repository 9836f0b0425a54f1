// A run on a scripted byte stream: the trigger report, the framing, the
// alignment of the pre-trigger rows and the blocks handed back.
#include "FixtureFauxD2XX.h"
#include "LecteurBlocs.h"

#include <vector>

namespace {

// Sample words as the unit sends them: low byte first.
std::string mots(const std::vector<uint16_t>& codes)
{
    std::string octets;
    for (uint16_t c : codes) {
        octets += char(c & 0xFF);
        octets += char(c >> 8);
    }
    return octets;
}

std::vector<uint16_t> rampe(uint16_t debut, int nombre)
{
    std::vector<uint16_t> codes;
    for (int i = 0; i < nombre; ++i)
        codes.push_back(uint16_t((debut + i) % 4096));
    return codes;
}

std::vector<int32_t> codesDuBloc(const TFifoSP5& bloc, int n)
{
    std::vector<int32_t> codes;
    for (int i = 0; i < n; ++i)
        codes.push_back(bloc[std::size_t(i)] >> 4);
    return codes;
}

} // namespace

class AcquisitionScripteeV6 : public FixtureFauxD2XX {
protected:
    void SetUp() override
    {
        FixtureFauxD2XX::SetUp();
        ouvre();
        // code c is 0.01 c - 20 V on every input: 2000 is 0 V.
        v6->CalibrageV6.AmpliCan = { 0.01f, 0.01f, 0.01f, 0 };
        v6->CalibrageV6.OffsetCan = { -20.0f, -20.0f, -20.0f, 0 };
        v6->MAJCalibrage();
        v6->acquisitionUtilisateur = true;
        v6->CentralePresente = true;
    }

    // Settings computed, the unit taken as programmed.
    void regle(double duree, int64_t points, int32_t modeDecl, int32_t idxPretrig)
    {
        v6->setModeDeclenchement(modeDecl, false);
        v6->setDurees(duree, points, false);
        v6->setPretrig(idxPretrig, false);
        v6->NbPtsFifo = 256;
        v6->TailleTransfertFifo(256);
        v6->CentralePretePourAcq = true;
    }
};

TEST_F(AcquisitionScripteeV6, FastRunWithoutTriggerHandsBackWholeBlocks)
{
    regle(0.1, 1001, 0, 0);
    ASSERT_EQ(v6->nbPts0X, 1001);
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(rampe(0, 1011)));
    v6->declencheAcq();
    ASSERT_TRUE(v6->acqPeriodiqueEnCours);
    ASSERT_TRUE(v6->attenteDeclenchement);
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    EXPECT_EQ(v6->NBValTrame, 1002);
    EXPECT_EQ(lue.tailleBlocs, (std::vector<int32_t> { 256, 256, 256, 234 }));
    ASSERT_EQ(lue.pointsRecus, 1002);
    for (int k = 0; k < 1001; ++k)
        ASSERT_EQ(lue.codes[0][std::size_t(k)], k) << k;
    // The stop sends ESC and drops the rows the driver does not keep.
    EXPECT_EQ(ecrits(), "FD\x1b");
    EXPECT_EQ(enAttente(), 0);
    EXPECT_FALSE(v6->AcqEmiV6EnCours);
    EXPECT_FALSE(v6->acqPeriodiqueEnCours);
}

TEST_F(AcquisitionScripteeV6, ThresholdRunAlignsOnTheCrossingAndHandsBackThePreTriggerRows)
{
    regle(0.01, 101, 1, 0);
    v6->setSeuilDecl(0.5f);
    ASSERT_EQ(v6->VNESeuilDecl, 2050);
    ASSERT_EQ(v6->nbPts0X, 102);
    ASSERT_EQ(v6->nbPtsPretrig, 0);
    // p = 4: five rows, the crossing in the last pair.
    std::vector<uint16_t> lignes { 1990, 1995, 2000, 2010, 2060 };
    const auto suite = rampe(2100, 111);
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(lignes));
    v6->declencheAcq();

    TFifoSP5 bloc {};
    ASSERT_EQ(v6->LireFifo(&bloc), 2); // s = 3 rows dropped, 2 handed back
    EXPECT_EQ(codesDuBloc(bloc, 2), (std::vector<int32_t> { 2010, 2060 }));
    EXPECT_FALSE(v6->attenteDeclenchement);
    EXPECT_EQ(v6->etapeAcq, 4);
    // The threshold lies 4/5 of the way from 0.1 V to 0.6 V.
    EXPECT_NEAR(v6->dtPretrig, 0.8 * v6->dt0X, 1e-9);
    EXPECT_NEAR(v6->uPre, 0.1, 1e-4);
    EXPECT_NEAR(v6->uPost, 0.6, 1e-4);

    EXPECT_EQ(v6->NBValTrame, 107);
    ASSERT_EQ(v6->LireFifo(&bloc), 105);
    EXPECT_EQ(codesDuBloc(bloc, 105), std::vector<int32_t>(suite.begin(), suite.begin() + 105));
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    v6->arreteAcq();
}

TEST_F(AcquisitionScripteeV6, CrossingIsSoughtOnTheCodeTheUnitTriggeredOn)
{
    regle(0.01, 101, 1, 0);
    // 0.504 V is code 2050, which converts to 0.500 V: in volts the last pair
    // (0.49 V, 0.50 V) does not cross 0.504 V, yet the unit triggered there.
    v6->setSeuilDecl(0.504f);
    ASSERT_EQ(v6->VNESeuilDecl, 2050);
    std::vector<uint16_t> lignes { 2200, 1990, 2000, 2049, 2050 };
    const auto suite = rampe(2100, 111);
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(lignes));
    v6->declencheAcq();
    TFifoSP5 bloc {};
    ASSERT_EQ(v6->LireFifo(&bloc), 2);
    EXPECT_EQ(codesDuBloc(bloc, 2), (std::vector<int32_t> { 2049, 2050 }));
    EXPECT_GE(v6->dtPretrig, 0.0);
    EXPECT_LE(v6->dtPretrig, v6->dt0X);
    v6->arreteAcq();
}

// Without calibration every code is 0 V: the crossing cannot be placed
// between two rows of the same voltage, and the instant stays a number.
TEST_F(AcquisitionScripteeV6, CrossingBetweenRowsOfTheSameVoltageIsAtTheFirstRow)
{
    v6->CalibrageV6.AmpliCan = { 0, 0, 0, 0 };
    v6->CalibrageV6.OffsetCan = { 0, 0, 0, 0 };
    v6->MAJCalibrage();
    regle(0.01, 101, 1, 0);
    v6->VNESeuilDecl = 2050;
    std::vector<uint16_t> lignes { 1990, 1995, 2000, 2010, 2060 };
    const auto suite = rampe(2100, 111);
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(lignes));
    v6->declencheAcq();
    TFifoSP5 bloc {};
    ASSERT_EQ(v6->LireFifo(&bloc), 2);
    EXPECT_EQ(codesDuBloc(bloc, 2), (std::vector<int32_t> { 2010, 2060 }));
    EXPECT_EQ(v6->uPre, 0.0f);
    EXPECT_EQ(v6->uPost, 0.0f);
    EXPECT_EQ(v6->dtPretrig, 0.0);
    v6->arreteAcq();
}

TEST_F(AcquisitionScripteeV6, NoCrossingOrOneTooEarlyShiftsNothing)
{
    // No crossing at all: the five rows stay, equal codes give no delay.
    regle(0.01, 101, 1, 0);
    v6->setSeuilDecl(0.5f);
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(std::vector<uint16_t>(120, 1990)));
    v6->declencheAcq();
    TFifoSP5 bloc {};
    ASSERT_EQ(v6->LireFifo(&bloc), 5);
    EXPECT_EQ(v6->dtPretrig, 0.0);
    EXPECT_EQ(v6->LireFifo(&bloc), 102);
    v6->arreteAcq();

    // A crossing before row nbPtsPretrig would need a negative shift.
    regle(0.0008, 9, 1, 2);
    ASSERT_EQ(v6->nbPtsPretrig, 4);
    std::vector<uint16_t> lignes { 1990, 2100, 2101, 2102, 2103, 2104, 2105, 2106, 2107 };
    const auto suite = rampe(2200, 30);
    lignes.insert(lignes.end(), suite.begin(), suite.end());
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(lignes));
    v6->declencheAcq();
    ASSERT_EQ(v6->LireFifo(&bloc), 9);
    EXPECT_EQ(codesDuBloc(bloc, 9), std::vector<int32_t>(lignes.begin(), lignes.begin() + 9));
    // Rows 4 and 5 (2104, 2105) both lie above the threshold: the delay is
    // limited to 0.
    EXPECT_EQ(v6->dtPretrig, 0.0);
    v6->arreteAcq();
}

TEST_F(AcquisitionScripteeV6, SlowRunReadsTheSamplesThatFollowTheReport)
{
    regle(1.0, 11, 0, 0);
    ASSERT_EQ(v6->modeAcq, 1);
    ASSERT_EQ(v6->carDecl, 'G');
    v6->NbPtsFifo = 4;
    reponse("G", cadre("DECL") + ":" + mots(rampe(100, 21)));
    v6->declencheAcq();
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    EXPECT_EQ(lue.tailleBlocs, (std::vector<int32_t> { 4, 4, 4 }));
    for (int k = 0; k < 11; ++k)
        EXPECT_EQ(lue.codes[0][std::size_t(k)], 100 + k);
    EXPECT_EQ(ecrits(), "G\x1b");
}

TEST_F(AcquisitionScripteeV6, SlowRunWithoutReportFailsItsFramingAndGivesNothing)
{
    regle(1.0, 11, 0, 0);
    v6->declencheAcq();
    TFifoSP5 bloc {};
    const uint32_t debut = plateforme::compteurTicks();
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_GE(plateforme::compteurTicks() - debut, 300u); // 200 ms for ":", 100 ms for the text
    EXPECT_FALSE(v6->attenteDeclenchement);
    entree(mots(rampe(0, 20)));
    const uint32_t ensuite = plateforme::compteurTicks();
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_LT(plateforme::compteurTicks() - ensuite, 20u);
    v6->arreteAcq();
}

TEST_F(AcquisitionScripteeV6, FramingFailureAfterTheTriggerEndsTheRunWithoutData)
{
    regle(0.1, 1001, 0, 0);
    reponse("F", ":DECL@\n"); // no carriage return
    v6->declencheAcq();
    TFifoSP5 bloc {};
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_EQ(ecrits(), "F"); // no "D"
    v6->arreteAcq();
}

TEST_F(AcquisitionScripteeV6, UnacknowledgedStartNeverRuns)
{
    regle(0.1, 1001, 0, 0);
    echo(false);
    v6->declencheAcq();
    EXPECT_FALSE(v6->acqPeriodiqueEnCours);
    EXPECT_FALSE(v6->AcqEmiV6EnCours);
    TFifoSP5 bloc {};
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    v6->arreteAcq();
    EXPECT_EQ(ecrits(), "F");
}

TEST_F(AcquisitionScripteeV6, StopWhileWaitingForTheTriggerReturnsZeroAndSendsEsc)
{
    regle(0.1, 1001, 1, 0);
    v6->declencheAcq();
    TFifoSP5 bloc {};
    // Polling: no trigger yet, the run keeps waiting.
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_TRUE(v6->attenteDeclenchement);
    EXPECT_TRUE(v6->acqPeriodiqueEnCours);
    // The Stop button runs inside the driver's message processing.
    int appels = 0;
    plateforme::installePompeMessages([&] {
        if (appels++ == 0)
            v6->arreteAcq();
    });
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
    EXPECT_EQ(appels, 1);
    EXPECT_FALSE(v6->acqPeriodiqueEnCours);
    EXPECT_FALSE(v6->AcqEmiV6EnCours);
    EXPECT_EQ(ecrits(), "F\x1b");
    EXPECT_EQ(v6->LireFifo(&bloc), 0);
}

TEST_F(AcquisitionScripteeV6, RunStaysWithinItsBufferWhateverItsSize)
{
    regle(0.1, 1001, 0, 0);
    v6->RAMAcq.assign(10, 0);
    v6->tailleRAMAcq = 10;
    reponse("F", cadre("DECL"));
    reponse("D", ":" + mots(rampe(7, 1011)));
    v6->declencheAcq();
    const AcquisitionLue lue = lisAcquisition(*v6, 2000);
    ASSERT_EQ(lue.pointsRecus, 1002);
    EXPECT_EQ(lue.codes[0][1000], 1007);
    EXPECT_GE(v6->RAMAcq.size(), std::size_t(v6->NBValTrame));
}

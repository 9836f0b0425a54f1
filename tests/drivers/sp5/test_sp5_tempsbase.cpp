// The SP5's sampling plan, computed by a unit object that has no library:
// it must work as a plain settings object.
#include "drivers/sp5/TSP5.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace {

const char* const kSansBibliotheque = "/chemin/inexistant/SP5.DLL";

// Only the given inputs active, the given channels differential.
void prepareEntrees(TSP5& sp5, const std::vector<int>& entrees, const std::vector<int>& canauxDiff = {})
{
    for (int c = 0; c < 4; ++c)
        sp5.setModeDiff(c, false, false);
    for (int c : canauxDiff)
        sp5.setModeDiff(c, true, false);
    for (int i = 0; i < 8; ++i)
        sp5.desactiveVoieA(uint8_t(i), false);
    for (int i : entrees)
        sp5.activeVoieA(uint8_t(i), false);
}

} // namespace

TEST(TSP5SansBibliotheque, IsAUsableSettingsObject)
{
    TSP5 sp5(kSansBibliotheque, 1);
    EXPECT_FALSE(sp5.CentraleInstallee);
    EXPECT_EQ(sp5.HandleDLL, 0);
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");
    EXPECT_EQ(sp5.typeCentrale, kSysamSP5);
    EXPECT_EQ(sp5.nomCentrale, "SYSAM SP5");
    EXPECT_FALSE(sp5.Presente());
    EXPECT_EQ(sp5.presentePendantAcq(), -1);
    TFifoSP5 bloc {};
    EXPECT_EQ(sp5.LireFifo(&bloc), 0);
    EXPECT_NO_THROW(sp5.Reset());
    EXPECT_NO_THROW(sp5.ViderFifo());
    EXPECT_NO_THROW(sp5.RecupereCalibration());
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");

    // Defaults of a fresh unit.
    EXPECT_EQ(sp5.nbEAU, 8);
    EXPECT_EQ(sp5.nbCanauxUt, 4);
    EXPECT_EQ(sp5.nbVoiesActivesX, 1);
    EXPECT_EQ(sp5.VoiesActivesSignaux[0], 0);
    EXPECT_EQ(sp5.voieSynchro, 0);
    EXPECT_DOUBLE_EQ(sp5.tSkipAcq, 1e-7);
    EXPECT_DOUBLE_EQ(sp5.dt0X, 1e-4);
    EXPECT_EQ(sp5.ndt, 1000);
    EXPECT_EQ(sp5.nbPts0X, 1001);
    EXPECT_EQ(sp5.nbPtsAffX, 1001);
    EXPECT_DOUBLE_EQ(sp5.dureeTotale0X, 0.1);
    EXPECT_EQ(sp5.modeRecuperation, 1);
    EXPECT_EQ(sp5.modeDecl, kDeclImmediat);
    EXPECT_EQ(sp5.idxPretrig, 0);
    EXPECT_FLOAT_EQ(sp5.tAttenteMaxDecl, 0.5f);
    EXPECT_EQ(sp5.NbPtsFifo, 256);
    EXPECT_TRUE(sp5.synchroExterneDispo);
    EXPECT_FALSE(sp5.CentralePretePourAcq);
    for (const TVoie& v : sp5.VoiesX) {
        EXPECT_EQ(v.idxCalibreEA, 0);
        EXPECT_EQ(v.cap.sUnite, "V");
        EXPECT_FLOAT_EQ(v.cap.ResolutionsCapteur[0], 0.005f);
    }

    // Every setting goes through without a unit, and the plan follows.
    sp5.setCal(1, 2, true);
    sp5.activeVoieA(1, true);
    sp5.setModeDiff(1, true, true);
    sp5.setModeDeclenchement(kDeclSeuil, true);
    sp5.setVoieSynchro(1, true);
    sp5.setSeuilDecl(2.0f);
    sp5.setPretrig(int32_t(2), true);
    sp5.setDurees(0.02, 201, true);
    EXPECT_TRUE(sp5.CentralePretePourAcq);
    EXPECT_FLOAT_EQ(sp5.USeuilDecl, 0.9f);
    EXPECT_EQ(sp5.nbPts0X, 202);
    EXPECT_EQ(sp5.nbPtsPretrig, 103);
    EXPECT_EQ(sp5.imageRegistre(29), 0x16);
}

struct CasDurees {
    const char* nom;
    std::vector<int> entrees;
    std::vector<int> canauxDiff;
    int32_t modeDecl;
    double duree;
    int64_t points;
    double tSkipAttendu;
    int64_t ndtAttendu;
    double dtAttendu;
    int64_t affichesAttendus;
    int64_t acquisAttendus;
    double dureeAttendue;
};

void PrintTo(const CasDurees& cas, std::ostream* os) { *os << cas.nom; }

class SP5Durees : public testing::TestWithParam<CasDurees> {};

TEST_P(SP5Durees, RoundsTheRequest)
{
    const CasDurees& cas = GetParam();
    TSP5 sp5(kSansBibliotheque, 1);
    prepareEntrees(sp5, cas.entrees, cas.canauxDiff);
    sp5.setModeDeclenchement(cas.modeDecl, false);
    sp5.setDurees(cas.duree, cas.points, false);
    EXPECT_DOUBLE_EQ(sp5.tSkipAcq, cas.tSkipAttendu);
    EXPECT_EQ(sp5.ndt, cas.ndtAttendu);
    EXPECT_NEAR(sp5.dt0X, cas.dtAttendu, cas.dtAttendu * 1e-12);
    EXPECT_EQ(sp5.nbPtsAffX, cas.affichesAttendus);
    EXPECT_EQ(sp5.nbPts0X, cas.acquisAttendus);
    EXPECT_NEAR(sp5.dureeTotale0X, cas.dureeAttendue, cas.dureeAttendue * 1e-12);
    EXPECT_EQ(sp5.modeRecuperation, sp5.dureeTotale0X <= 0.15 ? 1 : 0);
    EXPECT_EQ(sp5.modeAcq, -1);
}

INSTANTIATE_TEST_SUITE_P(Plans, SP5Durees,
    testing::Values(
        CasDurees { "UneEntree", { 0 }, {}, 0, 0.1, 1001, 1e-7, 1000, 1e-4, 1001, 1001, 0.1 },
        CasDurees { "UneEntreeSeuil", { 0 }, {}, 1, 0.1, 1001, 1e-7, 1000, 1e-4, 1001, 1002, 0.1 },
        CasDurees { "ExempleCanal0Complet", { 0, 4 }, {}, 1, 0.01, 1001, 2e-6, 5, 1e-5, 1001, 1002, 0.01 },
        CasDurees { "QuantumLent", { 0, 4 }, {}, 0, 1e-4, 101, 2e-6, 1, 2e-6, 51, 51, 1e-4 },
        CasDurees { "CanalDifferentielRapide", { 0, 4 }, { 0 }, 0, 1e-5, 101, 1e-7, 1, 1e-7, 101, 101, 1e-5 },
        CasDurees { "Entrees1Et2", { 1, 2 }, {}, 0, 1e-5, 101, 1e-7, 2, 2e-7, 51, 51, 1e-5 },
        CasDurees { "Entrees1Et3", { 1, 3 }, {}, 0, 1e-5, 101, 1e-7, 2, 2e-7, 51, 51, 1e-5 },
        CasDurees { "Entrees012", { 0, 1, 2 }, {}, 0, 1e-5, 101, 1e-7, 3, 3e-7, 34, 34, 9.9e-6 },
        CasDurees { "QuatreSignaux", { 0, 1, 2, 3 }, {}, 0, 1e-5, 101, 1e-7, 2, 2e-7, 51, 51, 1e-5 },
        CasDurees { "QuatreSignauxLents", { 0, 1, 4, 5 }, {}, 0, 1e-4, 101, 2e-6, 2, 4e-6, 26, 26, 1e-4 },
        CasDurees { "DureeTropLongue", { 0 }, {}, 0, 5000, 1001, 1e-7, 36000000, 3.6, 1001, 1001, 3600 },
        CasDurees { "DureeTropCourte", { 0 }, {}, 0, 1e-7, 11, 1e-7, 1, 1e-7, 11, 11, 1e-6 },
        CasDurees { "TropDePoints", { 0 }, {}, 0, 1, 90000, 1e-7, 200, 2e-5, 50001, 50001, 1 },
        CasDurees { "ArrondiAuDelaDuMaximum", { 0 }, {}, 0, 0.0050001, 50001, 1e-7, 1, 1e-7, 50002, 50002, 0.0050001 }),
    [](const testing::TestParamInfo<CasDurees>& info) { return std::string(info.param.nom); });

TEST(TSP5TempsBase, IgnoredRequestsChangeNothing)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setDurees(0.2, 401, false);
    for (auto [duree, points] : { std::pair { 0.5, int64_t(10) }, std::pair { 1e-11, int64_t(1001) } }) {
        sp5.setDurees(duree, points, true);
        EXPECT_DOUBLE_EQ(sp5.dureeTotale0X, 0.2);
        EXPECT_EQ(sp5.nbPts0X, 401);
        EXPECT_DOUBLE_EQ(sp5.dt0X, 5e-4);
        EXPECT_FALSE(sp5.CentralePretePourAcq);
    }
}

TEST(TSP5TempsBase, SoftwareAboveOneLeavesTheRoundingInert)
{
    TSP5 sp5(kSansBibliotheque, 2);
    double duree = 5000, dt = 7;
    int64_t points = 3, affiches = 4, maximum = 5, ndt = 6;
    sp5.setDureesGeneriques(duree, dt, points, affiches, maximum, ndt, 1e-7);
    EXPECT_EQ(duree, 5000);
    EXPECT_EQ(dt, 7);
    EXPECT_EQ(points, 3);
    EXPECT_EQ(affiches, 4);
    EXPECT_EQ(maximum, 5);
    EXPECT_EQ(ndt, 6);
}

TEST(TSP5TempsBase, GenericRoundingWithOneVariableForBothCounts)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setModeDeclenchement(kDeclSeuil, false);
    double duree = 0.1, dt = 0;
    int64_t points = 1001, maximum = 0, ndt = 0;
    sp5.setDureesGeneriques(duree, dt, points, points, maximum, ndt, 1e-7);
    EXPECT_EQ(points, 1002); // the acquired count is written last
    EXPECT_EQ(maximum, 50001);
    EXPECT_EQ(ndt, 1000);
}

TEST(TSP5TempsBase, ActivatingInputsChangesTheQuantumAndTheInterval)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setDurees(1e-5, 101, false);
    EXPECT_EQ(sp5.ndt, 1);
    sp5.activeVoieA(1, false);
    sp5.activeVoieA(3, false);
    EXPECT_EQ(sp5.ndt, 1); // inputs 0, 1, 3: no bound
    // The fourth signal is counted as soon as its flag is set, before the
    // register image refreshes the stored count.
    sp5.activeVoieA(2, false);
    EXPECT_EQ(sp5.ndt, 2);
    EXPECT_EQ(sp5.nbPtsAffX, 51);
    sp5.desactiveVoieA(3, false);
    EXPECT_EQ(sp5.ndt, 3); // inputs 0, 1, 2

    sp5.activeVoieA(4, false);
    EXPECT_DOUBLE_EQ(sp5.tSkipAcq, 2e-6);
    EXPECT_EQ(sp5.modeTe, 1);
    EXPECT_DOUBLE_EQ(sp5.FeAcq, 5e5);
    sp5.setModeDiff(0, true, false);
    EXPECT_DOUBLE_EQ(sp5.tSkipAcq, 1e-7);
    EXPECT_EQ(sp5.modeTe, 0);
    EXPECT_FALSE(sp5.CentralePretePourAcq);
}

TEST(TSP5TempsBase, ThresholdModeAddsItsPointAtTheNextTimeBase)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setModeDeclenchement(kDeclSeuil, false);
    EXPECT_EQ(sp5.nbPts0X, 1001);
    sp5.setDurees(sp5.dureeTotale0X, sp5.nbPtsAffX, false);
    EXPECT_EQ(sp5.nbPts0X, 1002);
    // Re-applying the current setting asks for the displayed count again:
    // the extra point is not added twice.
    sp5.setDurees(false);
    EXPECT_EQ(sp5.nbPtsAffX, 1001);
    EXPECT_EQ(sp5.nbPts0X, 1002);
}

struct CasPretrig {
    int32_t modeDecl;
    int32_t idx;
    int32_t pointsAttendus; // as programmed, margin included
    float tPretrigAttendu;
};

TEST(TSP5TempsBase, PretriggerByIndex)
{
    const CasPretrig cas[] = {
        { kDeclSeuil, 0, 3, 0.0f },
        { kDeclSeuil, 1, 253, 0.025f },
        { kDeclExterne, 2, 503, 0.05f },
        { kDeclSeuil, 3, 753, 0.075f },
        { kDeclExterne, 4, 1003, 0.1f },
        { kDeclImmediat, 2, 0, 0.05f },
    };
    for (const CasPretrig& c : cas) {
        SCOPED_TRACE(testing::Message() << "mode " << c.modeDecl << " index " << c.idx);
        TSP5 sp5(kSansBibliotheque, 1);
        sp5.setModeDeclenchement(c.modeDecl, false);
        sp5.setPretrig(c.idx, false);
        EXPECT_FLOAT_EQ(sp5.tauxPretrig, 25.0f * c.idx);
        EXPECT_EQ(sp5.nbPtsPretrig, c.pointsAttendus);
        EXPECT_NEAR(sp5.tPretrig, c.tPretrigAttendu, 1e-6);
        const int32_t programme = sp5.imageRegistre(32) | sp5.imageRegistre(33) << 8 | sp5.imageRegistre(34) << 16;
        EXPECT_EQ(programme, c.pointsAttendus);
    }
}

TEST(TSP5TempsBase, PretriggerByRateFindsItsIndex)
{
    const std::pair<float, int32_t> cas[] = {
        { 0.3f, 0 }, { -0.4f, 0 }, { 25.1f, 1 }, { 50.0f, 2 }, { 74.7f, 3 }, { 74.5f, -1 }, { 100.4f, 4 }, { 33.0f, -1 },
    };
    TSP5 sp5(kSansBibliotheque, 1);
    for (auto [taux, idx] : cas) {
        sp5.setPretrig(taux, false);
        EXPECT_EQ(sp5.idxPretrig, idx) << taux;
        EXPECT_FLOAT_EQ(sp5.tauxPretrig, taux);
    }
}

TEST(TSP5TempsBase, SameTimingComparesSpansAndPointCounts)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.memoriseParametresTemporels();
    EXPECT_TRUE(sp5.memesParametresTemporels());
    // Input 4 brings the 2 us quantum: 50 quanta of 2 us span what 1000 of
    // 100 ns did, with the same point count.
    sp5.activeVoieA(4, false);
    EXPECT_EQ(sp5.ndt, 50);
    EXPECT_TRUE(sp5.memesParametresTemporels());
    sp5.setDurees(0.1, 501, false);
    EXPECT_FALSE(sp5.memesParametresTemporels());
    sp5.memoriseParametresTemporels();
    EXPECT_EQ(sp5.acqPerPrec.RTnbPts, 501);
    EXPECT_EQ(sp5.acqPerPrec.RTndt, 100);
    EXPECT_EQ(sp5.acqPerPrec.RTmodeTe, 1);
    EXPECT_FLOAT_EQ(sp5.tx(10), 10 * 2e-4f);
}

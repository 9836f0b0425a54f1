// The settings rules of the V6 and the texts of its settings commands, on a
// driver whose unit is absent (nothing is sent, everything is computed).
#include "drivers/v6/CommandesV6.h"
#include "drivers/v6/TSYSAMV6.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

namespace {

// A driver without library: the settings are computed, nothing is sent.
std::unique_ptr<TSYSAMV6> nouveauV6()
{
    auto v6 = std::make_unique<TSYSAMV6>("/nulle/part/FTD2XX-V6.DLL", 1);
    v6->acquisitionUtilisateur = true;
    return v6;
}

void activeSeulement(TSYSAMV6& v6, std::initializer_list<int> voies)
{
    for (int v = 0; v < 3; ++v)
        v6.desactiveVoieA(uint8_t(v), false);
    for (int v : voies)
        v6.activeVoieA(uint8_t(v), false);
}

struct CasTempsBase {
    const char* nom;
    std::initializer_list<int> voies;
    double duree;
    int64_t points;
    int32_t modeAcq;
    double dt0X;
    int64_t nbPtsAffX;
    const char* periode;
    const char* nbPoints;
    char carDecl;
};

} // namespace

TEST(CommandesV6, TimeBaseAndItsCommandsInBothModes)
{
    const CasTempsBase cas[] = {
        { "fast 0.5 s", { 0 }, 0.5, 1001, 0, 0.5e-3, 1001, "PD8F0", "N03F3", 'F' },
        { "fast 3 inputs 1 ms", { 0, 1, 2 }, 0.5, 501, 0, 1e-3, 501, "PE5F5", "N01FF", 'F' },
        { "fast at the smallest interval", { 0 }, 0.01, 30001, 0, 1e-5, 1001, "PFF38", "N03F3", 'F' },
        { "slow 2 s", { 0 }, 2.0, 1001, 1, 2e-3, 1001, "P0001", "N03F3", 'G' },
        { "slow 1.5 s rounds to 1 ms", { 0 }, 1.5, 1001, 1, 1e-3, 1501, "P0000", "N05E7", 'G' },
        { "slow 3 inputs limit", { 0, 1, 2 }, 20.0, 30001, 1, 2e-3, 10001, "P0001", "N271B", 'G' },
    };
    for (const CasTempsBase& c : cas) {
        SCOPED_TRACE(c.nom);
        auto v6 = nouveauV6();
        activeSeulement(*v6, c.voies);
        v6->setDurees(c.duree, c.points, false);
        EXPECT_EQ(v6->modeAcq, c.modeAcq);
        EXPECT_NEAR(v6->dt0X, c.dt0X, 1e-12);
        EXPECT_EQ(v6->nbPtsAffX, c.nbPtsAffX);
        EXPECT_EQ(v6->nbPts0X, c.nbPtsAffX);
        EXPECT_NEAR(v6->dureeTotale0X, double(c.nbPtsAffX - 1) * c.dt0X, 1e-9);
        EXPECT_EQ(v6->ccP_TempsEch, c.periode);
        EXPECT_EQ(v6->ccN_NbPoints, c.nbPoints);
        EXPECT_EQ(v6->carDecl, c.carDecl);
        EXPECT_FALSE(v6->CentralePretePourAcq);
    }
}

TEST(CommandesV6, PointLimitPerInputCount)
{
    auto v6 = nouveauV6();
    const int64_t attendu[] = { 30001, 15001, 10001 };
    for (int n = 1; n <= 3; ++n) {
        int64_t max = 0;
        v6->DetermineNBPt0XMAx(n, max);
        EXPECT_EQ(max, attendu[n - 1]);
    }
    activeSeulement(*v6, { 0, 1, 2 });
    v6->setDurees(0.9, 30001, false);
    EXPECT_EQ(v6->nbPts0XMax, 10001);
    EXPECT_LE(v6->nbPtsAffX, 10001);
    EXPECT_NEAR(v6->tSkipAcq, 30e-6, 1e-15);
    EXPECT_NEAR(v6->dt0X, 0.9 / 10000, 1e-12);
}

TEST(CommandesV6, ChannelsCommandListsTheActiveInputsPhysicalCodes)
{
    struct Cas {
        std::initializer_list<int> voies;
        const char* texte;
    };
    const Cas cas[] = {
        { { 0 }, "V000F0F0F0F" },
        { { 0, 2 }, "V00040F0F0F" },
        { { 1 }, "V020F0F0F0F" },
        { { 0, 1, 2 }, "V0002040F0F" },
    };
    for (const Cas& c : cas) {
        auto v6 = nouveauV6();
        activeSeulement(*v6, c.voies);
        EXPECT_EQ(v6->ccV_VoiesAAcq, c.texte);
    }
    auto v6 = nouveauV6();
    v6->acquisitionUtilisateur = false;
    v6->activeVoieA(2, false);
    EXPECT_EQ(v6->ccV_VoiesAAcq, "V0F0F0F0F0F");
}

TEST(CommandesV6, TriggerCommandAndPreTriggerCount)
{
    auto v6 = nouveauV6();
    activeSeulement(*v6, { 0, 1 });
    v6->setDurees(0.1, 1001, false);
    EXPECT_EQ(v6->ccE_Synchro, "E0000000");
    EXPECT_EQ(v6->ccO_Pretrig, "O0000");

    v6->setModeDeclenchement(1, false);
    EXPECT_EQ(v6->nbPtsAffX, 1001);
    EXPECT_EQ(v6->nbPts0X, 1002);
    EXPECT_EQ(v6->pretrigCache, 4);
    EXPECT_EQ(v6->ccN_NbPoints, commandePointsV6(1002 + 4, 0)); // nbPts0X + 14
    EXPECT_EQ(v6->ccN_NbPoints, "N03F8");

    v6->CentralePresente = true;
    EXPECT_EQ(v6->setVoieSynchro(1, false), 1);
    EXPECT_EQ(v6->voieSynchroVA, 1);
    EXPECT_EQ(v6->idxgrSynchro, 1);
    v6->VNESeuilDecl = 2048;
    v6->setSensDeclSeuil(0, false);
    EXPECT_EQ(v6->ccE_Synchro, "E2028002");
    v6->setSensDeclSeuil(1, false);
    EXPECT_EQ(v6->ccE_Synchro, "E3028002");
    v6->VNESeuilDecl = 0x1A5;
    v6->setVoieSynchro(0, false);
    EXPECT_EQ(v6->ccE_Synchro, "E3021A50");
    // A trigger input that is not active falls back on the first active one.
    EXPECT_EQ(v6->setVoieSynchro(2, false), 0);

    // Pre-trigger 25 % by index with 1001 displayed points.
    v6->setPretrig(int32_t(1), false);
    EXPECT_EQ(v6->nbPtsPretrig, 250);
    EXPECT_EQ(v6->ccO_Pretrig, "O00FE"); // 250 + 4
    EXPECT_NEAR(v6->tPretrig, 250 * 1e-4, 1e-9);
    v6->setPretrig(int32_t(4), false);
    EXPECT_EQ(v6->nbPtsPretrig, 1001);
    EXPECT_EQ(v6->ccO_Pretrig, "O03ED");

    v6->setModeDeclenchement(2, false);
    EXPECT_EQ(v6->ccE_Synchro, "E1020000");
    v6->setPretrig(int32_t(0), false);
    EXPECT_EQ(v6->nbPtsPretrig, 1); // at least one with the external trigger
    EXPECT_EQ(v6->ccO_Pretrig, "O0005");
}

TEST(CommandesV6, PreTriggerByRateRecognisesTheListedRates)
{
    auto v6 = nouveauV6();
    v6->setDurees(0.1, 1001, false);
    const struct {
        float taux;
        int32_t index;
        float garde;
    } cas[] = { { 0.3f, 0, 0.0f }, { 25.1f, 1, 25.0f }, { 49.8f, 2, 50.0f }, { 60.0f, -1, 60.0f }, { 100.4f, 4, 100.0f } };
    for (const auto& c : cas) {
        v6->setPretrig(c.taux, false);
        EXPECT_EQ(v6->idxPretrig, c.index) << c.taux;
        EXPECT_FLOAT_EQ(v6->tauxPretrig, c.garde) << c.taux;
    }
}

TEST(CommandesV6, DeactivatingAnInputWithATriggerGrowsTheDisplayedCount)
{
    auto v6 = nouveauV6();
    activeSeulement(*v6, { 0, 1 });
    v6->setDurees(0.1, 1001, false);
    v6->setModeDeclenchement(1, false);
    ASSERT_EQ(v6->nbPtsAffX, 1001);
    v6->desactiveVoieA(1, false);
    EXPECT_EQ(v6->nbPtsAffX, 1002);
    EXPECT_EQ(v6->nbPts0X, 1003);
}

TEST(CommandesV6, PeriodBeyondSixteenBitsTakesMorePoints)
{
    struct Cas {
        double duree;
        int64_t points;
        std::initializer_list<int> voies;
    };
    const Cas cas[] = { { 0.5, 11, { 0 } }, { 0.99, 5, { 0, 1 } }, { 36000.0, 11, { 0 } }, { 400.0, 5, { 0, 1, 2 } } };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.duree);
        auto v6 = nouveauV6();
        activeSeulement(*v6, c.voies);
        v6->setDurees(c.duree, c.points, false);
        const bool lent = v6->modeAcq == 1;
        const int64_t valeur = valeurPeriodeV6(lent, v6->dt0X, int32_t(c.voies.size()));
        EXPECT_GE(valeur, 0);
        EXPECT_LE(valeur, 0xFFFF);
        EXPECT_EQ(v6->ccP_TempsEch, "P" + hexaV6(valeur, 4));
        EXPECT_EQ(v6->ccP_TempsEch.size(), 5u);
        EXPECT_GT(v6->nbPtsAffX, c.points);
        EXPECT_NEAR(v6->dureeTotale0X, c.duree, c.duree * 0.01);
    }
    EXPECT_EQ(commandePeriodeV6(-5), "P0000");
    EXPECT_EQ(commandePeriodeV6(70000), "PFFFF");
}

TEST(CommandesV6, WordsToExpectAreWholeBlocks)
{
    auto v6 = nouveauV6();
    v6->setDurees(0.1, 1001, false);
    EXPECT_EQ(v6->nbValTVx, 1024);
    EXPECT_EQ(v6->nbPtsR, 1025);
    activeSeulement(*v6, { 0, 1 });
    v6->setDurees(0.1, 257, false);
    EXPECT_EQ(v6->nbPts0X, 257);
    EXPECT_EQ(v6->nbValTVx, 768);
    EXPECT_EQ(v6->nbPtsR, 385);
    EXPECT_EQ(v6->tailleRAMAcq, int32_t(2 * 2.7 * 257));
    EXPECT_EQ(v6->RAMAcq.size(), std::size_t(v6->tailleRAMAcq));
}

TEST(CommandesV6, ThresholdIsLimitedAndConvertedWithTheInputsCalibration)
{
    auto v6 = nouveauV6();
    v6->CalibrageV6.AmpliCan = { 0.0122f, 0.0122f, 0.0122f, 0 };
    v6->CalibrageV6.OffsetCan = { -25.0f, -25.0f, -25.0f, 0 };
    v6->MAJCalibrage();
    v6->setSeuilDecl(30.0f);
    EXPECT_FLOAT_EQ(v6->USeuilDecl, 23.75f);
    EXPECT_EQ(v6->VNESeuilDecl, int32_t(std::nearbyint((23.75 + 25.0) / 0.0122f)));
    v6->setSeuilDecl(-40.0f);
    EXPECT_FLOAT_EQ(v6->USeuilDecl, -23.75f);
    EXPECT_EQ(v6->ValUx(0, -30.0f), 0);
    EXPECT_EQ(v6->ValUx(0, 30.0f), 4095);
    EXPECT_NEAR(v6->Ux(0, 2049), 2049 * 0.0122 - 25.0, 1e-4);
    // Without calibration every code is 0 V.
    auto brut = nouveauV6();
    EXPECT_EQ(brut->Ux(1, 4000), 0.0);
}

// A calibration block read from the unit whose coefficients are not numbers
// or far from any unit's (a damaged memory, bytes lost on the way) falls back
// to the nominal conversion of the 25 V calibre instead of turning every
// sample into nonsense; a sound block on the other inputs is kept.
TEST(CommandesV6, DamagedCalibrationBlockFallsBackToTheNominalConversion)
{
    const float nan = std::nanf("");
    const float inf = INFINITY;
    struct Cas {
        const char* nom;
        float gain;
        float offset;
    };
    for (Cas c : { Cas { "gain not a number", nan, -25.0f }, Cas { "offset infinite", 0.0122f, inf },
                   Cas { "gain a thousand times too large", 12.2f, -25.0f },
                   Cas { "gain zero", 0.0f, -25.0f }, Cas { "offset far off", 0.0122f, -4000.0f } }) {
        SCOPED_TRACE(c.nom);
        auto v6 = nouveauV6();
        v6->CalibrageV6.AmpliCan = { c.gain, 0.0123f, 0.0122f, 0 };
        v6->CalibrageV6.OffsetCan = { c.offset, -25.1f, -25.0f, 0 };
        v6->calibrageLu = true;
        v6->MAJCalibrage();
        EXPECT_NEAR(v6->Ux(0, 0), -25.0, 1e-6);
        EXPECT_NEAR(v6->Ux(0, 2048), 0.0, 1e-6);
        EXPECT_NEAR(v6->Ux(0, 4095), 4095 * 50.0 / 4096 - 25.0, 1e-6);
        EXPECT_EQ(v6->ValUx(0, 0.0f), 2048);
        EXPECT_NEAR(v6->Ux(1, 2000), 2000 * double(0.0123f) + double(-25.1f), 1e-5);
    }
}

TEST(CommandesV6, ConstructorDefaultsAndNames)
{
    auto v6 = nouveauV6();
    EXPECT_EQ(v6->nbEAU, 3);
    EXPECT_EQ(v6->nbVoiesActivesX, 1);
    EXPECT_EQ(v6->VoiesActivesX[0], 0);
    EXPECT_EQ(v6->VoiesActivesX[1], -1);
    EXPECT_NEAR(v6->dureeTotale0X, 0.1, 1e-12);
    EXPECT_EQ(v6->nbPts0X, 1001);
    EXPECT_NEAR(v6->dt0X, 1e-4, 1e-15);
    EXPECT_EQ(v6->modeDecl, 0);
    EXPECT_FLOAT_EQ(v6->tAttenteMaxDecl, 0.5f);
    EXPECT_EQ(v6->VNESeuilDecl, 2048);
    EXPECT_EQ(v6->ITeHINT,
              "Intervalle de temps entre deux points de mesures : \n\rvous ne pouvez pas le modifier. \n\r- Lorsque "
              "la durée totale est supérieure ou égale à 1s, \n\ril s'agit d'un multiple entier de 1 ms. \n\r- "
              "Lorsque la durée totale est inférieure à 1s, il s'agit \n\rd'un multiple entier de 10 µs X le "
              "nombre de voies activées.");
    EXPECT_EQ(v6->sEntrees[2], "EA3");
    EXPECT_EQ(v6->GBCanauxCaption[1], "EA 2");
    EXPECT_EQ(v6->calibresDispo[1], -1);
    EXPECT_EQ(v6->VoiesX[1].cap.sGrandeur, "u[2]");
    EXPECT_FLOAT_EQ(v6->VoiesX[1].cap.ResolutionsCapteur[0], 0.0125f);
    EXPECT_EQ(v6->GetCapU(1), "u");
    EXPECT_EQ(v6->GetCapUInd(1), "2");
    EXPECT_EQ(v6->getCapVM(0), "u[1]");
    EXPECT_EQ(v6->getCapEA(2), "EA3");
    EXPECT_EQ(v6->getIntituleVoie(1), "EA2");
    activeSeulement(*v6, { 1, 2 });
    EXPECT_EQ(v6->idxTraitGV, (TArrayOfInteger { 0, 1, -1 }));
    activeSeulement(*v6, {});
    EXPECT_EQ(v6->idxTraitGV, (TArrayOfInteger { -1, -1, -1 }));
    v6->setCal(0, 7, false);
    EXPECT_EQ(v6->VoiesX[0].idxCalibreEA, 3);
    v6->setModeDiff(2, false, false);
    EXPECT_TRUE(v6->canauxDiff[2]);

    // Create again re-initialises every setting.
    v6->setDurees(2.0, 101, false);
    v6->setModeDeclenchement(1, false);
    v6->Create("/ailleurs/FTD2XX-V6.DLL", 1);
    EXPECT_EQ(v6->modeDecl, 0);
    EXPECT_EQ(v6->nbPts0X, 1001);
    EXPECT_EQ(v6->pretrigCache, 0);
    EXPECT_TRUE(v6->ccV_VoiesAAcqMod);
}

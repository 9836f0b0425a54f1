// The SP5's register image, computed without a unit.
#include "drivers/sp5/TSP5.h"

#include <gtest/gtest.h>

#include <ostream>

#include <vector>

namespace {

const char* const kSansBibliotheque = "/chemin/inexistant/SP5.DLL";

struct Entree {
    int numero;
    int calibre;
};

struct CasImage {
    const char* nom;
    std::vector<Entree> entrees;
    std::vector<int> canauxDiff;
    double duree;
    int64_t points;
    // Expected: register address -> value.
    std::vector<std::pair<int, int>> registres;
    int32_t nbSignaux;
    std::string ordre;
    std::vector<int32_t> idxTraitGV;
    int32_t nbValTVx;
    int32_t nbPtsR;
};

void PrintTo(const CasImage& cas, std::ostream* os) { *os << cas.nom; }

class SP5Image : public testing::TestWithParam<CasImage> {};

} // namespace

TEST_P(SP5Image, RegistersFromTheSettings)
{
    const CasImage& cas = GetParam();
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.desactiveVoieA(0, false);
    for (int c : cas.canauxDiff)
        sp5.setModeDiff(c, true, false);
    for (const Entree& e : cas.entrees) {
        sp5.setCal(uint8_t(e.numero), e.calibre, false);
        sp5.activeVoieA(uint8_t(e.numero), false);
    }
    sp5.setDurees(cas.duree, cas.points, false);
    for (auto [adresse, valeur] : cas.registres)
        EXPECT_EQ(sp5.imageRegistre(uint8_t(adresse)), valeur) << "register " << adresse;
    EXPECT_EQ(sp5.nbVoiesSignaux, cas.nbSignaux);
    EXPECT_EQ(sp5.nbVoiesActivesX, int32_t(cas.entrees.size()));
    EXPECT_EQ(sp5.sOrdreTraitt, cas.ordre);
    for (std::size_t j = 0; j < cas.idxTraitGV.size(); ++j)
        EXPECT_EQ(sp5.idxTraitGV[j], cas.idxTraitGV[j]) << "signal " << j;
    EXPECT_EQ(sp5.VoiesActivesSignaux[sp5.nbVoiesSignaux], -1);
    EXPECT_EQ(sp5.nbValTVx, cas.nbValTVx);
    EXPECT_EQ(sp5.nbPtsR, cas.nbPtsR);
}

INSTANTIATE_TEST_SUITE_P(Images, SP5Image,
    testing::Values(
        // Both inputs of channel 0 single-ended: 2 us quantum, 50 quanta.
        CasImage { "Canal0Complet", { { 0, 0 }, { 4, 0 } }, {}, 0.1, 1001,
            { { 0, 0x11 }, { 1, 0 }, { 2, 0 }, { 3, 0 }, { 4, 0xE7 }, { 5, 0x03 }, { 12, 0 } },
            2, "04", { 0, 1 }, 2048, 1025 },
        // Channel 0 differential: one signal, input 0's gain also at bits 12 to 14,
        // whatever the calibre chosen for input 4.
        CasImage { "Canal0Differentiel", { { 0, 1 }, { 4, 3 } }, { 0 }, 0.1, 1001,
            { { 0, 0x01 }, { 12, 0x01 }, { 1, 0x04 }, { 2, 0x40 }, { 3, 0 } },
            1, "0", { 0 }, 1024, 1025 },
        CasImage { "Calibre02SurEntree1", { { 1, 3 } }, {}, 0.1, 1001,
            { { 0, 0x02 }, { 1, 0x10 }, { 2, 0 }, { 3, 0 } },
            1, "1", { 0 }, 1024, 1025 },
        // The gain of input 7 (calibre 1 V, code 5) in the top bits: 5 x 8^7.
        CasImage { "GainEntree7", { { 3, 2 }, { 7, 2 } }, {}, 0.1, 1001,
            { { 0, 0x88 }, { 1, 0 }, { 2, 0x0A }, { 3, 0xA0 } },
            2, "37", { 0, 1 }, 2048, 1025 },
        CasImage { "IntervalleEtPoints", { { 0, 0 } }, {}, 0.1, 1001,
            { { 4, 0xE7 }, { 5, 0x03 }, { 6, 0 }, { 7, 0 }, { 8, 0 }, { 9, 0x01 }, { 10, 0x04 }, { 11, 0 } },
            1, "0", { 0 }, 1024, 1025 },
        CasImage { "BlocsExacts", { { 0, 0 } }, {}, 0.1023, 1024,
            { { 9, 0x00 }, { 10, 0x04 }, { 11, 0 } },
            1, "0", { 0 }, 1024, 1024 },
        // 3600 s at 50001 points: 72 ms = 720000 ticks, S = 719999 = 0x0AFC7F.
        CasImage { "IntervalleLong", { { 0, 0 } }, {}, 3600, 50001,
            { { 4, 0x7F }, { 5, 0xFC }, { 6, 0x0A }, { 7, 0 }, { 8, 0 }, { 9, 0x01 }, { 10, 0xC4 }, { 11, 0 } },
            1, "0", { 0 }, 50176, 50177 },
        // The unit's frame order: first inputs of the channels, then the rest.
        CasImage { "OrdreDeTrame", { { 0, 0 }, { 1, 0 }, { 4, 0 }, { 6, 0 } }, {}, 0.1, 1001,
            { { 0, 0x53 } },
            4, "0164", { 0, 1, 3, 2 }, 4096, 1025 },
        CasImage { "SecondesEntreesSeules", { { 1, 0 }, { 4, 0 }, { 6, 0 } }, {}, 0.1, 1001,
            { { 0, 0x52 } },
            3, "416", { 1, 0, 2 }, 3072, 1025 }),
    [](const testing::TestParamInfo<CasImage>& info) { return std::string(info.param.nom); });

TEST(TSP5Registres, TriggerByte)
{
    struct Cas {
        int32_t mode, sensSeuil, sensEchelon, voie;
        int attendu;
    };
    const Cas cas[] = {
        { kDeclImmediat, 0, 0, 0, 0x00 },
        { kDeclSeuil, 0, 1, 2, 0x26 },
        { kDeclSeuil, 1, 0, 2, 0x22 },
        { kDeclSeuil, 0, 0, 7, 0x76 },
        { kDeclExterne, 1, 0, 2, 0x05 },
        { kDeclExterne, 0, 1, 2, 0x01 },
    };
    for (const Cas& c : cas) {
        TSP5 sp5(kSansBibliotheque, 1);
        sp5.activeVoieA(uint8_t(c.voie), false);
        sp5.setVoieSynchro(c.voie, false);
        sp5.setSensDeclSeuil(c.sensSeuil, false);
        sp5.setSensDeclEchelon(c.sensEchelon, false);
        sp5.setModeDeclenchement(c.mode, false);
        EXPECT_EQ(sp5.imageRegistre(29), c.attendu) << "mode " << c.mode << " input " << c.voie;
        if (c.mode != kDeclSeuil) {
            EXPECT_EQ(sp5.imageRegistre(30), 0);
            EXPECT_EQ(sp5.imageRegistre(35), 0);
        }
    }
}

TEST(TSP5Registres, ThresholdIsClampedToNinetyPercentOfTheCalibre)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setCal(0, 2, false);
    const std::pair<float, float> cas[] = { { 0.95f, 0.9f }, { -5.0f, -0.9f }, { 0.5f, 0.5f }, { 0.9f, 0.9f } };
    for (auto [demande, attendu] : cas) {
        sp5.setSeuilDecl(demande);
        EXPECT_FLOAT_EQ(sp5.USeuilDecl, attendu) << demande;
    }
    sp5.setCal(0, 9, false); // clamped to the 0.2 V calibre
    EXPECT_EQ(sp5.VoiesX[0].idxCalibreEA, 3);
    sp5.setSeuilDecl(1.0f);
    EXPECT_FLOAT_EQ(sp5.USeuilDecl, 0.18f);
    EXPECT_FLOAT_EQ(sp5.VoiesX[0].cap.ResolutionsCapteur[0], 0.0001f);
}

TEST(TSP5Registres, ThresholdCodeWithoutCalibrationUsesTheNominalConversion)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setModeDeclenchement(kDeclSeuil, false);
    sp5.setSeuilDecl(1.0f);
    sp5.prepareTousPRX(false);
    // (1 V + 10 V) / (20 V / 4096) = 2252.8
    EXPECT_EQ(sp5.imageRegistre(30) | sp5.imageRegistre(31) << 8, 2253);
    EXPECT_EQ(sp5.imageRegistre(35), 2053 / 256);
}

TEST(TSP5Registres, TriggerInputMoves)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.activeVoieA(1, false);
    sp5.activeVoieA(5, false);
    sp5.setModeDiff(1, true, false);
    // The second input of a differential channel hands the trigger to the first.
    EXPECT_EQ(sp5.setVoieSynchro(5, false), 1);
    EXPECT_EQ(sp5.voieSynchro, 1);
    EXPECT_EQ(sp5.voieSynchroVA, 1);
    EXPECT_EQ(sp5.unitevSeuil, "V");
    // An inactive input gives way to the first signal.
    EXPECT_EQ(sp5.setVoieSynchro(6, false), 0);
    EXPECT_EQ(sp5.voieSynchroVA, 0);
    // Input 5 single-ended again: it is a signal of its own.
    sp5.setModeDiff(1, false, false);
    EXPECT_EQ(sp5.setVoieSynchro(5, false), 5);
    EXPECT_EQ(sp5.voieSynchroVA, 2);
    // No signal at all.
    for (int i = 0; i < 8; ++i)
        sp5.desactiveVoieA(uint8_t(i), false);
    EXPECT_EQ(sp5.setVoieSynchro(3, true), 0);
    EXPECT_EQ(sp5.voieSynchro, 0);
    EXPECT_FALSE(sp5.CentralePretePourAcq);
}

TEST(TSP5Registres, NoActiveInputLeavesTheImageAndStartsNothing)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setDurees(0.2, 2001, false);
    const uint8_t intervalle = sp5.imageRegistre(4);
    sp5.desactiveVoieA(0, false);
    EXPECT_EQ(sp5.nbVoiesActivesX, 0);
    EXPECT_EQ(sp5.nbVoiesSignaux, 0);
    EXPECT_EQ(sp5.VoiesActivesX[0], -1);
    EXPECT_EQ(sp5.imageRegistre(0), 0);
    sp5.setDurees(0.1, 201, false);
    EXPECT_DOUBLE_EQ(sp5.dt0X, 5e-4);
    EXPECT_EQ(sp5.imageRegistre(4), intervalle); // not recomputed
    sp5.declencheAcq();
    EXPECT_FALSE(sp5.acqPeriodiqueEnCours);
}

TEST(TSP5Registres, SecondInputOfADifferentialChannelIsNotASignal)
{
    TSP5 sp5(kSansBibliotheque, 1);
    sp5.setModeDiff(2, true, false);
    sp5.activeVoieA(2, false);
    sp5.activeVoieA(6, false);
    EXPECT_EQ(sp5.nbVoiesActivesX, 3);
    EXPECT_EQ(sp5.VoiesActivesX[2], 6);
    EXPECT_EQ(sp5.nbVoiesSignaux, 2);
    EXPECT_EQ(sp5.VoiesActivesSignaux[1], 2);
    EXPECT_EQ(sp5.VoiesActivesSignaux[2], -1);
    EXPECT_DOUBLE_EQ(sp5.tSkipAcq, 1e-7);
}

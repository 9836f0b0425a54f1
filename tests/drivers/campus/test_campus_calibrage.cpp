// Conversion coefficients measured on the unit, the 30 % plausibility rule
// and the calibre fallback of setCal.
#include "tests/drivers/campus/SimulateurCampus.h"

#include <array>
#include <cmath>
#include <ostream>

namespace {

constexpr double kPleinesEchelles[4] = { 30.0, 15.0, 10.0, 1.0 };

struct CasCalibrage {
    const char* nom;
    int entree;
    std::array<double, 4> facteurs; // gain factor of each calibre of that input
    std::array<bool, 4> interdits;
    int calibreDemande;
    int calibreRetenu;
};

std::ostream& operator<<(std::ostream& os, const CasCalibrage& c)
{
    return os << c.nom;
}

const CasCalibrage kCasCalibrage[] = {
    { "ligne_propre", 0, { 1, 1, 1, 1 }, { false, false, false, false }, 2, 2 },
    { "gain_double_10V_remplace_par_15V", 1, { 1, 1, 2, 1 }, { false, false, true, false }, 2, 1 },
    { "gain_double_30V_remplace_par_15V", 3, { 2, 1, 1, 1 }, { true, false, false, false }, 0, 1 },
    { "quatre_calibres_interdits_garde_la_demande", 2, { 2, 2, 2, 2 }, { true, true, true, true }, 3, 3 },
    { "ecart_25_pourcent_admis", 1, { 1, 1.25, 1, 1 }, { false, false, false, false }, 1, 1 },
    { "ecart_35_pourcent_refuse", 0, { 1, 1, 1, 0.65 }, { false, false, false, true }, 3, 2 },
};

} // namespace

class CalibrageCampus : public AvecSimulateurCampus, public ::testing::WithParamInterface<CasCalibrage> {};

TEST_P(CalibrageCampus, MesureLesCoefficientsEtInterditLesCalibresInvraisemblables)
{
    const CasCalibrage& cas = GetParam();
    for (int c = 0; c < 4; ++c)
        sim.GainCalibre(cas.entree, c, cas.facteurs[c]);
    TSYSAMCAMPUS& centrale1 = *centrale;
    ASSERT_TRUE(centrale1.Presente());
    centrale1.RecupereCalibration();
    EXPECT_TRUE(centrale1.calibrageFait);

    for (int c = 0; c < 4; ++c) {
        SCOPED_TRACE(c);
        const float ampli = centrale1.calibrageCAMPUS.Ampli_EA[cas.entree][c];
        const float offset = centrale1.calibrageCAMPUS.Offset_EA[cas.entree][c];
        EXPECT_EQ(centrale1.calibrageCAMPUS.Interdit[cas.entree][c], cas.interdits[c]);
        if (cas.interdits[c]) {
            // A forbidden calibre keeps the nominal line: code 0 at -F, 4096 at +F.
            EXPECT_FLOAT_EQ(ampli, float(2.0 * kPleinesEchelles[c] / 4096.0));
            EXPECT_FLOAT_EQ(offset, float(-kPleinesEchelles[c]));
        } else {
            // The line through codes 500 and 3500 is the unit's own line.
            const LigneCampusSim ligne = campussimLigne(cas.entree, c);
            EXPECT_NEAR(ampli, ligne.gain * cas.facteurs[c], 1e-6 * ligne.gain);
            EXPECT_NEAR(offset, ligne.offset, 1e-6 * kPleinesEchelles[c]);
        }
        EXPECT_DOUBLE_EQ(centrale1.a1[cas.entree][c], double(ampli));
        EXPECT_DOUBLE_EQ(centrale1.b1[cas.entree][c], double(offset));
    }

    centrale1.setCal(uint8_t(cas.entree), cas.calibreDemande, true);
    EXPECT_EQ(centrale1.VoiesX[cas.entree].idxCalibreUt, cas.calibreRetenu);
    EXPECT_EQ(centrale1.VoiesX[cas.entree].idxCalibreEA, cas.calibreRetenu);
    EXPECT_FLOAT_EQ(centrale1.VoiesX[cas.entree].calibreR, float(kPleinesEchelles[cas.calibreRetenu]));
    EXPECT_EQ(sim.CalibreSelectionne(cas.entree), int(kPleinesEchelles[cas.calibreRetenu]));

    // Conversion of a code with the calibre in use.
    const int calibre = cas.calibreRetenu;
    EXPECT_DOUBLE_EQ(centrale1.Ux(cas.entree, 1234),
                     1234 * centrale1.a1[cas.entree][calibre] + centrale1.b1[cas.entree][calibre]);
}

INSTANTIATE_TEST_SUITE_P(Cas, CalibrageCampus, ::testing::ValuesIn(kCasCalibrage),
                         [](const ::testing::TestParamInfo<CasCalibrage>& info) { return std::string(info.param.nom); });

using CalibrageUnique = AvecSimulateurCampus;

TEST_F(CalibrageUnique, LaMemeCentraleNEstPasRemesureeEtSesEntreesSontRendues)
{
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(1, false);
    c.setCal(1, 2, false);
    ASSERT_TRUE(c.Presente());
    c.RecupereCalibration();
    EXPECT_EQ(c.numeroSerie, "SIMCAMPUS-0001");
    // The inputs are as the user left them.
    EXPECT_FALSE(c.VoiesX[0].active);
    EXPECT_TRUE(c.VoiesX[1].active);
    EXPECT_FALSE(c.VoiesX[2].active);
    EXPECT_FALSE(c.VoiesX[3].active);
    EXPECT_EQ(c.VoiesX[1].idxCalibreUt, 2);
    EXPECT_EQ(c.nbVoiesActivesX, 1);
    const float ampli = c.calibrageCAMPUS.Ampli_EA[0][0];

    // The unit changes, but keeps its serial number: nothing is measured again,
    // neither after a presence check nor after unplugging and plugging it back.
    sim.GainCalibre(0, 0, 2.0);
    ASSERT_TRUE(c.Presente());
    c.RecupereCalibration();
    EXPECT_FALSE(c.calibrageCAMPUS.Interdit[0][0]);
    EXPECT_FLOAT_EQ(c.calibrageCAMPUS.Ampli_EA[0][0], ampli);
    sim.Branche(0);
    EXPECT_FALSE(c.Presente());
    sim.Branche(1);
    ASSERT_TRUE(c.Presente());
    c.RecupereCalibration();
    EXPECT_FALSE(c.calibrageCAMPUS.Interdit[0][0]);
    EXPECT_FLOAT_EQ(c.calibrageCAMPUS.Ampli_EA[0][0], ampli);
}

TEST_F(CalibrageUnique, SansCentraleLesCoefficientsSontNominauxPuisMesuresAuRetour)
{
    TSYSAMCAMPUS& c = *centrale;
    sim.GainCalibre(2, 1, 2.0);
    sim.Branche(0);
    c.RecupereCalibration();
    EXPECT_EQ(c.numeroSerie, "");
    EXPECT_FALSE(c.calibrageFait);
    for (int i = 0; i < 4; ++i)
        for (int k = 0; k < 4; ++k) {
            EXPECT_FLOAT_EQ(c.calibrageCAMPUS.Ampli_EA[i][k], float(2.0 * kPleinesEchelles[k] / 4096.0));
            EXPECT_FLOAT_EQ(c.calibrageCAMPUS.Offset_EA[i][k], float(-kPleinesEchelles[k]));
        }
    EXPECT_DOUBLE_EQ(c.Ux(0, 2048), 0.0);

    sim.Branche(1);
    ASSERT_TRUE(c.Presente());
    c.RecupereCalibration();
    EXPECT_TRUE(c.calibrageFait);
    EXPECT_TRUE(c.calibrageCAMPUS.Interdit[2][1]);
}

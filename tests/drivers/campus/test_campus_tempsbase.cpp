// The CAMPUS time base: intervals rounded by the driver, at most 4000 points,
// the extra rows around a threshold trigger, and what reaches PrepareAcquisition.
#include "drivers/campus/TempsBaseCampus.h"
#include "tests/drivers/campus/SimulateurCampus.h"

#include <cmath>
#include <ostream>

TEST(ArrondiTeCampus, GardeDeuxChiffresAuDessusDUneMicroseconde)
{
    struct Cas {
        double te, arrondi, suivant;
    };
    const Cas cas[] = {
        { 1.234e-6, 1.2e-6, 1.3e-6 },
        { 1.25e-6, 1.3e-6, 1.4e-6 },
        { 12.34e-3, 12e-3, 13e-3 },
        { 100e-6, 100e-6, 110e-6 },
        { 250e-6, 250e-6, 260e-6 },
        { 1.0 / 2999.0, 330e-6, 340e-6 },
        { 1e-3, 1e-3, 1.1e-3 },
        { 3.6, 3.6, 3.7 },
        { 350e-9, 300e-9, 400e-9 },
        { 60e-9, 100e-9, 200e-9 },
        { 1e-9, 100e-9, 100e-9 },
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.te);
        EXPECT_NEAR(arrondiTeCampus(c.te), c.arrondi, 1e-9 * c.arrondi);
        EXPECT_NEAR(teSuperieurSuivantCampus(c.te), c.suivant, 1e-9 * c.suivant);
    }
    // The intervals come out as the doubles nearest to their decimal values.
    EXPECT_EQ(arrondiTeCampus(1e-4), 1e-4);
    EXPECT_EQ(arrondiTeCampus(250e-6), 250e-6);
}

namespace {

struct CasTempsBase {
    const char* nom;
    int32_t modeDecl;
    int32_t idxPretrig;
    double duree;
    int64_t nbPoints;
    // Expected.
    double dt;
    int64_t nbPtsAff;
    int64_t nbPts0X;
    double dureeTotale;
    int32_t epsNbPts;
    int32_t ptDePlus;
    int32_t psc;
    int32_t nbPointsDemandes; // to PrepareAcquisition
    int32_t modeRecuperation;
};

std::ostream& operator<<(std::ostream& os, const CasTempsBase& c)
{
    return os << c.nom;
}

const CasTempsBase kCasTempsBase[] = {
    { "cent_us_1001_points", 0, 0, 0.1, 1001, 100e-6, 1001, 1001, 0.1, 1, 0, 0, 1001, 1 },
    { "250us_4000_points", 0, 0, 1.0, 4000, 250e-6, 4000, 4000, 1.0, 0, 0, 0, 4000, 0 },
    { "330us_3031_points", 0, 0, 1.0, 3000, 330e-6, 3031, 3031, 0.9999, 1, 0, 0, 3031, 0 },
    { "seuil_pretrig_25_1022_points", 1, 1, 0.1, 1001, 100e-6, 1001, 1002, 0.1, 1, 1, 10, 1022, 1 },
    { "externe_pretrig_sans_rangs_en_plus", 2, 2, 0.1, 1001, 100e-6, 1001, 1001, 0.1, 1, 0, 0, 1001, 1 },
    { "duree_trop_courte_portee_a_1us", 0, 0, 1e-7, 1001, 100e-9, 11, 11, 1e-6, 1, 0, 0, 11, 1 },
    { "duree_trop_longue_ramenee_a_3600s", 0, 0, 5000.0, 1001, 3.6, 1001, 1001, 3600.0, 1, 0, 0, 1001, 0 },
    { "plus_de_4000_points_ramenes_a_4000", 0, 0, 1.0, 5000, 250e-6, 4000, 4000, 1.0, 0, 0, 0, 4000, 0 },
    { "seuil_4000_points_intervalle_allonge", 1, 0, 1.0, 4000, 260e-6, 3847, 3848, 3846 * 260e-6, 1, 1, 0, 3848, 0 },
};

} // namespace

class TempsBaseCampus : public AvecSimulateurCampus, public ::testing::WithParamInterface<CasTempsBase> {};

TEST_P(TempsBaseCampus, ArronditLaDemande)
{
    const CasTempsBase& cas = GetParam();
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(0, false);
    c.setVoieSynchro(0, false);
    c.setSeuilDecl(1.0f);
    c.setModeDeclenchement(cas.modeDecl, false);
    c.setPretrig(cas.idxPretrig, false);
    c.setDurees(cas.duree, cas.nbPoints, false);

    EXPECT_FALSE(c.baseDeTempsSansCentrale);
    EXPECT_NEAR(c.dt0X, cas.dt, 1e-9 * cas.dt);
    EXPECT_EQ(c.nbPtsAffX, cas.nbPtsAff);
    EXPECT_EQ(c.nbPts0X, cas.nbPts0X);
    EXPECT_NEAR(c.dureeTotale0X, cas.dureeTotale, 1e-9 * cas.dureeTotale);
    EXPECT_EQ(c.epsNbPts, cas.epsNbPts);
    EXPECT_EQ(c.ptDePlus, cas.ptDePlus);
    EXPECT_EQ(c.psc1, cas.psc);
    EXPECT_EQ(c.psc2, cas.psc);
    EXPECT_EQ(c.modeRecuperation, cas.modeRecuperation);
    // The interval goes through a single-precision value on its way to quanta.
    EXPECT_NEAR(double(c.ndt), cas.dt / 100e-9, 1.0);
    EXPECT_EQ(c.NBValTrame, cas.nbPts0X);
    EXPECT_EQ(c.tailleRAMAcq, 4000);

    c.prepareTousPRX(true);
    EXPECT_TRUE(c.CentralePretePourAcq);
    TPreparationSimCampus preparation {};
    ASSERT_GT(sim.DernierePreparation(&preparation), 0);
    EXPECT_EQ(preparation.nombreDePoints, cas.nbPointsDemandes);
    EXPECT_NEAR(preparation.te, cas.dt, 1e-9 * cas.dt);
    EXPECT_EQ(preparation.ordreVoies[0], 0);
    for (int k = 1; k < 9; ++k)
        EXPECT_EQ(preparation.ordreVoies[k], -1) << k;
    EXPECT_EQ(preparation.modePermanent, 0);
    const int32_t sources[] = { _SOURCE_AUCUNE, _SOURCE_EA1, _SOURCE_EXTERNE };
    EXPECT_EQ(preparation.sourceTrigger, sources[cas.modeDecl]);
    if (cas.modeDecl == kDeclSeuil) {
        EXPECT_EQ(preparation.sensDeclenchement, _MONTANT);
        EXPECT_NEAR(preparation.seuil, 1.0, 1e-6);
    }
}

INSTANTIATE_TEST_SUITE_P(Cas, TempsBaseCampus, ::testing::ValuesIn(kCasTempsBase),
                         [](const ::testing::TestParamInfo<CasTempsBase>& info) { return std::string(info.param.nom); });

using TempsBaseCampusReglages = AvecSimulateurCampus;

TEST_F(TempsBaseCampusReglages, PretrigAuSeuilCompteLesRangsEnPlus)
{
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(0, false);
    c.activeVoieA(2, false);
    c.setModeDeclenchement(kDeclSeuil, false);
    c.setPretrig(int32_t { 1 }, false);
    c.setDurees(0.1, 1001, false);
    EXPECT_EQ(c.idxPretrig, 1);
    EXPECT_FLOAT_EQ(c.tauxPretrig, 25.0f);
    EXPECT_EQ(c.nbPtsPretrig, 250); // round(25 x 0.99999 x 1000 / 100)
    EXPECT_EQ(c.nbValPretrig, 500);
    EXPECT_NEAR(c.tPretrig, 0.025, 1e-7);
    EXPECT_EQ(c.aPreTrig1, 25); // round((250 + 10) x 100.001 / 1022)
    EXPECT_EQ(c.NBValTrame, 2004);
    EXPECT_EQ(c.tailleRAMAcq, 8000);
    EXPECT_EQ(c.RAMAcq.size(), 8100u);

    // A rate given as such keeps its index when it is one of the list's.
    c.setPretrig(50.2f, false);
    EXPECT_EQ(c.idxPretrig, 2);
    c.setPretrig(40.0f, false);
    EXPECT_EQ(c.idxPretrig, -1);
    EXPECT_EQ(c.nbPtsPretrig, 400);
}

TEST_F(TempsBaseCampusReglages, UneDemandeTropPetiteEstIgnoree)
{
    TSYSAMCAMPUS& c = *centrale;
    c.setDurees(0.5, 10, false);
    c.setDurees(1e-11, 1001, false);
    EXPECT_NEAR(c.dureeTotale0X, 0.1, 1e-12);
    EXPECT_EQ(c.nbPtsAffX, 1001);
}

TEST_F(TempsBaseCampusReglages, LeModeDeDeclenchementAjouteLePointAussitot)
{
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(0, false);
    c.setModeDeclenchement(kDeclSeuil, false);
    EXPECT_EQ(c.nbPts0X, 1002);
    EXPECT_EQ(c.nbPtsAffX, 1001);
    c.setModeDeclenchement(kDeclImmediat, false);
    EXPECT_EQ(c.nbPts0X, 1001);
}

// Without a unit the interval cannot be confirmed: nothing in the time base
// changes, no duration is ever negative, and the flag tells the caller.
TEST_F(TempsBaseCampusReglages, SansCentraleLaBaseDeTempsResteCelleDAvant)
{
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(0, false);
    const double dt = c.dt0X;
    sim.Branche(0);
    c.setDurees(1.0, 3000, false);
    EXPECT_TRUE(c.baseDeTempsSansCentrale);
    EXPECT_NEAR(c.dureeTotale0X, 0.1, 1e-12);
    EXPECT_EQ(c.dt0X, dt);
    EXPECT_EQ(c.nbPtsAffX, 1001);
    EXPECT_EQ(c.nbPts0X, 1001);

    double duree = 2.0, dtDemande = 0.0;
    int64_t nbPts = 500, nbPtsAff = 500, nbMax = 0, ndt1 = 0;
    c.setDureesGeneriques(duree, dtDemande, nbPts, nbPtsAff, nbMax, ndt1, 100e-9);
    EXPECT_EQ(duree, 2.0);
    EXPECT_EQ(nbPtsAff, 500);
    EXPECT_EQ(nbMax, 0);

    // The setters that re-apply the time base keep it sound as well.
    c.activeVoieA(1, false);
    c.setPretrig(int32_t { 2 }, false);
    EXPECT_GT(c.dureeTotale0X, 0.0);
    EXPECT_EQ(c.nbPtsAffX, 1001);
    EXPECT_GT(c.nbPts0X, 0);

    sim.Branche(1);
    c.setDurees(1.0, 3000, false);
    EXPECT_FALSE(c.baseDeTempsSansCentrale);
    EXPECT_EQ(c.nbPtsAffX, 3031);
}

TEST_F(TempsBaseCampusReglages, MemesParametresComparentLesProduits)
{
    TSYSAMCAMPUS& c = *centrale;
    c.activeVoieA(0, false);
    c.setDurees(0.1, 1001, false);
    c.memoriseParametresTemporels();
    EXPECT_TRUE(c.memesParametresTemporels());
    c.setDurees(0.2, 1001, false);
    EXPECT_FALSE(c.memesParametresTemporels());
    int64_t nbMax = 0;
    c.DetermineNBPt0XMAx(3, nbMax);
    EXPECT_EQ(nbMax, 4000);
}

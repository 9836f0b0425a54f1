// Acquisitions through the driver on the simulator library, read block by
// block the way the acquisition control reads them.
#include "drivers/sp5/TSP5.h"

#include "platform/Bibliotheque.h"
#include "platform/Temps.h"
#include "simulators/sp5/SignauxSP5Sim.h"
#include "simulators/sp5/SimSP5.h"

#include <gtest/gtest.h>

#include <ostream>

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

namespace {

const std::string kSimulateur = std::string(GALVORA_SIM_DIR) + "/SP5SIM.DLL";

// Test-only entry points of the simulator, opened on the driver's library.
class CommandesSimulateur {
public:
    // Each run sees the signals from their phase 0, so that a record can be
    // compared with them point by point.
    CommandesSimulateur() : h_(plateforme::chargeBibliotheque(kSimulateur))
    {
        if (h_ != nullptr) {
            reinitialise();
            plateforme::procedure<TSimSP5FixeDebutRuns>(h_, "SimSP5_FixeDebutRuns")(0);
        }
    }
    ~CommandesSimulateur()
    {
        if (h_ != nullptr)
            reinitialise();
        plateforme::libereBibliotheque(h_);
    }
    CommandesSimulateur(const CommandesSimulateur&) = delete;
    CommandesSimulateur& operator=(const CommandesSimulateur&) = delete;
    bool charge() const { return h_ != nullptr; }
    void branche(bool oui) { plateforme::procedure<TSimSP5Branche>(h_, "SimSP5_Branche")(oui ? 1 : 0); }
    void reinitialise() { plateforme::procedure<TSimSP5Reinitialise>(h_, "SimSP5_Reinitialise")(); }

private:
    plateforme::HandleBibliotheque h_;
};

// One record: the raw codes of each signal, point by point.
struct Enregistrement {
    std::vector<std::vector<uint16_t>> codes;
    int64_t points = 0;
    int32_t blocs = 0;
    int32_t tailleBloc = 0;
    bool fenetresAChevalSurDeuxBlocs = false;
    double secondes = 0;
    bool perdue = false;
};

// What the acquisition control does: block size for about 100 ms, program,
// start, read blocks of frames (which may straddle blocks), place each
// signal by idxTraitGV, until the record is complete.
Enregistrement acquiers(TSP5& sp5, double delaiMax = 2.0, int32_t blocsAvantDebranchement = -1,
                        CommandesSimulateur* simulateur = nullptr)
{
    Enregistrement e;
    const int32_t signaux = sp5.nbVoiesSignaux;
    e.codes.assign(std::size_t(signaux), std::vector<uint16_t>(std::size_t(sp5.nbPts0X), 0));
    sp5.Reset();
    sp5.NbPtsFifo = std::max(std::max(std::min(int32_t(std::nearbyint(0.1 / sp5.dt0X)), 256), signaux), sp5.nbPtsFifoMin);
    e.tailleBloc = sp5.NbPtsFifo;
    sp5.prepareTousPRX(true);
    sp5.TailleTransfertFifo(sp5.NbPtsFifo);
    sp5.ViderFifo();
    const double debut = plateforme::secondesMonotones();
    sp5.declencheAcq();
    TFifoSP5 bloc {};
    std::array<uint16_t, 264> travail {};
    int32_t reportes = 0;
    int64_t faits = 0;
    while (faits < sp5.nbPts0X && plateforme::secondesMonotones() - debut < delaiMax) {
        const int32_t n = sp5.LireFifo(&bloc);
        if (n <= 0) {
            if (sp5.presentePendantAcq() == -1) {
                e.perdue = true;
                break;
            }
            plateforme::dors(uint32_t(std::min(sp5.tSleepFifo, 5)));
            continue;
        }
        if (e.blocs == 0)
            sp5.getDTPretrig();
        ++e.blocs;
        for (int32_t w = 0; w < n; ++w)
            travail[std::size_t(reportes + w)] = uint16_t(bloc[std::size_t(w)] >> 4);
        const int32_t total = reportes + n;
        const int32_t groupes = total / signaux;
        if (total % signaux != 0)
            e.fenetresAChevalSurDeuxBlocs = true;
        for (int32_t g = 0; g < groupes && faits + g < sp5.nbPts0X; ++g)
            for (int32_t i = 0; i < signaux; ++i)
                e.codes[std::size_t(i)][std::size_t(faits + g)] = travail[std::size_t(g * signaux + sp5.idxTraitGV[i])];
        reportes = total % signaux;
        std::copy_n(travail.begin() + groupes * signaux, reportes, travail.begin());
        faits += groupes;
        if (simulateur != nullptr && e.blocs == blocsAvantDebranchement)
            simulateur->branche(false);
    }
    e.secondes = plateforme::secondesMonotones() - debut;
    e.points = std::min<int64_t>(faits, sp5.nbPts0X);
    sp5.arreteAcq();
    sp5.getNbPtsPretrig();
    return e;
}

// Largest gap, in codes, between the record of input `entree` and the
// documented signal, sample k taken at (premier + k) intervals.
double ecartMaxEnCodes(TSP5& sp5, const Enregistrement& e, int32_t signal, int64_t premier)
{
    const int32_t entree = sp5.VoiesActivesSignaux[signal];
    const int32_t k = sp5.VoiesX[entree].idxCalibreEA;
    double ecart = 0;
    for (int64_t p = 0; p < e.points; ++p) {
        const double attendu = sp5sim::sp5simTension(entree, double(premier + p) * sp5.dt0X);
        const double lu = sp5.Ux(entree, e.codes[std::size_t(signal)][std::size_t(p)]);
        ecart = std::max(ecart, std::fabs(lu - attendu) / sp5.a1[entree][k]);
    }
    return ecart;
}

class SP5Simulateur : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plateforme::fichierExiste(kSimulateur)) << "simulator library not built: " << kSimulateur;
        simulateur_ = std::make_unique<CommandesSimulateur>();
        ASSERT_TRUE(simulateur_->charge());
    }
    std::unique_ptr<CommandesSimulateur> simulateur_;
};

void prepareEntrees(TSP5& sp5, const std::vector<int>& entrees)
{
    sp5.desactiveVoieA(0, false);
    for (int i : entrees)
        sp5.activeVoieA(uint8_t(i), false);
}

} // namespace

TEST_F(SP5Simulateur, IdentifiesTheSimulatedUnit)
{
    TSP5 sp5(kSimulateur, 1);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_TRUE(sp5.CentralePresente);
    EXPECT_EQ(sp5.typeCentrale, kSimulationSP5);
    EXPECT_EQ(sp5.nomCentrale, "SIMULATION SP5");
    EXPECT_EQ(sp5.numeroSerie, "SPSIMUL");
    for (int i = 0; i < 8; ++i)
        for (int k = 0; k < 4; ++k)
            EXPECT_NEAR(sp5.a1[i][k], 2.0 * sp5.calibresEAStandard[k] / 4096, 0.05 * sp5.a1[i][k]);
}

struct CasLecture {
    const char* nom;
    std::vector<int> entrees;
    int calibre;
    double duree;
    int64_t points;
};

void PrintTo(const CasLecture& cas, std::ostream* os) { *os << cas.nom; }

class SP5SimulateurLecture : public SP5Simulateur, public testing::WithParamInterface<CasLecture> {};

TEST_P(SP5SimulateurLecture, RecordsTheDocumentedSignalsInRealTime)
{
    const CasLecture& cas = GetParam();
    TSP5 sp5(kSimulateur, 1);
    prepareEntrees(sp5, cas.entrees);
    for (int i : cas.entrees)
        sp5.setCal(uint8_t(i), cas.calibre, false);
    sp5.setDurees(cas.duree, cas.points, false);
    const Enregistrement e = acquiers(sp5);
    ASSERT_EQ(e.points, sp5.nbPts0X);
    EXPECT_FALSE(e.perdue);
    // Blocks arrive as simulated time passes: the run lasts about its duration.
    EXPECT_GE(e.secondes, 0.8 * sp5.dureeTotale0X);
    EXPECT_LT(e.secondes, sp5.dureeTotale0X + 0.5);
    for (int32_t s = 0; s < sp5.nbVoiesSignaux; ++s)
        EXPECT_LE(ecartMaxEnCodes(sp5, e, s, 0), 3.0) << "signal " << s << " input " << sp5.VoiesActivesSignaux[s];
}

INSTANTIATE_TEST_SUITE_P(Lectures, SP5SimulateurLecture,
    testing::Values(
        // Channel 0 complete, single-ended: 2 us quantum, blocks of whole frames.
        CasLecture { "Entrees0Et4", { 0, 4 }, 0, 0.1, 1001 },
        // Three signals in the unit's own order (4, 1, 6): frames straddle blocks.
        CasLecture { "TroisSignauxOrdreUnite", { 1, 4, 6 }, 1, 0.05, 501 }),
    [](const testing::TestParamInfo<CasLecture>& info) { return std::string(info.param.nom); });

TEST_F(SP5Simulateur, FramesStraddleBlocksWithThreeSignals)
{
    TSP5 sp5(kSimulateur, 1);
    prepareEntrees(sp5, { 1, 4, 6 });
    sp5.setDurees(0.05, 501, false);
    EXPECT_EQ(sp5.sOrdreTraitt, "416");
    const Enregistrement e = acquiers(sp5);
    EXPECT_TRUE(e.fenetresAChevalSurDeuxBlocs);
    EXPECT_GT(e.blocs, 1);
}

struct CasSeuil {
    const char* nom;
    int32_t sens;
    float seuil;
    int32_t idxPretrig;
};

void PrintTo(const CasSeuil& cas, std::ostream* os) { *os << cas.nom; }

class SP5SimulateurSeuil : public SP5Simulateur, public testing::WithParamInterface<CasSeuil> {};

TEST_P(SP5SimulateurSeuil, RecordStartsAtTheCrossing)
{
    const CasSeuil& cas = GetParam();
    TSP5 sp5(kSimulateur, 1); // input 0: 5 V, 50 Hz sine
    sp5.setModeDeclenchement(kDeclSeuil, false);
    sp5.setSensDeclSeuil(cas.sens, false);
    sp5.setVoieSynchro(0, false);
    sp5.setSeuilDecl(cas.seuil);
    sp5.setPretrig(cas.idxPretrig, false);
    sp5.setDurees(0.04, 401, false);
    ASSERT_EQ(sp5.nbPts0X, 402);
    const int32_t avant = int32_t(std::nearbyint(400 * 25.0 * cas.idxPretrig / 100.0));
    const Enregistrement e = acquiers(sp5);
    ASSERT_EQ(e.points, 402);
    EXPECT_EQ(sp5.nbPtsPretrig, avant);

    // The last sample before the trigger and the first after it straddle the
    // threshold in the chosen direction, and the unit reports those two.
    const double uAvant = sp5.Ux(0, e.codes[0][std::size_t(avant)]);
    const double uApres = sp5.Ux(0, e.codes[0][std::size_t(avant + 1)]);
    const double tolerance = 3 * sp5.a1[0][0];
    if (cas.sens == 0) {
        EXPECT_LE(uAvant, cas.seuil + tolerance);
        EXPECT_GE(uApres, cas.seuil - tolerance);
        EXPECT_GT(uApres, uAvant);
    } else {
        EXPECT_GE(uAvant, cas.seuil - tolerance);
        EXPECT_LE(uApres, cas.seuil + tolerance);
        EXPECT_LT(uApres, uAvant);
    }
    EXPECT_EQ(sp5.vPre, e.codes[0][std::size_t(avant)]);
    EXPECT_EQ(sp5.vPost, e.codes[0][std::size_t(avant + 1)]);

    // The delay to the crossing lies within one interval, where the line
    // between the two samples meets the threshold.
    EXPECT_GE(sp5.dtPretrig, 0.0);
    EXPECT_LE(sp5.dtPretrig, sp5.dt0X);
    const double fraction = std::clamp((cas.seuil - uAvant) / (uApres - uAvant), 0.0, 1.0);
    EXPECT_NEAR(sp5.dtPretrig, fraction * sp5.dt0X, 0.02 * sp5.dt0X);

    // The record is the sine itself, from wherever it started.
    for (std::size_t k = 1; k < 402; ++k)
        EXPECT_LE(std::fabs(sp5.Ux(0, e.codes[0][k]) - sp5.Ux(0, e.codes[0][k - 1])), 0.2) << k;
}

INSTANTIATE_TEST_SUITE_P(Seuils, SP5SimulateurSeuil,
    testing::Values(
        CasSeuil { "MontantSansPretrig", 0, 1.0f, 0 },
        CasSeuil { "MontantPretrig25", 0, 1.0f, 1 },
        CasSeuil { "DescendantPretrig50", 1, -2.0f, 2 }),
    [](const testing::TestParamInfo<CasSeuil>& info) { return std::string(info.param.nom); });

TEST_F(SP5Simulateur, ExternalTriggerStartsAtTheEdge)
{
    for (int32_t sens : { 0, 1 }) {
        SCOPED_TRACE(sens == 0 ? "rising" : "falling");
        TSP5 sp5(kSimulateur, 1); // input 0: 5 V, 50 Hz sine
        sp5.setModeDeclenchement(kDeclExterne, false);
        sp5.setSensDeclEchelon(sens, false);
        sp5.setPretrig(int32_t(1), false);
        sp5.setDurees(0.04, 401, false);
        const int32_t avant = 100;
        const Enregistrement e = acquiers(sp5);
        ASSERT_EQ(e.points, 401);
        EXPECT_EQ(sp5.nbPtsPretrig, avant);
        // First edge of the source once 100 samples are held (10 ms).
        const double front = sp5sim::sp5simFrontDeclExterne(0, sens == 0);
        const int64_t mPre = int64_t(std::floor(front / sp5.dt0X));
        EXPECT_LE(ecartMaxEnCodes(sp5, e, 0, mPre - avant), 3.0);
        EXPECT_NEAR(sp5.dtPretrig, front - double(mPre) * sp5.dt0X, 1e-7);
        EXPECT_LT(sp5.dtPretrig, sp5.dt0X);
    }
}

TEST_F(SP5Simulateur, UnpluggingDuringARunEmptiesTheReads)
{
    TSP5 sp5(kSimulateur, 1);
    sp5.setDurees(0.3, 3001, false);
    const Enregistrement e = acquiers(sp5, 2.0, 1, simulateur_.get());
    EXPECT_TRUE(e.perdue);
    EXPECT_EQ(e.blocs, 1);
    TFifoSP5 bloc {};
    EXPECT_EQ(sp5.LireFifo(&bloc), 0);
    EXPECT_EQ(sp5.presentePendantAcq(), -1);
    EXPECT_FALSE(sp5.Presente());
    simulateur_->branche(true);
    EXPECT_EQ(sp5.presentePendantAcq(), 1);
}

TEST_F(SP5Simulateur, DirectMeasurement)
{
    TSP5 sp5(kSimulateur, 1);
    prepareEntrees(sp5, { 6 });
    sp5.setCal(6, 1, false);
    sp5.prepareTousPRX(true);
    sp5.MesureDirecte();
    EXPECT_NEAR(sp5.VoiesX[6].mesDirR, 2.5, 0.02 + 3 * sp5.a1[6][1]);
    EXPECT_FALSE(sp5.acqPeriodiqueEnCours);
}

TEST_F(SP5Simulateur, CalibrationIsReadWithTheUnitUnplugged)
{
    simulateur_->branche(false);
    TSP5 sp5(kSimulateur, 1);
    EXPECT_TRUE(sp5.CentraleInstallee);
    EXPECT_FALSE(sp5.CentralePresente);
    EXPECT_EQ(sp5.numeroSerie, "SP5Absente");
    sp5.RecupereCalibration();
    EXPECT_EQ(sp5.numeroSerie, "SPSIMUL");
}

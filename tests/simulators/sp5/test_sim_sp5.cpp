// The simulated SP5 library, loaded the way the driver loads it: its record,
// its registers, and acquisitions checked against the documented signals.
#include "platform/Bibliotheque.h"
#include "simulators/sp5/SignauxSP5Sim.h"
#include "simulators/sp5/SimSP5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using Horloge = std::chrono::steady_clock;
using sp5sim::sp5simInstantEchantillon;
using sp5sim::sp5simTension;

constexpr double kCalibres[4] = { 10.0, 5.0, 1.0, 0.2 };
constexpr uint32_t kCodesGain[4] = { 0, 4, 5, 2 }; // calibre index -> 3-bit gain code

float singleLE(const uint8_t* p)
{
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    float v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

double doubleLE(const uint8_t* p)
{
    uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = bits << 8 | p[i];
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string chaineCourte(const uint8_t* p)
{
    return std::string(reinterpret_cast<const char*>(p + 1), std::min<int>(p[0], 12));
}

// The coefficients of the record, read at their offsets.
struct Calibrage {
    double ampli[4][4];
    double offset[8][4];
    double offsetDiff[4][4];

    explicit Calibrage(const uint8_t* r)
    {
        for (int c = 0; c < 4; ++c)
            for (int k = 0; k < 4; ++k) {
                ampli[c][k] = singleLE(r + 14 + 16 * c + 4 * k);
                offsetDiff[c][k] = singleLE(r + 206 + 16 * c + 4 * k);
            }
        for (int i = 0; i < 8; ++i)
            for (int k = 0; k < 4; ++k)
                offset[i][k] = singleLE(r + 78 + 16 * i + 4 * k);
    }
};

// What one position of a frame carries.
struct Signal {
    int entree;
    int calibre = 0;
    bool diff = false;
};

// Settings of one run, written in the order the driver writes its image.
struct Reglage {
    uint8_t voies = 0x01;
    uint32_t gains = 0;
    uint8_t diff = 0;
    uint64_t S = 999;
    uint32_t nbPoints = 101;
    uint8_t decl = 0;
    uint16_t seuil = 0;
    uint32_t pretrig = 0; // register value, margin included
    uint8_t hysteresis = 0;
};

uint32_t motGains(const std::vector<Signal>& signaux)
{
    uint32_t g = 0;
    for (const Signal& s : signaux) {
        g |= kCodesGain[s.calibre] << (3 * s.entree);
        if (s.diff)
            g |= kCodesGain[s.calibre] << (3 * (s.entree + 4));
    }
    return g;
}

class SimSP5 : public ::testing::Test {
protected:
    void SetUp() override
    {
        bib = plateforme::chargeBibliotheque(GALVORA_SIM_DIR "/SP5SIM.DLL");
        ASSERT_NE(bib, nullptr) << plateforme::derniereErreurBibliotheque();
        resoudre(reset, "Reset");
        resoudre(present, "Present");
        resoudre(lireRegistre, "LireRegistre");
        resoudre(ecrireRegistre, "EcrireRegistre");
        resoudre(ecrireFifo, "EcrireFifo");
        resoudre(recupereCalibration, "RecupereCalibration");
        resoudre(lireFifo, "LireFifo");
        resoudre(viderFifo, "ViderFifo");
        resoudre(tailleTransfertFifo, "TailleTransfertFifo");
        resoudre(afficheInfos, "AfficheInfos");
        resoudre(branche, "SimSP5_Branche");
        resoudre(reinitialise, "SimSP5_Reinitialise");
        resoudre(fixeDebutRuns, "SimSP5_FixeDebutRuns");
        resoudre(debutRun, "SimSP5_DebutRun");
        debut = Horloge::now();
        reinitialise();
        // Most tests read each run from the signals' phase 0; the clock that
        // runs on between runs has tests of its own.
        fixeDebutRuns(0);
        std::array<uint8_t, 379> record {};
        recupereCalibration(record.data());
        cal = std::make_unique<Calibrage>(record.data());
    }

    void TearDown() override { plateforme::libereBibliotheque(bib); }

    template <typename F>
    void resoudre(F& f, const char* nom)
    {
        f = plateforme::procedure<F>(bib, nom);
        ASSERT_NE(f, nullptr) << nom;
    }

    void programme(const Reglage& r)
    {
        ecrireRegistre(0, r.voies);
        for (int a = 3; a >= 1; --a)
            ecrireRegistre(a, (r.gains >> (8 * (a - 1))) & 0xFF);
        for (int a = 8; a >= 4; --a)
            ecrireRegistre(a, static_cast<uint32_t>((r.S >> (8 * (a - 4))) & 0xFF));
        for (int a = 11; a >= 9; --a)
            ecrireRegistre(a, (r.nbPoints >> (8 * (a - 9))) & 0xFF);
        ecrireRegistre(12, r.diff);
        ecrireRegistre(29, r.decl);
        ecrireRegistre(31, r.seuil >> 8);
        ecrireRegistre(30, r.seuil & 0xFF);
        for (int a = 34; a >= 32; --a)
            ecrireRegistre(a, (r.pretrig >> (8 * (a - 32))) & 0xFF);
        ecrireRegistre(35, r.hysteresis);
    }

    // `debut` is taken just before the run starts, so that the
    // test's elapsed time is never shorter than the unit's.
    void demarre()
    {
        const uint8_t controle = lireRegistre(36);
        debut = Horloge::now();
        ecrireRegistre(36, controle | 0x01);
    }

    void arrete() { ecrireRegistre(36, lireRegistre(36) & ~0x01u); }

    double ecoule() const { return std::chrono::duration<double>(Horloge::now() - debut).count(); }

    // The converter's code of voltage u as the record describes it.
    double codeIdeal(const Signal& s, double u) const
    {
        const int canal = s.entree % 4;
        const double b = s.diff ? cal->offsetDiff[canal][s.calibre] : cal->offset[s.entree][s.calibre];
        return (u - b) / cal->ampli[canal][s.calibre];
    }

    int codeSeuil(const Signal& s, double u) const { return static_cast<int>(std::lround(codeIdeal(s, u))); }

    static double tension(const Signal& s, double t)
    {
        return s.diff ? sp5simTension(s.entree, t) - sp5simTension(s.entree + 4, t) : sp5simTension(s.entree, t);
    }

    // Every word is its input's signal at the instant of its sample, within
    // one code, or saturated when the signal is beyond the calibre.
    // `debutRun` is the tick of the signals' clock of the run's sample 0.
    ::testing::AssertionResult correspond(const std::vector<uint16_t>& mots, const std::vector<Signal>& trame,
                                          int64_t premier, uint64_t S, int64_t debutRun = 0) const
    {
        const std::size_t n = trame.size();
        for (std::size_t w = 0; w < mots.size(); ++w) {
            const Signal& s = trame[w % n];
            const double t = sp5simInstantEchantillon(debutRun, premier + static_cast<int64_t>(w / n), S);
            const double ideal = codeIdeal(s, tension(s, t));
            const int code = mots[w] >> 4;
            const bool bon = (mots[w] & 0x0F) == 0
                && (ideal > 4095.5 ? code == 4095 : ideal < -0.5 ? code == 0 : std::abs(code - ideal) <= 1.0);
            if (!bon)
                return ::testing::AssertionFailure() << "word " << w << " (input " << s.entree << ", t = " << t
                                                     << " s): code " << code << ", expected about " << ideal;
        }
        return ::testing::AssertionSuccess();
    }

    // The sample of frame 0 among candidates around `attendu`, or -1.
    int64_t trouvePremier(const std::vector<uint16_t>& mots, const std::vector<Signal>& trame, int64_t attendu,
                          uint64_t S) const
    {
        for (int64_t m = std::max<int64_t>(attendu - 3, 0); m <= attendu + 3; ++m)
            if (correspond(mots, trame, m, S))
                return m;
        return -1;
    }

    struct Lecture {
        std::vector<uint16_t> mots;
        std::vector<int> tailles;  // word count of each non-empty read
        double premiereDonnee = -1; // seconds from the start to the first data
        double fin = 0;             // seconds from the start to the last word
    };

    // Reads blocks until `total` words came or `delai` seconds passed. Checks
    // along the way that no word comes before its sample is taken.
    Lecture lit(std::size_t total, double delai, std::size_t nbSignaux, uint64_t S, int64_t premier = 0)
    {
        Lecture l;
        std::array<uint16_t, 256> bloc {};
        const double dt = sp5sim::sp5simIntervalle(S);
        while (l.mots.size() < total && ecoule() < delai) {
            const int32_t n = lireFifo(bloc.data());
            const double apres = ecoule();
            if (n <= 0) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                continue;
            }
            EXPECT_LE(n, 256);
            l.mots.insert(l.mots.end(), bloc.begin(), bloc.begin() + n);
            l.tailles.push_back(n);
            if (l.premiereDonnee < 0)
                l.premiereDonnee = apres;
            l.fin = apres;
            const auto dernierEchantillon = premier + static_cast<int64_t>((l.mots.size() - 1) / nbSignaux);
            EXPECT_GE(apres, dernierEchantillon * dt) << "words handed over ahead of time";
        }
        return l;
    }

    plateforme::HandleBibliotheque bib = nullptr;
    TSP5_Reset reset = nullptr;
    TSP5_Present present = nullptr;
    TSP5_LireRegistre lireRegistre = nullptr;
    TSP5_EcrireRegistre ecrireRegistre = nullptr;
    TSP5_EcrireFifo ecrireFifo = nullptr;
    TSP5_RecupereCalibration recupereCalibration = nullptr;
    TSP5_LireFifo lireFifo = nullptr;
    TSP5_ViderFifo viderFifo = nullptr;
    TSP5_TailleTransfertFifo tailleTransfertFifo = nullptr;
    TSP5_AfficheInfos afficheInfos = nullptr;
    TSimSP5Branche branche = nullptr;
    TSimSP5Reinitialise reinitialise = nullptr;
    TSimSP5FixeDebutRuns fixeDebutRuns = nullptr;
    TSimSP5DebutRun debutRun = nullptr;
    std::unique_ptr<Calibrage> cal;
    Horloge::time_point debut = Horloge::now();
};

// ---- Calibration record -----------------------------------------------------

TEST_F(SimSP5, CalibrationRecordHasItsFieldsAtTheirOffsets)
{
    // Guard bytes on both sides: the library writes exactly 379 bytes.
    std::array<uint8_t, 8 + 379 + 8> tampon;
    tampon.fill(0xA5);
    branche(0); // the library keeps the record even without a unit
    recupereCalibration(tampon.data() + 8);
    const uint8_t* r = tampon.data() + 8;
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(tampon[i], 0xA5);
        EXPECT_EQ(tampon[8 + 379 + i], 0xA5);
    }

    EXPECT_EQ(r[0], 0);
    EXPECT_EQ(r[1], 7);
    EXPECT_EQ(chaineCourte(r + 1), "SPSIMUL");
    for (int i = 9; i < 14; ++i)
        EXPECT_EQ(r[i], 0) << "serial number padding at " << i;

    int imparfaits = 0;
    for (int c = 0; c < 4; ++c)
        for (int k = 0; k < 4; ++k) {
            const double nominal = 2.0 * kCalibres[k] / 4096.0;
            const double a = singleLE(r + 14 + 16 * c + 4 * k);
            EXPECT_NEAR(a / nominal, 1.0, 0.005) << "gain of channel " << c << ", calibre " << k;
            imparfaits += std::abs(a / nominal - 1.0) > 5e-4;
            // 0 V must fall near the middle code, a few codes off.
            const double zeroDiff = -singleLE(r + 206 + 16 * c + 4 * k) / a;
            EXPECT_NEAR(zeroDiff, 2048.0, 8.0);
            for (int entree : { c, c + 4 }) {
                const double zero = -singleLE(r + 78 + 16 * entree + 4 * k) / a;
                EXPECT_NEAR(zero, 2048.0, 8.0) << "offset of input " << entree << ", calibre " << k;
                imparfaits += std::abs(zero - 2048.0) > 0.5;
            }
        }
    EXPECT_GT(imparfaits, 40) << "the coefficients should differ from the nominal ones";

    for (int i = 270; i < 334; ++i)
        EXPECT_EQ(r[i], 0) << "unused area at " << i;
    for (int s = 0; s < 2; ++s) {
        EXPECT_NEAR(singleLE(r + 334 + 4 * s) / (20.0 / 4096.0), 1.0, 0.005);
        EXPECT_NEAR(singleLE(r + 342 + 4 * s), -10.0, 0.05);
    }
    const double jours2020 = 43831.0, jours2030 = 47484.0;
    EXPECT_GT(doubleLE(r + 350), jours2020);
    EXPECT_LT(doubleLE(r + 350), jours2030);
    EXPECT_GT(doubleLE(r + 358), jours2020);
    EXPECT_LE(doubleLE(r + 358), doubleLE(r + 350)) << "assembled before being calibrated";
    EXPECT_GE(r[366], 1);
    EXPECT_LE(r[366], 12);
    for (char ch : chaineCourte(r + 366))
        EXPECT_TRUE(ch >= 0x20 && ch < 0x7F);
}

// ---- Registers and presence -------------------------------------------------

TEST_F(SimSP5, RegistersKeepWhatIsWrittenAndPresenceFollowsThePlug)
{
    EXPECT_NE(present(), 0);
    for (int a = 0; a <= 35; ++a)
        ecrireRegistre(a, static_cast<uint32_t>(7 * a + 3));
    for (int a = 0; a <= 35; ++a)
        EXPECT_EQ(lireRegistre(a), (7 * a + 3) & 0xFF) << "register " << a;

    // Only the low byte of a Byte argument counts.
    ecrireRegistre(0x100 + 5, 0x1AB);
    EXPECT_EQ(lireRegistre(5), 0xAB);
    EXPECT_EQ(lireRegistre(0x100 + 5), 0xAB);

    // Results and sensor codes cannot be written.
    for (int a : { 65, 68, 107, 110, 111, 114 }) {
        ecrireRegistre(a, 0x5A);
        EXPECT_EQ(lireRegistre(a), 0) << "register " << a;
    }

    branche(0);
    EXPECT_EQ(present(), 0);
    EXPECT_EQ(lireRegistre(3), 0);
    ecrireRegistre(3, 0x42);
    branche(1);
    EXPECT_NE(present(), 0);
    EXPECT_EQ(lireRegistre(3), (7 * 3 + 3) & 0xFF) << "the unit kept its registers, and ignored the write";

    reinitialise();
    EXPECT_EQ(lireRegistre(3), 0);

    EXPECT_EQ(tailleTransfertFifo(100), 100);
    EXPECT_EQ(tailleTransfertFifo(0), 1);
    EXPECT_EQ(tailleTransfertFifo(1000), 256);
    uint16_t mots[4] = { 1, 2, 3, 4 };
    ecrireFifo(mots, 4); // accepted, without effect on the inputs
    testing::internal::CaptureStderr();
    afficheInfos();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("SPSIMUL"), std::string::npos);
}

// ---- Acquisitions ----------------------------------------------------------

TEST_F(SimSP5, ShortAcquisitionDeliversTheSignalsInRealTime)
{
    // Inputs 3 (triangle) and 4 (slow sine), 1 ms, 101 points: the unit puts
    // input 4 first (channel 0 before channel 3). Input 4 on +/-5 V reaches
    // the end of its calibre near the end of the record.
    const std::vector<Signal> trame = { { 4, 1 }, { 3, 0 } };
    Reglage r;
    r.voies = 0x18;
    r.gains = motGains(trame);
    r.S = 9999;
    r.nbPoints = 101;
    programme(r);
    tailleTransfertFifo(100);
    viderFifo();
    demarre();
    const Lecture l = lit(202, 2.0, 2, r.S);

    ASSERT_EQ(l.mots.size(), 202u);
    EXPECT_EQ(l.tailles, (std::vector<int> { 100, 100, 2 }));
    EXPECT_TRUE(correspond(l.mots, trame, 0, r.S));
    EXPECT_EQ(l.mots[2 * 100] >> 4, 4095) << "input 4 saturates on +/-5 V at 0.1 s";
    EXPECT_GE(l.fin, 0.1) << "the record takes its real duration";
    EXPECT_LT(l.fin, 1.0);
    // The point count ends the record.
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    std::array<uint16_t, 256> bloc {};
    EXPECT_EQ(lireFifo(bloc.data()), 0);
}

struct CasTrame {
    const char* nom;
    uint8_t voies;
    uint8_t diff;
    std::vector<Signal> trame; // expected frame order, with calibres
};

TEST_F(SimSP5, FramesFollowTheUnitsOrderCalibresAndDifferentialMode)
{
    const std::vector<CasTrame> cas = {
        { "inputs 0 1 4 6", 0x53, 0, { { 0 }, { 1, 1 }, { 6, 2 }, { 4 } } },
        { "both inputs of channel 0", 0x11, 0, { { 0 }, { 4 } } },
        { "second inputs only", 0xF0, 0, { { 4 }, { 5 }, { 6, 1 }, { 7, 3 } } },
        { "all eight", 0xFF, 0, { { 0 }, { 1 }, { 2 }, { 3 }, { 4 }, { 5 }, { 6 }, { 7, 3 } } },
        { "differential channel 0", 0x01, 0x01, { { 0, 0, true } } },
        { "differential channel 2 with channel 1", 0x26, 0x04, { { 1, 2 }, { 2, 1, true }, { 5 } } },
        { "bit of a differential second input", 0x11, 0x01, { { 0, 1, true } } },
        { "saturated: sawtooth and DC on +/-1 V", 0x60, 0, { { 5, 2 }, { 6, 2 } } },
        { "small sine on +/-0.2 V", 0x80, 0, { { 7, 3 } } },
    };
    tailleTransfertFifo(256);
    for (const CasTrame& c : cas) {
        SCOPED_TRACE(c.nom);
        Reglage r;
        r.voies = c.voies;
        r.diff = c.diff;
        r.gains = motGains(c.trame);
        r.S = 999; // 100 us: 40 points cover 4 ms
        r.nbPoints = 40;
        programme(r);
        demarre();
        const std::size_t total = 40 * c.trame.size();
        const Lecture l = lit(total, 1.0, c.trame.size(), r.S);
        arrete();
        ASSERT_EQ(l.mots.size(), total);
        EXPECT_TRUE(correspond(l.mots, c.trame, 0, r.S));
    }
}

TEST_F(SimSP5, BlocksHaveTheTransferSizeAndFramesStraddleThem)
{
    const std::vector<Signal> trame = { { 0 }, { 1 }, { 2 } };
    Reglage r;
    r.voies = 0x07;
    r.S = 99; // 10 us
    r.nbPoints = 200;
    programme(r);
    EXPECT_EQ(tailleTransfertFifo(256), 256);
    demarre();
    const Lecture l = lit(600, 1.0, 3, r.S);
    ASSERT_EQ(l.mots.size(), 600u);
    EXPECT_EQ(l.tailles, (std::vector<int> { 256, 256, 88 }));
    EXPECT_TRUE(correspond(l.mots, trame, 0, r.S));
    EXPECT_GE(l.fin, 199 * 1e-5);
}

TEST_F(SimSP5, ViderFifoDiscardsWaitingWordsAndStoppingEndsTheRecord)
{
    const std::vector<Signal> trame = { { 1 } };
    Reglage r;
    r.voies = 0x02;
    r.S = 999; // 100 us, 2000 points: 0.2 s
    r.nbPoints = 2000;
    programme(r);
    tailleTransfertFifo(256);
    demarre();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    viderFifo();
    const Lecture l = lit(2000, 0.28, 1, r.S); // the record ends at 0.2 s
    arrete();
    EXPECT_GT(l.mots.size(), 0u);
    EXPECT_LE(l.mots.size(), 1800u) << "at least 20 ms of samples should have been discarded";
    const int64_t premier = 2000 - static_cast<int64_t>(l.mots.size());
    EXPECT_TRUE(correspond(l.mots, trame, premier, r.S)) << "the rest of the record follows on";

    r.S = 99; // 10 us
    // A run stopped early hands over what it took, the last block short.
    r.nbPoints = 100000; // 1 s
    programme(r);
    demarre();
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    arrete();
    const Lecture apres = lit(100000, 0.08, 1, r.S);
    ASSERT_GE(apres.mots.size(), 1501u) << "15 ms of samples at 10 us";
    EXPECT_LT(apres.mots.size(), 100000u);
    for (std::size_t i = 0; i + 1 < apres.tailles.size(); ++i)
        EXPECT_EQ(apres.tailles[i], 256);
    EXPECT_TRUE(correspond(apres.mots, trame, 0, r.S));
    std::array<uint16_t, 256> bloc {};
    EXPECT_EQ(lireFifo(bloc.data()), 0) << "nothing after the stop";
}

TEST_F(SimSP5, ContinuousModeIgnoresThePointCount)
{
    Reglage r;
    r.voies = 0x01;
    r.S = 99;
    r.nbPoints = 10;
    programme(r);
    tailleTransfertFifo(256);
    ecrireRegistre(36, 0x80);
    demarre();
    const Lecture l = lit(1024, 0.5, 1, r.S);
    EXPECT_EQ(l.mots.size(), 1024u);
    EXPECT_TRUE(correspond(l.mots, { { 0 } }, 0, r.S));
}

// ---- Triggers ----------------------------------------------------------------

struct CasSeuil {
    const char* nom;
    bool montant;
    double seuil; // volts on input 0 (5 V, 50 Hz sine)
    int pretrig;  // points before the trigger
    double croisement; // first crossing that can start the record, seconds
};

TEST_F(SimSP5, ThresholdTriggerStartsTheRecordAtTheCrossing)
{
    constexpr double kPi = 3.14159265358979323846;
    const double monte2V = std::asin(0.4) / (2 * kPi * 50);
    const double descendMoins1V = (0.5 + std::asin(0.2) / (2 * kPi)) / 50;
    const std::vector<CasSeuil> cas = {
        // With 25 points of pre-trigger (2.5 ms), the crossing at 1.3 ms is
        // too early: the next period's one starts the record.
        { "rising 2 V, 25 points before", true, 2.0, 25, 0.02 + monte2V },
        { "rising 2 V, no pre-trigger", true, 2.0, 0, monte2V },
        { "falling -1 V, 25 points before", false, -1.0, 25, descendMoins1V },
    };
    const Signal entree0 { 0 };
    const uint64_t S = 999; // 0.1 ms
    const double dt = sp5sim::sp5simIntervalle(S);
    tailleTransfertFifo(101);
    for (const CasSeuil& c : cas) {
        SCOPED_TRACE(c.nom);
        Reglage r;
        r.voies = 0x01;
        r.S = S;
        r.nbPoints = 101;
        r.decl = 0x02 | (c.montant ? 0x04 : 0x00); // input 0
        r.seuil = static_cast<uint16_t>(codeSeuil(entree0, c.seuil));
        r.pretrig = static_cast<uint32_t>(c.pretrig + 3);
        r.hysteresis = static_cast<uint8_t>(codeSeuil(entree0, 0.025) / 256);
        programme(r);
        demarre();
        const int64_t dernierAvant = static_cast<int64_t>(std::floor(c.croisement / dt));
        const Lecture l = lit(101, 1.0, 1, S, dernierAvant - c.pretrig);
        arrete();
        ASSERT_EQ(l.mots.size(), 101u);
        EXPECT_GE(l.premiereDonnee, dernierAvant * dt) << "no data before the trigger";

        const int64_t premier = trouvePremier(l.mots, { entree0 }, dernierAvant - c.pretrig, S);
        ASSERT_GE(premier, 0) << "the record is not a stretch of the signal";
        EXPECT_NEAR(static_cast<double>(premier), static_cast<double>(dernierAvant - c.pretrig), 1.0);
        const int avant = l.mots[c.pretrig] >> 4, apres = l.mots[c.pretrig + 1] >> 4;
        if (c.montant) {
            EXPECT_LT(avant, r.seuil);
            EXPECT_GE(apres, r.seuil);
        } else {
            EXPECT_GT(avant, r.seuil);
            EXPECT_LE(apres, r.seuil);
        }
        EXPECT_EQ(lireRegistre(107) | lireRegistre(108) << 8, l.mots[c.pretrig]);
        EXPECT_EQ(lireRegistre(109) | lireRegistre(110) << 8, l.mots[c.pretrig + 1]);
        EXPECT_EQ(lireRegistre(32) | lireRegistre(33) << 8 | lireRegistre(34) << 16, c.pretrig + 3);
    }
}

TEST_F(SimSP5, HysteresisKeepsNoiseFromTriggering)
{
    // Input 6 is 2.5 V with +/-20 mV of noise: it crosses 2.5 V all the time,
    // but never goes 8 codes (about 40 mV) below it.
    const Signal entree6 { 6 };
    Reglage r;
    r.voies = 0x40;
    r.S = 99;
    r.nbPoints = 20;
    r.decl = 0x02 | 0x04 | (6 << 4);
    r.seuil = static_cast<uint16_t>(codeSeuil(entree6, 2.5));
    r.pretrig = 3;
    tailleTransfertFifo(20);

    r.hysteresis = 0;
    programme(r);
    demarre();
    const Lecture sans = lit(20, 0.5, 1, r.S);
    arrete();
    EXPECT_EQ(sans.mots.size(), 20u);

    r.hysteresis = 8;
    programme(r);
    demarre();
    const Lecture avec = lit(20, 0.05, 1, r.S);
    arrete();
    EXPECT_TRUE(avec.mots.empty());
}

struct CasExterne {
    const char* nom;
    bool montant;
    int pretrig;
    int64_t front; // index of the edge of the source that starts the record
};

TEST_F(SimSP5, ExternalTriggerStartsAtTheSourcesEdgeAndGivesItsDelay)
{
    const std::vector<CasExterne> cas = {
        { "rising edge", true, 10, 0 },
        { "falling edge", false, 10, 0 },
        // 50 ms of pre-trigger: the first rising edge (35.7 ms) comes too early.
        { "rising edge after a long pre-trigger", true, 500, 1 },
    };
    const std::vector<Signal> trame = { { 0 }, { 4 } };
    const uint64_t S = 999;
    const double dt = sp5sim::sp5simIntervalle(S);
    tailleTransfertFifo(100);
    for (const CasExterne& c : cas) {
        SCOPED_TRACE(c.nom);
        Reglage r;
        r.voies = 0x11;
        r.S = S;
        r.nbPoints = 50;
        r.decl = 0x01 | (c.montant ? 0x04 : 0x00);
        r.pretrig = static_cast<uint32_t>(c.pretrig + 3);
        programme(r);
        demarre();
        const double tFront = sp5sim::sp5simFrontDeclExterne(c.front, c.montant);
        const auto dernierAvant = static_cast<int64_t>(std::floor(tFront / dt));
        const Lecture l = lit(100, 1.0, 2, S, dernierAvant - c.pretrig);
        arrete();
        ASSERT_EQ(l.mots.size(), 100u);
        EXPECT_GE(l.premiereDonnee, tFront) << "no data before the edge";
        EXPECT_TRUE(correspond(l.mots, trame, dernierAvant - c.pretrig, S));
        const uint32_t compte = lireRegistre(111) | lireRegistre(112) << 8 | lireRegistre(113) << 16
            | static_cast<uint32_t>(lireRegistre(114)) << 24;
        EXPECT_NEAR(compte / 80e6, tFront - dernierAvant * dt, 1.5 / 80e6);
        EXPECT_GT(compte, 0u);
        EXPECT_LT(compte / 80e6, dt);
    }
}

// ---- Direct measurement, reset, unplugging ---------------------------------------

TEST_F(SimSP5, DirectMeasurementReadsTheInputsNow)
{
    // The unit's clock started at SimSP5_Reinitialise, in SetUp, just after
    // `debut`: the reading lies between the signal before and after the call.
    const std::vector<Signal> entrees = { { 4, 0 }, { 6, 1 } };
    Reglage r;
    r.voies = 0x50;
    r.gains = motGains(entrees);
    programme(r);
    for (int essai = 0; essai < 2; ++essai) {
        const double t0 = ecoule();
        // As the driver does it: bit 4, then the run bit; read; clear both.
        ecrireRegistre(36, lireRegistre(36) | 0x10);
        ecrireRegistre(36, lireRegistre(36) | 0x01);
        const double t1 = ecoule();
        for (const Signal& s : entrees) {
            const int code = lireRegistre(84 + 2 * s.entree) * 16 + lireRegistre(83 + 2 * s.entree) / 16;
            // Input 4 rises slowly; input 6 is its DC level within its noise.
            const double u0 = s.entree == 6 ? 2.5 - sp5sim::kAmplitudeBruit : tension(s, t0);
            const double u1 = s.entree == 6 ? 2.5 + sp5sim::kAmplitudeBruit : tension(s, t1);
            EXPECT_GE(code, codeIdeal(s, u0) - 1.0) << "input " << s.entree;
            EXPECT_LE(code, codeIdeal(s, u1) + 1.0) << "input " << s.entree;
        }
        ecrireRegistre(36, lireRegistre(36) & ~0x10u);
        ecrireRegistre(36, lireRegistre(36) & ~0x01u);
        std::array<uint16_t, 256> bloc {};
        EXPECT_EQ(lireFifo(bloc.data()), 0) << "a direct measurement starts no record";
        std::this_thread::sleep_for(std::chrono::milliseconds(30)); // the clock goes on
    }
}

TEST_F(SimSP5, ResetStopsTheRunAndKeepsTheSettings)
{
    Reglage r;
    r.voies = 0x01;
    r.S = 99;
    r.nbPoints = 50000;
    programme(r);
    demarre();
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    reset();
    std::array<uint16_t, 256> bloc {};
    EXPECT_EQ(lireFifo(bloc.data()), 0);
    EXPECT_EQ(lireRegistre(36), 0);
    EXPECT_EQ(lireRegistre(0), 0x01);
    EXPECT_EQ(lireRegistre(9) | lireRegistre(10) << 8 | lireRegistre(11) << 16, 50000);
}

TEST_F(SimSP5, UnpluggingLosesTheRun)
{
    const std::vector<Signal> trame = { { 0 } };
    Reglage r;
    r.voies = 0x01;
    r.S = 9999; // 1 ms, 1000 points: 1 s
    r.nbPoints = 1000;
    programme(r);
    tailleTransfertFifo(10);
    demarre();
    const Lecture l = lit(10, 1.0, 1, r.S);
    ASSERT_EQ(l.mots.size(), 10u);

    branche(0);
    EXPECT_EQ(present(), 0);
    std::array<uint16_t, 256> bloc {};
    for (int i = 0; i < 5; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        EXPECT_EQ(lireFifo(bloc.data()), 0);
    }
    EXPECT_EQ(lireRegistre(36), 0);

    branche(1);
    EXPECT_NE(present(), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(15));
    EXPECT_EQ(lireFifo(bloc.data()), 0) << "the run was lost";
    EXPECT_EQ(lireRegistre(36), 0);

    r.S = 99;
    r.nbPoints = 30;
    programme(r);
    demarre();
    const Lecture apres = lit(30, 1.0, 1, r.S);
    ASSERT_EQ(apres.mots.size(), 30u);
    EXPECT_TRUE(correspond(apres.mots, trame, 0, r.S));
}

// Without a pinned start: the signals follow one clock from the moment the
// unit is plugged in, as on a bench.
TEST_F(SimSP5, TheSignalsRunOnAcrossRunsAndResetsAndRestartWithThePlug)
{
    fixeDebutRuns(-1);
    EXPECT_EQ(debutRun(), -1);
    const std::vector<Signal> trame = { { 0 }, { 2 } };
    Reglage r;
    r.voies = 0x05;
    r.S = 99; // 10 us, 200 points: 2 ms
    r.nbPoints = 200;
    programme(r);
    tailleTransfertFifo(200);

    demarre();
    const auto debut1 = debut;
    const Lecture l1 = lit(400, 1.0, 2, r.S);
    ASSERT_EQ(l1.mots.size(), 400u);
    const int64_t t1 = debutRun();
    EXPECT_TRUE(correspond(l1.mots, trame, 0, r.S, t1));

    // Neither the pause, nor Reset, nor the new start take the signals back.
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    reset();
    programme(r);
    demarre();
    const auto apresDemarrage2 = Horloge::now();
    const Lecture l2 = lit(400, 1.0, 2, r.S);
    ASSERT_EQ(l2.mots.size(), 400u);
    const int64_t t2 = debutRun();
    EXPECT_GE(t2 - t1, 250'000) << "the pause alone is 25 ms";
    EXPECT_LE(t2 - t1, std::chrono::duration_cast<std::chrono::nanoseconds>(apresDemarrage2 - debut1).count() / 100);
    EXPECT_TRUE(correspond(l2.mots, trame, 0, r.S, t2));

    // Plugged in again: the clock starts anew.
    branche(0);
    branche(1);
    programme(r);
    demarre();
    const Lecture l3 = lit(400, 1.0, 2, r.S);
    ASSERT_EQ(l3.mots.size(), 400u);
    const int64_t t3 = debutRun();
    EXPECT_LT(t3, t2);
    EXPECT_TRUE(correspond(l3.mots, trame, 0, r.S, t3));
}

// The oscilloscope's still picture: a threshold trigger on a periodic input
// finds the same phase in every run, whenever the run starts.
TEST_F(SimSP5, AThresholdTriggerOnAPeriodicInputGivesTheSameRecordEveryRun)
{
    fixeDebutRuns(-1);
    const Signal entree0 { 0 }; // 5 V, 50 Hz sine
    Reglage r;
    r.voies = 0x01;
    r.S = 999; // 0.1 ms, 101 points
    r.nbPoints = 101;
    r.decl = 0x02 | 0x04; // rising, input 0
    r.seuil = static_cast<uint16_t>(codeSeuil(entree0, 2.0));
    r.pretrig = 25 + 3;
    r.hysteresis = static_cast<uint8_t>(codeSeuil(entree0, 0.025) / 256);
    tailleTransfertFifo(101);
    // Within one sample interval of phase: the sine's steepest slope over 0.1 ms.
    constexpr double kPi = 3.14159265358979323846;
    const double ecartMax = std::abs(codeIdeal(entree0, 2 * kPi * 50 * 5.0 * 1e-4) - codeIdeal(entree0, 0.0)) + 2.0;

    std::vector<uint16_t> premier;
    for (int pause : { 0, 7, 13 }) {
        SCOPED_TRACE(testing::Message() << "after " << pause << " ms");
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        programme(r);
        demarre();
        const Lecture l = lit(101, 1.0, 1, r.S);
        arrete();
        ASSERT_EQ(l.mots.size(), 101u);
        EXPECT_LT(l.mots[25] >> 4, r.seuil);
        EXPECT_GE(l.mots[26] >> 4, r.seuil);
        if (premier.empty()) {
            premier = l.mots;
            continue;
        }
        for (std::size_t k = 0; k < l.mots.size(); ++k)
            EXPECT_LE(std::abs((l.mots[k] >> 4) - (premier[k] >> 4)), ecartMax) << "point " << k;
    }
}

} // namespace

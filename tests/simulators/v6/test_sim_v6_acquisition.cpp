// Acquisition runs of the simulated V6: start, trigger report, sample words
// delivered in real time and matching the documented signals, and ESC.
#include "LienSimV6.h"

#include "simulators/v6/SignauxV6Sim.h"

#include <cmath>
#include <optional>
#include <thread>
#include <vector>

using namespace d2xx;

namespace {

constexpr char ESC = 27;
const std::string rapportDeclenchement = ":DECL@\n\r";

std::string hexa(unsigned valeur, int chiffres)
{
    static constexpr char table[] = "0123456789ABCDEF";
    std::string texte(chiffres, '0');
    for (int i = chiffres - 1; i >= 0; --i, valeur >>= 4)
        texte[i] = table[valeur & 0xF];
    return texte;
}

// What a test knows of a run it started.
struct RunAttendu {
    RunAttendu(std::vector<int> entrees_, int64_t dtNs_, int64_t premierEchantillon_, int nbLignes_)
        : entrees(std::move(entrees_)), dtNs(dtNs_), premierEchantillon(premierEchantillon_), nbLignes(nbLignes_)
    {
    }

    std::vector<int> entrees;   // slot of each word of a row
    int64_t dtNs;
    int64_t premierEchantillon; // sample index of row 0
    int nbLignes;
    int64_t debutNs = 0;        // sample 0 on the signals' clock
    Horloge::time_point avantDepart; // the start byte was written between these
    Horloge::time_point apresDepart;

    size_t octetsParLigne() const { return 2 * entrees.size(); }
};

// Rows readable at an instant t after the unit's clock restart.
int64_t lignesAcquises(const RunAttendu& run, double t)
{
    const int64_t echantillon = static_cast<int64_t>(std::floor(t * 1e9 / static_cast<double>(run.dtNs)));
    return std::clamp<int64_t>(echantillon - run.premierEchantillon + 1, 0, run.nbLignes);
}

// First sample at or after max(O, 1) where the threshold rule fires, in a run
// whose sample 0 is at debutNs on the signals' clock.
int64_t echantillonSeuil(int entree, uint16_t seuil, bool montant, int64_t pretrig, int64_t dtNs,
                         int64_t debutNs = 0)
{
    int64_t k = std::max<int64_t>(pretrig, 1);
    int avant = v6simCode(entree, v6simInstant(debutNs, k - 1, dtNs));
    for (;; ++k) {
        const int code = v6simCode(entree, v6simInstant(debutNs, k, dtNs));
        if (montant ? avant < seuil && seuil <= code : avant > seuil && seuil >= code)
            return k;
        avant = code;
    }
}

} // namespace

class AcquisitionV6 : public SimulateurV6 {
protected:
    void regle(const std::string& entrees, uint16_t periode, uint16_t nbLignes, const std::string& decl,
               uint16_t pretrig)
    {
        ouvre();
        for (const std::string& commande :
             {entrees, "P" + hexa(periode, 4), "N" + hexa(nbLignes, 4), decl, "O" + hexa(pretrig, 4)})
            ASSERT_EQ(echange(commande), commande + trame("OK"));
    }

    void demarre(char commande, RunAttendu& run)
    {
        run.avantDepart = Horloge::now();
        ecrit(std::string(1, commande));
        run.apresDepart = Horloge::now();
        EXPECT_EQ(lit(1), std::string(1, commande));
    }

    void demandeLeTransfert()
    {
        ecrit("D");
        EXPECT_EQ(lit(2), "D:");
    }

    // Waits for the trigger report and checks that it came at sample kT, no
    // sooner, no later than the looks at the queue allow to tell.
    void attendsLeDeclenchement(const RunAttendu& run, int64_t echantillonDecl)
    {
        std::optional<Horloge::time_point> regardPrecedent;
        for (;;) {
            const auto avant = Horloge::now();
            const DWORD n = enAttente();
            const auto apres = Horloge::now();
            if (n > 0) {
                const double tDecl = static_cast<double>(echantillonDecl * run.dtNs) * 1e-9;
                EXPECT_LE(tDecl, secondesDepuis(run.avantDepart, apres));
                if (regardPrecedent) {
                    EXPECT_GT(tDecl, secondesDepuis(run.apresDepart, *regardPrecedent));
                }
                break;
            }
            ASSERT_LT(secondesDepuis(run.avantDepart), 1.0) << "no trigger report";
            regardPrecedent = avant;
            std::this_thread::sleep_for(std::chrono::microseconds(300));
        }
        EXPECT_EQ(lit(rapportDeclenchement.size()), rapportDeclenchement);
    }

    // Watches the queue fill row by row, never ahead of the sample clock nor
    // behind it, and takes every row: at the end in one read, or byte by byte
    // as they come, the way the driver reads.
    std::string recoitLesLignes(const RunAttendu& run, bool octetParOctet = false)
    {
        const size_t total = run.octetsParLigne() * static_cast<size_t>(run.nbLignes);
        std::string recu;
        for (;;) {
            const auto avant = Horloge::now();
            const size_t emis = recu.size() + enAttente();
            const auto apres = Horloge::now();
            const int64_t auMoins = lignesAcquises(run, secondesDepuis(run.apresDepart, avant));
            const int64_t auPlus = lignesAcquises(run, secondesDepuis(run.avantDepart, apres));
            EXPECT_GE(emis, auMoins * run.octetsParLigne());
            EXPECT_LE(emis, auPlus * run.octetsParLigne());
            EXPECT_EQ(emis % run.octetsParLigne(), 0u);
            if (emis >= total || secondesDepuis(run.avantDepart) > 2.0)
                break;
            if (octetParOctet && emis > recu.size())
                recu += lit(1);
            else
                std::this_thread::sleep_for(std::chrono::microseconds(700));
        }
        return recu + lit(total - recu.size());
    }

    static void verifieLesEchantillons(const RunAttendu& run, const std::string& octets)
    {
        ASSERT_EQ(octets.size(), run.octetsParLigne() * static_cast<size_t>(run.nbLignes));
        size_t i = 0;
        for (int ligne = 0; ligne < run.nbLignes; ++ligne) {
            const double t = v6simInstant(run.debutNs, run.premierEchantillon + ligne, run.dtNs);
            for (int entree : run.entrees) {
                const int mot = static_cast<uint8_t>(octets[i]) | static_cast<uint8_t>(octets[i + 1]) << 8;
                i += 2;
                ASSERT_EQ(mot, v6simCode(entree, t)) << "row " << ligne << ", input " << entree;
            }
        }
    }

    void verifieRepos()
    {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        EXPECT_EQ(enAttente(), 0u);
        EXPECT_EQ(echange("2"), "2" + trame(v6simNumeroSerie));
    }
};

TEST_F(AcquisitionV6, FastRunWithoutTriggerTransfersAfterD)
{
    // Inputs 0 and 2, 2000 clock steps per input: one row every 200 µs.
    regle("V00040F0F0F", 65536 - 2000, 100, "E0000000", 0);
    RunAttendu run{{0, 2}, 200'000, 0, 100};
    ASSERT_EQ(v6simDtRapideNs(65536 - 2000, 2), run.dtNs);
    demarre('F', run);
    attendsLeDeclenchement(run, 0);

    // The samples stay in the unit until asked for.
    std::this_thread::sleep_for(std::chrono::milliseconds(3));
    EXPECT_EQ(enAttente(), 0u);
    demandeLeTransfert();

    const std::string octets = recoitLesLignes(run);
    EXPECT_GE(secondesDepuis(run.avantDepart), 99 * 200e-6);
    verifieLesEchantillons(run, octets);
    verifieRepos();
}

TEST_F(AcquisitionV6, SlowRunStreamsAsItSamples)
{
    // Input 1, P0001: one row every 2 ms.
    regle("V020F0F0F0F", 1, 20, "E0000000", 0);
    RunAttendu run{{1}, 2'000'000, 0, 20};
    demarre('G', run);
    attendsLeDeclenchement(run, 0);
    EXPECT_EQ(lit(1), ":");
    const std::string octets = recoitLesLignes(run, true);
    EXPECT_GE(secondesDepuis(run.avantDepart), 19 * 2e-3);
    verifieLesEchantillons(run, octets);
    verifieRepos();
}

struct CasSeuil {
    int entree;
    double seuilV;
    bool montant;
    double instantAttendu; // where the signal crosses the threshold that way
};

TEST_F(AcquisitionV6, ThresholdTriggerKeepsThePretriggerRowsBeforeIt)
{
    const CasSeuil cas[] = {
        {0, 0.0, true, 0.020},    // the 50 Hz sine rises through 0 V every 20 ms
        {1, 2.0, false, 0.0275},  // the triangle falls from +8 V at 20 ms by 800 V/s
    };
    for (const CasSeuil& c : cas) {
        SCOPED_TRACE(c.entree);
        const uint16_t seuil = v6simCodeDe(c.entree, c.seuilV);
        const uint16_t pretrig = 14;
        const std::string decl = std::string("E") + (c.montant ? "2" : "3") + "02" + hexa(seuil, 3)
            + std::to_string(2 * c.entree);
        // Inputs 0 and 1, 1000 clock steps per input: one row every 100 µs.
        regle("V00020F0F0F", 65536 - 1000, pretrig + 30, decl, pretrig);
        RunAttendu run{{0, 1}, 100'000, 0, pretrig + 30};
        const int64_t kT = echantillonSeuil(c.entree, seuil, c.montant, pretrig, run.dtNs);
        EXPECT_NEAR(static_cast<double>(kT) * 1e-4, c.instantAttendu, 2e-4);
        run.premierEchantillon = kT - pretrig;

        demarre('F', run);
        attendsLeDeclenchement(run, kT);
        demandeLeTransfert();
        const std::string octets = recoitLesLignes(run);
        verifieLesEchantillons(run, octets);

        // The crossing lies between the last pre-trigger row and the next.
        const auto code = [&](int ligne) {
            const size_t i = (static_cast<size_t>(ligne) * 2 + static_cast<size_t>(c.entree)) * 2;
            return static_cast<uint8_t>(octets[i]) | static_cast<uint8_t>(octets[i + 1]) << 8;
        };
        if (c.montant) {
            EXPECT_LT(code(pretrig - 1), seuil);
            EXPECT_GE(code(pretrig), seuil);
        } else {
            EXPECT_GT(code(pretrig - 1), seuil);
            EXPECT_LE(code(pretrig), seuil);
        }
        verifieRepos();
        api->close(poignee);
        poignee = nullptr;
    }
}

TEST_F(AcquisitionV6, ExternalTriggerWaitsForAnEdgeAfterThePretrigger)
{
    // Slow mode, 1 ms rows: edges at 20, 40... ms; with 25 pre-trigger rows the
    // unit is only armed at 24 ms and takes the edge at 40 ms.
    const struct {
        uint16_t pretrig;
        int64_t echantillonDecl;
    } cas[] = {{5, 20}, {25, 40}};
    ASSERT_EQ(v6simPeriodeDeclExterneNs, 20'000'000);
    for (const auto& c : cas) {
        SCOPED_TRACE(c.pretrig);
        regle("V040F0F0F0F", 0, c.pretrig + 10, "E1020000", c.pretrig);
        RunAttendu run{{2}, 1'000'000, c.echantillonDecl - c.pretrig, c.pretrig + 10};
        demarre('G', run);
        attendsLeDeclenchement(run, c.echantillonDecl);
        EXPECT_EQ(lit(1), ":");
        verifieLesEchantillons(run, recoitLesLignes(run));
        verifieRepos();
        api->close(poignee);
        poignee = nullptr;
    }
}

TEST_F(AcquisitionV6, EscStopsARunWaitingForItsTrigger)
{
    // Threshold at code F00 (about +22 V): the 5 V sine never gets there.
    regle("V000F0F0F0F", 65536 - 2000, 50, "E202F000", 4);
    RunAttendu run{{0}, 100'000, 0, 50};
    demarre('F', run);
    ecrit("D"); // no trigger yet: echoed, nothing else
    EXPECT_EQ(lit(1), "D");
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    EXPECT_EQ(enAttente(), 0u);
    ecrit(std::string(1, ESC));
    EXPECT_EQ(lit(1), std::string(1, ESC));
    verifieRepos();
}

TEST_F(AcquisitionV6, EscStopsAStreamingRun)
{
    regle("V000F0F0F0F", 1, 100, "E0000000", 0);
    RunAttendu run{{0}, 2'000'000, 0, 100};
    demarre('G', run);
    EXPECT_EQ(lit(rapportDeclenchement.size() + 1), rapportDeclenchement + ":");
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    ecrit(std::string(1, ESC));
    const double tArret = secondesDepuis(run.avantDepart);

    // Whole rows, then the echo of ESC, then silence.
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    const std::string recu = lit(enAttente());
    ASSERT_FALSE(recu.empty());
    EXPECT_EQ(recu.back(), ESC);
    const size_t octetsLignes = recu.size() - 1;
    EXPECT_EQ(octetsLignes % 2, 0u);
    EXPECT_GE(octetsLignes / 2, 10u);
    EXPECT_LE(static_cast<int64_t>(octetsLignes / 2), lignesAcquises(run, tArret));
    run.nbLignes = static_cast<int>(octetsLignes / 2);
    verifieLesEchantillons(run, recu.substr(0, octetsLignes));
    verifieRepos();
}

TEST_F(AcquisitionV6, UnitComesBackFromAnUnplugInItsPowerOnState)
{
    regle("V000F0F0F0F", 65536 - 2000, 50, "E0000000", 0);
    api->branche(0);
    api->branche(1);
    api->close(poignee);
    poignee = nullptr;
    ouvre();
    // No inputs and no points any more: the run reports and ends at once.
    RunAttendu run{{}, 0, 0, 0};
    demarre('F', run);
    EXPECT_EQ(lit(rapportDeclenchement.size()), rapportDeclenchement);
    demandeLeTransfert();
    verifieRepos();
}

// Without a pinned start: the signals follow one clock from power-on, as on
// a bench, and a start command does not take them back.
TEST_F(AcquisitionV6, TheSignalsRunOnFromPowerOnAcrossRuns)
{
    api->fixeDebutRuns(-1);
    EXPECT_EQ(api->debutRun(), -1);
    const auto ns = [](Horloge::duration d) { return std::chrono::duration_cast<std::chrono::nanoseconds>(d).count(); };
    // One run without trigger; its sample 0 is the instant the start came,
    // counted from the power-on that happened between the two instants given.
    const auto unRun = [&](Horloge::time_point avantMise, Horloge::time_point apresMise) {
        regle("V00040F0F0F", 65536 - 2000, 50, "E0000000", 0);
        RunAttendu run{{0, 2}, 200'000, 0, 50};
        demarre('F', run);
        run.debutNs = api->debutRun();
        EXPECT_GE(run.debutNs, ns(run.avantDepart - apresMise));
        EXPECT_LE(run.debutNs, ns(run.apresDepart - avantMise));
        attendsLeDeclenchement(run, 0);
        demandeLeTransfert();
        verifieLesEchantillons(run, recoitLesLignes(run));
        verifieRepos();
        api->close(poignee);
        poignee = nullptr;
        return run.debutNs;
    };
    const int64_t premier = unRun(avantMiseSousTension, apresMiseSousTension);
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
    const int64_t second = unRun(avantMiseSousTension, apresMiseSousTension);
    EXPECT_GE(second - premier, 25'000'000);

    // Plugged in again: the clock starts anew.
    api->branche(0);
    const auto avantBranche = Horloge::now();
    api->branche(1);
    const auto apresBranche = Horloge::now();
    unRun(avantBranche, apresBranche);
}

// The oscilloscope's still picture: a threshold trigger on a periodic input
// finds the same phase in every run, whenever the run starts.
TEST_F(AcquisitionV6, AThresholdTriggerFindsTheSamePhaseEveryRun)
{
    api->fixeDebutRuns(-1);
    const uint16_t seuil = v6simCodeDe(0, 0.0);
    const uint16_t pretrig = 14;
    const int nbLignes = pretrig + 30;
    // Within one row of phase: the 50 Hz, 5 V sine's steepest slope over 100 µs, in codes.
    const double ecartMax = 2.0 * v6simPi * 50.0 * 5.0 * 100e-6 / v6simAmpliCan[0] + 2.0;
    std::string premier;
    for (int pause : {0, 7, 13}) {
        SCOPED_TRACE(testing::Message() << "after " << pause << " ms");
        std::this_thread::sleep_for(std::chrono::milliseconds(pause));
        // Inputs 0 and 1, one row every 100 µs, rising through 0 V on input 0.
        regle("V00020F0F0F", 65536 - 1000, nbLignes, "E202" + hexa(seuil, 3) + "0", pretrig);
        RunAttendu run{{0, 1}, 100'000, 0, nbLignes};
        demarre('F', run);
        run.debutNs = api->debutRun();
        const int64_t kT = echantillonSeuil(0, seuil, true, pretrig, run.dtNs, run.debutNs);
        run.premierEchantillon = kT - pretrig;
        attendsLeDeclenchement(run, kT);
        demandeLeTransfert();
        const std::string octets = recoitLesLignes(run);
        verifieLesEchantillons(run, octets);
        const auto code = [](const std::string& o, int ligne) {
            const size_t i = static_cast<size_t>(ligne) * 4;
            return static_cast<uint8_t>(o[i]) | static_cast<uint8_t>(o[i + 1]) << 8;
        };
        EXPECT_LT(code(octets, pretrig - 1), seuil);
        EXPECT_GE(code(octets, pretrig), seuil);
        if (premier.empty())
            premier = octets;
        for (int ligne = 0; ligne < nbLignes; ++ligne)
            EXPECT_LE(std::abs(code(octets, ligne) - code(premier, ligne)), ecartMax) << "row " << ligne;
        verifieRepos();
        api->close(poignee);
        poignee = nullptr;
    }
}

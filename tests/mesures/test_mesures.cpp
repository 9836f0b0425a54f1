// The measurements' own operations: the arrays of a run, the end of a run,
// deleting a series and naming the others again, a new experiment.
#include "mesures/TMesures.h"

#include <gtest/gtest.h>

namespace {

TDescriptionCourbe description(const char* nom, int calibre)
{
    TDescriptionCourbe d;
    d.sEnteteVM = nom;
    d.capCommRegvoie1VM = "EA0";
    d.calVM = calibre;
    return d;
}

// One run of `noms.size()` curves of 5 points whose greatest value is `max`.
int32_t run(TMesures& m, const std::vector<const char*>& noms, bool ajouter, float max = 2)
{
    m.PrepareTV2(int32_t(noms.size()), 5, ajouter);
    for (std::size_t i = 0; i < noms.size(); ++i)
        m.voiesMesurees[std::size_t(m.nbVoiesMesurees) + i].max = max;
    std::vector<TDescriptionCourbe> d;
    for (const char* nom : noms)
        d.push_back(description(nom, 1));
    return m.finAcquisition({0.0025, 5, 5, 0.01}, d, ajouter);
}

std::vector<std::string> noms(const TMesures& m)
{
    std::vector<std::string> n;
    for (int32_t i = 0; i < m.nbVoiesMesurees; ++i)
        n.push_back(m.voiesMesurees[std::size_t(i)].sEnteteVM);
    return n;
}

} // namespace

TEST(Mesures, ArraysOfTheNextRunKeepOrDropTheCurves)
{
    TMesures m;
    EXPECT_EQ(run(m, {"u[0_M]", "u[1_M]"}, false), 2);
    m.tv2[0][3] = 1.5f;
    m.PrepareTV2(1, 7, true);
    ASSERT_EQ(m.tv2.size(), 3u);
    EXPECT_EQ(m.tv2[0][3], 1.5f); // kept
    EXPECT_EQ(m.tv2[2], std::vector<float>(7, 0.0f));
    EXPECT_EQ(m.voiesMesurees[2].max, -120);
    EXPECT_EQ(m.voiesMesurees[2].min, 120);
    // Two frames: twice the points.
    m.PrepareTV2(2, 7, false, true);
    EXPECT_EQ(m.nbVoiesMesurees, 0);
    ASSERT_EQ(m.tv2.size(), 2u);
    EXPECT_EQ(m.tv2[1].size(), 14u);
}

TEST(Mesures, TheEndOfARunFillsTheRecordsAndTheTimeBase)
{
    TMesures m;
    run(m, {"u[0_M]"}, false, 0.0005f);
    EXPECT_EQ(m.dtAX, 0.0025);
    EXPECT_EQ(m.nbPtsAX, 5);
    EXPECT_EQ(m.nbPtsAffAX, 5);
    EXPECT_EQ(m.dureeTotaleAX, 0.01);
    const TVoieMesuree& vm = m.voiesMesurees[0];
    EXPECT_EQ(vm.sEnteteVM, "u[0_M]");
    EXPECT_EQ(vm.calVM, 1);
    EXPECT_EQ(vm.capCommRegvoie1VM, "EA0");
    EXPECT_EQ(vm.sUniteVM, "µV");
    EXPECT_EQ(vm.multVM, 1e6f);
    // Runs of the same input added to each other get letters; a run that
    // does not add starts afresh.
    run(m, {"u[0_M]"}, true);
    run(m, {"u[0_M]", "u[1_M]"}, true);
    EXPECT_EQ(noms(m), (std::vector<std::string>{"u[0_M]a", "u[0_M]b", "u[0_M]c", "u[1_M]"}));
    run(m, {"u[0_M]"}, false);
    EXPECT_EQ(noms(m), (std::vector<std::string>{"u[0_M]"}));
}

TEST(Mesures, DeletingASeriesMovesTheOthersDown)
{
    TMesures m;
    run(m, {"u[EA0]"}, false);
    run(m, {"u[EA0]"}, true);
    run(m, {"u[EA0]"}, true);
    ASSERT_EQ(noms(m), (std::vector<std::string>{"u[EA0]a", "u[EA0]b", "u[EA0]c"}));
    m.tv2[2][1] = 3.25f;
    const uint64_t avant = m.version();
    m.supprimeSerie(1);
    EXPECT_GT(m.version(), avant);
    // The names already told apart stay as they were.
    EXPECT_EQ(noms(m), (std::vector<std::string>{"u[EA0]a", "u[EA0]c"}));
    EXPECT_EQ(m.tv2.size(), 2u);
    EXPECT_EQ(m.voiesMesurees.size(), 2u);
    EXPECT_EQ(m.tv2[1][1], 3.25f);
    EXPECT_EQ(m.nbPtsAX, 5);
    // Out of range: nothing.
    m.supprimeSerie(2);
    EXPECT_EQ(m.nbVoiesMesurees, 2);
    m.supprimeSerie(0);
    m.supprimeSerie(0);
    EXPECT_EQ(m.nbVoiesMesurees, 0);
    EXPECT_TRUE(m.tv2.empty());
    EXPECT_EQ(m.nbPtsAX, 0); // no previous acquisition left
}

TEST(Mesures, NamingAgainAfterADeletion)
{
    // Short names that are equal are told apart again; a longer one is only
    // compared with the first five characters of a base, so two equal long
    // names stay as they are.
    TMesures m;
    m.PrepareTV2(4, 2, false);
    m.nbVoiesMesurees = 4;
    const char* avant[] = {"U1", "U1", "u[EA1]", "u[EA1]"};
    for (int i = 0; i < 4; ++i)
        m.voiesMesurees[std::size_t(i)].sEnteteVM = avant[i];
    m.MAJEntetesVM();
    EXPECT_EQ(noms(m), (std::vector<std::string>{"U1a", "U1b", "u[EA1]", "u[EA1]"}));
    EXPECT_EQ(m.nommage.sUMesurees(), (std::vector<std::string>{"U1", "u[EA1]", "u[EA1]"}));
    EXPECT_EQ(m.nommage.nbUMesurees(), (std::vector<int32_t>{2, 1, 1}));
    EXPECT_EQ(m.nommage.nPrem(), (std::vector<int32_t>{0, 2, 3}));
}

TEST(Mesures, ANewExperimentClearsCurvesNamesAndCursors)
{
    TMesures m;
    run(m, {"u[0_M]"}, false);
    m.t0 = 0.0025;
    m.tFin = 0.005;
    m.videPourNouvelleExperience(0.02);
    EXPECT_EQ(m.nbVoiesMesurees, 0);
    EXPECT_TRUE(m.nommage.sUMesurees().empty());
    EXPECT_EQ(m.t0, 0);
    EXPECT_EQ(m.tFin, 0.02);
    // The next run's series starts without a letter.
    run(m, {"u[0_M]"}, true);
    EXPECT_EQ(noms(m), (std::vector<std::string>{"u[0_M]"}));
}

// The frame loop of the permanent mode against a scripted unit: which half
// of the arrays each frame goes to, how Stop, the box unchecked, a lost unit
// and Quit end the mode, and how each recorded change is applied between two
// frames.
#include "app/acquisition/BoucleTrames.h"

#include "CentraleScriptee.h"
#include "HoteTramesEspion.h"

#include <gtest/gtest.h>

namespace {

constexpr int64_t kPoints = 100; // per frame
constexpr int kMotsParBloc = 100; // two signals: 50 points per block

// Code of signal i at point k of run f: the value then tells all three.
uint16_t code(int f, int64_t k, int i)
{
    return uint16_t((f % 4) * 1000 + 2 * k + i);
}

// What the unit converts that code to (input i is signal i here).
float volts(int f, int64_t k, int i)
{
    return float(code(f, k, i) / 100.0 + i);
}

struct Trames : ::testing::Test {
    TCentraleScriptee centrale {{0, 1}, {0, 1}};
    TMesures mesures;
    TDrapeauxAcquisition drapeaux;
    TModeGeneral modeGeneral = TModeGeneral::permanentArrete;
    TEtatTrames etat;
    bool ajouterLesCourbesX = false;
    THoteTramesEspion hote {modeGeneral};
    TBoucleTrames boucle {centrale, mesures, drapeaux, modeGeneral, etat, ajouterLesCourbesX, hote};
    int runs = 0;

    void SetUp() override
    {
        centrale.nbPts0X = kPoints;
        centrale.dureeTotale0X = 0.1;
        hote.mesures = &mesures;
    }

    // `nombre` runs of the unit, each of `blocsParRun` blocks (two make a
    // whole frame of kPoints points).
    void trames(int nombre, int blocsParRun = 2)
    {
        for (int r = 0; r < nombre; ++r, ++runs) {
            const int f = runs;
            centrale.ajouteRun(blocsParRun, [f](int b) {
                std::vector<uint16_t> mots;
                for (int64_t k = b * 50; k < b * 50 + 50; ++k)
                    for (int i = 0; i < 2; ++i)
                        mots.push_back(code(f, k, i));
                return mots;
            });
        }
    }

    // Runs `action` once, when the `bloc`-th block (from 1) of the mode has
    // been stored.
    void auBloc(int bloc, std::function<void()> action)
    {
        hote.pendantLaBoucle = [this, bloc, action, fait = false]() mutable {
            if (!fait && hote.blocs == bloc) {
                fait = true;
                action();
            }
        };
    }

    // The loop's frames, in order: "lente 0", "rapide 0", ...
    std::vector<std::string> tramesVues() const
    {
        std::vector<std::string> r;
        for (const TTrame& t : hote.trames)
            r.push_back(std::string(t.rapide ? "rapide " : "lente ") + std::to_string(t.pt0Trame));
        return r;
    }

    void attendFrame(std::size_t courbe, int64_t pt0, int f, int64_t debut = 0, int64_t fin = kPoints) const
    {
        for (int64_t k = debut; k < fin; ++k)
            ASSERT_FLOAT_EQ(mesures.tv2[courbe][std::size_t(pt0 + k)], volts(f, k, int(courbe)))
                << "curve " << courbe << " point " << pt0 + k << " frame " << f;
    }
};

} // namespace

TEST_F(Trames, SlowFramesKeepTwoAndAlternateFromTheFirstHalf)
{
    trames(4);
    // Stop during the fourth frame, after its first block.
    auBloc(7, [&] { boucle.arrete(); });
    boucle.Acquisition();
    EXPECT_EQ(tramesVues(), (std::vector<std::string> {"lente 0", "lente 100", "lente 0", "lente 100"}));
    for (const auto& u : mesures.tv2)
        EXPECT_EQ(int64_t(u.size()), 2 * kPoints);
    EXPECT_TRUE(etat.modeDoubleTrameX);
    EXPECT_EQ(etat.nbTramesAcq, 3);
    // The fourth frame, cut short, went to the second half: the first holds
    // the third, whole; the second half's end is still the second frame's.
    for (std::size_t c = 0; c < 2; ++c) {
        attendFrame(c, 0, 2);
        attendFrame(c, kPoints, 3, 0, 50);
        attendFrame(c, kPoints, 1, 50, kPoints);
    }
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
    EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);
    // Programmed anew before every frame, reset once.
    EXPECT_EQ(centrale.reinitialisations, 1);
    EXPECT_EQ(centrale.programmations, 1 + 4);
    EXPECT_EQ(hote.entrees("message Acquisition en attente...").size(), 4u);
    EXPECT_FALSE(centrale.acqPeriodiqueEnCours);
}

TEST_F(Trames, StopInTheFirstHalfKeepsThePreviousFrameWhole)
{
    trames(3);
    auBloc(5, [&] { boucle.arrete(); });
    boucle.Acquisition();
    EXPECT_EQ(tramesVues(), (std::vector<std::string> {"lente 0", "lente 100", "lente 0"}));
    for (std::size_t c = 0; c < 2; ++c) {
        attendFrame(c, 0, 1);
        attendFrame(c, kPoints, 1);
    }
}

TEST_F(Trames, StopDuringTheFirstSlowFrame)
{
    trames(1);
    auBloc(1, [&] { boucle.arrete(); });
    boucle.Acquisition();
    EXPECT_EQ(etat.nbTramesAcq, 0);
    // Nothing copied; the end never received stays as it was.
    for (std::size_t c = 0; c < 2; ++c) {
        attendFrame(c, 0, 0, 0, 50);
        for (int64_t k = 50; k < 2 * kPoints; ++k)
            ASSERT_EQ(mesures.tv2[c][std::size_t(k)], 0.0f) << k;
    }
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
}

TEST_F(Trames, StopDuringFastFramesCompletesAndShowsTheFrame)
{
    hote.rapides = true;
    trames(3);
    auBloc(3, [&] { boucle.arrete(); });
    boucle.Acquisition();
    EXPECT_EQ(tramesVues(), (std::vector<std::string> {"rapide 0", "rapide 0"}));
    EXPECT_FALSE(etat.modeDoubleTrameX);
    for (std::size_t c = 0; c < 2; ++c) {
        EXPECT_EQ(int64_t(mesures.tv2[c].size()), kPoints);
        attendFrame(c, 0, 1);
    }
    // Shown whole, then the mode ends.
    const int montre = hote.position("montre 99", hote.position("trame rapide 0", 1 + hote.position("trame rapide 0")));
    ASSERT_GE(montre, 0);
    EXPECT_GT(hote.position("sortie"), montre);
    EXPECT_EQ(hote.position("etat 4"), hote.position("sortie") - 1);
    EXPECT_EQ(hote.blocs, 4);
}

TEST_F(Trames, StopWhileAFastFrameWaitsForItsTrigger)
{
    hote.rapides = true;
    centrale.modeDecl = kDeclSeuil;
    trames(1, 0); // the trigger never comes
    int passages = 0;
    hote.pendantLaBoucle = [&] {
        if (++passages == 5)
            boucle.arrete();
    };
    boucle.Acquisition();
    EXPECT_EQ(hote.blocs, 0);
    EXPECT_EQ(hote.entrees("message Attente du déclenchement").size(), 1u);
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
    EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);
}

// Stop before a fast frame has delivered anything: the frame shown last
// stays in the arrays.
TEST_F(Trames, StopBeforeAFastFrameDeliversKeepsTheLastOne)
{
    hote.rapides = true;
    trames(2);
    trames(1, 0);
    int passages = 0;
    hote.pendantLaBoucle = [&] {
        if (centrale.demarrages == 3 && ++passages == 3)
            boucle.arrete();
    };
    boucle.Acquisition();
    EXPECT_EQ(hote.entrees("trame").size(), 3u);
    for (std::size_t c = 0; c < 2; ++c)
        attendFrame(c, 0, 1);
}

TEST_F(Trames, UncheckedDuringFastFramesTheModeLeavesAfterTheFrame)
{
    hote.rapides = true;
    trames(3);
    auBloc(3, [&] {
        // What unchecking the box does during fast frames.
        drapeaux.typeSortieMP = TTypeSortieMP::arretTramesRapides;
        drapeaux.typeSortieMP1 = -1;
    });
    boucle.Acquisition();
    EXPECT_EQ(hote.blocs, 4);
    EXPECT_FALSE(hote.permanent);
    EXPECT_LT(hote.position("montre 99", 10), hote.position("mode permanent 0"));
    EXPECT_LT(hote.position("mode permanent 0"), hote.position("sortie"));
    EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);
    for (std::size_t c = 0; c < 2; ++c)
        attendFrame(c, 0, 1);
}

// Each change recorded during a frame ends it at once and is applied before
// the next frame starts; a change of the time base, of the inputs or of the
// points acquired prepares the arrays again and the sweep restarts in the
// first half; the screen is redrawn with the curves unless the time base
// changed.
TEST_F(Trames, ChangesAreAppliedBetweenTwoFrames)
{
    const struct {
        TTypeSortieMP code;
        bool tableauxNeufs;
        bool avecCourbes;
    } cas[] = {
        {TTypeSortieMP::activationVoie, true, true},   {TTypeSortieMP::calibre, false, true},
        {TTypeSortieMP::nbPoints, true, false},        {TTypeSortieMP::dureeTotale, true, false},
        {TTypeSortieMP::modeDiff, true, true},         {TTypeSortieMP::typeDeclenchement, false, true},
        {TTypeSortieMP::seuil, false, true},           {TTypeSortieMP::sensDeclenchement, false, true},
        {TTypeSortieMP::voieSynchro, false, true},     {TTypeSortieMP::pretrig, false, true},
        {TTypeSortieMP::acquisitionPrecedente, true, false},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(int(k.code));
        centrale.runs.clear();
        hote.journal.clear();
        hote.trames.clear();
        hote.blocs = 0;
        runs = 0;
        trames(3);
        int applications = 0;
        hote.changement = [&] { ++applications; };
        hote.pendantLaBoucle = [&, fait = 0]() mutable {
            if (hote.blocs == 1 && fait == 0) {
                fait = 1;
                drapeaux.typeSortieMP = k.code;
                drapeaux.nouveauxParametres = true;
            } else if (hote.blocs == 3 && fait == 1) {
                fait = 2;
                boucle.arrete();
            }
        };
        boucle.Acquisition();
        EXPECT_EQ(applications, 1);
        // The first frame ended at its first block; the change came between
        // it and the second frame.
        const int premiere = hote.position("trame lente 0");
        const int applique = hote.position("applique");
        const int deuxieme = hote.position(k.tableauxNeufs ? "trame lente 0" : "trame lente 100", premiere + 1);
        ASSERT_GE(deuxieme, 0);
        EXPECT_LT(hote.position("bloc 0 49 49"), applique);
        EXPECT_GT(hote.position("bloc 50 99 99"), deuxieme); // the first frame's end was never read
        EXPECT_LT(applique, deuxieme);
        EXPECT_EQ(hote.position(k.avecCourbes ? "ecran avec courbes" : "ecran sans courbes", applique), applique + 1);
        EXPECT_EQ(hote.position("fond", applique), applique + 2);
        EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);
    }
}

// Stop, the box unchecked during slow frames, a lost unit and Quit end the
// mode the normal way; Quit then closes the window.
TEST_F(Trames, TheEndsOfTheMode)
{
    const struct {
        TTypeSortieMP code;
        bool quitte;
    } cas[] = {
        {TTypeSortieMP::arretUtilisateur, false},
        {TTypeSortieMP::centralePerdue, false},
        {TTypeSortieMP::quitter, true},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(int(k.code));
        centrale.runs.clear();
        hote.journal.clear();
        hote.blocs = 0;
        trames(2);
        auBloc(1, [&] {
            drapeaux.typeSortieMP = k.code;
            drapeaux.nouveauxParametres = true;
        });
        boucle.Acquisition();
        EXPECT_EQ(hote.entrees("trame").size(), 1u);
        EXPECT_EQ(hote.entrees("sortie").size(), 1u);
        EXPECT_EQ(hote.position("quitter") > hote.position("sortie"), k.quitte);
        EXPECT_EQ(hote.entrees("applique").size(), 0u);
        EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);
    }
}

TEST_F(Trames, UnitLostDuringAFrame)
{
    centrale.tSleepFifo = 1;
    trames(1, 1); // half a frame, then nothing
    centrale.presence = -1;
    boucle.Acquisition();
    EXPECT_EQ(drapeaux.typeSortieMP, TTypeSortieMP::centralePerdue);
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
    for (std::size_t c = 0; c < 2; ++c)
        attendFrame(c, 0, 0, 0, 50);
}

// A change made after Stop, before the fast frame was complete, takes the
// place of the end's code: the change is applied and the mode still ends.
TEST_F(Trames, AChangeAfterStopStillEndsTheMode)
{
    hote.rapides = true;
    trames(3);
    auBloc(1, [&] {
        boucle.arrete();
        drapeaux.typeSortieMP = TTypeSortieMP::calibre;
        drapeaux.nouveauxParametres = true;
    });
    boucle.Acquisition();
    EXPECT_EQ(hote.entrees("applique").size(), 1u);
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
    EXPECT_EQ(modeGeneral, TModeGeneral::permanentArrete);

    // The same after the box was unchecked: the mode leaves too.
    centrale.runs.clear();
    hote.journal.clear();
    hote.blocs = 0;
    hote.permanent = true;
    trames(3);
    auBloc(1, [&] {
        drapeaux.typeSortieMP = TTypeSortieMP::arretTramesRapides;
        drapeaux.typeSortieMP1 = -1;
        drapeaux.typeSortieMP = TTypeSortieMP::pretrig;
        drapeaux.nouveauxParametres = true;
    });
    boucle.Acquisition();
    EXPECT_FALSE(hote.permanent);
    EXPECT_EQ(hote.entrees("trame").size(), 1u);
    EXPECT_EQ(hote.entrees("sortie").size(), 1u);
}

// With the erasing option the arrays hold one frame, which starts from zero.
TEST_F(Trames, ErasingOptionKeepsOneFrame)
{
    hote.efface = true;
    trames(2);
    auBloc(3, [&] { boucle.arrete(); });
    boucle.Acquisition();
    EXPECT_FALSE(etat.modeDoubleTrameX);
    EXPECT_EQ(tramesVues(), (std::vector<std::string> {"lente 0", "lente 0"}));
    for (std::size_t c = 0; c < 2; ++c) {
        ASSERT_EQ(int64_t(mesures.tv2[c].size()), kPoints);
        attendFrame(c, 0, 1, 0, 50);
        // The first frame's end went with it.
        for (int64_t k = 50; k < kPoints; ++k)
            ASSERT_EQ(mesures.tv2[c][std::size_t(k)], 0.0f) << k;
    }
}

// Curves kept from before, with "Ajouter les courbes": the frames go after
// them, and at the end the run's arrays take their neighbours' length.
TEST_F(Trames, FramesAddedToKeptCurves)
{
    mesures.PrepareTV2(1, kPoints, false);
    mesures.nbVoiesMesurees = 1;
    mesures.tv2[0].assign(std::size_t(kPoints), 7.0f);
    centrale.memoriseParametresTemporels();
    hote.ajouter = true;
    trames(2);
    auBloc(3, [&] { boucle.arrete(); });
    boucle.Acquisition();
    ASSERT_TRUE(ajouterLesCourbesX);
    ASSERT_EQ(mesures.tv2.size(), 3u);
    EXPECT_EQ(mesures.tv2[0], std::vector<float>(std::size_t(kPoints), 7.0f));
    for (std::size_t c = 1; c < 3; ++c) {
        EXPECT_EQ(int64_t(mesures.tv2[c].size()), kPoints);
        for (int64_t k = 0; k < kPoints; ++k)
            ASSERT_FLOAT_EQ(mesures.tv2[c][std::size_t(k)], volts(0, k, int(c - 1)));
    }
}

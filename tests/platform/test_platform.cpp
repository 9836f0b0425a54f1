#include "platform/Bibliotheque.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <gtest/gtest.h>

using namespace plateforme;

TEST(Temps, TicksAndSleepAgree)
{
    const uint32_t debut = compteurTicks();
    const double s0 = secondesMonotones();
    dors(30);
    const uint32_t ecoule = compteurTicks() - debut;
    EXPECT_GE(ecoule, 29u);
    EXPECT_LT(ecoule, 500u);
    EXPECT_NEAR(secondesMonotones() - s0, ecoule / 1000.0, 0.01);
    EXPECT_GT(frequencePerformance(), 1000);
}

TEST(PompeMessages, SleepingWaitPumpsInSlicesAndHookCanBeRemoved)
{
    int appels = 0;
    installePompeMessages([&] { ++appels; });
    dorsEnTraitantMessages(50, 10);
    EXPECT_GE(appels, 4);
    EXPECT_LE(appels, 8);
    installePompeMessages({});
    const int avant = appels;
    traiteMessages();
    EXPECT_EQ(appels, avant);
}

TEST(Bibliotheque, MissingLibraryAndEntryPoint)
{
    EXPECT_EQ(chargeBibliotheque("/nonexistent/SP5.DLL"), nullptr);
    EXPECT_EQ(chargeBibliotheque(""), nullptr);
    EXPECT_EQ(adresseProcedure(nullptr, "Reset"), nullptr);
    HandleBibliotheque libc = chargeBibliotheque("libc.so.6");
    ASSERT_NE(libc, nullptr);
    EXPECT_NE(adresseProcedure(libc, "strlen"), nullptr);
    EXPECT_EQ(adresseProcedure(libc, "PasUnPointDEntree"), nullptr);
    libereBibliotheque(libc);
    EXPECT_FALSE(fichierExiste("/nonexistent"));
    EXPECT_FALSE(fichierExiste("/tmp"));
}

#include "mesures/NommageSeries.h"

#include <gtest/gtest.h>

TEST(NommageSeries, RepeatedRunsGetLettersAndOthersKeepTheirNames)
{
    TNommageSeries nommage;
    std::vector<std::string> noms;
    auto ajoute = [&](const char* nom) {
        noms.push_back(nom);
        nommage.nomme(noms, int32_t(noms.size() - 1));
    };
    ajoute("u[0_M]");
    ajoute("u[1_M]");
    EXPECT_EQ(noms, (std::vector<std::string> { "u[0_M]", "u[1_M]" }));
    ajoute("u[0_M]");
    ajoute("u[0_M]");
    EXPECT_EQ(noms, (std::vector<std::string> { "u[0_M]a", "u[1_M]", "u[0_M]b", "u[0_M]c" }));
    for (int i = 0; i < 24; ++i)
        ajoute("u[0_M]");
    EXPECT_EQ(noms.back(), "u[0_M]aa"); // the 27th series
    EXPECT_EQ(noms[noms.size() - 2], "u[0_M]z");
    EXPECT_EQ(nommage.nbUMesurees()[0], 27);

    nommage.vide();
    noms = { "u[0_M]" };
    nommage.nomme(noms, 0);
    EXPECT_EQ(noms[0], "u[0_M]");
}

TEST(NommageSeries, UnitFromTheSignedMaximum)
{
    const struct {
        float max;
        float mult;
        const char* unite;
    } cas[] = { { 0.0005f, 1e6f, "µV" }, { -0.0005f, 1e6f, "µV" }, { 0.5f, 1000, "mV" }, { -5, 1000, "mV" }, { 1, 1, "V" }, { 8, 1, "V" } };
    for (const auto& c : cas) {
        const TUniteCourbe u = uniteDeCourbe(c.max);
        EXPECT_EQ(u.multVM, c.mult) << c.max;
        EXPECT_STREQ(u.sUniteVM, c.unite) << c.max;
    }
}

#include "model/UniteBaseCouleurs.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Cas {
    int couleur;
    float pourcent;
    int attendu;
};

TEST(EclaircirCouleur, MovesEachComponentTowardWhiteTruncated)
{
    const int gris = couleurRGB(224, 228, 224);
    const std::vector<Cas> cas = {
        {gris, 0, gris},
        {gris, 100, 0xFFFFFF},
        {gris, 50, couleurRGB(239, 241, 239)}, // 239.5 and 241.5 truncated
        {gris, 150, 0xFFFFFF},                 // clamped to 100 %
        {gris, -20, gris},                     // clamped to 0 %
        {couleurRGB(255, 0, 10), 10, couleurRGB(255, 25, 34)},
        // The palette byte of the curve colours is not carried over.
        {0x02FF8040, 0, 0x00FF8040},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(eclaircirCouleur(c.couleur, c.pourcent), c.attendu) << std::hex << c.couleur << " " << c.pourcent;
    // The gradient of the transfer dialogs reaches white at its last column.
    for (int largeur : {97, 301, 451})
        EXPECT_EQ(eclaircirCouleur(gris, (largeur - 1.0f) / (largeur - 1) * 100.0f), 0xFFFFFF) << largeur;
}

TEST(AssombrirCouleur, MovesEachComponentTowardBlackRounded)
{
    const std::vector<Cas> cas = {
        {couleurRGB(200, 100, 51), 50, couleurRGB(100, 50, 26)}, // 25.5 ties to 26
        {couleurRGB(200, 100, 53), 50, couleurRGB(100, 50, 26)}, // 26.5 ties to 26
        {couleurRGB(200, 100, 50), 0, couleurRGB(200, 100, 50)},
        {couleurRGB(200, 100, 50), 100, 0},
        {couleurRGB(200, 100, 50), 250, 0},
        {0x02FFFFFF, 10, couleurRGB(230, 230, 230)}, // 229.5 ties to 230
    };
    for (const Cas& c : cas)
        EXPECT_EQ(assombrirCouleur(c.couleur, c.pourcent), c.attendu) << std::hex << c.couleur << " " << c.pourcent;
}

TEST(Couleurs, ComponentsOfBGRValues)
{
    const int c = couleurRGB(1, 2, 3);
    EXPECT_EQ(c, 0x030201);
    EXPECT_EQ(rougeDe(c), 1);
    EXPECT_EQ(vertDe(c), 2);
    EXPECT_EQ(bleuDe(c), 3);
    EXPECT_EQ(rougeDe(0x02FF8040), 0x40);
    EXPECT_EQ(bleuDe(0x02FF8040), 0xFF);
}

} // namespace

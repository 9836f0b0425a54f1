// The lists of the time panel and the rule of its "+" and "-" buttons.
#include "app/ListesTemporelles.h"
#include "model/UniteBaseChaines.h"

#include <gtest/gtest.h>

namespace {

class ListesTemporelles : public ::testing::Test {
protected:
    void SetUp() override { setSeparateurDecimal('.'); }
};

TEST_F(ListesTemporelles, DureesUnDeuxCinqPuisLesTroisPlusLongues)
{
    const auto liste = gv::listeDureesTotales();
    ASSERT_EQ(liste.size(), 30u);
    EXPECT_EQ(liste[0], "1.00 µs");
    EXPECT_EQ(liste[1], "2.00 µs");
    EXPECT_EQ(liste[2], "5.00 µs");
    EXPECT_EQ(liste[3], "10.0 µs");
    EXPECT_EQ(liste[9], "1.00 ms");
    EXPECT_EQ(liste[18], "1.00 s");
    EXPECT_EQ(liste[26], "500 s");
    EXPECT_EQ(liste[27], "1000 s");
    EXPECT_EQ(liste[29], "3600 s");
    // Every text reads back as its value, in increasing order.
    long double precedente = 0;
    for (const auto& texte : liste) {
        long double v = 0;
        ASSERT_EQ(valeurDeTexte(texte, v), valeurLue) << texte;
        EXPECT_GT(v, precedente) << texte;
        precedente = v;
    }
}

TEST_F(ListesTemporelles, NombresDePoints)
{
    const auto liste = gv::listeNbPoints();
    ASSERT_EQ(liste.size(), 12u);
    EXPECT_EQ(liste.front(), "11");
    EXPECT_EQ(liste.back(), "50001");
}

TEST_F(ListesTemporelles, BoutonsPlusEtMoins)
{
    const auto durees = gv::listeDureesTotales();
    struct Cas {
        int index;
        long double tape;
        int sens;
        int attendu;
    };
    const Cas cas[] = {
        {5, 0, +1, 6},          // selected item: the next one
        {29, 0, +1, 29},        // never past the last
        {0, 0, -1, 0},          // nor before the first
        {-1, 7e-3L, +1, 12},    // typed 7 ms: 10 ms
        {-1, 7e-3L, -1, 11},    // typed 7 ms: 5 ms
        {-1, 10e-3L, +1, 13},   // typed exactly 10 ms: 20 ms
        {-1, 5000, +1, 29},     // above everything: the last
        {-1, 1e-9L, -1, 0},     // below everything: the first
    };
    for (const Cas& c : cas)
        EXPECT_EQ(gv::itemVoisin(durees, c.index, c.tape, c.sens), c.attendu) << c.index << " " << double(c.tape);
    EXPECT_EQ(gv::itemVoisin({}, -1, 1, +1), -1);
    const auto points = gv::listeNbPoints();
    EXPECT_EQ(gv::itemVoisin(points, -1, 1500, +1), 7);
    EXPECT_EQ(gv::itemVoisin(points, -1, 1500, -1), 6);
}

TEST_F(ListesTemporelles, CeQueLaCentraleOffre)
{
    const auto durees = gv::listeDureesTotales();
    EXPECT_EQ(gv::dureesOffertes(durees, 0, 29), durees);
    EXPECT_EQ(gv::dureesOffertes(durees, 3, 5), (std::vector<std::string>{"10.0 µs", "20.0 µs", "50.0 µs"}));
    EXPECT_EQ(gv::dureesOffertes(durees, -4, 40).size(), durees.size());
    const auto points = gv::listeNbPoints();
    // The counts below the unit's largest, then the largest itself.
    EXPECT_EQ(gv::nbPointsOfferts(points, 4000),
              (std::vector<std::string>{"11", "21", "51", "101", "201", "501", "1001", "2001", "4000"}));
    EXPECT_EQ(gv::nbPointsOfferts(points, 50001).back(), "50001");
    EXPECT_EQ(gv::nbPointsOfferts(points, 50001).size(), 12u);
    EXPECT_TRUE(gv::nbPointsOfferts(points, 0).empty());
}

} // namespace

#include "app/acquisition/TraitementBlocs.h"

#include "CentraleScriptee.h"

#include <gtest/gtest.h>

namespace {

TMesures courbesVides(int nb, int64_t points)
{
    TMesures mesures;
    mesures.tv2.assign(std::size_t(nb), std::vector<float>(std::size_t(points), 0.0f));
    mesures.voiesMesurees.resize(std::size_t(nb));
    return mesures;
}

// Code of signal i in group k: distinct everywhere, within 12 bits.
uint16_t code(int i, int64_t k)
{
    return uint16_t(30 * k + 7 * i + 1);
}

} // namespace

TEST(TraitementBlocs, ThreeSignalsInFullBlocksCarryOneSampleAcross)
{
    // Signals of inputs 0, 2, 5 delivered in the frame order 5, 0, 2.
    TCentraleScriptee centrale({ 0, 2, 5 }, { 1, 2, 0 });
    centrale.nbPts0X = 100;
    TMesures mesures = courbesVides(3, 100);
    std::vector<uint16_t> flux;
    for (int64_t k = 0; k < 100; ++k) {
        flux.push_back(code(2, k));
        flux.push_back(code(0, k));
        flux.push_back(code(1, k));
    }
    TTraitementBlocs traitement;
    traitement.debut(0);
    TFifoSP5 bloc {};
    std::size_t lu = 0;
    std::vector<TPointsRecus> recus;
    while (lu < flux.size()) {
        const std::size_t n = std::min<std::size_t>(256, flux.size() - lu);
        for (std::size_t j = 0; j < n; ++j)
            bloc[j] = uint16_t(flux[lu + j] << 4);
        recus.push_back(traitement.traite(centrale, mesures, bloc, int32_t(n)));
        lu += n;
    }
    ASSERT_EQ(recus.size(), 2u);
    EXPECT_EQ(recus[0].premier, 0);
    EXPECT_EQ(recus[0].dernier, 84); // 85 groups, one sample carried over
    EXPECT_EQ(recus[1].premier, 85);
    EXPECT_EQ(recus[1].dernier, 99);
    EXPECT_EQ(traitement.ptFront(), 99);
    const int entrees[3] = { 0, 2, 5 };
    for (int i = 0; i < 3; ++i)
        for (int64_t k = 0; k < 100; ++k)
            ASSERT_FLOAT_EQ(mesures.tv2[std::size_t(i)][std::size_t(k)], code(i, k) / 100.0f + entrees[i]) << i << " " << k;
    EXPECT_FLOAT_EQ(mesures.voiesMesurees[0].min, code(0, 0) / 100.0f);
    EXPECT_FLOAT_EQ(mesures.voiesMesurees[2].max, code(2, 99) / 100.0f + 5);
}

TEST(TraitementBlocs, ExtraSamplesAndShortCurvesAreNeverWrittenPast)
{
    TCentraleScriptee centrale({ 1 }, { 0 });
    centrale.nbPts0X = 10;
    TMesures mesures = courbesVides(1, 10);
    TTraitementBlocs traitement;
    traitement.debut(0);
    TFifoSP5 bloc {};
    bloc.fill(uint16_t(50 << 4));
    const TPointsRecus recus = traitement.traite(centrale, mesures, bloc, 256);
    EXPECT_EQ(recus.dernier, 9);
    EXPECT_EQ(traitement.ptFront(), 9);

    // Curves shorter than the record (a caller's mistake) are not overrun.
    TMesures courtes = courbesVides(1, 4);
    traitement.debut(0);
    traitement.traite(centrale, courtes, bloc, 256);
    EXPECT_EQ(courtes.tv2[0].size(), 4u);
    EXPECT_FLOAT_EQ(courtes.tv2[0][3], 1.5f);
}

TEST(TraitementBlocs, ThresholdTriggerStoresTheValueAtTheTriggerInstant)
{
    TCentraleScriptee centrale({ 0 }, { 0 });
    centrale.modeDecl = kDeclSeuil;
    centrale.nbPts0X = 6; // 5 points shown, one more acquired
    centrale.dt0X = 1e-3;
    centrale.dtPretrig = 0.25e-3;
    TMesures mesures = courbesVides(1, 6);
    TTraitementBlocs traitement;
    traitement.debut(0);
    TFifoSP5 bloc {};
    const uint16_t codes[6] = { 0, 100, 200, 400, 800, 1600 };
    for (int j = 0; j < 3; ++j)
        bloc[std::size_t(j)] = uint16_t(codes[j] << 4);
    TPointsRecus r1 = traitement.traite(centrale, mesures, bloc, 3);
    EXPECT_EQ(r1.premier, 0);
    EXPECT_EQ(r1.dernier, 1);
    for (int j = 0; j < 3; ++j)
        bloc[std::size_t(j)] = uint16_t(codes[3 + j] << 4);
    TPointsRecus r2 = traitement.traite(centrale, mesures, bloc, 3);
    EXPECT_EQ(r2.premier, 2);
    EXPECT_EQ(r2.dernier, 4);
    const float attendu[6] = { 0.25f, 1.25f, 2.5f, 5.0f, 10.0f, 0.0f };
    for (int k = 0; k < 6; ++k)
        EXPECT_FLOAT_EQ(mesures.tv2[0][std::size_t(k)], attendu[k]) << k;
}

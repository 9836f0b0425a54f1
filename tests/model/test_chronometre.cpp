#include "model/TChronometreTicks.h"
#include "platform/Temps.h"

#include <gtest/gtest.h>

namespace {

// A clock that moves only when the test says so.
class HorlogeDeTest : public plateforme::Horloge {
public:
    explicit HorlogeDeTest(int64_t frequence, int64_t compteur = 0)
        : frequence_(frequence), compteur_(compteur)
    {
    }
    int64_t frequencePerformance() const override { return frequence_; }
    int64_t compteurPerformance() const override { return compteur_; }
    uint32_t compteurTicks() const override { return uint32_t(compteur_); }
    void avance(int64_t comptes) { compteur_ += comptes; }

private:
    int64_t frequence_;
    int64_t compteur_;
};

struct CasChronometre {
    const char* nom;
    int64_t frequence;     // 0: no high-resolution counter
    int64_t depart;        // counter value at Declenche
    int64_t avance;        // counts (or milliseconds) that pass
    long double attendu;   // milliseconds read
};

const CasChronometre casChronometre[] = {
    { "nanosecond counter", 1'000'000'000, 5'000'000'000, 20'000'000, 20.0L },
    { "odd frequency", 3'579'545, 123, 3'579'545 / 2, 1000.0L * (3'579'545 / 2) / 3'579'545 },
    { "millisecond ticks", 0, 1'000, 20, 20.0L },
    { "millisecond ticks across the wrap", 0, 0xFFFF'FFF0, 32, 32.0L },
};

} // namespace

TEST(TChronometreTicks, ReadsZeroAfterStartThenTheMillisecondsPassed)
{
    for (const CasChronometre& c : casChronometre) {
        SCOPED_TRACE(c.nom);
        HorlogeDeTest horloge(c.frequence, c.depart);
        TChronometreTicks chrono(horloge);
        EXPECT_EQ(chrono.HauteResolution, c.frequence > 0);
        EXPECT_EQ(chrono.Frequence, c.frequence > 0 ? c.frequence : 1000);
        EXPECT_EQ(chrono.Mesure(), 0.0L);
        horloge.avance(c.avance);
        const long double ms = chrono.Mesure();
        EXPECT_DOUBLE_EQ(double(ms), double(c.attendu));
        EXPECT_EQ(chrono.IntervalleTemps, ms);
        // Started again: zero again, then only what passes from there.
        chrono.Declenche();
        EXPECT_EQ(chrono.Mesure(), 0.0L);
        horloge.avance(c.avance);
        EXPECT_DOUBLE_EQ(double(chrono.Mesure()), double(c.attendu));
    }
}

TEST(TChronometreTicks, ByDefaultReadsThePlatformsCounter)
{
    TChronometreTicks chrono;
    EXPECT_TRUE(chrono.HauteResolution);
    EXPECT_EQ(chrono.Frequence, plateforme::frequencePerformance());
    const int64_t avant = plateforme::compteurPerformance();
    chrono.Declenche();
    const int64_t apres = plateforme::compteurPerformance();
    EXPECT_GE(chrono.TickDeDebut, avant);
    EXPECT_LE(chrono.TickDeDebut, apres);
    const long double premiere = chrono.Mesure();
    EXPECT_GE(premiere, 0.0L);
    EXPECT_GE(chrono.Mesure(), premiere);
}

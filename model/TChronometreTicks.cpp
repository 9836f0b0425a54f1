#include "model/TChronometreTicks.h"

TChronometreTicks::TChronometreTicks()
    : TChronometreTicks(plateforme::horlogeSysteme())
{
}

TChronometreTicks::TChronometreTicks(const plateforme::Horloge& horloge)
    : horloge_(&horloge)
{
    Frequence = horloge_->frequencePerformance();
    HauteResolution = Frequence > 0;
    if (!HauteResolution)
        Frequence = 1000;
    Declenche();
}

void TChronometreTicks::MesureTick(int64_t& lInt) const
{
    lInt = HauteResolution ? horloge_->compteurPerformance() : int64_t(horloge_->compteurTicks());
}

void TChronometreTicks::Declenche()
{
    MesureTick(TickDeDebut);
    TickDeMesure = TickDeDebut;
}

long double TChronometreTicks::Mesure()
{
    MesureTick(TickDeMesure);
    // The millisecond counter is 32 bits wide and wraps after 49 days: its
    // ticks are compared by their unsigned difference.
    const int64_t ecart = HauteResolution ? TickDeMesure - TickDeDebut
                                          : int64_t(uint32_t(TickDeMesure - TickDeDebut));
    IntervalleTemps = 1000.0L * ecart / Frequence;
    return IntervalleTemps;
}

#pragma once
// A stopwatch reading milliseconds on the high-resolution counter, or on the
// millisecond tick counter where there is none.
#include "platform/Temps.h"

#include <cstdint>

class TChronometreTicks {
public:
    // On the platform's counters.
    TChronometreTicks();
    // On `horloge`, which outlives the stopwatch and its copies.
    explicit TChronometreTicks(const plateforme::Horloge& horloge);

    int64_t Frequence = 1000;       // counter ticks per second
    bool HauteResolution = false;
    int64_t TickDeDebut = 0;
    int64_t TickDeMesure = 0;
    long double IntervalleTemps = 0; // last measured interval, in milliseconds

    void MesureTick(int64_t& lInt) const;
    void Declenche();
    // Milliseconds since Declenche.
    long double Mesure();

private:
    const plateforme::Horloge* horloge_;
};

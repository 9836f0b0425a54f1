#pragma once
// Entry points of the simulated CAMPUS unit that only tests use. They are
// exported by the simulator library beside the vendor's names; a test resolves
// them by name like the others.
#include <cstdint>

extern "C" {

// The arguments of the last PrepareAcquisition call, as received.
struct TPreparationSimCampus {
    int32_t ordreVoies[9];
    double te;
    int32_t nombreDePoints;
    int32_t sourceTrigger;
    int32_t sensDeclenchement;
    double seuil;
    int32_t preTrig;
    int32_t modePermanent;
};

// 0 unplugs the unit, anything else plugs it back. Unplugged, it reports an
// empty serial number, delivers nothing and ends any running acquisition; it
// keeps its calibres when plugged back.
void SimCampus_Branche(int32_t branche);

// Multiplies the conversion gain of one calibre index (0..3 for 30, 15, 10,
// 1 V) of one input (0..3): the samples and ConvertiDonneeEntreeNumerique-
// EnAnalogique both follow the changed line. Only finite positive factors are
// taken; 1.0 restores the unit's own line.
void SimCampus_GainCalibre(int32_t entree, int32_t calibre, double facteur);

// 0 silences the simulated external trigger input, anything else restores it.
void SimCampus_DeclenchementExterne(int32_t actif);

// Back to a freshly plugged unit: plugged, own conversion lines, external
// trigger on, every calibre 30 V, LEDs off, nothing prepared or running, the
// signals' clock back at 0 and running free, no PrepareAcquisition call
// recorded.
void SimCampus_Reinitialise(void);

// From now on every run takes its sample 0 at `ns` nanoseconds of the
// signals' clock, whenever it starts; a negative value gives the clock back
// its course (SignauxCampusSim.h).
void SimCampus_FixeDebutRuns(int64_t ns);

// Instant in nanoseconds of the signals' clock of the last run's sample 0;
// -1 before any run.
int64_t SimCampus_DebutRun(void);

// TEtatLED of an input's LED, -1 for an input that does not exist.
int32_t SimCampus_EtatLed(int32_t entree);

// Full scale in volts of the calibre selected on an input, -1 for an input
// that does not exist.
int32_t SimCampus_CalibreSelectionne(int32_t entree);

// Copies the arguments of the last PrepareAcquisition call into *sortie (when
// not null) and returns how many calls were made since the last
// reinitialisation (0: *sortie is left as it was).
int32_t SimCampus_DernierePreparation(TPreparationSimCampus* sortie);

} // extern "C"

#define SIMCAMPUS_ENTREES(X)                                                                       \
    X(SimCampus_Branche) X(SimCampus_GainCalibre) X(SimCampus_DeclenchementExterne)                \
    X(SimCampus_Reinitialise) X(SimCampus_EtatLed) X(SimCampus_CalibreSelectionne)                 \
    X(SimCampus_DernierePreparation) X(SimCampus_FixeDebutRuns) X(SimCampus_DebutRun)

#pragma once
// The simulated SYSAM SP5 behind the library's entry points: its registers,
// its clock, and the run that fills its FIFO.
//
// Nothing runs in the background. The unit notes when a run starts and, at
// each FIFO read, works out from the monotonic clock how many samples it has
// taken since; the words are computed from the signals only when they are
// handed over. A record therefore takes its real duration, and reading it
// costs the same whatever the sampling rate.
#include "simulators/sp5/RegistresSP5Sim.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace sp5sim {

using Horloge = std::chrono::steady_clock;

class UniteSP5Sim {
public:
    UniteSP5Sim();

    // Back to the power-on state, plugged in.
    void reinitialise();
    void branche(bool branchee);
    bool present() const { return branchee_; }

    void reset();
    uint8_t lireRegistre(int adresse);
    void ecrireRegistre(int adresse, uint8_t valeur);
    int32_t lireFifo(uint16_t* bloc);
    void viderFifo();
    int32_t tailleTransfertFifo(int32_t taille);

    // Tests: the tick of the signals' clock at which every following run
    // takes its first sample (negative: the instant the run starts, the
    // unit's own behaviour); and that tick for the last run started (-1
    // before any).
    void fixeDebutRuns(int64_t ticks);
    int64_t debutRun() const { return debutRun_; }

    // A few lines about the unit, for "AfficheInfos".
    std::string infos() const;

private:
    enum class EtatRun { Aucun, AttenteDeclenchement, Enregistrement };

    int64_t ticksHorloge() const; // 100 ns ticks of the signals' clock, now
    int64_t ticksEcoules() const; // ticks since the run started (frozen when it is stopped)
    double instantEchantillon(int64_t m) const;
    int64_t echantillonsPris() const;
    int64_t tramesDisponibles(int64_t pris) const;
    bool enregistrementTermine(int64_t trames) const;

    void ecritControle(uint8_t valeur);
    void demarreRun();
    void arreteRun();
    void perdRun();
    void effaceResultatsDeclenchement();

    void chercheDeclenchement(int64_t pris);
    void chercheSeuil(int64_t pris);
    void chercheFrontExterne();
    void prepareFrontExterne();
    void declenche(int64_t dernierAvant);

    void memoriseMesuresDirectes();
    uint16_t motMesureDirecte(int entree) const;
    void produitMots(uint16_t* bloc, int n);
    void ecritMot(int adresse, uint16_t mot);

    Registres registres_ {};
    bool branchee_ = true;
    int tailleBloc_ = 256;
    Horloge::time_point origine_; // plugged in: tick 0 of the signals' clock
    std::array<uint16_t, 8> mesuresDirectes_ {};

    // The run in progress or last run.
    EtatRun etat_ = EtatRun::Aucun;
    ProgrammationRun run_;
    Horloge::time_point demarrage_;
    std::optional<Horloge::time_point> arret_;
    int64_t debutRun_ = -1;    // tick of the signals' clock of the run's sample 0
    int64_t debutsFixes_ = -1; // pinned by a test, -1: free
    int64_t premierEchantillon_ = 0; // sample of the record's frame 0
    int64_t motsLus_ = 0;

    // Threshold search: next sample to examine, code of the previous one,
    // whether the signal has gone far enough past the threshold (hysteresis).
    int64_t prochainExamen_ = 0;
    int codePrecedent_ = -1;
    bool arme_ = false;

    // External trigger: the edge that will start the record.
    double ticksFront_ = 0.0;
    int64_t dernierAvantFront_ = 0;
};

} // namespace sp5sim

#pragma once
// The simulated SYSAM V6 behind its USB serial bridge: it echoes every byte it
// receives, answers its text commands in frames ":" text "@" LF CR, and runs
// acquisitions whose samples come out at the programmed period, computed from
// the signals of SignauxV6Sim.h only when the host reads them.
//
// Commands have a fixed length; the answer follows the last character's echo.
//   ESC          stops a run or drops a half-typed command; echo only
//   "I"          settings back to power-on values            -> "OK"
//   "2"          serial number                               -> the number
//   "0"          ":" then the 128-byte calibration block, "@" LF CR
//   "V0h0h0h0h0h" physical inputs 0/2/4 of the words of a row, F none -> "OK"
//   "Phhhh"      sampling period (see SignauxV6Sim.h)        -> "OK"
//   "Nhhhh"      rows sent per run, at least 1               -> "OK"
//   "Emxysssd"   trigger: m 0 none, 1 external, 2/3 rising/falling threshold
//                sss on physical input d; x, y not used      -> "OK"
//   "Ohhhh"      rows kept before the trigger                -> "OK"
//   "Ad"         direct measurement of physical input d      -> three hex digits
//   "F" / "G"    fast / slow start (echo, then the trigger report ":DECL@" LF CR
//                when it triggers; fast: rows after "D" and ":", slow: ":" and rows)
// A malformed or impossible setting is answered by an empty frame ":@" LF CR
// and changes nothing. Power-on values: no input, P0000, no rows, no trigger,
// no pre-trigger rows. Any other byte is echoed and ignored, as is every byte
// but ESC (and "D" once triggered in fast mode) during a run.
#include "simulators/v6/FileSortieV6.h"

#include <array>
#include <cstdint>
#include <string>

class UniteV6 {
public:
    explicit UniteV6(FileSortieV6& sortie);

    // Power-on state: default settings, no run, the signals' clock restarting now.
    void metSousTension(int64_t maintenantNs);

    // Tests: the instant of the signals' clock at which every following run
    // takes its sample 0 (negative: when the run starts, the unit's own
    // behaviour); and that instant for the last run started (-1 before any).
    void fixeDebutRuns(int64_t ns) { debutsFixesNs_ = ns < 0 ? -1 : ns; }
    int64_t debutRun() const { return debutDernierRunNs_; }

    // A byte arriving from the host at `maintenantNs`; `avecEcho` false when
    // its echo is lost on the way back.
    void recoit(uint8_t octet, int64_t maintenantNs, bool avecEcho);

    // Puts into the queue what the unit has sent by `maintenantNs`.
    void avance(int64_t maintenantNs);

private:
    enum class Etat { Repos, AttenteDeclenchement, AttenteTransfert, Transfert };
    enum class ModeDeclenchement { Aucun, Externe, SeuilMontant, SeuilDescendant };

    struct Reglages {
        int nbEntrees = 0;
        std::array<int8_t, 4> entrees{};
        uint16_t periode = 0;
        uint16_t nbLignes = 0;
        uint16_t pretrig = 0;
        ModeDeclenchement modeDecl = ModeDeclenchement::Aucun;
        uint16_t seuil = 0;
        int entreeDecl = 0;
    };

    struct Run {
        int64_t debutNs = 0;
        int64_t dtNs = 1;
        bool rapide = true;
        int64_t echantillonDecl = -1;   // kT, -1 until found
        int64_t prochainATester = 0;    // threshold search: next sample to look at
        uint16_t codePrecedent = 0;
        uint16_t nbLignes = 0;
        uint16_t pretrig = 0;
        DescriptionFlux flux;
        uint64_t octetsEmis = 0;
    };

    using Executeur = void (UniteV6::*)(const std::string& texte, int64_t maintenantNs);
    struct Commande {
        char lettre;
        size_t longueur; // letter included
        Executeur executeur;
    };
    static const Commande commandes_[];

    void traiteOctetPendantRun(uint8_t octet, int64_t maintenantNs);
    void repond(const std::string& texte);

    void initialise(const std::string& texte, int64_t maintenantNs);
    void envoieNumeroSerie(const std::string& texte, int64_t maintenantNs);
    void envoieCalibration(const std::string& texte, int64_t maintenantNs);
    void regleEntrees(const std::string& texte, int64_t maintenantNs);
    void reglePeriode(const std::string& texte, int64_t maintenantNs);
    void regleNbLignes(const std::string& texte, int64_t maintenantNs);
    void regleDeclenchement(const std::string& texte, int64_t maintenantNs);
    void reglePretrig(const std::string& texte, int64_t maintenantNs);
    void mesureDirecte(const std::string& texte, int64_t maintenantNs);
    void demarreRapide(const std::string& texte, int64_t maintenantNs);
    void demarreLent(const std::string& texte, int64_t maintenantNs);

    void demarre(bool rapide, int64_t maintenantNs);
    int64_t echantillonCourant(int64_t maintenantNs) const;
    bool declenchementAtteint(int64_t maintenantNs);
    void emetLignes(int64_t maintenantNs);

    FileSortieV6& sortie_;
    Etat etat_ = Etat::Repos;
    Reglages reglages_;
    Run run_;
    uint32_t numeroRun_ = 0;
    int64_t origineHorlogeNs_ = 0; // power-on: instant 0 of the signals' clock
    int64_t debutsFixesNs_ = -1;
    int64_t debutDernierRunNs_ = -1;
    std::string commande_;
    const Commande* commandeEnCours_ = nullptr;
    int64_t dernierOctetNs_ = 0;
};

#pragma once
// The simulated SYSAM V6 behind its USB serial bridge: it echoes every byte it
// receives, answers its text commands in frames ":" text "@" LF CR, and runs
// acquisitions whose samples come out at the programmed period, computed from
// the signals of SignauxV6Sim.h only when the host reads them.
#include "simulators/v6/FileSortieV6.h"

#include <array>
#include <cstdint>
#include <string>

class UniteV6 {
public:
    explicit UniteV6(FileSortieV6& sortie);

    // Power-on state: default settings, no run, the clock restarting now.
    void metSousTension(int64_t maintenantNs);

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
    int64_t origineHorlogeNs_ = 0;
    std::string commande_;
    const Commande* commandeEnCours_ = nullptr;
    int64_t dernierOctetNs_ = 0;
};

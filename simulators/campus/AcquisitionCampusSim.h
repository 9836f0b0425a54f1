#pragma once
// One acquisition run of the simulated unit: when it triggers, which samples
// exist at a given moment and what their codes are. Nothing is stored: every
// code is computed from the signal when it is read, so a record of any length
// costs no memory and the samples appear exactly as fast as the unit's clock
// advances (the caller passes the seconds elapsed since the start).
#include "simulators/campus/SignauxCampusSim.h"

#include <cstdint>

namespace campussim {

enum class Declenchement { aucun, seuil, externe };

struct ParametresAcquisition {
    int32_t entrees[4] = {};       // acquired inputs, ascending
    int32_t nbEntrees = 0;
    double te = 1e-3;              // seconds between two rows
    int64_t nbPoints = 0;          // rows of the record
    Declenchement declenchement = Declenchement::aucun;
    int32_t entreeSeuil = 0;       // input watched by a threshold trigger
    int32_t sens = 0;              // TSensDeclenchement
    double seuil = 0.0;            // volts
    int32_t preTrig = 0;           // percentage of the record before the trigger
};

class AcquisitionCampusSim {
public:
    // `lignes` are the conversion lines of the four inputs for this run;
    // `externeActif` tells whether the external trigger input gives edges;
    // `debutNs` is the instant of sample 0 on the signals' clock.
    void demarre(const ParametresAcquisition& parametres, const LigneCampusSim lignes[4],
                 bool externeActif, int64_t debutNs);

    // Copies at most nbDemandes codes that exist `ecoule` seconds after the
    // start and were not delivered yet; returns how many.
    int32_t lit(int32_t nbDemandes, int32_t* destination, double ecoule);

    void arrete() { enCours_ = false; }
    bool enCours() const { return enCours_; }

private:
    int64_t echantillonsAcquis(double ecoule) const;
    bool estDeclenchee(int64_t acquis);
    bool chercheFranchissement(int64_t acquis);
    bool franchit(int32_t avant, int32_t apres) const;
    int64_t echantillonDeclenchementExterne() const;
    int32_t code(int32_t entree, int64_t echantillon) const;

    ParametresAcquisition parametres_;
    LigneCampusSim lignes_[4] = {};
    int64_t debutNs_ = 0;
    bool enCours_ = false;
    int64_t nbPretrig_ = 0;
    // Sample at which the trigger came; -1 while it has not (or never will).
    int64_t echantillonDeclenchement_ = -1;
    // Threshold trigger: first sample not examined yet.
    int64_t prochainExamine_ = 1;
    double codeSeuil_ = 0.0;
    int64_t motsLivres_ = 0;
};

} // namespace campussim

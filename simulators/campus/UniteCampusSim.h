#pragma once
// The simulated CAMPUS unit behind the library's entry points: its link, its
// calibres and conversion lines, its LEDs, the programmed acquisition and the
// run in progress. One object per process, used under the library's lock.
#include "simulators/campus/AcquisitionCampusSim.h"
#include "drivers/campus/InterfaceCampus.h"
#include "simulators/campus/SimCampus.h"

#include <chrono>
#include <cstdint>

namespace campussim {

class UniteCampusSim {
public:
    UniteCampusSim() { reinitialise(); }

    // Entry points of the vendor library.
    CampusTexte numeroSerie() const;
    double convertit(int32_t code, int32_t entree) const;
    CampusTexte selectionneCalibre(int32_t entree, int32_t pleineEchelle);
    static double calibreTe(double te);
    int32_t prepare(const int32_t* ordreVoies, double* te, int32_t* nbPoints, int32_t source,
                    int32_t sens, double seuil, int32_t preTrig, bool permanent, CampusTexte* message);
    int32_t demarre(CampusTexte* message);
    int32_t litDonnees(int32_t nbDemandes, int32_t* destination);
    CampusTexte stoppe();
    int32_t litValeur(int32_t entree) const;
    int32_t commandeLed(int32_t entree, int32_t etat);
    CampusTexte reseteSortie(int32_t sortie) const;
    int32_t fermeConnexion();

    // Entry points for tests.
    void reinitialise();
    void branche(bool branchee);
    void multiplieGain(int32_t entree, int32_t idxCalibre, double facteur);
    void activeDeclenchementExterne(bool actif) { externeActif_ = actif; }
    int32_t etatLed(int32_t entree) const;
    int32_t calibreSelectionne(int32_t entree) const;
    int32_t dernierePreparation(TPreparationSimCampus* sortie) const;
    void fixeDebutRuns(int64_t ns) { debutsFixesNs_ = ns < 0 ? -1 : ns; }
    int64_t debutRun() const { return debutDernierRunNs_; }

private:
    using Horloge = std::chrono::steady_clock;

    LigneCampusSim ligne(int32_t entree, int32_t idxCalibre) const;
    void notePreparation(const int32_t* ordreVoies, const double* te, const int32_t* nbPoints,
                         int32_t source, int32_t sens, double seuil, int32_t preTrig, bool permanent);
    static double secondesDepuis(Horloge::time_point origine);

    bool branchee_ = true;
    bool externeActif_ = true;
    double facteurGain_[4][4] = {};
    int32_t idxCalibre_[4] = {};
    int32_t led_[4] = {};
    Horloge::time_point miseSousTension_; // instant 0 of the signals' clock
    int64_t debutsFixesNs_ = -1;          // pinned by a test, -1: free
    int64_t debutDernierRunNs_ = -1;

    bool preparee_ = false;
    ParametresAcquisition parametres_;
    TPreparationSimCampus dernierePreparation_ = {};
    int32_t nbPreparations_ = 0;

    AcquisitionCampusSim acquisition_;
    Horloge::time_point debutAcquisition_;
};

} // namespace campussim

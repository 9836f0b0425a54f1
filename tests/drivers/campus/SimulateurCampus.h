#pragma once
// The simulated CAMPUS library seen from the tests: its path, its test entry
// points, the conversion lines it uses, and a driver set up on it.
#include "drivers/campus/TSYSAMCAMPUS.h"
#include "platform/Bibliotheque.h"
#include "simulators/campus/SignauxCampusSim.h"
#include "simulators/campus/SimCampus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

inline std::string cheminSimulateurCampus()
{
    return std::string(GALVORA_SIM_DIR) + "/Campus.DLL";
}

// Holds the library loaded by the test itself (the driver loads the same
// one), so that the unit's state survives the driver's free().
class SimulateurCampus {
public:
    SimulateurCampus()
    {
        handle_ = plateforme::chargeBibliotheque(cheminSimulateurCampus());
        if (handle_ == nullptr)
            return;
        Branche = plateforme::procedure<decltype(&SimCampus_Branche)>(handle_, "SimCampus_Branche");
        GainCalibre = plateforme::procedure<decltype(&SimCampus_GainCalibre)>(handle_, "SimCampus_GainCalibre");
        DeclenchementExterne =
            plateforme::procedure<decltype(&SimCampus_DeclenchementExterne)>(handle_, "SimCampus_DeclenchementExterne");
        Reinitialise = plateforme::procedure<decltype(&SimCampus_Reinitialise)>(handle_, "SimCampus_Reinitialise");
        EtatLed = plateforme::procedure<decltype(&SimCampus_EtatLed)>(handle_, "SimCampus_EtatLed");
        CalibreSelectionne =
            plateforme::procedure<decltype(&SimCampus_CalibreSelectionne)>(handle_, "SimCampus_CalibreSelectionne");
        DernierePreparation =
            plateforme::procedure<decltype(&SimCampus_DernierePreparation)>(handle_, "SimCampus_DernierePreparation");
        FixeDebutRuns = plateforme::procedure<decltype(&SimCampus_FixeDebutRuns)>(handle_, "SimCampus_FixeDebutRuns");
        // Each run sees the signals from their phase 0, to compare with them.
        if (Reinitialise != nullptr && FixeDebutRuns != nullptr) {
            Reinitialise();
            FixeDebutRuns(0);
        }
    }
    ~SimulateurCampus()
    {
        if (handle_ != nullptr)
            plateforme::libereBibliotheque(handle_);
    }
    SimulateurCampus(const SimulateurCampus&) = delete;
    SimulateurCampus& operator=(const SimulateurCampus&) = delete;

    bool charge() const { return handle_ != nullptr && Reinitialise != nullptr && FixeDebutRuns != nullptr; }

    decltype(&SimCampus_Branche) Branche = nullptr;
    decltype(&SimCampus_GainCalibre) GainCalibre = nullptr;
    decltype(&SimCampus_DeclenchementExterne) DeclenchementExterne = nullptr;
    decltype(&SimCampus_Reinitialise) Reinitialise = nullptr;
    decltype(&SimCampus_EtatLed) EtatLed = nullptr;
    decltype(&SimCampus_CalibreSelectionne) CalibreSelectionne = nullptr;
    decltype(&SimCampus_DernierePreparation) DernierePreparation = nullptr;
    decltype(&SimCampus_FixeDebutRuns) FixeDebutRuns = nullptr;

private:
    plateforme::HandleBibliotheque handle_ = nullptr;
};

// A test that needs the simulated unit: the library and a driver on it.
class AvecSimulateurCampus : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(sim.charge()) << "simulated CAMPUS library missing: " << cheminSimulateurCampus();
        centrale = std::make_unique<TSYSAMCAMPUS>(cheminSimulateurCampus(), 1);
    }

    // The coefficients a completed calibration gives on the simulated unit,
    // installed without its second of calibre switching.
    void installeLignesSimulateur()
    {
        for (int i = 0; i < kNbEntreesCampus; ++i)
            for (int c = 0; c < kNbCalibresCampus; ++c) {
                const LigneCampusSim ligne = campussimLigne(i, c);
                centrale->calibrageCAMPUS.Ampli_EA[i][c] = float(ligne.gain);
                centrale->calibrageCAMPUS.Offset_EA[i][c] = float(ligne.offset);
            }
        centrale->MAJCalibrage();
    }

    SimulateurCampus sim;
    std::unique_ptr<TSYSAMCAMPUS> centrale;
};

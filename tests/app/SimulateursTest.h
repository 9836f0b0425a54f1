#pragma once
// What a window test needs of the simulated units: the voltage each one puts
// on an input, and the simulators' own entry points of the libraries the
// window loaded.
#include "model/TCentrale.h"
#include "simulators/campus/SignauxCampusSim.h"
#include "simulators/sp5/SignauxSP5Sim.h"
#include "simulators/v6/SignauxV6Sim.h"

#include <dlfcn.h>
#include <string>
#include <utility>

namespace testgv {

inline const std::string dossierSimulateurs = GALVORA_SIM_DIR;

// The voltage a simulated unit puts on input `entree` at instant t of a run.
inline double tensionSimulee(int32_t type, int entree, double t)
{
    switch (type) {
    case kSysamV6:
        return v6simTension(entree, t);
    case kSysamCampus:
        return campussimTension(entree, t);
    default:
        return sp5sim::sp5simTension(entree, t);
    }
}

// A simulator entry point of the library the driver loaded.
template <typename F>
F pointEntree(const std::string& fichier, const char* nom)
{
    void* bibliotheque = ::dlopen((dossierSimulateurs + "/" + fichier).c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!bibliotheque)
        bibliotheque = ::dlopen((dossierSimulateurs + "/" + fichier).c_str(), RTLD_NOW);
    return bibliotheque ? reinterpret_cast<F>(::dlsym(bibliotheque, nom)) : nullptr;
}

// Every run of the simulated unit the window drives takes its first sample
// at tick `debut` of the signals' clock (0: the signals' phase 0, as
// tensionSimulee reads them; -1: the clock runs free). Only a library the
// window has loaded is told, and it is not held: the window unloads it as it
// would.
inline void fixeDebutRunsDesSimulateurs(int64_t debut = 0)
{
    const std::pair<const char*, const char*> crochets[] = {
        {"SP5SIM.DLL", "SimSP5_FixeDebutRuns"},
        {"FTD2XX-V6.DLL", "SimV6_FixeDebutRuns"},
        {"Campus.DLL", "SimCampus_FixeDebutRuns"},
    };
    for (const auto& [fichier, nom] : crochets) {
        void* bibliotheque = ::dlopen((dossierSimulateurs + "/" + fichier).c_str(), RTLD_NOW | RTLD_NOLOAD);
        if (bibliotheque == nullptr)
            continue;
        if (auto fixe = reinterpret_cast<void (*)(int64_t)>(::dlsym(bibliotheque, nom)))
            fixe(debut);
        ::dlclose(bibliotheque);
    }
}

} // namespace testgv

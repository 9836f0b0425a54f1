// The library's entry points: thin C wrappers around the one simulated unit.
// The unit is created when the library is loaded, which is its power-on.
#include "simulators/sp5/CalibrageSP5Sim.h"
#include "simulators/sp5/SimSP5.h"
#include "simulators/sp5/UniteSP5Sim.h"

#include <cstdio>
#include <mutex>
#include <type_traits>

namespace {

std::mutex verrou;
sp5sim::UniteSP5Sim unite;

int octet(uint32_t valeur)
{
    return static_cast<int>(valeur & 0xFFu);
}

} // namespace

extern "C" {

SP5SIM_API void Reset(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.reset();
}

SP5SIM_API uint8_t Present(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    return unite.present() ? 1 : 0;
}

SP5SIM_API uint8_t LireRegistre(uint32_t adresse)
{
    std::lock_guard<std::mutex> garde(verrou);
    return unite.lireRegistre(octet(adresse));
}

SP5SIM_API void EcrireRegistre(uint32_t adresse, uint32_t valeur)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.ecrireRegistre(octet(adresse), static_cast<uint8_t>(octet(valeur)));
}

// The analogue outputs are not simulated: their words are accepted and dropped.
SP5SIM_API void EcrireFifo(uint16_t* /*mots*/, int32_t /*nbMots*/)
{
}

SP5SIM_API void RecupereCalibration(uint8_t* calibrage)
{
    if (calibrage == nullptr)
        return;
    sp5sim::ecritRecordCalibrage(calibrage);
}

SP5SIM_API int32_t LireFifo(uint16_t* bloc)
{
    std::lock_guard<std::mutex> garde(verrou);
    return unite.lireFifo(bloc);
}

SP5SIM_API void ViderFifo(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.viderFifo();
}

SP5SIM_API int32_t TailleTransfertFifo(int32_t taille)
{
    std::lock_guard<std::mutex> garde(verrou);
    return unite.tailleTransfertFifo(taille);
}

// A library has no window of its own: the information goes to the error stream.
SP5SIM_API void AfficheInfos(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    std::fputs(unite.infos().c_str(), stderr);
}

SP5SIM_API void SimSP5_Branche(int32_t branche)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.branche(branche != 0);
}

SP5SIM_API void SimSP5_Reinitialise(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.reinitialise();
}

SP5SIM_API void SimSP5_FixeDebutRuns(int64_t ticks)
{
    std::lock_guard<std::mutex> garde(verrou);
    unite.fixeDebutRuns(ticks);
}

SP5SIM_API int64_t SimSP5_DebutRun(void)
{
    std::lock_guard<std::mutex> garde(verrou);
    return unite.debutRun();
}

} // extern "C"

// Each definition has exactly the type a caller resolves it as.
#define SP5SIM_MEME_TYPE(nom) \
    static_assert(std::is_same_v<decltype(&nom), TSP5_##nom>, #nom " differs from its declared type");
SP5_ENTREES(SP5SIM_MEME_TYPE)
SP5_ENTREES_SIMULATEUR(SP5SIM_MEME_TYPE)
#undef SP5SIM_MEME_TYPE

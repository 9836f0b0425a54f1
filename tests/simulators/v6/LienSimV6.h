#pragma once
// The simulated V6 library loaded the way the driver loads it, and a fixture
// that opens its bridge with the driver's line settings and talks bytes to it.
#include "drivers/v6/D2XX.h"
#include "platform/Bibliotheque.h"
#include "simulators/v6/SimV6.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <string>

struct BibliothequeSimV6 {
    d2xx::PFT_OpenEx openEx = nullptr;
    d2xx::PFT_Close close = nullptr;
    d2xx::PFT_Read read = nullptr;
    d2xx::PFT_Write write = nullptr;
    d2xx::PFT_SetBaudRate setBaudRate = nullptr;
    d2xx::PFT_SetDataCharacteristics setDataCharacteristics = nullptr;
    d2xx::PFT_SetFlowControl setFlowControl = nullptr;
    d2xx::PFT_SetRts setRts = nullptr;
    d2xx::PFT_SetChars setChars = nullptr;
    d2xx::PFT_Purge purge = nullptr;
    d2xx::PFT_SetTimeouts setTimeouts = nullptr;
    d2xx::PFT_GetQueueStatus getQueueStatus = nullptr;
    PtrSimV6_Branche branche = nullptr;
    PtrSimV6_PerdEcho perdEcho = nullptr;
    PtrSimV6_Reinitialise reinitialise = nullptr;
    PtrSimV6_FixeDebutRuns fixeDebutRuns = nullptr;
    PtrSimV6_DebutRun debutRun = nullptr;
    PtrSimV6_OctetsParasites octetsParasites = nullptr;

    // Loaded once per process, as the driver does; null when something is missing.
    static const BibliothequeSimV6* charge();
};

using Horloge = std::chrono::steady_clock;

inline double secondesDepuis(Horloge::time_point debut, Horloge::time_point fin = Horloge::now())
{
    return std::chrono::duration<double>(fin - debut).count();
}

class SimulateurV6 : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens "Sysam-V6" and sets the line as the driver does (read time-out 100 ms).
    d2xx::FT_HANDLE ouvre();
    void ecrit(const std::string& octets);
    d2xx::DWORD enAttente();
    // Reads until `nombre` bytes have come or `delaiS` has passed.
    std::string lit(size_t nombre, double delaiS = 1.0);
    // Reads until the frame end "@" LF CR has come or `delaiS` has passed.
    std::string litJusquaFinDeTrame(double delaiS = 1.0);
    // Writes a command and returns everything the unit sent back: echoes and frame.
    std::string echange(const std::string& commande);

    static std::string trame(const std::string& texte) { return ":" + texte + "@\n\r"; }

    const BibliothequeSimV6* api = nullptr;
    d2xx::FT_HANDLE poignee = nullptr;
    // Bounds of the instant the unit's clock restarted at power-on.
    Horloge::time_point avantMiseSousTension;
    Horloge::time_point apresMiseSousTension;
};

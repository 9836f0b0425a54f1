#pragma once
// The USB serial link to the V6: one per process, shared by every TSYSAMV6
// object (at most one V6 link is open at a time).
#include "drivers/v6/D2XX.h"
#include "platform/Bibliotheque.h"

#include <array>
#include <cstdint>

struct PointsEntreeD2XX {
    d2xx::PFT_OpenEx FT_OpenEx = nullptr;
    d2xx::PFT_Close FT_Close = nullptr;
    d2xx::PFT_Read FT_Read = nullptr;
    d2xx::PFT_Write FT_Write = nullptr;
    d2xx::PFT_SetBaudRate FT_SetBaudRate = nullptr;
    d2xx::PFT_SetDataCharacteristics FT_SetDataCharacteristics = nullptr;
    d2xx::PFT_SetFlowControl FT_SetFlowControl = nullptr;
    d2xx::PFT_SetRts FT_SetRts = nullptr;
    d2xx::PFT_SetChars FT_SetChars = nullptr;
    d2xx::PFT_Purge FT_Purge = nullptr;
    d2xx::PFT_SetTimeouts FT_SetTimeouts = nullptr;
    d2xx::PFT_GetQueueStatus FT_GetQueueStatus = nullptr;
};

inline constexpr int kTailleTamponLiaisonV6 = 65536;

struct EtatLiaisonV6 {
    plateforme::HandleBibliotheque bibliotheque = nullptr;
    PointsEntreeD2XX d2xx;
    bool bibliothequeChargee = false;
    bool liaisonOuverte = false;
    d2xx::FT_HANDLE peripherique = nullptr;
    d2xx::FT_STATUS dernierStatut = d2xx::FT_OK;
    std::array<uint8_t, kTailleTamponLiaisonV6> tamponReception {};
    std::array<uint8_t, kTailleTamponLiaisonV6> tamponEmission {};
    d2xx::DWORD nbOctetsEnReception = 0;
};

EtatLiaisonV6& liaisonV6();

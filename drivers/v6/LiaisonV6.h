#pragma once
// The USB serial link to the V6: one per process, shared by every TSYSAMV6
// object (at most one V6 link is open at a time).
#include "drivers/v6/D2XX.h"
#include "platform/Bibliotheque.h"

#include <array>
#include <cstdint>

struct PointsEntreeD2XX {
#define D2XX_CHAMP(x) d2xx::PFT_##x FT_##x = nullptr;
    D2XX_ENTREES(D2XX_CHAMP)
#undef D2XX_CHAMP
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

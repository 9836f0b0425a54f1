#pragma once
// The hostile stand-ins for the vendor libraries: each exports the entry
// points its driver loads, answers them from the bytes a fuzz input gives it,
// and one entry point of its own that takes those bytes. The drivers load them
// by path like the real libraries; the fuzz targets open the same files to
// reach the feeding entry point.
#include <cstddef>
#include <cstdint>

#define FUZZ_EXPORTE extern "C" __attribute__((visibility("default")))

// The V6's USB bridge (D2XX): `flux` is what the unit sends, byte after byte,
// whatever the driver writes. `comportement` (bits) adds what a failing
// bridge does:
inline constexpr uint32_t kPontEcho = 1u << 0;           // every byte written comes back first
inline constexpr uint32_t kPontOuvertureRefusee = 1u << 1; // opens after the first one fail
inline constexpr uint32_t kPontEcrituresPerdues = 1u << 2; // every 7th write fails with FT_IO_ERROR
inline constexpr uint32_t kPontCompteFaux = 1u << 3;     // the queue count claims more than there is
inline constexpr uint32_t kPontParPetitsBouts = 1u << 4; // at most 3 bytes arrive per queue check
using TPontFuzz_Donne = void (*)(const uint8_t* flux, size_t taille, uint32_t comportement);

// The CAMPUS and SP5 libraries: every answer (texts, numbers, counts,
// samples, records) is taken from `reponses` in call order; once they run
// out, every answer is 0 or empty.
using TBibliothequeFuzz_Donne = void (*)(const uint8_t* reponses, size_t taille);

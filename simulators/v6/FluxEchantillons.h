#pragma once
// The sample words of one run, as a byte stream computed on demand: byte i of
// the stream is found from the run's description alone, so that no sample is
// ever stored.
#include <array>
#include <cstdint>

struct DescriptionFlux {
    uint32_t numeroRun = 0;        // tells the runs apart (row cache)
    int64_t debutNs = 0;            // instant of sample 0 on the signals' clock
    int64_t premierEchantillon = 0; // sample index of row 0 (kT - O)
    int64_t dtNs = 1;               // sampling interval
    int nbEntrees = 0;              // words per row
    std::array<int8_t, 4> entrees{}; // slot of each word of a row, in "V" order

    int octetsParLigne() const { return 2 * nbEntrees; }
};

// Codes of one row, kept so that the two bytes of a word and the words of a
// row cost one signal evaluation each.
class LecteurFlux {
public:
    uint8_t octet(const DescriptionFlux& flux, uint64_t index);

private:
    uint32_t runEnCache_ = 0;
    int64_t ligneEnCache_ = -1;
    std::array<uint16_t, 4> codes_{};
};

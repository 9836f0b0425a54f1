#pragma once
// The bytes waiting on the host side of the USB bridge, in the order the unit
// sent them: literal bytes (echoes, answers) and stretches of a run's sample
// stream, which are only computed when read.
#include "simulators/v6/FluxEchantillons.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

class FileSortieV6 {
public:
    void ajouteOctet(uint8_t octet);
    void ajouteOctets(const std::string& octets);
    // Bytes [debut, fin) of the stream described by `flux`.
    void ajouteFlux(const DescriptionFlux& flux, uint64_t debut, uint64_t fin);

    uint64_t taille() const { return taille_; }
    // Takes up to `nombre` bytes; returns how many were taken.
    size_t lit(uint8_t* destination, size_t nombre);
    void vide();

private:
    struct Segment {
        bool estFlux = false;
        std::string octets;      // literal bytes
        DescriptionFlux flux;    // stream stretch
        uint64_t debut = 0;      // next byte to take (offset in octets, or stream index)
        uint64_t fin = 0;        // end (octets.size(), or stream index)
    };

    std::deque<Segment> segments_;
    uint64_t taille_ = 0;
    LecteurFlux lecteur_;
};

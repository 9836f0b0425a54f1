#include "simulators/v6/FileSortieV6.h"

void FileSortieV6::ajouteOctet(uint8_t octet)
{
    ajouteOctets(std::string(1, static_cast<char>(octet)));
}

// The last segment is kept even when read out, and reused, so that a run
// streaming row after row to a reader taking byte after byte allocates nothing.
void FileSortieV6::ajouteOctets(const std::string& octets)
{
    if (octets.empty())
        return;
    taille_ += octets.size();
    if (!segments_.empty()) {
        Segment& dernier = segments_.back();
        if (dernier.debut == dernier.fin) {
            dernier.estFlux = false;
            dernier.octets.clear();
            dernier.debut = 0;
        }
        if (!dernier.estFlux) {
            dernier.octets += octets;
            dernier.fin = dernier.octets.size();
            return;
        }
    }
    Segment segment;
    segment.octets = octets;
    segment.fin = octets.size();
    segments_.push_back(std::move(segment));
}

void FileSortieV6::ajouteFlux(const DescriptionFlux& flux, uint64_t debut, uint64_t fin)
{
    if (fin <= debut)
        return;
    taille_ += fin - debut;
    if (!segments_.empty()) {
        Segment& dernier = segments_.back();
        if (dernier.estFlux && dernier.flux.numeroRun == flux.numeroRun && dernier.fin == debut) {
            dernier.fin = fin;
            return;
        }
        if (dernier.debut == dernier.fin) {
            dernier.estFlux = true;
            dernier.flux = flux;
            dernier.debut = debut;
            dernier.fin = fin;
            return;
        }
    }
    Segment segment;
    segment.estFlux = true;
    segment.flux = flux;
    segment.debut = debut;
    segment.fin = fin;
    segments_.push_back(std::move(segment));
}

size_t FileSortieV6::lit(uint8_t* destination, size_t nombre)
{
    size_t lus = 0;
    while (lus < nombre && !segments_.empty()) {
        Segment& segment = segments_.front();
        while (lus < nombre && segment.debut < segment.fin) {
            destination[lus++] = segment.estFlux
                ? lecteur_.octet(segment.flux, segment.debut)
                : static_cast<uint8_t>(segment.octets[segment.debut]);
            ++segment.debut;
        }
        if (segment.debut < segment.fin || segments_.size() == 1)
            break;
        segments_.pop_front();
    }
    taille_ -= lus;
    return lus;
}

void FileSortieV6::vide()
{
    segments_.clear();
    taille_ = 0;
}

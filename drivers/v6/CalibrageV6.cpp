#include "drivers/v6/CalibrageV6.h"

#include <cstring>

namespace {

uint32_t litU32(const uint8_t* p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

float litSingle(const uint8_t* p)
{
    const uint32_t bits = litU32(p);
    float valeur;
    std::memcpy(&valeur, &bits, sizeof valeur);
    return valeur;
}

template <typename T, std::size_t N>
void copie(std::array<T, N>& destination, const uint8_t* source)
{
    std::memcpy(destination.data(), source, N * sizeof(T));
}

} // namespace

TCalibrageV6 decodeCalibrageV6(const std::array<uint8_t, kTailleCalibrageV6>& octets)
{
    const uint8_t* p = octets.data();
    TCalibrageV6 c;
    for (int i = 0; i < 4; ++i) {
        c.AmpliCan[i] = litSingle(p + 4 * i);
        c.OffsetCan[i] = litSingle(p + 16 + 4 * i);
    }
    c.AmpliDac = litSingle(p + 32);
    c.OffsetDac = litSingle(p + 36);
    c.ReglageZeroDAc = uint16_t(p[40] | p[41] << 8);
    c.ST_NS = litU32(p + 42);
    c.ST_OK = p[46];
    copie(c.Dummy2, p + 47);
    copie(c.NumeroSerie, p + 64);
    copie(c.DateCalibration, p + 80);
    copie(c.Dummy, p + 96);
    return c;
}

std::string numeroSerieDe(const TCalibrageV6& calibrage)
{
    const auto& ns = calibrage.NumeroSerie;
    std::size_t longueur = 0;
    while (longueur < ns.size() && ns[longueur] != '\0')
        ++longueur;
    return std::string(ns.data(), longueur);
}

#include "drivers/sp5/TCalibrageSP5.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

using namespace calibrage_sp5;

uint32_t lisMot32(const TOctetsCalibrageSP5& o, std::size_t position)
{
    return uint32_t(o[position]) | uint32_t(o[position + 1]) << 8 | uint32_t(o[position + 2]) << 16
        | uint32_t(o[position + 3]) << 24;
}

float lisSingle(const TOctetsCalibrageSP5& o, std::size_t position)
{
    return std::bit_cast<float>(lisMot32(o, position));
}

double lisDouble(const TOctetsCalibrageSP5& o, std::size_t position)
{
    const uint64_t bas = lisMot32(o, position);
    const uint64_t haut = lisMot32(o, position + 4);
    return std::bit_cast<double>(bas | haut << 32);
}

// The record's texts are single-byte characters (Windows-1252); the program
// keeps UTF-8. Serial numbers are ASCII in practice; other bytes are taken as
// Latin-1, which is what they are for every printable character above 0xA0.
std::string lisTexteCourt(const TOctetsCalibrageSP5& o, std::size_t position)
{
    const std::size_t longueur = std::min<std::size_t>(o[position], kLongueurNumero);
    std::string texte;
    for (std::size_t i = 0; i < longueur; ++i) {
        const uint8_t c = o[position + 1 + i];
        if (c < 0x80) {
            texte += char(c);
        } else {
            texte += char(0xC0 | (c >> 6));
            texte += char(0x80 | (c & 0x3F));
        }
    }
    return texte;
}

void ecrisMot32(TOctetsCalibrageSP5& o, std::size_t position, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        o[position + i] = uint8_t(v >> (8 * i));
}

void ecrisSingle(TOctetsCalibrageSP5& o, std::size_t position, float v)
{
    ecrisMot32(o, position, std::bit_cast<uint32_t>(v));
}

void ecrisDouble(TOctetsCalibrageSP5& o, std::size_t position, double v)
{
    const uint64_t bits = std::bit_cast<uint64_t>(v);
    ecrisMot32(o, position, uint32_t(bits));
    ecrisMot32(o, position + 4, uint32_t(bits >> 32));
}

void ecrisTexteCourt(TOctetsCalibrageSP5& o, std::size_t position, const std::string& texte)
{
    // Back to single bytes: ASCII as is, two-byte UTF-8 sequences of Latin-1.
    std::string octets;
    for (std::size_t i = 0; i < texte.size() && octets.size() < kLongueurNumero; ++i) {
        const auto c = uint8_t(texte[i]);
        if (c < 0x80) {
            octets += char(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < texte.size()) {
            octets += char(((c & 0x1F) << 6) | (uint8_t(texte[i + 1]) & 0x3F));
            ++i;
        } else {
            octets += '?';
        }
    }
    o[position] = uint8_t(octets.size());
    std::memcpy(&o[position + 1], octets.data(), octets.size());
}

} // namespace

TCalibrageSP5 TCalibrageSP5::decode(const TOctetsCalibrageSP5& o)
{
    TCalibrageSP5 c;
    c.Reserved = o[kReserved];
    c.NumeroSerie = lisTexteCourt(o, kNumeroSerie);
    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t canal = 0; canal < 4; ++canal) {
            c.Ampli_EA[canal][k] = lisSingle(o, kAmpliEA + 16 * canal + 4 * k);
            c.Offset_EADiff[canal][k] = lisSingle(o, kOffsetEADiff + 16 * canal + 4 * k);
        }
        for (std::size_t entree = 0; entree < 8; ++entree)
            c.Offset_EA[entree][k] = lisSingle(o, kOffsetEA + 16 * entree + 4 * k);
    }
    for (std::size_t s = 0; s < 2; ++s) {
        c.Ampli_SA[s] = lisSingle(o, kAmpliSA + 4 * s);
        c.Offset_SA[s] = lisSingle(o, kOffsetSA + 4 * s);
    }
    c.DateEtalonnage = lisDouble(o, kDateEtalonnage);
    c.DateCablage = lisDouble(o, kDateCablage);
    c.NumeroSerieCablage = lisTexteCourt(o, kNumeroSerieCablage);
    return c;
}

TOctetsCalibrageSP5 TCalibrageSP5::encode() const
{
    TOctetsCalibrageSP5 o {};
    o[kReserved] = Reserved;
    ecrisTexteCourt(o, kNumeroSerie, NumeroSerie);
    for (std::size_t k = 0; k < 4; ++k) {
        for (std::size_t canal = 0; canal < 4; ++canal) {
            ecrisSingle(o, kAmpliEA + 16 * canal + 4 * k, Ampli_EA[canal][k]);
            ecrisSingle(o, kOffsetEADiff + 16 * canal + 4 * k, Offset_EADiff[canal][k]);
        }
        for (std::size_t entree = 0; entree < 8; ++entree)
            ecrisSingle(o, kOffsetEA + 16 * entree + 4 * k, Offset_EA[entree][k]);
    }
    for (std::size_t s = 0; s < 2; ++s) {
        ecrisSingle(o, kAmpliSA + 4 * s, Ampli_SA[s]);
        ecrisSingle(o, kOffsetSA + 4 * s, Offset_SA[s]);
    }
    ecrisDouble(o, kDateEtalonnage, DateEtalonnage);
    ecrisDouble(o, kDateCablage, DateCablage);
    ecrisTexteCourt(o, kNumeroSerieCablage, NumeroSerieCablage);
    return o;
}

#include "simulators/sp5/CalibrageSP5Sim.h"

#include "drivers/sp5/InterfaceSP5.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace sp5sim {

namespace {

// Gain errors of each channel's converter, relative, per calibre.
constexpr double kErreursGain[sp5::kNbCanaux][sp5::kNbCalibres] = {
    { +0.0031, -0.0012, +0.0024, -0.0040 },
    { -0.0018, +0.0027, -0.0009, +0.0035 },
    { +0.0012, +0.0006, -0.0033, +0.0019 },
    { -0.0026, -0.0021, +0.0015, -0.0011 },
};

// Code that 0 V gives on each input, less the ideal 2048, per calibre.
constexpr double kDecalagesZero[8][sp5::kNbCalibres] = {
    { +3.2, -1.7, +4.1, -5.3 },
    { -2.4, +2.9, -3.6, +1.8 },
    { +1.1, +4.6, -2.2, +3.7 },
    { -4.8, -0.6, +2.7, -1.9 },
    { +2.3, -3.1, -4.4, +5.1 },
    { -1.3, +1.9, +3.3, -2.8 },
    { +4.4, -2.6, +0.8, +2.1 },
    { -3.5, +3.8, -1.4, -4.2 },
};

// The same for the differential mode of each channel.
constexpr double kDecalagesZeroDiff[sp5::kNbCanaux][sp5::kNbCalibres] = {
    { -2.1, +3.4, -4.7, +1.6 },
    { +3.9, -2.2, +1.3, -3.8 },
    { -1.5, -4.1, +2.6, +4.3 },
    { +2.8, +1.2, -3.1, -2.4 },
};

constexpr double kErreursGainSA[sp5::kNbSorties] = { +0.0017, -0.0023 };
constexpr double kDecalagesSA[sp5::kNbSorties] = { +0.004, -0.003 }; // volts

// Calibration and assembly of the simulated unit, as TDateTime (days since
// 30 December 1899): 2 September 2024 10:30 and 17 June 2024.
constexpr double kDateEtalonnage = 45537.4375;
constexpr double kDateCablage = 45460.0;
constexpr char kNumeroSerie[] = "SPSIMUL";
constexpr char kNumeroSerieCablage[] = "CAB-SIM-0001";


double ampliNominal(int calibre)
{
    return 2.0 * double(sp5::kCalibres[std::size_t(calibre)]) / 4096.0;
}

CoefficientsCalibrage construitCoefficients()
{
    CoefficientsCalibrage c {};
    for (int k = 0; k < sp5::kNbCalibres; ++k) {
        for (int canal = 0; canal < sp5::kNbCanaux; ++canal) {
            c.ampli[canal][k] = static_cast<float>(ampliNominal(k) * (1.0 + kErreursGain[canal][k]));
            c.offsetDiff[canal][k] = static_cast<float>(-(2048.0 + kDecalagesZeroDiff[canal][k]) * c.ampli[canal][k]);
        }
        for (int entree = 0; entree < 8; ++entree) {
            const double a = c.ampli[entree % sp5::kNbCanaux][k];
            c.offset[entree][k] = static_cast<float>(-(2048.0 + kDecalagesZero[entree][k]) * a);
        }
    }
    for (int s = 0; s < sp5::kNbSorties; ++s) {
        c.ampliSA[s] = static_cast<float>(20.0 / 4096.0 * (1.0 + kErreursGainSA[s]));
        c.offsetSA[s] = static_cast<float>(-10.0 + kDecalagesSA[s]);
    }
    return c;
}

void ecritSingle(uint8_t* p, float v)
{
    uint32_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 4; ++i)
        p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

void ecritDouble(uint8_t* p, double v)
{
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    for (int i = 0; i < 8; ++i)
        p[i] = static_cast<uint8_t>(bits >> (8 * i));
}

// Length byte followed by up to 12 characters, the rest zero.
void ecritChaineCourte(uint8_t* p, const char* texte)
{
    const std::size_t n = std::min<std::size_t>(std::strlen(texte), calibrage_sp5::kLongueurNumero);
    p[0] = static_cast<uint8_t>(n);
    std::memcpy(p + 1, texte, n);
}

} // namespace

const CoefficientsCalibrage& coefficientsCalibrage()
{
    static const CoefficientsCalibrage coefficients = construitCoefficients();
    return coefficients;
}

void ecritRecordCalibrage(uint8_t* record)
{
    const CoefficientsCalibrage& c = coefficientsCalibrage();
    std::memset(record, 0, kTailleCalibrageSP5);
    ecritChaineCourte(record + calibrage_sp5::kNumeroSerie, kNumeroSerie);
    for (int canal = 0; canal < sp5::kNbCanaux; ++canal)
        for (int k = 0; k < sp5::kNbCalibres; ++k) {
            ecritSingle(record + calibrage_sp5::kAmpliEA + 16 * canal + 4 * k, c.ampli[canal][k]);
            ecritSingle(record + calibrage_sp5::kOffsetEADiff + 16 * canal + 4 * k, c.offsetDiff[canal][k]);
        }
    for (int entree = 0; entree < 8; ++entree)
        for (int k = 0; k < sp5::kNbCalibres; ++k)
            ecritSingle(record + calibrage_sp5::kOffsetEA + 16 * entree + 4 * k, c.offset[entree][k]);
    for (int s = 0; s < sp5::kNbSorties; ++s) {
        ecritSingle(record + calibrage_sp5::kAmpliSA + 4 * s, c.ampliSA[s]);
        ecritSingle(record + calibrage_sp5::kOffsetSA + 4 * s, c.offsetSA[s]);
    }
    ecritDouble(record + calibrage_sp5::kDateEtalonnage, kDateEtalonnage);
    ecritDouble(record + calibrage_sp5::kDateCablage, kDateCablage);
    ecritChaineCourte(record + calibrage_sp5::kNumeroSerieCablage, kNumeroSerieCablage);
}

int calibreDuCodeGain(uint32_t codeGain)
{
    // Undefined codes select the widest calibre.
    const auto trouve = std::find(sp5::kCodesGain.begin(), sp5::kCodesGain.end(), codeGain & 7u);
    return trouve == sp5::kCodesGain.end() ? 0 : int(trouve - sp5::kCodesGain.begin());
}

int codeConverti(double u, double ampli, double offset)
{
    const double code = std::floor((u - offset) / ampli + 0.5);
    if (!(code > 0.0))
        return 0;
    if (code > 4095.0)
        return 4095;
    return static_cast<int>(code);
}

} // namespace sp5sim

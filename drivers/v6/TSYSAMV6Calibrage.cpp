// The calibration block and the conversion of codes to volts and back.
#include "drivers/v6/LiaisonV6.h"
#include "drivers/v6/TSYSAMV6.h"

#include <algorithm>
#include <cmath>

namespace {
constexpr double kCalibreV6 = 25.0; // volts, the unit's one calibre

// A real unit's gain lies near the nominal one (the calibre over 2048
// codes) and its offset near minus the calibre; these bounds leave any
// calibration room.
bool coefficientsPlausibles(double gain, double offset)
{
    const double nominal = 2.0 * kCalibreV6 / 4096.0;
    return gain >= 0.5 * nominal && gain <= 2.0 * nominal && std::fabs(offset) <= 2.0 * kCalibreV6;
}
} // namespace

void TSYSAMV6::RecupereCalibration()
{
    if (!liaisonV6().liaisonOuverte)
        return;
    // Every awaited byte has its time limit: an unplugged unit must not hang
    // the program. A block that does not arrive whole is dropped and the
    // previous one kept.
    const uint32_t delai = kDelaiOctetCalibrage;
    EcrireUnCaractere('0');
    if (!AttendreUnCaractereTimeOut('0', delai) || !AttendreUnCaractereTimeOut(':', delai))
        return;
    std::array<uint8_t, kTailleCalibrageV6> octets {};
    for (auto& octet : octets) {
        char c = 0;
        if (!LireUnCaractereTimeOut(c, delai))
            return;
        octet = static_cast<uint8_t>(c);
    }
    if (!AttendreUnCaractereTimeOut('@', delai) || !AttendreUnCaractereTimeOut('\n', delai)
        || !AttendreUnCaractereTimeOut('\r', delai))
        return;
    CalibrageV6 = decodeCalibrageV6(octets);
    calibrageLu = true;
    numeroSerie = numeroSerieDe(CalibrageV6);
}

void TSYSAMV6::MAJCalibrage()
{
    a1.resize(nbEAU);
    b1.resize(nbEAU);
    for (int i = 0; i < nbEAU && i < 3; ++i) {
        a1[i].resize(std::max(nbCalEAGV, 1));
        b1[i].resize(std::max(nbCalEAGV, 1));
        double gain = CalibrageV6.AmpliCan[i];
        double offset = CalibrageV6.OffsetCan[i];
        // A block whose coefficients are not numbers, or far from any unit's
        // (a damaged memory, bytes lost on the way), would turn every sample
        // into nonsense: the nominal conversion of the ±25 V calibre instead.
        if (!std::isfinite(gain) || !std::isfinite(offset)
            || (calibrageLu && !coefficientsPlausibles(gain, offset))) {
            gain = 2.0 * kCalibreV6 / 4096.0;
            offset = -kCalibreV6;
        }
        a1[i][0] = gain;
        b1[i][0] = offset;
    }
    a1S.resize(std::max<std::size_t>(a1S.size(), 1));
    b1S.resize(std::max<std::size_t>(b1S.size(), 1));
    a1S[0] = CalibrageV6.AmpliDac;
    b1S[0] = CalibrageV6.OffsetDac;
    // Without a block read, the serial number stays what the constructor
    // found ("V6Absente" or the answer to "2").
    if (calibrageLu)
        numeroSerie = numeroSerieDe(CalibrageV6);
    for (int i = 0; i < nbEAU && i < int(VoiesX.size()); ++i) {
        VoiesX[i].ca[0] = VoiesX[i].ca[1] = float(a1[i][0]);
        VoiesX[i].cb[0] = VoiesX[i].cb[1] = float(b1[i][0]);
    }
}

TConversionAffine TSYSAMV6::conversion(int32_t voieX) const
{
    TConversionAffine conversion;
    if (voieX < 0 || voieX >= int(VoiesX.size()))
        return conversion;
    const TVoie& v = VoiesX[voieX];
    conversion.gain = double(v.ca[0]);
    conversion.offset = double(v.cb[0]);
    return conversion;
}

int32_t TSYSAMV6::ValUx(int32_t voieX, float U1)
{
    if (voieX < 0 || voieX >= int(VoiesX.size()))
        return 0;
    const TVoie& v = VoiesX[voieX];
    const double code = (double(U1) - double(v.cb[0])) / double(v.ca[0]);
    // An input without calibration (gain 0) has no code for a voltage.
    if (std::isnan(code))
        return 0;
    return int32_t(std::clamp(std::nearbyint(code), 0.0, 4095.0));
}

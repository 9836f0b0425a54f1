// Conversion coefficients the driver measures itself, calibre selection.
#include "drivers/campus/TSYSAMCAMPUS.h"

#include <algorithm>
#include <cmath>

namespace {

// Two codes far apart on the converter's range give the line of a calibre.
constexpr int32_t kCodeBas = 500;
constexpr int32_t kCodeHaut = 3500;
// Beyond 30 % of the nominal line, the library's conversion is not believed.
constexpr double kEcartAdmis = 0.30;
constexpr double kPleinesEchelles[kNbCalibresCampus] = { 30.0, 15.0, 10.0, 1.0 };

double gainNominal(int32_t calibre)
{
    return 2.0 * kPleinesEchelles[calibre] / 4096.0;
}

double offsetNominal(int32_t calibre)
{
    return -kPleinesEchelles[calibre];
}

// A value that is not a number never lies within the limit.
bool plausible(double mesure, double nominal, double tolerance)
{
    return std::fabs(mesure - nominal) <= tolerance;
}

} // namespace

void TSYSAMCAMPUS::installeCoefficientsNominaux()
{
    for (int32_t i = 0; i < kNbEntreesCampus; ++i)
        for (int32_t c = 0; c < kNbCalibresCampus; ++c) {
            calibrageCAMPUS.Ampli_EA[i][c] = float(gainNominal(c));
            calibrageCAMPUS.Offset_EA[i][c] = float(offsetNominal(c));
        }
    calibrageCAMPUS.Ampli_SA = { 204.8f, 204.8f };
    calibrageCAMPUS.Offset_SA = { 2048.0f, 2048.0f };
}

// The line through the codes 500 and 3500 as the library converts them with
// the calibre now selected on the input; an implausible line is replaced by
// the nominal one and its calibre forbidden.
void TSYSAMCAMPUS::mesureCoefficients(int32_t voie, int32_t calibre)
{
    double u1 = std::nan("");
    double u2 = std::nan("");
    if (points.ConvertiDonneeEntreeNumeriqueEnAnalogique != nullptr) {
        u1 = points.ConvertiDonneeEntreeNumeriqueEnAnalogique(kCodeBas, voie);
        u2 = points.ConvertiDonneeEntreeNumeriqueEnAnalogique(kCodeHaut, voie);
    }
    const double ecartCodes = kCodeHaut - kCodeBas;
    const double gain = (u2 - u1) / ecartCodes;
    const double offset = (kCodeHaut * u1 - kCodeBas * u2) / ecartCodes;
    const double pleineEchelle = kPleinesEchelles[calibre];
    const bool admis = plausible(gain, gainNominal(calibre), kEcartAdmis * gainNominal(calibre))
        && plausible(offset, offsetNominal(calibre), kEcartAdmis * pleineEchelle);
    calibrageCAMPUS.Interdit[voie][calibre] = !admis;
    calibrageCAMPUS.Ampli_EA[voie][calibre] = float(admis ? gain : gainNominal(calibre));
    calibrageCAMPUS.Offset_EA[voie][calibre] = float(admis ? offset : offsetNominal(calibre));
}

void TSYSAMCAMPUS::RecupereCalibration()
{
    TCentrale::RecupereCalibration();
    const std::string serie = numeroSerieUnite();
    if (serie.empty()) {
        numeroSerie.clear();
        calibrageFait = false;
        installeCoefficientsNominaux();
    } else if (serie != numeroSerie || !calibrageFait) {
        numeroSerie = serie;
        std::array<bool, kNbEntreesCampus> etaientActives {};
        for (int32_t i = 0; i < kNbEntreesCampus; ++i)
            etaientActives[i] = VoiesX[i].active;
        for (auto& interdits : calibrageCAMPUS.Interdit)
            interdits.fill(false);

        // Every input must be programmed for its calibre to be selected.
        for (int32_t i = 0; i < kNbEntreesCampus; ++i)
            activeVoieA(uint8_t(i), i == kNbEntreesCampus - 1);
        for (int32_t i = 0; i < kNbEntreesCampus; ++i) {
            const int32_t calibreRetenu = VoiesX[i].idxCalibreUt;
            for (int32_t c = 0; c < kNbCalibresCampus; ++c) {
                setCal(uint8_t(i), c, true);
                mesureCoefficients(i, c);
            }
            setCal(uint8_t(i), calibreRetenu, i == kNbEntreesCampus - 1);
        }
        calibrageCAMPUS.Ampli_SA = { 204.8f, 204.8f };
        calibrageCAMPUS.Offset_SA = { 2048.0f, 2048.0f };
        for (int32_t i = 0; i < kNbEntreesCampus; ++i)
            if (!etaientActives[i])
                desactiveVoieA(uint8_t(i), true);
        calibrageFait = true;
    }
    MAJCalibrage();
}

void TSYSAMCAMPUS::MAJCalibrage()
{
    a1.assign(kNbEntreesCampus, std::vector<double>(kNbCalibresCampus, 0.0));
    b1 = a1;
    for (int32_t i = 0; i < kNbEntreesCampus; ++i)
        for (int32_t c = 0; c < kNbCalibresCampus; ++c) {
            a1[i][c] = calibrageCAMPUS.Ampli_EA[i][c];
            b1[i][c] = calibrageCAMPUS.Offset_EA[i][c];
        }
    a1S.assign(2, 0.0);
    b1S.assign(2, 0.0);
    for (int k = 0; k < 2; ++k) {
        a1S[k] = calibrageCAMPUS.Ampli_SA[k];
        b1S[k] = calibrageCAMPUS.Offset_SA[k];
    }
}

int32_t TSYSAMCAMPUS::calibreUtilise(int32_t voie) const
{
    return std::clamp(VoiesX[voie].idxCalibreUt, 0, kNbCalibresCampus - 1);
}

TConversionAffine TSYSAMCAMPUS::conversion(int32_t voieX) const
{
    TConversionAffine conversion;
    if (!voieValide(voieX) || voieX >= int32_t(a1.size()))
        return conversion;
    const int32_t calibre = calibreUtilise(voieX);
    conversion.gain = a1[voieX][calibre];
    conversion.offset = b1[voieX][calibre];
    return conversion;
}

void TSYSAMCAMPUS::setCal(uint8_t numV, int32_t cal1, bool applique)
{
    if (!voieValide(numV))
        return;
    TCentrale::setCal(numV, cal1, applique);
    TVoie& voie = VoiesX[numV];
    // Only the four calibres exist; a larger index would name an absent one.
    int32_t calibre = std::clamp(cal1, 0, kNbCalibresCampus - 1);
    const auto& interdits = calibrageCAMPUS.Interdit[numV];
    if (interdits[calibre]) {
        int32_t remplacant = -1;
        for (int32_t c = calibre - 1; c >= 0 && remplacant < 0; --c)
            if (!interdits[c])
                remplacant = c;
        for (int32_t c = calibre + 1; c < kNbCalibresCampus && remplacant < 0; ++c)
            if (!interdits[c])
                remplacant = c;
        if (remplacant >= 0)
            calibre = remplacant;
    }
    voie.idxCalibreUt = calibre;
    voie.calibreR = voie.calsVoieR[calibre];
    if (points.SelectionneCalibre != nullptr)
        (void)texteCampus(points.SelectionneCalibre(numV, voie.CalsVoie[calibre]));
    voie.idxCalibreEA = voie.idxCalibreUt;
    prepareTousPRX(applique);
    // The unit's input stage settles after a calibre change.
    attends(20);
    CentralePretePourAcq = applique;
}

// Starting and stopping an SP5 acquisition, the trigger instant, the direct
// measurement and the conversion between codes and volts.
#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"

#include <algorithm>
#include <cmath>

uint32_t TSP5::litRegistres(uint8_t adresse, int nbOctets)
{
    uint32_t valeur = 0;
    for (int i = nbOctets - 1; i >= 0; --i)
        valeur = valeur << 8 | GetRegistre(uint8_t(adresse + i));
    return valeur;
}

void TSP5::modifieControle(uint8_t aMettre, uint8_t aEnlever)
{
    const uint8_t controle = GetRegistre(sp5::kControle);
    SetRegistre(sp5::kControle, uint8_t((controle | aMettre) & ~aEnlever));
}

void TSP5::declencheAcq()
{
    if (nbVoiesActivesX == 0)
        return;
    acqPeriodiqueEnCours = true;
    const double signaux = std::max(nbVoiesSignaux, 1);
    // The time one FIFO block takes to fill, polled no faster than every 10 ms.
    tSleepFifo = std::max(int32_t(std::trunc(NbPtsFifo * 1000.0 / signaux * dt0X)) + 1, 10);
    tSleepTrame = int32_t(std::trunc(30.0 * double(nbPts0X) * signaux / 1000.0)) + 1;
    modifieControle(sp5::kBitMarche, 0);
    chronometre.Declenche();
}

void TSP5::arreteAcq()
{
    modifieControle(0, sp5::kBitMarche);
    tAcqTotal = double(chronometre.Mesure());
    tAcqRecup = tAcqTotal - tAcqAttDecl;
    tAcqAttDecl1 = tAcqAttDecl;
    tAcqTotal1 = tAcqTotal;
    tAcqRecup1 = tAcqRecup;
    acqPeriodiqueEnCours = false;
}

void TSP5::declencheAcqContinue()
{
    modifieControle(sp5::kBitContinu, 0);
    modifieControle(sp5::kBitMarche, 0);
    acqPeriodiqueContinueEnCours = true;
}

void TSP5::arreteAcqContinue()
{
    modifieControle(0, sp5::kBitMarche);
    modifieControle(0, sp5::kBitContinu);
    acqPeriodiqueContinueEnCours = false;
}

void TSP5::getDTPretrig()
{
    switch (modeDecl) {
    case kDeclSeuil: {
        vPre = uint16_t(litRegistres(sp5::kDonneePreTrig, 2) / 16);
        vPost = uint16_t(litRegistres(sp5::kDonneePostTrig, 2) / 16);
        uPre = float(Ux(voieSynchro, vPre));
        uPost = float(Ux(voieSynchro, vPost));
        // The threshold crossing, interpolated between the two samples. Equal
        // samples give no crossing instant: the trigger is then taken at the
        // sample before it. The threshold can lie a little outside the two
        // samples (codes are quantised, the unit triggers with a hysteresis):
        // the delay stays inside the interval so that the record is never
        // extrapolated.
        const double ecart = double(uPost) - double(uPre);
        double delai = ecart != 0.0 ? (double(USeuilDecl) - double(uPre)) * dt0X / ecart : 0.0;
        if (!std::isfinite(delai))
            delai = 0.0;
        dtPretrig = std::clamp(delai, 0.0, dt0X);
        break;
    }
    case kDeclExterne:
        dtPretrig = double(litRegistres(sp5::kDelaiTrigExterne, 4)) / sp5::kHorlogeDelaiTrigExterne;
        break;
    default:
        dtPretrig = 0;
        break;
    }
}

void TSP5::MesureDirecte()
{
    modifieControle(sp5::kBitMesureDirecte, 0);
    declencheAcq();
    for (int j = 0; j < nbVoiesSignaux; ++j) {
        const int32_t i = VoiesActivesSignaux[j];
        const uint8_t bas = GetRegistre(uint8_t(sp5::kDerniereMesure + 2 * i));
        const uint8_t haut = GetRegistre(uint8_t(sp5::kDerniereMesure + 2 * i + 1));
        VoiesX[i].mesDir = uint16_t(haut * 16 + bas / 16);
        VoiesX[i].mesDirR = float(Ux(i, VoiesX[i].mesDir));
    }
    modifieControle(0, sp5::kBitMesureDirecte);
    arreteAcq();
}

double TSP5::offsetConversion(int32_t voie, int32_t k) const
{
    if (voie < nbCanauxUt && canauxDiff[voie])
        return b1diff[voie][k];
    return b1[voie][k];
}

// The nominal conversion of calibre k: the full scale over the 4096 codes.
static void conversionNominale(int32_t k, double& gain, double& offset)
{
    const double calibre = sp5::kCalibres[k];
    gain = 2.0 * calibre / (sp5::kCodeMax + 1);
    offset = -calibre;
}

TConversionAffine TSP5::conversion(int32_t voieX) const
{
    TConversionAffine conversion;
    if (!voieValide(voieX))
        return conversion;
    const int32_t k = calibreUtilise(voieX);
    conversion.gain = a1[voieX][k];
    conversion.offset = offsetConversion(voieX, k);
    // A calibration record whose coefficients are not numbers (a damaged
    // memory) would turn every sample into one: the nominal conversion.
    if (!std::isfinite(conversion.gain) || !std::isfinite(conversion.offset))
        conversionNominale(k, conversion.gain, conversion.offset);
    conversion.min = -sp5::kCalibres[k];
    conversion.max = sp5::kCalibres[k];
    return conversion;
}

int32_t TSP5::ValUx(int32_t voieX, float U1)
{
    if (!voieValide(voieX))
        return 0;
    const int32_t k = calibreUtilise(voieX);
    double gain = a1[voieX][k];
    double offset = offsetConversion(voieX, k);
    // No calibration read (no library) or a damaged one: the nominal
    // conversion keeps the threshold code meaningful instead of dividing by
    // zero.
    if (gain == 0.0 || !std::isfinite(gain) || !std::isfinite(offset))
        conversionNominale(k, gain, offset);
    const double code = std::nearbyint((double(U1) - offset) / gain);
    if (!(code >= 0.0))
        return 0;
    return int32_t(std::min(code, double(sp5::kCodeMax)));
}

#include "drivers/campus/TSYSAMCAMPUS.h"

#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <algorithm>
#include <cmath>
#include <exception>

namespace {

constexpr std::array<int32_t, 8> kCalsVoie { 30, 15, 10, 1, -1, -1, -1, -1 };
constexpr std::array<float, 8> kCalsVoieR { 30.0f, 15.0f, 10.0f, 1.0f, -1.0f, -1.0f, -1.0f, -1.0f };

} // namespace

TSYSAMCAMPUS::TSYSAMCAMPUS(const std::string& sDLL, int32_t logiUti1)
{
    Create(sDLL, logiUti1);
}

void TSYSAMCAMPUS::Create(const std::string& sDLL, int32_t logiUti1)
{
    TCentrale::Create(sDLL, logiUti1);
    static_cast<TDonneesCAMPUS&>(*this) = TDonneesCAMPUS {};
    calibrageFait = false;
    typeCentrale = kSysamCampus;
    nomCentrale = "SYSAM CAMPUS";
    CentraleInstallee = false;
    CentralePretePourAcq = false;
    LaCentraleGereDesCapteurs = true;
    synchroExterneDispo = true;
    detectionCapteurPdtAcqPossible = false;
    tRemanence = 0.15;
    FNomDLL = sDLL;

    adopteBibliotheque(ChargeDLLCampus(sDLL, points));
    DLL_Chargee = true;
    nbEAU = kNbEntreesCampus;

    CentraleInstallee = true;
    prepareTablesCAMPUS();
    installeCoefficientsNominaux();
    MAJCalibrage();
    appliqueReglagesDefaut();
    for (int32_t k = 0; k < kNbEntreesCampus; ++k)
        commandeLed(k, LED_BLEU);
}

void TSYSAMCAMPUS::prepareTablesCAMPUS()
{
    nbEAU = kNbEntreesCampus;
    nbCanaux_ = kNbEntreesCampus;
    nbCanauxUt = kNbEntreesCampus;
    nbCalEA = kNbCalibresCampus;
    nbCalCap = kNbCalibresCampus;
    nbCalEAGV = kNbCalibresCampus;
    calibresEAStandard = { 30.0f, 15.0f, 10.0f, 1.0f };
    calibresDispo = kCalsVoie;
    sCalibres = { "-30V/+30V", "-15V/+15V", "-10V/+10V", "-1V/+1V" };
    sCalibresSIMPL = { "30 V", "15 V", "10 V", "1 V" };
    twCals_ = { " +30.0 ", " +15.00 ", " +10.00 ", " +1.00 " };
    sEntrees = { "V1", "V2", "V3", "V4" };
    GBCanauxCaption = { "V1", "V2", "V3", "V4" };
    ChxModeDiff = 2;
    chxSensDeclExterne = false;
    canauxDiff.assign(kNbEntreesCampus, false);
    ResoCANPts = 4096;
    ResoCAN = 1.0 / 4096.0;
    ResoCANdB = 20.0 * std::log10(1.0 / 4096.0);
    TeCAN = 100e-9;
    TeCNA = 100e-9;
    CoNbSensibs = { 100 };
    nbMaxDeSensibs = 9;
    const std::vector<float> sensibs { 10.0f, 5.0f, 2.0f, 1.0f, 0.5f, 0.2f, 0.1f, 0.05f, 0.02f };
    const std::vector<std::string> sSensibs { "10 V", "5 V", "2 V", "1 V", "500 mV", "200 mV",
                                              "100 mV", "50 mV", "20 mV" };
    SensibsNorm.assign(1, sensibs);
    sSensibsNorm.assign(1, sSensibs);
    SensibsUt.assign(kNbEntreesCampus, sensibs);
    sSensibsUt.assign(kNbEntreesCampus, sSensibs);
    // No input ever carries a sensor: one entry per channel, 0.
    VoiesDesCanaux.assign(kNbEntreesCampus, { 0 });
    VoiesRDesCanaux.clear();
    for (int32_t c = 0; c < kNbEntreesCampus; ++c)
        VoiesRDesCanaux.push_back({ c });
    LaCentraleGereDesCapteurs = true;
    synchroExterneDispo = true;
    detectionCapteurPdtAcqPossible = false;
    tRemanence = 0.15;
    tSkipAcq = 100e-9;
    FeAcq = 1e7;
    tSkipAcqPerfMax = 100e-9f;
    nbPts0XMax = 4000;
    taRAMAcqMax = 16000;
    NbPtsFifo = 180;
    nbPtsFifoMin = 1;
    coPretrigCache = 0;
    tauxPreTrigSupp = 1.0f;
    pscMin = 4;
    dureeMin = 1e-6;
    nbPtsMax01 = 4000;
    nbPtsMin01 = 11;
    idxDureeTotaleMinGV = 0;
    idxDureeTotaleMaxGV = 29;
    idxNbPointsMinGV = 0;
    idxNbPointsMaxGV = 7;
    tAttenteMaxDecl = 0.25f;
    ITeHINT = "Intervalle de temps entre deux points de mesures: \n\rvous ne pouvez pas le modifier. "
              "Il s'agit\n\rd'un multiple entier de 100 ns.";
    capteurs_CAMPUS_Actives.assign(kNbEntreesCampus, false);

    a1.assign(kNbEntreesCampus, std::vector<double>(kNbCalibresCampus, 0.0));
    b1 = a1;
    b1diff = a1;
    nbSA = 2;
    a1S.assign(2, 0.0);
    b1S.assign(2, 0.0);

    VoiesX.assign(kNbEntreesCampus, TVoie {});
    for (int32_t k = 0; k < kNbEntreesCampus; ++k) {
        TVoie& voie = VoiesX[k];
        voie.active = false;
        voie.idxCalibreEA = 0;
        voie.idxCalibreUt = 0;
        voie.CalsVoie = kCalsVoie;
        voie.calsVoieR = kCalsVoieR;
        voie.calibreR = voie.calsVoieR[voie.idxCalibreUt];
        voie.cap = capteurTensionNue();
        voie.cap.sGrandeur = "u[" + std::to_string(k) + "M]";
    }
    VoiesActivesX.assign(kNbEntreesCampus + 1, -1);
    VoiesActivesSignaux.assign(kNbEntreesCampus + 1, -1);
    idxTraitGV.assign(kNbEntreesCampus, -1);
    OrdreTraitt.assign(kNbEntreesCampus, -1);
}

void TSYSAMCAMPUS::appliqueReglagesDefaut()
{
    dtAX = 0.1;
    nbPts0X = 1001;
    nbPtsAffX = 1001;
    nbPtsAX = 0;
    // A coherent time base for a unit that does not answer yet; setDurees
    // replaces it as soon as the unit confirms the interval.
    dureeTotale0X = 0.1;
    dt0X = 1e-4;
    ndt = 1000;
    epsNbPts = 1;
    modeRecuperation = 1;
    setDurees(0.1, 1001, false);
    setPretrig(int32_t { 0 }, false);
    modeDecl = kDeclImmediat;
    sensDeclSeuil = 0;
    sensDeclEchelon = 0;
    acquisitionFaite = false;
    acqPeriodiqueEnCours = false;
}

void TSYSAMCAMPUS::libereDLL()
{
    libereBibliotheque();
    DLL_Chargee = false;
    points = TPointsEntreeCampus {};
}

void TSYSAMCAMPUS::free(bool libererDLL)
{
    if (!libererDLL)
        return;
    reseteSorties();
    for (int32_t k = 0; k < kNbEntreesCampus; ++k)
        commandeLed(k, LED_BLEU);
    RAMAcq.clear();
    ptTableauInt.clear();
    ptTableauInt1.clear();
    if (points.FermeConnectionUSB != nullptr)
        points.FermeConnectionUSB();
    libereDLL();
}

void TSYSAMCAMPUS::Reset()
{
    TCentrale::Reset();
    reseteSorties();
}

bool TSYSAMCAMPUS::Presente()
{
    numeroSerie = numeroSerieUnite();
    CentralePresente = !numeroSerie.empty();
    return CentralePresente;
}

std::string TSYSAMCAMPUS::numeroSerieUnite()
{
    if (points.DonneNumeroSerieCentrale == nullptr)
        return {};
    return texteCampus(points.DonneNumeroSerieCentrale());
}

void TSYSAMCAMPUS::commandeLed(int32_t voie, TEtatLED etat)
{
    if (points.CommandeLed != nullptr)
        points.CommandeLed(voie, etat);
}

// Stopping the outputs is a courtesy to the unit: whatever fails is ignored.
void TSYSAMCAMPUS::reseteSorties()
{
    if (points.ReseteSortie == nullptr)
        return;
    for (int32_t sortie : { kSortieSA1, kSortieSA2 }) {
        try {
            (void)texteCampus(points.ReseteSortie(sortie));
        } catch (const std::exception&) {
        }
    }
}

double TSYSAMCAMPUS::calibreTeBibliotheque(double te)
{
    if (points.CalibreTe == nullptr)
        return te;
    return points.CalibreTe(te, aTabOrdreVoies1.data());
}

bool TSYSAMCAMPUS::SelectionModeDiffPossible(uint8_t canal)
{
    (void)canal;
    return false;
}

// Sleeps in slices while processing messages; a run stopped meanwhile ends
// the wait. Returns false when it was ended that way.
bool TSYSAMCAMPUS::attends(uint32_t millisecondes)
{
    constexpr uint32_t kTranche = 20;
    const bool enCours = acqPeriodiqueEnCours;
    const uint32_t debut = plateforme::compteurTicks();
    for (;;) {
        plateforme::traiteMessages();
        if (enCours && !acqPeriodiqueEnCours)
            return false;
        const uint32_t ecoule = plateforme::compteurTicks() - debut;
        if (ecoule >= millisecondes)
            return true;
        plateforme::dors(std::min(kTranche, millisecondes - ecoule));
    }
}

#include "CentraleFactice.h"

#include "platform/Bibliotheque.h"

EtatFactice& etatFactice()
{
    static EtatFactice etat;
    return etat;
}

TCentraleFactice::TCentraleFactice(int32_t type, const std::string& sDLL)
    : type_(type)
{
    ++etatFactice().vivantes;
    Create(sDLL, 1);
}

TCentraleFactice::~TCentraleFactice()
{
    --etatFactice().vivantes;
}

void TCentraleFactice::Create(const std::string& sDLL, int32_t logiUti1)
{
    TCentrale::Create(sDLL, logiUti1);
    etatFactice().creations.emplace_back(type_, sDLL);
    static const char* const noms[] = {"", "SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS"};
    typeCentrale = type_;
    nomCentrale = noms[type_];
    FNomDLL = sDLL;
    CentraleInstallee = sDLL.find('/') != std::string::npos && plateforme::fichierExiste(sDLL);
    nbEAU = type_ == 2 ? 3 : type_ == 3 ? 4 : 8;
    nbCanaux_ = type_ == 1 ? 4 : nbEAU;
    nbCalEAGV = 4;
    ChxModeDiff = type_ == 1 ? 1 : 0;
    sCalibres = {"-10V/+10V", "-5V/+5V", "-1V/+1V", "-0.2V/+0.2V"};
    for (int i = 0; i < nbEAU; ++i)
        sEntrees.push_back("EA" + std::to_string(i));
    for (int c = 0; c < nbCanaux_; ++c)
        GBCanauxCaption.push_back("Canal " + std::to_string(c));
    VoiesX.resize(nbEAU);
    numeroSerie = "FACTICE-" + std::to_string(type_);
    tRemanence = 0.15;
}

bool TCentraleFactice::Presente()
{
    CentralePresente = CentraleInstallee && etatFactice().presente[type_];
    return CentralePresente;
}

void TCentraleFactice::RecupereCalibration()
{
    ++etatFactice().calibrationsLues[type_];
}

void TCentraleFactice::prepareTousPRX(bool applique)
{
    if (applique)
        ++etatFactice().programmations[type_];
    VoiesActivesSignaux.clear();
    for (int i = 0; i < nbEAU; ++i)
        if (VoiesX[i].active)
            VoiesActivesSignaux.push_back(i);
    VoiesActivesSignaux.push_back(-1);
}

void TCentraleFactice::activeVoieA(uint8_t numV, bool applique)
{
    VoiesX[numV].active = true;
    prepareTousPRX(applique);
}

void TCentraleFactice::desactiveVoieA(uint8_t numV, bool applique)
{
    VoiesX[numV].active = false;
    prepareTousPRX(applique);
}

void TCentraleFactice::setDurees(double dureeTotale1, int64_t nbPts1, bool applique)
{
    TCentrale::setDurees(dureeTotale1, nbPts1, applique);
    dureeTotale0X = dureeTotale1;
    nbPts0X = nbPts1;
    dt0X = nbPts1 > 1 ? dureeTotale1 / static_cast<double>(nbPts1 - 1) : 0;
}

std::string TCentraleFactice::GetCapU(int32_t)
{
    return "u";
}

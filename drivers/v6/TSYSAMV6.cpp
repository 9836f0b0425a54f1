// Construction and release of the V6 driver: link steps, tables of the unit
// and its starting settings.
#include "drivers/v6/LiaisonV6.h"
#include "drivers/v6/TSYSAMV6.h"

namespace {

void prepareTables(TSYSAMV6& c)
{
    c.typeCentrale = kSysamV6;
    c.nomCentrale = "SYSAM V6";
    c.nbEAU = c.nbCanaux_ = c.nbCanauxUt = 3;
    c.nbCalEA = 1;
    c.nbCalEAGV = 4;
    c.calibresEAStandard = { 25.0f, 10.0f, 5.0f, 1.0f };
    c.calibresDispo = { 25, -1, -1, -1, -1, -1, -1, -1 };
    c.sCalibres = { "-25/+25 V", "-10/+10 V", "-5/+5 V", "-1/+1 V" };
    c.twCals_ = { " +10.0 ", " +5.00 ", " +1.00 ", " +0.200 " };
    c.sEntrees = { "EA1", "EA2", "EA3" };
    c.GBCanauxCaption = { "EA 1", "EA 2", "EA 3" };
    c.ChxModeDiff = 2;
    c.chxSensDeclExterne = false;
    c.ResoCANPts = 4096;
    c.ResoCNAPts = 4096;
    c.CoNbSensibs.assign(3, 20);
    c.TeCAN = 10e-6;
    c.TeCNA = 10e-6;
    c.nbMaxDeSensibs = 4;
    c.SensibsNorm.assign(3, { 25.0f, 10.0f, 5.0f, 1.0f, 0.2f });
    c.sSensibsNorm.assign(3, { "-25/+25 V", "-10/+10 V", "-5/+5 V", "-1/+1 V", "200 mV" });
    c.NbPtsFifo = 256;
    c.nbPtsFifoMin = 1;
    c.taRAMAcqMax = 50001;
    c.coPretrigCache = 0;
    c.dureeMin = 1e-6;
    c.nbPtsMax01 = 32768;
    c.nbPtsMin01 = 11;
    c.idxDureeTotaleMinGV = 0;
    c.idxDureeTotaleMaxGV = 29;
    c.idxNbPointsMinGV = 0;
    c.idxNbPointsMaxGV = 10;
    c.VoiesDesCanaux = { { 0 }, { 0 }, { 0 } };
    c.VoiesRDesCanaux = { { 0 }, { 1 }, { 2 } };
    c.capteurs0 = { -10000, -10000, -10000 };
    c.tAttenteMaxDecl = 0.5f;
    c.VNESeuilDecl = 2048;
    c.tRemanence = 0;
    c.ITeHINT = "Intervalle de temps entre deux points de mesures : \n\rvous ne pouvez pas le modifier. \n\r- "
                "Lorsque la durée totale est supérieure ou égale à 1s, \n\ril s'agit d'un multiple entier de 1 "
                "ms. \n\r- Lorsque la durée totale est inférieure à 1s, il s'agit \n\rd'un multiple entier de 10 "
                "µs X le nombre de voies activées.";
    c.canauxDiff.assign(3, false);
    c.VoiesX.assign(3, TVoie {});
    for (TVoie& v : c.VoiesX) {
        v.CalsVoie = { 25, 10, 5, 1, -1, -1, -1, -1 };
        v.calsVoieR = { 25.0f, 10.0f, 5.0f, 1.0f, -1.0f, -1.0f, -1.0f, -1.0f };
        v.calibreR = 25.0f;
    }
    c.VoiesActivesX.assign(4, -1);
    c.VoiesActivesSignaux.assign(4, -1);
    c.idxTraitGV.assign(3, -1);
}

} // namespace

void TSYSAMV6::Create(const std::string& sDLL, int32_t logiUti1)
{
    TCentrale::Create(sDLL, logiUti1);
    static_cast<TDonneesV6&>(*this) = TDonneesV6 {};
    typeCentrale = kSysamV6;
    nomCentrale = "SYSAM V6";
    V6TrouveeAuMoinsUneFois = false;
    FNomDLL = sDLL;
    if (Open_V6()) {
        CentralePresente = Presente();
        RecupereCalibration();
        Send_V6("I");
        numeroSerie = Send_V6("2");
    } else {
        CentralePresente = false;
        numeroSerie = "V6Absente";
    }
    prepareTables(*this);
    MAJCalibrage();
    for (int i = 0; i < nbEAU; ++i)
        CapDefaut(i);

    dt0X = dtAX = 0.1;
    nbPts0X = 1001;
    nbPtsR = 1002;
    nbPtsAX = 0;
    activeVoieA(0, false);
    setVoieSynchro(0, false);
    setModeDeclenchement(0, false);
    VNESeuilDecl = 2048;
    setDurees(0.1, 1001, false);
    setPretrig(int32_t(0), false);
    idxPretrig = 0;
    tAttenteMaxDecl = 0.5f;
    modeDecl = 0;
    sensDeclSeuil = 0;
}

void TSYSAMV6::CapDefaut(int32_t voieA)
{
    if (voieA < 0 || voieA >= int(VoiesX.size()) || voieA > 2)
        return;
    TVoie& v = VoiesX[voieA];
    v.bloqueeParCapteur = false;
    TCapteur& cap = v.cap;
    cap.CodeCapteur = 0;
    cap.a = { 1.0, 1.0 };
    cap.b = { 0.0, 0.0 };
    cap.sTypeGrandeur = "Tension";
    cap.sSymboleGrandeur = "u";
    cap.sGrandeur = "u[" + std::to_string(voieA + 1) + "]";
    cap.sUnite = "V";
    cap.ValMinCapteur = cap.ValMinUt = -25.0f;
    cap.ValMaxCapteur = cap.ValMaxUt = 25.0f;
    cap.ResolutionsCapteur = { 2.0f * 25.0f / 4000.0f, 0.0f };
    cap.calNominal = 0;
    cap.nbGrPhyX = 1;
    cap.GrAEtalonner_ = -1;
    cap.etalonne = true;
    cap.codeEtalonnage = 0;
    cap.parProp = 1.0f;
    cap.ns = "00000000";
    v.gUt = 0;
    v.nbGUCapX = 1;
    v.sensConv = 1;
    const double gain = voieA < int(a1.size()) && !a1[voieA].empty() ? a1[voieA][0] : 0.0;
    const double offset = voieA < int(b1.size()) && !b1[voieA].empty() ? b1[voieA][0] : 0.0;
    v.ca = { float(gain), float(gain) };
    v.cb = { float(offset), float(offset) };
}

void TSYSAMV6::free(bool libererDLL)
{
    // A run left going would keep the unit streaming after we are gone.
    arreteAcq();
    if (libererDLL && CentraleInstallee)
        Close_V6();
    for (int sa = 0; sa < 2; ++sa) {
        uPer[sa].reset();
        uSalve[sa].reset();
        uImp[sa].reset();
    }
    UBodeZ.reset();
    TCentrale::free(libererDLL);
}

#pragma once
// The device-independent description of one acquisition unit ("centrale") and
// the virtual operations through which the program drives it. Every driver
// derives from TCentrale and overrides what its hardware supports; the base
// operations do nothing or return a neutral value.
#include "model/ConversionAffine.h"
#include "model/TChronometreTicks.h"
#include "model/TypesCentrale.h"
#include "platform/Bibliotheque.h"

#include <memory>
#include <string>

// Unit types.
enum TypeCentrale : int32_t {
    kAucuneCentrale = 0,
    kSysamSP5 = 1,
    kSysamV6 = 2,
    kSysamCampus = 3,
    kSimulationSP5 = 4,
    kAudio = 5,
};

// Trigger modes (`modeDecl`).
enum ModeDeclenchement : int32_t {
    kDeclImmediat = 0,
    kDeclSeuil = 1,
    kDeclExterne = 2,
};

// Every field of the unit model, kept apart from the operations so that
// `Create` can put them all back to their defaults in one assignment.
struct TDonneesCentrale {
    // Identity and library.
    std::string numeroSerie;
    std::string nomCentrale;
    int32_t typeCentrale = kAucuneCentrale;
    bool CentralePCI = false;
    std::string FNomDLL;
    intptr_t HandleDLL = 0;
    int32_t LogiUtilisateur = 1;
    int32_t NbProcessus = 0;
    bool CentraleInstallee = false;
    bool CentralePresente = false;
    bool CentralePretePourAcq = false;
    std::string ITeHINT;

    // Inputs, channels and calibres.
    int32_t nbEAU = 0;
    int32_t nbCanaux_ = 0;
    int32_t nbCanauxUt = 0;
    int32_t nbCalEA = 0;
    int32_t nbCalCap = 0;
    int32_t nbCalEAGV = 0;
    TArrayOfSingle calibresEAStandard;
    std::array<int32_t, 8> calibresDispo { -1, -1, -1, -1, -1, -1, -1, -1 };
    TArrayOfString sCalibres;
    TArrayOfString sCalibresSIMPL;
    TArrayOfString twCals_;
    TArrayOfString sEntrees;
    TArrayOfString GBCanauxCaption;
    int32_t ChxModeDiff = 0;
    TArrayOfBoolean canauxDiff;
    TArrayOfArrayOfDouble a1, b1, b1diff;
    int32_t nbSA = 0;
    TArrayOfDouble a1S, b1S;
    std::vector<TVoie> VoiesX;
    TArrayOfInteger VoiesActivesX;
    int32_t nbVoiesActivesX = 0;
    TArrayOfInteger VoiesActivesSignaux;
    int32_t nbVoiesSignaux = 0;
    TArrayOfString IntitulesVoies, IntitulesVoiesCapteurs;
    TArrayOfInteger idxTraitGV;
    std::string sOrdreTraitt;
    TArrayOfInteger idxTraitt, OrdreTraitt, OrdreRecup;
    std::string sOrdreRecup;
    // Sensor handling of the sibling host.
    TArrayOfArrayOfInteger VoiesDesCanaux;
    TArrayOfArrayOfInteger VoiesRDesCanaux;
    std::vector<TCapteur> capteurs;
    TArrayOfInteger ACapteurs;
    bool LaCentraleGereDesCapteurs = false;
    bool detectionCapteurPdtAcqPossible = false;
    double tDerniereDetectionCapteurs = 0;
    double tAttenteDetectionCapteurs = 0;
    // Displays of the sibling host.
    TArrayOfArrayOfSingle SensibsNorm, SensibsUt;
    TArrayOfArrayOfString sSensibsNorm, sSensibsUt;
    int32_t nbMaxDeSensibs = 0;
    TArrayOfInteger CoNbSensibs;
    int32_t ResoCANPts = 0;
    double ResoCAN = 0;
    double ResoCANdB = 0;
    double TeCAN = 0;
    double TeCNA = 0;

    // Time base.
    double tSkipAcq = 1e-7;
    double FeAcq = 1e7;
    float tSkipAcqPerfMax = 1e-7f;
    int64_t ndt = 1;
    double dt0X = 0;
    double dureeTotale0X = 0;
    int64_t nbPts0X = 0;
    int64_t nbPtsAffX = 0;
    double dtAX = 0;
    double dureeTotaleAX = 0;
    int64_t nbPtsAX = 0;
    int64_t nbPts0XMax = 0;
    double dureeMin = 0;
    int32_t nbPtsMax01 = 0, nbPtsMin01 = 0;
    int32_t idxDureeTotaleMinGV = 0, idxDureeTotaleMaxGV = 0;
    int32_t idxNbPointsMinGV = 0, idxNbPointsMaxGV = 0;
    int32_t modeRecuperation = 0;
    double tRemanence = 0;
    TReglagesTemporels acqPerPrec;
    bool traiterAliasing = false;

    // Trigger and pre-trigger.
    int32_t modeDecl = kDeclImmediat;
    int32_t voieSynchro = 0;
    int32_t voieSynchroVA = 0;
    bool synchroExterneDispo = false;
    bool chxSensDeclExterne = false;
    int32_t sensDeclSeuil = 0;
    int32_t sensDeclEchelon = 0;
    float USeuilDecl = 0;
    std::string unitevSeuil = "V";
    float gpSeuilDecl = 0, vSeuilDecl = 0, vSeuilDeclNorm = 0;
    bool pretrigDispo = true;
    float tauxPretrig = 0;
    int32_t idxPretrig = 0;
    int32_t nbPtsPretrig = 0;
    float tPretrig = 0;
    double dtPretrig = 0;
    uint16_t vPre = 0, vPost = 0;
    float uPre = 0, uPost = 0;
    double coPretrigCache = 0;
    bool attenteDeclenchement = false;
    float tAttenteMaxDecl = 31557599232.0f; // never

    // FIFO and acquisition state.
    int32_t NbPtsFifo = kTailleFifoSP5;
    int32_t nbPtsFifoMin = 1;
    int32_t nbPtsR = 0;
    int32_t nbValTVx = 0;
    int32_t tSleepFifo = 0, tSleepTrame = 0;
    int32_t modeAcq = -1;
    bool acquisitionUtilisateur = false;
    bool acqPeriodiqueEnCours = false;
    bool acqPeriodiqueContinueEnCours = false;
    bool acquisitionFaite = false;
    bool trameTerminee = false;
    int32_t taRAMAcqMax = 0;
    std::vector<uint16_t> RAMAcq;
    int32_t tailleRAMAcq = 0;
    TChronometreTicks chronometre;
    double tAcqAttDecl = 0, tAcqRecup = -1.0, tAcqTotal = 0;
    double tAcqAttDecl1 = 0, tAcqRecup1 = 0, tAcqTotal1 = 0;

    // The waveform generator, the Bode, spectrum and X-Y modes, the audio
    // inputs and the other drivers' bookkeeping of the sibling host: present
    // for the shape of the model, never used by this program.
    bool ChoixCanalAUDIOPossible = false;
    TArrayOfInteger idxCanauxAUDIOUtilises;
    int32_t TypeCentraleCampus = 0;
    int32_t HB1 = 0, HB2 = 0, HB3 = 0, HB4 = 0;
    double coFreqC = 0;
    TArrayOfSingle maxdBSpecParCal, minDbSpecParCal;
    int32_t ResoCNAPts = 0;
    double ResoCNA = 0, ResoCNAdB = 0;
    double FreqMaxGBF = 0;
    TArrayOfArrayOfSingle SensibsUtSPECdB, SensibsNormSPECdB;
    TArrayOfArrayOfString sSensibsUtSPECdB, sSensibsNormSPECdB;
    int32_t nbMaxDeSensibsSPECdB = 0;
    TArrayOfDouble tSkipSA, dtSA, dureeTotaleSA;
    std::vector<int64_t> ndtSA;
    TArrayOfInteger nbPtsSA;
    TArrayOfBoolean SAactive, monocoupSA;
    TArrayOfDouble FreqSAi;
    int32_t SAx = 0;
    int32_t nbPtsACQ = 0, nbPtsMaxEMI = 0;
    int32_t taRAMEmiMax = 0;
    TArrayOfInteger taRAMEmiMaxSA;
    int32_t nbPerDansDureeEmission = 0, nbVoiesEmission = 0;
    bool emissionUtilisateur = false;
    std::array<std::shared_ptr<TuPer>, 2> uPer {};
    std::array<std::shared_ptr<TuSalve>, 2> uSalve {};
    std::array<std::shared_ptr<TuPer>, 2> uPorteuse {};
    std::array<float, 2> uContinue {};
    int32_t IdxUContinue = 0;
    std::array<std::shared_ptr<TuImpulsion>, 2> uImp {};
    std::shared_ptr<TuPer> UBodeZ;
    int32_t modeEmissionKv = 0, modeEmissionKvAvantArret = 0;
    double incertRelFreqSABode = 0;
    int32_t taRAMSysamUt = 0, nbCyclesPor = 0;
    bool ModSurGBFBis_ = false;
    double coCalculSalve = 0;
    int32_t SABodeUtilisee = 0;
    double incertRelFreqBodeZ = 0;
    bool BodeZPossible = false;
    int32_t nbPtsPourBODEZ = 0;
    double AmpMinBodeZ = 0;
    int32_t nbMAxDeBals = 0;
    double fbMinAbs_ = 0, fbMaxAbs_ = 0, trMaxAbs = 0, trMinAbs = 0, dBMaxAbs = 0, dBMinAbs = 0;
    int32_t taRAMAcqMaxBalXY = 0, taRAMAcqMaxSpectre = 0, taRAMAcqMaxBodeZ = 0;
    int32_t nbPtsMaxBalXY = 0, nComproBalXYParDefaut = 0, idxEchantillonSpectreMAX = 0;
    double coNbPPP = 0;
    int32_t BaseNbPtsSpectre = 0, VersionKvMax = 0;
    double coTailleiTitre = 0, maxUSA = 0;
    bool AcqEmiV6EnCours = false;
    // The V6 driver's command cache: the last text sent for each command.
    std::string ccP_TempsEch, ccV_VoiesAAcq, ccA_Voie, ccN_NbPoints, ccE_Synchro, ccO_Pretrig;
    double tAttenteCAMPUSAuDeclX = 0;
    TArrayOfBoolean capteurs_CAMPUS_Actives;
    TArrayOfString LVoiesDeMicro, LReglagesVoiesAudioKv;
    bool BloqueConstructionGraphe = false;
    TArrayOfString SLSuivi;
    bool CentraleAutoriseeGLOBAL = true;
};

class TCentrale : public TDonneesCentrale {
public:
    TCentrale() = default;
    explicit TCentrale(int32_t logiUti1) { TCentrale::Create(std::string(), logiUti1); }
    TCentrale(const TCentrale&) = delete;
    TCentrale& operator=(const TCentrale&) = delete;
    virtual ~TCentrale() = default;

    // Builds the model, or re-initialises an existing object completely with
    // another library path. The base part ignores `sDLL`.
    virtual void Create(const std::string& sDLL, int32_t logiUti1);
    void Create(int32_t logiUti1) { Create(std::string(), logiUti1); }

    virtual void Reset() {}
    virtual void RecupereCalibration() {}
    virtual void MAJCalibrage() {}
    virtual void prepareTMemoCalibrage(TMemoCalibrage& memoCalibrage1) { (void)memoCalibrage1; }
    virtual void MemoriseCalibrage(TMemoCalibrage& memoCalibrage1) { (void)memoCalibrage1; }
    virtual void RestitueCalibrage(const TMemoCalibrage& memoCalibrage1) { (void)memoCalibrage1; }
    // Releases the unit; with `libererDLL` the driver first resets the unit and
    // unloads its library. The owner deletes the object afterwards.
    virtual void free(bool libererDLL) { (void)libererDLL; }
    virtual std::string getIntituleVoie(int32_t numV) { (void)numV; return {}; }
    virtual std::string getIntituleVoieSimplifie(int32_t numV) { (void)numV; return {}; }
    virtual std::string getIntituleVoieTresSimplifie(int32_t numV) { (void)numV; return {}; }
    virtual int32_t idxAffVoies(int32_t numV) { return numV; }
    virtual void activeVoieA(uint8_t numV, bool applique) { (void)numV, (void)applique; }
    virtual void desactiveVoieA(uint8_t numV, bool applique) { (void)numV, (void)applique; }
    virtual void setVoieCanal(uint8_t canal1, uint8_t voieCanal1, bool applique) { (void)canal1, (void)voieCanal1, (void)applique; }
    virtual void setCal(uint8_t numV, int32_t cal1, bool applique) { (void)numV, (void)cal1, (void)applique; }
    virtual void prepareCalibreAdapte(int32_t voie1, float v1max) { (void)voie1, (void)v1max; }
    // How an input's codes turn into volts; without a unit, every code is 0 V.
    virtual TConversionAffine conversion(int32_t voieX) const { (void)voieX; return {}; }
    virtual double Ux(int32_t voieX, int32_t vNum) { return conversion(voieX)(vNum); }
    // Volts of the codes 0 .. nbCodes - 1 of an input, for a run's table.
    virtual void convertitCodes(int32_t voieX, float* volts, int32_t nbCodes)
    {
        conversion(voieX).remplit(volts, nbCodes);
    }
    virtual void setModeDiff(int32_t canal1, bool mode1, bool applique) { (void)canal1, (void)mode1, (void)applique; }
    virtual int32_t ValUx(int32_t voieX, float U1) { (void)voieX, (void)U1; return 0; }
    virtual void prepareTousPRX(bool applique) { (void)applique; }
    virtual bool prepareInterfacePourAcq(bool forceV6) { (void)forceV6; return false; }
    virtual void determine_tSkipAcquisition() {}
    virtual int32_t filtreNbPts(int32_t nbPts1) { return nbPts1; }
    virtual float filtreUSeuilAuto() { return 0.2f; }
    virtual void SetNdt(double dt1) { (void)dt1; }
    virtual void SetNdt(double dt1, double tSkipAcq1, int64_t& ndt1) { (void)dt1, (void)tSkipAcq1, (void)ndt1; }
    virtual void DetermineNBPt0XMAx(int32_t nbVA2, int64_t& nbPts0XMax2) { (void)nbVA2, (void)nbPts0XMax2; }
    virtual void setDureesGeneriques(double& dureeTotale1, double& dt1, int64_t& nbPts1, int64_t& nbPtsAff1,
                                     int64_t& nbPts0XMax1, int64_t& ndt1, double tSkipAcq1)
    {
        (void)dureeTotale1, (void)dt1, (void)nbPts1, (void)nbPtsAff1, (void)nbPts0XMax1, (void)ndt1, (void)tSkipAcq1;
    }
    // Sets the time base for the next acquisition: `nbPts1` displayed points
    // over `dureeTotale1` seconds, rounded by setDureesGeneriques, become
    // dureeTotale0X, dt0X, nbPts0X, nbPtsAffX, nbPts0XMax and ndt. What each
    // unit does around that lies in commenceDurees, retientDurees and
    // termineDurees.
    virtual void setDurees(double dureeTotale1, int64_t nbPts1, bool applique);
    // The current duration and displayed points again.
    virtual void setDurees(bool applique) { setDurees(dureeTotale0X, nbPtsAffX, applique); }
    virtual void setDurees1(double dureeTotale1, int64_t nbPts1, bool applique) { (void)dureeTotale1, (void)nbPts1, (void)applique; }
    virtual void setDureesSpectreKv(double dureeTotale1, int64_t nbPts1, bool applique)
    {
        (void)dureeTotale1, (void)nbPts1, (void)applique;
        modeAcq = -1;
    }
    virtual void MAJCoNbPPP() {}
    virtual bool ElimineAliasing() { return false; }
    // A driver without its own timing rules compares the point count and the
    // sample interval itself, so that curves of equal timing can be added.
    virtual bool memesParametresTemporels();
    virtual void memoriseParametresTemporels();
    virtual int32_t setVoieSynchro(int32_t voie1, bool applique) { (void)applique; return voie1; }
    virtual void setSensDeclSeuil(int32_t sensDecl1, bool applique) { (void)sensDecl1, (void)applique; }
    virtual void setSensDeclEchelon(int32_t sensDecl1, bool applique) { (void)sensDecl1, (void)applique; }
    virtual void setPretrig(float tauxPretrig1, bool applique) { (void)tauxPretrig1, (void)applique; }
    virtual void setPretrigKvSpectre(float tauxPretrig1, bool applique) { (void)tauxPretrig1, (void)applique; }
    virtual void setPretrig(int32_t idxPretrig1, bool applique) { (void)idxPretrig1, (void)applique; }
    virtual void getNbPtsPretrig() {}
    virtual void setModeDeclenchement(int32_t modeDecl1, bool applique) { (void)modeDecl1, (void)applique; }
    virtual void setSeuilDecl(float ValSeuilDecl1) { (void)ValSeuilDecl1; }
    virtual void getDTPretrig() {}
    virtual bool synchroDisponible() { return true; }
    virtual void declencheAcq() {}
    virtual void arreteAcq() {}
    virtual void declencheAcqContinue() {}
    virtual void arreteAcqContinue() {}
    virtual void MesureDirecte() {}
    virtual void PrepareIdxTraitKv(const TArrayOfInteger& cnxActifs, TArrayOfInteger& idxTraitt1) { (void)cnxActifs, (void)idxTraitt1; }
    virtual void PrepareIdxTraitGV() {}
    // The waveform generator's operations: never called by this program.
    virtual void determine_tSkipEmission() {}
    virtual void prepareTousPRXSA(int32_t SA, bool applique) { (void)SA, (void)applique; }
    virtual void prepareInterfaceSA(int32_t SA) { (void)SA; }
    virtual void setDureesSA(int32_t SA, double& dureeTotale1, int32_t& nbPts1, bool applique) { (void)SA, (void)dureeTotale1, (void)nbPts1, (void)applique; }
    virtual void PrepRemplissageRAM(int32_t deb, int32_t nbPts1) { (void)deb, (void)nbPts1; }
    virtual void FinRemplissageRAM() {}
    virtual void setMonocoupSA(int32_t SA, bool monocoupSA0) { (void)SA, (void)monocoupSA0; }
    virtual int32_t ValUxSA(int32_t SA, float U1) { (void)SA, (void)U1; return 0; }
    virtual void declencheSA(int32_t SA) { (void)SA; }
    virtual void arreteSA(int32_t SA) { (void)SA; }
    virtual void MAJFreqMaxGBF() {}
    // Sensor handling: never called by this program.
    virtual bool detectionCapteursBAse(bool TestModif) { (void)TestModif; return false; }
    virtual uint8_t CapteurBase(uint8_t canal) { (void)canal; return 0; }
    virtual uint8_t Capteur(uint8_t canal) { return CapteurBase(canal); }
    virtual void CapDefaut(int32_t voieA) { (void)voieA; }
    virtual void prepareIntitulesVoies() {}
    virtual void MAJChangementCapteur(TArrayOfSpeedButton& SBCapteurs1, TArrayOfSpeedButton& SBCapteurs2,
                                      TArrayOfArrayOfSingle& SensibsUt1, TArrayOfArrayOfString& sSensibsUt1)
    {
        (void)SBCapteurs1, (void)SBCapteurs2, (void)SensibsUt1, (void)sSensibsUt1;
    }
    virtual bool SelectionModeDiffPossible(uint8_t canal) { (void)canal; return false; }
    virtual bool Presente() { return false; }
    virtual int32_t LireFifoBASE(TPtrFifoSP5 aPtrFifoSP5) { (void)aPtrFifoSP5; return 0; }
    virtual int32_t LireFifo(TPtrFifoSP5 aPtrFifoSP5) { (void)aPtrFifoSP5; return 0; }
    virtual void EcrireFifo(TPtrFifoSP5 aPtrFifoSP5, int32_t aSize) { (void)aPtrFifoSP5, (void)aSize; }
    virtual int32_t TailleTransfertFifo(int32_t aTaille) { (void)aTaille; return 0; }
    virtual void ViderFifo() {}
    virtual uint8_t GetRegistre(uint8_t aAdr) { (void)aAdr; return 0; }
    virtual void SetRegistre(uint8_t aAdr, uint8_t Value) { (void)aAdr, (void)Value; }
    virtual uint8_t registre1(uint8_t aAdr) { (void)aAdr; return 0; }
    virtual bool RisqueAliasing() { return false; }
    // 1 = present, -1 = the unit no longer answers, 0 = not known.
    virtual int32_t presentePendantAcq() { return 0; }
    virtual void PrepareParTemp_UPer(TuPer& uPer1, int32_t SA, int32_t option) { (void)uPer1, (void)SA, (void)option; }
    virtual void prepareParamPts_Uper(int32_t SA, double per1, int32_t nbPtsMin1, int32_t& nbPtsG1, double& dureeG1)
    {
        (void)SA, (void)per1, (void)nbPtsMin1, (void)nbPtsG1, (void)dureeG1;
    }
    virtual void prepareDATA_UPer(TuPer& uPer1, int32_t SA, int32_t option) { (void)uPer1, (void)SA, (void)option; }
    virtual void prepareParTemp_UContinue(float uContinue1, int32_t SA) { (void)uContinue1, (void)SA; }
    virtual void prepareParTemp_ModAmpl(TuPer& uMod, const TuPer& uPor1, int32_t SA) { (void)uMod, (void)uPor1, (void)SA; }
    virtual void prepareDATA_ModAmpl(TuPer& uMod, const TuPer& uPor1, int32_t SA) { (void)uMod, (void)uPor1, (void)SA; }
    virtual void prepareParTemp_ModFreq(TuPer& uMod, const TuPer& uPor1, int32_t SA) { (void)uMod, (void)uPor1, (void)SA; }
    virtual void prepareDATA_ModFreq(TuPer& uMod, const TuPer& uPor1, int32_t SA) { (void)uMod, (void)uPor1, (void)SA; }
    virtual void prepareParTemp_Salves(const TuSalve& USalve1, int32_t SA) { (void)USalve1, (void)SA; }
    virtual void prepareDATA_Salves(const TuSalve& USalve1, int32_t SA) { (void)USalve1, (void)SA; }
    virtual void prepareParTemp_Impulsion(TuImpulsion& uImp1, int32_t SA) { (void)uImp1, (void)SA; }
    virtual void prepareDATA_Impulsion(TuImpulsion& uImp1, int32_t SA) { (void)uImp1, (void)SA; }
    virtual void EmissionFrequenceBodeZ(long double& perEm, long double& freqEm, long double ampEm, int32_t SAUt)
    {
        (void)perEm, (void)freqEm, (void)ampEm, (void)SAUt;
    }
    virtual void MAJEmissionSP5(int32_t mg1, int32_t voie1, int32_t contexte) { (void)mg1, (void)voie1, (void)contexte; }
    virtual void ReprepareEmission(int32_t mg9, int32_t SAUt) { (void)mg9, (void)SAUt; }
    virtual void PartageRAMSysam(int32_t mg9, int32_t SAUt) { (void)mg9, (void)SAUt; }
    virtual void PrepareParametresPeriode_Salve(int32_t numSA) { (void)numSA; }
    // Names of inputs and curves.
    virtual std::string GetCapU(int32_t numV) { (void)numV; return {}; }
    virtual std::string GetCapUInd(int32_t numV) { (void)numV; return {}; }
    virtual std::string getCapEA(int32_t numV) { (void)numV; return {}; }
    virtual std::string getCapVM(int32_t numV) { (void)numV; return {}; }

protected:
    // The unit's own rule around a time-base request. commenceDurees prepares
    // the unit for it and tells whether the request is taken at all: a unit
    // without timing rules takes none, it only forgets its acquisition mode.
    virtual bool commenceDurees(double dureeTotale1, int64_t nbPts1)
    {
        (void)dureeTotale1, (void)nbPts1;
        modeAcq = -1;
        return false;
    }
    // Whether the rounded request stands; false leaves the time base as it was.
    virtual bool retientDurees(int64_t nbPts1) { (void)nbPts1; return true; }
    // What a new time base changes further in the unit.
    virtual void termineDurees(bool applique) { (void)applique; }

    // The vendor library this unit drives, owned by the object: HandleDLL
    // shows it, and it is unloaded by libereBibliotheque, by Create applied
    // again, or with the object (also when its construction fails).
    // adopteBibliotheque takes `handle` (nullptr: none) and returns it.
    plateforme::HandleBibliotheque adopteBibliotheque(plateforme::HandleBibliotheque handle);
    void libereBibliotheque();

private:
    struct LiberationBibliotheque {
        void operator()(void* handle) const;
    };
    std::unique_ptr<void, LiberationBibliotheque> bibliotheque_;
};

// Releases a unit object the way the program ends with one: the driver's
// release (reset and unload when `libererDLL`), then the object itself.
void libereCentrale(TCentrale*& centrale, bool libererDLL);

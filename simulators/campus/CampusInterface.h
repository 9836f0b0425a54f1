#pragma once
// The call interface of the SYSAM CAMPUS library "Campus.DLL": the types and
// enumerations it exchanges and the entry points Galvora calls.
//
// Conventions of the library:
// - C calling convention (the caller removes the arguments), C linkage.
// - Texts are NUL-ended UTF-16 strings owned by the library; a caller copies
//   them at once, the next call may reuse the storage.
// - A "var text" argument is the address of a text pointer that the library
//   sets to one of its own texts (an empty text when all went well).
// - Enumerations travel as 32-bit arguments; only their low byte counts.
#include <cstdint>

extern "C" {

typedef char16_t CampusCaractere;
typedef const CampusCaractere* CampusTexte;

// Which sources an acquisition takes: entry k holds k when source k is
// acquired, -1 when not. 0..3 are the analogue inputs V1..V4, 4..7 the sensor
// inputs of the same channels, 8 is always -1. Passed by address.
enum { CAMPUS_NB_ORDRE_VOIES = 9, CAMPUS_NB_ENTREES = 4 };
typedef int32_t TOrdreVoie[CAMPUS_NB_ORDRE_VOIES];

typedef enum TSourceDeclenchement {
    _SOURCE_AUCUNE = 0,
    _SOURCE_EXTERNE = 1,
    _SOURCE_EA1 = 2,
    _SOURCE_EA2 = 3,
    _SOURCE_EA3 = 4,
    _SOURCE_EA4 = 5,
    _SOURCE_CAPTEUR1 = 6,
    _SOURCE_CAPTEUR2 = 7,
    _SOURCE_CAPTEUR3 = 8,
    _SOURCE_CAPTEUR4 = 9
} TSourceDeclenchement;

typedef enum TSensDeclenchement {
    _SEUIL = 0,
    _MONTANT = 1,
    _DESCENDANT = 2
} TSensDeclenchement;

typedef enum TEtatLED {
    LED_ETEINT = 0,
    LED_BLEU = 1,
    LED_ROUGE = 2,
    LED_MAUVE = 3
} TEtatLED;

typedef enum TStatusCentrale {
    TS_NON_CONNECTE = 0,
    TS_PRETE = 1,
    TS_COMMUNICATION_EN_COURS = 2,
    TS_ACQUISITION_EN_COURS = 3
} TStatusCentrale;

// Analogue outputs named by ReseteSortie.
enum { CAMPUS_SORTIE_SA1 = 16, CAMPUS_SORTIE_SA2 = 17 };

// --- Entry points called by Galvora -----------------------------------------
// Types of the entry points, for a caller that resolves them by name.

// Serial number of the connected unit; empty (or null) when none answers.
typedef CampusTexte (*TDonneNumeroSerieCentrale)(void);
// Volts that code aValeur represents on input aNumeroVoie (0..3) with the
// calibre currently selected on that input.
typedef double (*TConvertiDonneeEntreeNumeriqueEnAnalogique)(int32_t aValeur, int32_t aNumeroVoie);
// Selects the calibre of an input by its full scale in whole volts (30, 15, 10, 1).
typedef CampusTexte (*TSelectionneCalibre)(int32_t numeroDevoie, int32_t valeurCalibre);
// Nearest sample interval, in seconds, the unit can produce for those sources.
typedef double (*TCalibreTe)(double aTeSeconde, const int32_t* aTabOrdreVoieLatis);
// Programs one acquisition; aTe and aNombreDePoint are written back with the
// values the unit will use. aPreTrig is a percentage of aNombreDePoint.
typedef int32_t (*TPrepareAcquisition)(const int32_t* aTabOrdreVoieLatis, double* aTe,
                                       int32_t* aNombreDePoint, int32_t aSourceTrigger,
                                       int32_t sensDeclenchement, double aSeuil, int32_t aPreTrig,
                                       bool aModePermanent, CampusTexte* strMessageErreur);
// Starts the programmed acquisition; 0 = started.
typedef int32_t (*TDemarreAcquisition)(CampusTexte* strMessageErreur);
// Writes at most iNombreDonneeALire 12-bit codes, one per integer, sources
// interleaved in acquisition order; returns how many (0 when none is ready).
typedef int32_t (*TLitDonneeNumerique)(int32_t iNombreDonneeALire, int32_t* ptTableauInt);
// Stops the acquisition; "%" when it is stopped.
typedef CampusTexte (*TStoppeAcquisition)(void);
// Present 12-bit code of an input (0..3).
typedef int32_t (*TLitValeurVoie)(int32_t indiceDeVoie);
// Lights the LED of an input (0..3) in a TEtatLED colour.
typedef int32_t (*TCommandeLed)(int32_t indiceDeVoie, int32_t etatLed);
// Stops analogue output 16 or 17.
typedef CampusTexte (*TReseteSortie)(int32_t codeSortieDac);
// Closes the USB link.
typedef int32_t (*TFermeConnectionUSB)(void);

// The library's other entry points are not used by Galvora. Their own
// arguments do not matter here: with the C convention the caller removes
// whatever it passed, so each one is declared without arguments.
typedef intptr_t (*TEntreeNonUtilisee)(void);

} // extern "C"

// Every name the library exports, in two lists: X(name) for each.
#define CAMPUS_ENTREES_UTILISEES(X)                                                              \
    X(DonneNumeroSerieCentrale) X(ConvertiDonneeEntreeNumeriqueEnAnalogique)                     \
    X(SelectionneCalibre) X(CalibreTe) X(PrepareAcquisition) X(DemarreAcquisition)               \
    X(LitDonneeNumerique) X(StoppeAcquisition) X(LitValeurVoie) X(CommandeLed) X(ReseteSortie)   \
    X(FermeConnectionUSB)

#define CAMPUS_ENTREES_NON_UTILISEES(X)                                                          \
    X(DonneVersionD2XXDll) X(ProgrammeFTDIVierge) X(LectureValeurElementCentrale)                \
    X(AffecteValeurElementCentrale) X(CalibreEntree) X(TesteCentraleActive)                      \
    X(MetAJourTypeCentrale) X(MetAJourCodeTypeCentrale) X(DonneTypeCentrale)                     \
    X(DonneStatusCentrale) X(MetCentraleEnVeille) X(DonneVersionCentrale) X(DonneNomVoie)        \
    X(DonneUniteVoie) X(DonneIntervalleNbPoint) X(DonneIntervalleTe)                             \
    X(LitValeurVoieCapteurI2C) X(DonneReferenceCapteur) X(DonneIdentifiantCapteur)               \
    X(DonneAdresseCapteur) X(CreeListeInfoCapteur) X(InitialiseInformationCapteur)               \
    X(DonneInfoCapteur) X(DetecteChangementCapteur) X(DonneInfoCapteurConnecte)                  \
    X(TesteTypeCapteurI2C) X(FaitAcquisitionCapteur)                                             \
    X(ConvertiDonneeCapteurNumeriqueEnAnalogique) X(DonneCalibreAnalogiqueVoie)                  \
    X(InitialiseParametrage) X(ExecuteParametrageSAR) X(ExecuteAcquitionDeParametrage)           \
    X(ModifieParametreSegment) X(LectureValeurElement) X(AffecteValeurElement) X(Etalonne)       \
    X(AffecteReferenceCapteur) X(DemarreSortie) X(ConfigureTempsSortie) X(AffecteSortie)         \
    X(TransfereEchantillonSortie)

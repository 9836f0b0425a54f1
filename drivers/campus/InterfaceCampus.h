#pragma once
// The call interface of the SYSAM CAMPUS library "Campus.DLL": the
// enumerations and the record it exchanges, the type of every entry point,
// and the names a caller resolves. The driver calls through it and the
// simulated library implements it, both from this one description.
//
// Conventions of the library:
// - C calling convention (the caller removes the arguments), C linkage.
// - Texts are NUL-ended UTF-16 strings owned by the library; a caller copies
//   them at once, the next call may reuse the storage.
// - A "var text" argument is the address of a text pointer that the library
//   sets to one of its own texts (an empty text when all went well).
// - Enumerations travel as 32-bit arguments; only their low byte counts.
#include <array>
#include <cstdint>

// The unit's analogue inputs V1..V4 (0..3).
inline constexpr int kNbEntreesCampus = 4;

// Which sources an acquisition takes: entry k holds k when source k is
// acquired, -1 when not. 0..3 are the inputs V1..V4, 4..7 the sensor inputs
// of the same channels (never used here), 8 is always -1. Passed by address.
inline constexpr int kNbOrdreVoies = 9;
using TOrdreVoie = std::array<int32_t, kNbOrdreVoies>;

enum TSourceDeclenchement : int32_t {
    _SOURCE_AUCUNE = 0,
    _SOURCE_EXTERNE = 1,
    _SOURCE_EA1 = 2,
    _SOURCE_EA2 = 3,
    _SOURCE_EA3 = 4,
    _SOURCE_EA4 = 5,
    _SOURCE_CAPTEUR1 = 6,
    _SOURCE_CAPTEUR2 = 7,
    _SOURCE_CAPTEUR3 = 8,
    _SOURCE_CAPTEUR4 = 9,
};

enum TSensDeclenchement : int32_t {
    _SEUIL = 0,
    _MONTANT = 1,
    _DESCENDANT = 2,
};

enum TEtatLED : int32_t {
    LED_ETEINT = 0,
    LED_BLEU = 1,
    LED_ROUGE = 2,
    LED_MAUVE = 3,
};

enum TStatusCentrale : int32_t {
    TS_NON_CONNECTE = 0,
    TS_PRETE = 1,
    TS_COMMUNICATION_EN_COURS = 2,
    TS_ACQUISITION_EN_COURS = 3,
};

// Full scales in whole volts that SelectionneCalibre takes, calibre index 0..3.
inline constexpr std::array<int32_t, 4> kCalibresCampus { 30, 15, 10, 1 };

// The two analogue outputs, as ReseteSortie names them.
inline constexpr int32_t kSortieSA1 = 16;
inline constexpr int32_t kSortieSA2 = 17;

extern "C" {
using CampusCaractere = char16_t;
using CampusTexte = const CampusCaractere*;

// Serial number of the connected unit; empty (or null) when none answers.
using TDonneNumeroSerieCentrale = CampusTexte (*)();
// Volts that code aValeur represents on input aNumeroVoie (0..3) with the
// calibre currently selected on that input.
using TConvertiDonneeEntreeNumeriqueEnAnalogique = double (*)(int32_t aValeur, int32_t aNumeroVoie);
// Selects the calibre of an input by its full scale in whole volts (kCalibresCampus).
using TSelectionneCalibre = CampusTexte (*)(int32_t numeroDevoie, int32_t valeurCalibre);
// Nearest sample interval, in seconds, the unit can produce for those sources.
using TCalibreTe = double (*)(double aTeSeconde, const int32_t* aTabOrdreVoieLatis);
// Programs one acquisition; aTe and aNombreDePoint are written back with the
// values the unit will use. aPreTrig is a percentage of aNombreDePoint.
using TPrepareAcquisition = int32_t (*)(const int32_t* aTabOrdreVoieLatis, double* aTe,
                                        int32_t* aNombreDePoint, int32_t aSourceTrigger,
                                        int32_t sensDeclenchement, double aSeuil, int32_t aPreTrig,
                                        bool aModePermanent, CampusTexte* strMessageErreur);
// Starts the programmed acquisition; 0 = started.
using TDemarreAcquisition = int32_t (*)(CampusTexte* strMessageErreur);
// Writes at most iNombreDonneeALire 12-bit codes, one per integer, sources
// interleaved in acquisition order; returns how many (0 when none is ready).
using TLitDonneeNumerique = int32_t (*)(int32_t iNombreDonneeALire, int32_t* ptTableauInt);
// Stops the acquisition; "%" when it is stopped.
using TStoppeAcquisition = CampusTexte (*)();
// Present 12-bit code of an input (0..3).
using TLitValeurVoie = int32_t (*)(int32_t indiceDeVoie);
// Lights the LED of an input (0..3) in a TEtatLED colour.
using TCommandeLed = int32_t (*)(int32_t indiceDeVoie, int32_t etatLed);
// Stops analogue output kSortieSA1 or kSortieSA2.
using TReseteSortie = CampusTexte (*)(int32_t codeSortieDac);
// Closes the USB link.
using TFermeConnectionUSB = int32_t (*)();
// The library's other entry points are resolved but never called: with the C
// convention the caller removes whatever it passed, so each one is declared
// without arguments.
using TEntreeCampusNonAppelee = intptr_t (*)();
}

// X(name) for each entry point the driver calls (its type is T##name).
#define CAMPUS_ENTREES_APPELEES(X)                                                               \
    X(DonneNumeroSerieCentrale) X(ConvertiDonneeEntreeNumeriqueEnAnalogique)                     \
    X(SelectionneCalibre) X(CalibreTe) X(PrepareAcquisition) X(DemarreAcquisition)               \
    X(LitDonneeNumerique) X(StoppeAcquisition) X(LitValeurVoie) X(CommandeLed) X(ReseteSortie)   \
    X(FermeConnectionUSB)

// X(name) for each entry point resolved but not called.
#define CAMPUS_ENTREES_NON_APPELEES(X)                                                           \
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

// One field per entry point, empty when the library lacks the name.
struct TPointsEntreeCampus {
#define CAMPUS_CHAMP_APPELE(nom) T##nom nom = nullptr;
#define CAMPUS_CHAMP_NON_APPELE(nom) TEntreeCampusNonAppelee nom = nullptr;
    CAMPUS_ENTREES_APPELEES(CAMPUS_CHAMP_APPELE)
    CAMPUS_ENTREES_NON_APPELEES(CAMPUS_CHAMP_NON_APPELE)
#undef CAMPUS_CHAMP_APPELE
#undef CAMPUS_CHAMP_NON_APPELE
};

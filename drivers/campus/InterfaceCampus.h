#pragma once
// The call interface of the vendor library "Campus.DLL" as this driver uses
// it: the enumerations and the record it exchanges, the type of every entry
// point the driver calls, and the names it resolves.
//
// Conventions of the library: C calling convention (the caller removes the
// arguments); texts are NUL-ended UTF-16 strings owned by the library, copied
// at once by the caller; enumerations travel as 32-bit arguments.
#include <array>
#include <cstdint>

// Which sources an acquisition takes: entry k holds k when source k is
// acquired, -1 when not. 0..3 are the inputs V1..V4, 4..7 the sensor inputs
// of the same channels (never used here), 8 is always -1.
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

// The two analogue outputs, as ReseteSortie names them.
inline constexpr int32_t kSortieSA1 = 16;
inline constexpr int32_t kSortieSA2 = 17;

extern "C" {
using CampusTexte = const char16_t*;

using TDonneNumeroSerieCentrale = CampusTexte (*)();
using TConvertiDonneeEntreeNumeriqueEnAnalogique = double (*)(int32_t aValeur, int32_t aNumeroVoie);
using TSelectionneCalibre = CampusTexte (*)(int32_t numeroDevoie, int32_t valeurCalibre);
using TCalibreTe = double (*)(double aTeSeconde, const int32_t* aTabOrdreVoieLatis);
using TPrepareAcquisition = int32_t (*)(const int32_t* aTabOrdreVoieLatis, double* aTe,
                                        int32_t* aNombreDePoint, int32_t aSourceTrigger,
                                        int32_t sensDeclenchement, double aSeuil, int32_t aPreTrig,
                                        bool aModePermanent, CampusTexte* strMessageErreur);
using TDemarreAcquisition = int32_t (*)(CampusTexte* strMessageErreur);
using TLitDonneeNumerique = int32_t (*)(int32_t iNombreDonneeALire, int32_t* ptTableauInt);
using TStoppeAcquisition = CampusTexte (*)();
using TLitValeurVoie = int32_t (*)(int32_t indiceDeVoie);
using TCommandeLed = int32_t (*)(int32_t indiceDeVoie, int32_t etatLed);
using TReseteSortie = CampusTexte (*)(int32_t codeSortieDac);
using TFermeConnectionUSB = int32_t (*)();
// The entry points this program resolves but never calls: with the C
// convention their arguments do not matter here.
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

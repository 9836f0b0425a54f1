#pragma once
// The options dialog without its widgets: what its boxes, choices and colour
// panels hold, how the defaults are edited, and how the dialog is applied.
// The dialog (TFicheGVMixteOptions) shows this state and passes the user's
// actions on; a test drives it directly.
//
// The default duration, number of points and pre-trigger limit change in the
// settings as soon as they are typed, and "Annuler" puts back the values
// they had when the dialog was shown; every other choice reaches the
// settings only when the dialog is applied.
#include "app/ReglagesGV.h"

#include <cstdint>
#include <string>
#include <vector>

class TCentrale;

namespace gv {

class THoteOptions;

// An editable list box: its items, the item selected (-1: none) and the text shown.
struct TListeEditable {
    std::vector<std::string> items;
    int index = -1;
    std::string texte;
};

// The transfer choices, with the values of the transfer options.
enum TChoixTransfert : int {
    kTransfertNouveauFichier = 0, // "un nouveau fichier" / "un nouveau classeur"
    kTransfertNouvellePage = 1,   // "une nouvelle page" / "une nouvelle feuille"
    kTransfertDemander = 3,       // "demander à chaque fois"
};

// The entry errors of the defaults.
extern const char* const messageDureeIncorrecte;
extern const char* const messageDureeMaximale;
extern const char* const messageDureeMinimale;
extern const char* const messageNbPointsIncorrect;

class TOptionsGV {
public:
    TOptionsGV(TReglagesGV& reglages, TCentrale& unite);

    // The lists the unit offers (those of the main window's boxes), and the
    // pre-trigger group shown only when the unit has a pre-trigger.
    void prepareListes();
    // Every control from the settings; the defaults remembered for "Annuler".
    void FormShow();
    // The three lists positioned on the current defaults.
    void prepareIndexs();

    // Leaving one of the three boxes with the text it holds. The message to
    // show (information, OK), or empty when the text was taken; after a
    // message the box keeps the focus.
    std::string CBDureeTotaledftExit(const std::string& texte);
    std::string CBNbPointsdftExit(const std::string& texte);
    void CBSeuilPretrigExit(const std::string& texte);

    // "Paramètres actuels": the unit's current duration and points become the defaults.
    void BParametresActuelsClick();
    // "Annuler": the defaults as they were when the dialog was shown.
    void BAnnulerClick();
    // "Réinitialiser": the panels show the default colours.
    void BReinitialiserCouleursClick();
    // "Valeur par défaut": the third pre-trigger limit of the list (5 s).
    void BtSeuilPretrigDefautClick();
    // "Changer": the file chosen in the file dialog (empty when none was).
    void BVersionRegressiClick(const std::string& fichierChoisi);
    // A click of the user that left "par défaut" checked as `coche`.
    void CBREGDEfautClick(bool coche);

    // "Appliquer", in five steps: defaults and erasing, transfer options,
    // REGRESSI version, colours, then the window refreshed.
    void applique(THoteOptions& hote);

    // What the controls hold.
    TListeEditable dureeTotale;
    TListeEditable nbPoints;
    TListeEditable seuilPretrig;
    bool pretrigVisible = true;
    bool effacerTrame = false; // the first erase choice, else the second
    // The transfer choice checked (TChoixTransfert); another value: none.
    int transfertREGRESSI = kTransfertNouveauFichier;
    int transfertEXCEL = kTransfertNouveauFichier;
    int transfertOOo = kTransfertNouveauFichier;
    bool versionParDefaut = true;
    bool versionParDefautActive = false; // only when the standard REGRESSI exists
    std::string cheminVersionREG;        // shown when not the default
    bool couleursRegressi = true;
    bool enregistrerCouleurs = false;
    TCouleursVoies couleurs {};          // the colour panels
    int nbVoiesUnite = 8;                // the panels of inputs the unit has

    // Remembered when the dialog was shown.
    double DureeTotaleDFT0 = 0;
    int64_t NbPtsDFT0 = 0;
    long double tMaxPretrigDispo0 = 0;

private:
    void appliqueDureesGeneriques();

    TReglagesGV& reglages_;
    TCentrale& unite_;
};

// A duration as the default boxes show it: 4 significant digits, a unit
// prefix and "s".
std::string texteDuree(double duree);

} // namespace gv

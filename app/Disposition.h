#pragma once
// The sizes of the main window's regions and toolbar, computed from the
// window's size alone: every design size in pixels is multiplied by a
// horizontal or vertical coefficient that follows the window.
#include <vector>

namespace gv {

// Reference size of the window for the coefficients, and the design sizes
// of the settings panel (width) and of the channel panel (height).
inline constexpr int largeurReference = 1060;
inline constexpr int hauteurReference = 725;
inline constexpr int largeurNominaleParametres = 169;
inline constexpr int hauteurNominaleVoies = 180;

struct TEntreeDisposition {
    int largeurFenetre = largeurReference;   // outer size of the window
    int hauteurFenetre = hauteurReference;
    int largeurClient = largeurReference;    // inner (client) size
    int hauteurClient = hauteurReference;
    bool pParametresReduit = false;
    bool pVoiesReduit = false;
    int nbBoutonsCentrales = 0;               // unit buttons (two or more units)
};

struct TRectangle {
    int x = 0, y = 0, largeur = 0, hauteur = 0;
    int droite() const { return x + largeur; }
    int bas() const { return y + hauteur; }
};

// Toolbar buttons in their order; the rows of the sprite sheet.
enum TBoutonOutil : int {
    boutonNouveau, boutonEnregistrerRW3, boutonEnregistrerTXT, boutonTransfertREG, boutonTransfertExcel,
    boutonTransfertOOLO, boutonMesures, boutonVoirTableau, boutonOptions, boutonAproposDe, boutonQuitter,
    nbBoutonsOutils
};
// Row of each button in the sprite sheet (row 10 is unused).
inline constexpr int ligneSprite[nbBoutonsOutils] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 11};

struct TDisposition {
    float coDIMH = 1.0f;
    float coDimV = 1.0f;
    int LarNomPParametres = largeurNominaleParametres;
    int hauNomPVoies = hauteurNominaleVoies;
    float coPParametres = 1.0f;
    float coPVoies = 1.0f;

    int hauteurOutils = 30;               // toolbar PBoutons
    int cote = 26;                        // button side s
    int ecart = 2;                        // gap q
    int m = 26;
    TRectangle boutons[nbBoutonsOutils];
    std::vector<TRectangle> boutonsCentrales;
    int policeBoutonsCentrales = 12;
    TRectangle PPointage;
    int policeLabelsPointage = 12;
    int policeEditsPointage = 11;
    int largeurEditSerieP = 76;
    int largeurEditPointP = 148;
    int margeLabelsPointage = 3;
    TRectangle PMessages;
    int largeurEditMessageX = 220;
    int largeurEditPresence = 230;

    TRectangle panelParametres;
    int hauteurTitreParametres = 18;
    int coteBoutonReduitParametres = 14;
    int policeTitreParametres = 13;

    TRectangle PanelVoies;
    int coteBoutonReduitVoies = 15;
    int policeBoutonReduitVoies = 13;

    TRectangle PanelEcranTab;
    int largeurSplitter = 5;
    int tailleMinSplitter = 80;
    int largeurBarreDefilement = 6;
};

// The whole layout for one window size.
TDisposition calculeDisposition(const TEntreeDisposition& entree);

} // namespace gv

#pragma once
// What the transfer to Calc asks of the main window, so that it runs (and is
// tested) without one. Texts are UTF-8 and use "\n\r" or "\r\n" as line break,
// as the window's message boxes expect.
#include <string>

// The answer of the choice dialog TFicheGVMixteChoixTOO.
enum class TChoixCalc {
    nouveauClasseur, // OK with RBNouveauClasseurOO
    nouvelleFeuille, // OK with RBNouvelleFeuilleOO
    annule,          // Annuler
};

class TVueTransfertCalc {
public:
    virtual ~TVueTransfertCalc() = default;

    // true when the transfer begins: the Start button disabled, TimerAcqDir
    // stopped, the general state remembered and set to 8 (closing the window
    // is then refused), the window repainted, the acquisition controls
    // disabled. false when it ends: the Start button enabled, TimerAcqDir
    // restarted, the general state restored, the acquisition controls enabled.
    virtual void etatTransfert(bool enCours) = 0;
    // EditMessageX, repainted at once.
    virtual void afficheMessage(const std::string& texte) = 0;
    // Modal boxes with an OK button: information icon, warning icon, no icon.
    virtual void information(const std::string& texte) = 0;
    virtual void avertissement(const std::string& texte) = 0;
    virtual void messageSimple(const std::string& texte) = 0;
    // TFicheGVMixteChoixTOO shown with both radio buttons cleared, OK disabled.
    virtual TChoixCalc choixCible() = 0;
    // PBarExcel (0..100), repainted at once.
    virtual void progression(int pourcent) = 0;
    // EditPresence shown or hidden.
    virtual void presenceVisible(bool visible) = 0;
    // The hourglass cursor, or the normal one.
    virtual void sablier(bool actif) = 0;
    // SBtransfertDirectOOLO disabled: the suite cannot be reached.
    virtual void desactiveBoutonCalc() = 0;
};

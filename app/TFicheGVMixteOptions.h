#pragma once
// The options dialog "Galvora - Préférences": five pages chosen with
// button-like tabs (default time settings and others, the transfers to
// REGRESSI, EXCEL and Calc, the curve colours), "Appliquer" and "Annuler".
// It holds the widgets and their wiring; what they hold and how they act
// on the settings is TOptionsGV.
#include "app/OptionsGV.h"

#include <QDialog>
#include <array>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QStackedWidget;
class TCentrale;
class TComposantChoixCouleurCercleChro;

namespace gv {
class THoteOptions;
}

class TFicheGVMixteOptions : public QDialog {
    Q_OBJECT
public:
    TFicheGVMixteOptions(TCentrale& unite, gv::TReglagesGV& reglages, QWidget* parent = nullptr);

    // Every control from the settings (the dialog is about to be shown).
    void FormShow();

    // Pages.
    QButtonGroup* onglets = nullptr;
    QStackedWidget* pages = nullptr;
    // Default time settings and others.
    QComboBox* CBDureeTotaledft = nullptr;
    QComboBox* CBNbPointsdft = nullptr;
    QPushButton* BParametresActuels = nullptr;
    QGroupBox* GBPretrig = nullptr;
    QComboBox* CBSeuilPretrig = nullptr;
    QPushButton* BtSeuilPretrigDefaut = nullptr;
    QGroupBox* GBEffacer = nullptr;
    QRadioButton* RBEffacerTrame = nullptr;
    QRadioButton* RBNePasEffacerTrame = nullptr;
    // Transfers.
    QRadioButton* RBTransfertREGNouvellePage = nullptr;
    QRadioButton* RBTransfertREGNouveauFichier = nullptr;
    QRadioButton* RBTransfertREGDemander = nullptr;
    QRadioButton* RBTransfertEXCELNouvelleFeuille = nullptr;
    QRadioButton* RBTransfertEXCELNouveauClasseur = nullptr;
    QRadioButton* RBTransfertEXCELDemander = nullptr;
    QRadioButton* RBTransfertOONouvelleFeuille = nullptr;
    QRadioButton* RBTransfertOONouveauClasseur = nullptr;
    QRadioButton* RBTransfertOODemander = nullptr;
    QGroupBox* GBVersionREG = nullptr;
    QCheckBox* CBREGDEfaut = nullptr;
    QLineEdit* EditCheminVersionREG = nullptr;
    QPushButton* BVersionRegressi = nullptr;
    QPlainTextEdit* guideREGRESSI = nullptr;
    QPlainTextEdit* guideEXCEL = nullptr;
    QPlainTextEdit* guideOO = nullptr;
    // Colours.
    std::array<QGroupBox*, 4> gbCanaux {};
    std::array<QLabel*, 8> lbs {};
    std::array<QFrame*, 8> pCVoies {};
    QCheckBox* CBCouleursRegressi = nullptr;
    QCheckBox* CBEnregistrerCouleurs = nullptr;
    QPushButton* BReinitialiserCouleurs = nullptr;
    TComposantChoixCouleurCercleChro* ccccc = nullptr;
    // "Appliquer" (accepts) and "Annuler" (rejects).
    QPushButton* BAppliquer = nullptr;
    QPushButton* BAnnuler = nullptr;

    gv::TOptionsGV donnees;
    bool bloqueCBREGDefaut = false;

    // Leaving one of the three boxes; false when its text was refused (the
    // message is shown and the box keeps the focus).
    bool CBDureeTotaledftExit(QComboBox* boite);
    // The dialog's buttons and the two choice controls of the REGRESSI page.
    void BParametresActuelsClick(QObject* sender);
    // A colour panel: the chooser opens on the input's colour.
    void clic(int voie);

    void accept() override;
    void reject() override;

protected:
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void construitPageTemps(QWidget* page);
    void construitPageTransfert(QWidget* page, const QString& nom, std::array<QRadioButton*, 3> choix,
                                QPlainTextEdit*& guide, const QString& texteGuide, bool versionREGRESSI);
    void construitPageCouleurs(QWidget* page);
    void afficheDonnees();
    void afficheListe(QComboBox* boite, const gv::TListeEditable& liste);
    void afficheChoix(const std::array<QRadioButton*, 3>& boutons, int choix);
    void afficheVersion();
    void afficheCouleurs();
    void surEntree(QComboBox* boite);

    std::array<QRadioButton*, 3> choixREGRESSI() const;
    std::array<QRadioButton*, 3> choixEXCEL() const;
    std::array<QRadioButton*, 3> choixOO() const;

    bool bloqueExit_ = false;
};

// The toolbar's Options command: shows the dialog modally over `parent`
// and applies it after "Appliquer" (true). The settings then persist with
// the others, when the window writes them.
bool executeOptions(QWidget* parent, TCentrale& unite, gv::TReglagesGV& reglages, gv::THoteOptions& hote);

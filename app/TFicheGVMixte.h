#pragma once
// The main window: toolbar PBoutons across the top, the settings panel
// panelParametres at the right, the channel panel PanelVoies along the bottom
// left, and between them PanelEcranTab with the screen PEcran and the table
// PTableau separated by Splitter1. It holds its widgets and their wiring; the
// measurements live in TMesures, the panels' logic in TControleurReglages,
// the read loop in TBoucleAcquisition, the screen in TEcran.
//
// Its files, by responsibility:
//   TFicheGVMixte.cpp            creation (FormCreate), destruction, the timers' handler
//   TFicheGVMixteRegions.cpp     the regions, the panels' controls and their wiring to the controller
//   TFicheGVMixteVue.cpp         the panels and the toolbar shown from the controller's data
//   TFicheGVMixteOutils.cpp      the toolbar: its table of buttons and commands, the dispatcher
//   TFicheGVMixteCentrales.cpp   detection, choice and switching of the unit, presence
//   TFicheGVMixteDisposition.cpp the layout that follows the window's size
//   TFicheGVMixteReglages.cpp    the persistent settings and the temporary files
//   TFicheGVMixteEcran.cpp       the screen inside the window, the keys, the wheel, the measurement panel
//   TFicheGVMixteAcquisition.cpp a run from the Start button to its end, a new experiment
//   TFicheGVMixteTrames.cpp      the permanent mode: the window's side of the frame loop
//   TFicheGVMixteEnregistrement.cpp the REGRESSI save command with the window's dialogs
//   TFicheGVMixteTransferts.cpp  the text file, the transfers (Excel, REGRESSI, Calc) and the options
//   TFicheGVMixteFermeture.cpp   Quit, the closing questions, the platform messages that do nothing here
//   TFicheGVMixteTableau.cpp     the measurement table: showing it, filling it, deleting a series
#include "app/ControleurReglages.h"
#include "app/Disposition.h"
#include "app/EmplacementsGV.h"
#include "app/FabriqueCentrales.h"
#include "app/Panneaux.h"
#include "app/ReglagesGV.h"
#include "app/acquisition/BoucleTrames.h"
#include "display/WidgetEcran.h"
#include "export/CommandeEnregistrementRW3.h"
#include "export/TransfertExcel.h"
#include "export/TransfertRegressi.h"
#include "mesures/ModeGeneral.h"
#include "mesures/TMesures.h"

#include <QDateTime>
#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolButton;
class TCentrale;
class TFicheGVAttenteDeclAcq;
class TFicheGVChoixCentrale;
class TFicheGVMixteTitre;
class TGroupeRadio;
class TPanelMesuresSurEcran;
class TTransfertCalc;
class TPanneauTableau;

// One installed unit found at start-up.
struct TCentraleInsPre {
    TCentrale* Centrale1 = nullptr; // owned; nullptr once freed
    std::string nom;
    std::string nomPetit;
    bool installee = false;
    bool presente = false;
    int32_t typecentrale = 0;
    std::string cheminDLL;
    int32_t h1 = 0, w1 = 0;
    int32_t posDansInfoInterface = 0;
};
using TArrayOfTCentraleInsPre = std::vector<TCentraleInsPre>;

// What the main window is given by the program entry (or by a test).
struct TContexteGV {
    gv::TEmplacementsGV emplacements;
    gv::TFabriqueCentrales fabrique;
    TFicheGVMixteTitre* titre = nullptr;
    TFicheGVChoixCentrale* choix = nullptr;
    // The program's version ("1.2.3.4"), written into the text files.
    QString version;
    // Opens a workbook with the desktop's program; null: the desktop's own.
    TOuvreurDocuments* ouvreurDocuments = nullptr;
    // Makes the transfer to Calc; null: the office on Galvora's own pipe.
    std::function<std::unique_ptr<TTransfertCalc>()> fabriqueCalc;
};

// Frees the transfer to Calc where its type is known (it is compiled only
// with the UNO SDK).
struct TSuppressionCalc {
    void operator()(TTransfertCalc* transfert) const;
};

class TFicheGVMixte : public QWidget, private TVueReglages {
    Q_OBJECT
public:
    // Names of the unit types 1..5, long and short.
    static const char* const nomsCentrales[5];
    static const char* const nomsPetitsCentrales[5];

    explicit TFicheGVMixte(const TContexteGV& contexte, QWidget* parent = nullptr);
    ~TFicheGVMixte() override;

    // Puts a widget in place of the screen placeholder PEcran (or of the
    // table PTableau); the window takes it over and lays it out.
    void remplaceEcran(QWidget* ecran);
    void remplaceTableau(QWidget* tableau);

    // Unit detection and choice.
    void detectionCentrales();
    void setCentraleActive(int32_t NouveauTypeCentrale1, bool avecCreation);
    void SBChoixCentraleClick(QToolButton* bouton);
    // The one handler of the window's timers; `sender` tells them apart.
    void TimerPresenceSP5Timer(QObject* sender);

    // Layout.
    void redimensionnement();
    // The toolbar's dispatcher: the command of the button clicked.
    void SBNouveauClick(QToolButton* bouton);
    // The button runs a command of the toolbar's table.
    bool aUneCommande(const QToolButton* bouton) const;
    void Quitter();
    // What the title window's unit page shows about the active unit.
    struct TEtatTitre {
        bool estSP5 = false;
        bool installeeEtPresente = false;
    };
    TEtatTitre etatPourTitre() const;

    // The panels' logic, driven by the panels' controls (and by tests).
    TControleurReglages& controleur() { return controleur_; }
    const TControleurReglages& controleur() const { return controleur_; }

    // The general state: read by everyone, written only here (which also
    // enables New exactly when the state is not 0).
    TModeGeneral modeGeneral() const { return MODEGENERAL; }
    void setModeGeneral(TModeGeneral MG1) override;

    // --- Acquisition run ---
    // The measurements and the screen that draws them; the run, its end, and
    // the REGRESSI save command.
    TMesures mesures;
    TWidgetEcran* widgetEcran = nullptr;
    TEcran& ecran();
    void PrepareTV2();
    void setModeDessinVM();
    void BAcquisitionClick();
    void lanceAcquisition();
    void Acquisition();
    void RetourFIFOZero();
    void sortieNormaleMS();
    // The end of the permanent mode (the frame loop redraws after it).
    void SortieNormaleMP();
    void enregistreRegressiRW3();
    // The New button: stops a run, offers to save, then a new experiment.
    void nouvelleExperience();
    // A new experiment: curves cleared, default settings.
    void RAZ();

    // --- Measurement table ---
    // Fills the table when it is not up to date (MAJTableauFaite).
    void MAJTableau();
    // A click released on the delete mark of column `colonne`: the series
    // is deleted after confirmation.
    void SGMesuresMouseUp(int colonne);
    TDrapeauxAcquisition drapeaux; // stop, nouveauxParametres, typeSortieMP seen by the read loop
    TEtatTrames trames;            // the permanent mode's progress
    TEtatEnregistrement etatEnregistrement; // numAcqDef, nomFichierREG
    bool ajouterLesCourbesX = false;
    int64_t ptFront = 0;
    int32_t idxPretrigListe = 0;
    QDateTime heureAcq;
    std::string sDateAcq0;
    std::string sdateAcqX;
    TFicheGVAttenteDeclAcq* FicheAttenteDecl = nullptr;

    // --- Transfers ---
    // What the workbook transfers remember from one to the next.
    TEtatTransfertExcel etatExcel;
    // The transfer to REGRESSI, made once the settings are read.
    std::unique_ptr<TTransfertRegressi> transfertREG;
    // The transfer to Calc: its connection lives as long as the window.
    std::unique_ptr<TTransfertCalc, TSuppressionCalc> transfertCalc;

    // Timers, all served by TimerPresenceSP5Timer except the resize timer.
    QTimer TimerPresenceSP5;
    QTimer TimerAcqDir;
    QTimer TimerFinMesures;
    QTimer TimerTransfertREGRESSI;
    QTimer TimerRedimGene;

    // --- State ---
    bool initialisation = true;
    bool abandon = false;
    bool peutFermer = false;
    bool bloqueRedim = true;
    bool bloqueTimerAcqDirecte = false;
    bool acqDirecteEnCours = false;
    bool PTableauVisible = false;
    bool enregistrerX = false;
    int optionTTE = 1;
    int optionTTR = 0;
    double LimDureeMDT = 10000000.0;

    int32_t typeCentraleActive = 0;
    std::set<int> ListeTypesCentrales;
    std::set<int> ListeCentralesConnectees;
    std::string CheminWindows;
    std::string cheminDLLCentrale;
    std::string DDA;
    std::string nomfichierCAP;
    bool dossierDDAExiste = false;
    std::string dossierApplication;
    std::string dossierDocuments;
    std::string temp;
    std::array<std::string, 4> cheminsDLLCentrales {};
    TArrayOfTCentraleInsPre centrales;
    int32_t nbCentralesConnectees = 0;
    int32_t nbCentralesGerees = 0;
    TCentrale* SP5 = nullptr;
    bool SP5Presente = false;
    bool OOInstalle = false;
    bool LOInstalle = false;
    bool msOfficeInstalle = false;

    gv::TReglagesGV reglages;
    std::vector<std::string> aSupprimer;
    std::vector<std::string> aMemoriser;

    // Layout.
    gv::TDisposition disposition;
    bool pParametresReduit = false;
    bool pVoiesReduit = false;
    int larScr = 0;
    int hauScr = 0;

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    // The controls of one input in the channel panel.
    struct TLigneVoie {
        QLabel* titre = nullptr;         // input name, shown for differential units
        QCheckBox* active = nullptr;     // "Activée"
        TGroupeRadio* calibre = nullptr; // " calibre (V) ", one item per calibre
        QLabel* nom = nullptr;           // "u"
        QLabel* indice = nullptr;
        QLabel* egal = nullptr;
        QLineEdit* valeur = nullptr;     // live value
        QLabel* legende = nullptr;       // curve colour
    };

    // One row of the toolbar's table: a button and the named command it runs.
    struct TCommandeOutil {
        TBoutonOutil bouton;
        const char* nom;   // object and accessible name
        const char* bulle; // hint
        bool basculant;    // stays down until clicked again
        void (TFicheGVMixte::*commande)(); // none yet: nullptr
    };
    static const TCommandeOutil commandesOutils[kNbBoutonsOutils];

    // --- Creation, closing ---
    void FormCreate();
    void FormDestroy();
    bool FormCloseQuery();
    void messageTitre(const QString& ligne);
    void lireReglages();
    void ecrireReglages();
    void nettoieFichiersTemporaires();

    // --- Regions and their controls ---
    void construitRegions();
    void construitPanneauParametres();
    void construitPanneauVoies();
    void construitBoutonsOutils();
    void construitBoutonsCentrales();
    void appliqueImagesBoutons();
    void reduitPanneau(bool parametres);
    void SBRedRegVoiesClick(QObject* sender);
    // Entering and leaving a typed box (duration, points, threshold).
    void suitSaisie(QWidget* boite, TBoite quoi);
    QComboBox* listeDe(TBoite boite) const;

    // --- The controller's view ---
    void montre(const TPanneaux& panneaux, const TActivations& activations) override;
    void montreValeur(int voie, const std::string& texte) override;
    void information(const std::string& texte) override;
    void demandeEcran(TActionEcran action) override;
    void relancePresence() override;
    void dessineLegendesVoies();
    void curseursAuxBornes();
    void redessineEcran(bool avecCourbes);
    void dessinePretrig();

    // --- Toolbar commands ---
    QToolButton* bouton(TBoutonOutil b) const { return boutonsOutils_[std::size_t(b)]; }
    void commandeMesures();
    void fermeMesures();
    void commandeVoirTableau();
    void cacheTableau();
    void ouvreTableauALaLargeurDeSesColonnes();
    void commandeAPropos();
    void commandeQuitter();
    void enregistreTexteTXT();
    void transfertExcel();
    void transfertRegressi();
    void transfertOOCalc();
    void commandeOptions();
    TSourceRegressi sourceRegressi() const;
    void prepareTransferts();
    // The REGRESSI button follows whether a REGRESSI can be started.
    void suitTransfertREGPossible();
    // The presence box, or the progress bar of a transfer in its place.
    void montrePresence(bool visible);
    class THoteExcel;    // the window's side of the workbook transfer
    class TVueCalc;      // the window's side of the transfer to Calc
    class THoteOptionsFenetre; // the window's side of the options dialog

    // --- Units ---
    void choisitCentrale();
    void creeOuRecreeCentrale(int32_t type);
    void panneauVoiesVide();
    void panneauVoiesCentrale();
    void TimerPresenceSP5Tick();
    void TimerFinMesuresTimer();
    void TimerAcqDirTimer();

    // --- Layout ---
    void FormResize();
    void appliqueDisposition();
    void TimerRedimGeneTimer();
    void redimensionnementEcran();

    // --- Screen and run ---
    class THoteFenetre; // the run's side of the window
    class THoteTramesFenetre; // the permanent mode's side of the window
    void construitEcran();
    void construitTableau();
    // The table's panel no wider than its columns and the splitter allow.
    void limiteLargeurTableau();
    // The curves changed (end of a run): the table is filled again when shown.
    void tableauPerime();
    void initialiseAcquisition();
    void termineRun(bool permanent);
    void apresDefaillance(bool permanent);
    void afficheValeursAuPoint(int64_t indice);
    void montreAttenteDeclenchement();
    void acquisitionPermanente();
    TBoucleAcquisition* boucleEnCours_ = nullptr;
    TBoucleTrames* boucleTrames_ = nullptr;

    // --- Regions ---
    QFrame* PBoutons = nullptr;
    QFrame* panelParametres = nullptr;
    QLabel* LTitreParametres = nullptr;
    QToolButton* SBReduirePParametres = nullptr;
    QScrollArea* ScrollBoxParametres = nullptr;
    QFrame* PanelVoies = nullptr;
    QLabel* LPatience = nullptr; // the channel panel's caption, behind its controls
    QToolButton* SBReduirePVoies = nullptr;
    QScrollArea* ScrollBoxVoies = nullptr;
    QFrame* PanelEcranTab = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PEcran = nullptr;
    QWidget* PTableau = nullptr;
    TPanelMesuresSurEcran* PanelMesuresSurEcran = nullptr;
    TPanneauTableau* tableau_ = nullptr; // PTableau once built

    // --- Toolbar ---
    std::array<QToolButton*, kNbBoutonsOutils> boutonsOutils_ {};
    QToolButton* SBGuide = nullptr;
    std::vector<QToolButton*> SBCentrales_;
    QFrame* PPointage = nullptr;
    QLabel* LSerieP = nullptr;
    QLineEdit* EditSerieP = nullptr;
    QLabel* LPointP = nullptr;
    QLineEdit* EditPointP = nullptr;
    QFrame* PMessages = nullptr;
    QLineEdit* EditMessageX = nullptr;
    QLineEdit* EditPresence = nullptr;
    QProgressBar* PBarExcel = nullptr;

    // --- Settings panel ---
    QWidget* ContenuParametres = nullptr;
    QComboBox* CBDureeTotale = nullptr;
    QComboBox* CBNbPoints = nullptr;
    QPushButton* BAcquisition = nullptr;
    QToolButton* SBDureeTotalePlus = nullptr;
    QToolButton* SBDureeTotaleMoins = nullptr;
    QToolButton* SBNbPointsPlus = nullptr;
    QToolButton* SBNbPointsMoins = nullptr;
    QLabel* LIntervalle = nullptr;
    QLabel* iTe = nullptr; // the sampling interval, drawn
    QPushButton* BAcquisitionPrecedente = nullptr;
    QGroupBox* GBDeclenchement = nullptr;
    QComboBox* CBTypeDeclenchement = nullptr;
    TGroupeRadio* RGSensDeclenchement = nullptr;
    QLabel* LVoieSynchro = nullptr;
    QComboBox* CBVoieSynchro = nullptr;
    QLabel* LUSeuilDecl = nullptr;
    QLineEdit* EditUSeuilDecl = nullptr;
    QLabel* LPretrigX = nullptr;
    QComboBox* CBPretrigX = nullptr;
    QCheckBox* CBAjouterCourbes = nullptr;
    QCheckBox* CBModePermanent = nullptr;

    // --- Channel panel ---
    QWidget* ContenuVoies = nullptr;
    std::array<QGroupBox*, 4> GBCanaux {};
    std::array<QCheckBox*, 4> CBModeDiff {};
    std::array<TLigneVoie, 8> voies {};

    // Set while the window itself fills its controls: their events are not
    // the user's.
    bool bloque = false;
    // What the time boxes and the threshold box last showed of the data.
    uint32_t versionTempsMontree_ = ~0u;
    uint32_t versionSeuilMontree_ = ~0u;
    double dt0XMontre_ = -1;
    QSize tailleITe_;

    TModeGeneral MODEGENERAL = TModeGeneral::rienAcquis;
    TContexteGV contexte_;
    TControleurReglages controleur_;
    QImage feuilleBoutons_;
    int coteImagesBoutons_ = 0;
};

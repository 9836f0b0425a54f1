#pragma once
// The main window: toolbar PBoutons across the top, the settings panel
// panelParametres at the right, the channel panel PanelVoies along the bottom
// left, and between them PanelEcranTab with the screen PEcran and the table
// PTableau separated by Splitter1.
//
// Its work is split by responsibility:
//   TFicheGVMixte.cpp            creation (FormCreate), destruction, closing, timers
//   TFicheGVMixteRegions.cpp     the regions and their controls
//   TFicheGVMixteOutils.cpp      the toolbar and its dispatcher
//   TFicheGVMixteCentrales.cpp   detection, choice and switching of the unit, presence
//   TFicheGVMixteDisposition.cpp the layout that follows the window's size
//   TFicheGVMixteReglages.cpp    the persistent settings and the temporary files
#include "app/Disposition.h"
#include "app/EmplacementsGV.h"
#include "app/FabriqueCentrales.h"
#include "app/ReglagesGV.h"
// --- Acquisition run ---
#include "app/acquisition/BoucleAcquisition.h"
#include "display/WidgetEcran.h"
#include "export/CommandeEnregistrementRW3.h"
#include "mesures/ModeGeneral.h"
#include "mesures/TMesures.h"

#include <QDateTime>
// --- end of acquisition run ---

#include <QImage>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
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
class TFicheGVAttenteDeclAcq; // --- Acquisition run ---
class TFicheGVChoixCentrale;
class TFicheGVMixteTitre;
class TGroupeRadio;

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

// What the main window is given by the program entry (or by a test).
struct TContexteGV {
    gv::TEmplacementsGV emplacements;
    gv::TFabriqueCentrales fabrique;
    TFicheGVMixteTitre* titre = nullptr;
    TFicheGVChoixCentrale* choix = nullptr;
};

class TFicheGVMixte : public QWidget {
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
    // Contents of the settings panel's and of the channel panel's scroll boxes.
    void remplaceContenuParametres(QWidget* contenu);
    void remplaceContenuVoies(QWidget* contenu);

    // Unit detection and choice.
    void detectionCentrales();
    void setCentraleActive(int32_t NouveauTypeCentrale1, bool avecCreation);
    void reglagesDefautMI();
    void SBChoixCentraleClick(QToolButton* bouton);
    // The one handler of the window's timers; `sender` tells them apart.
    void TimerPresenceSP5Timer(QObject* sender);

    // Layout.
    void redimensionnement();
    // Acquisition controls disabled (no unit) or enabled again.
    void desactiveComposantsAcqSimple();
    void activeComposantsAcqSimple();
    // The toolbar's dispatcher.
    void SBNouveauClick(QToolButton* bouton);
    void Quitter();
    // What the title window's unit page shows about the active unit.
    struct TEtatTitre {
        bool estSP5 = false;
        bool installeeEtPresente = false;
    };
    TEtatTitre etatPourTitre() const;

    // Hooks for the pieces that come later: the live values (TimerAcqDir), the
    // end of a run (TimerFinMesures) and the screen's own layout.
    std::function<void()> surTimerAcqDir;
    std::function<void()> surTimerFinMesures;
    std::function<void()> redimensionnementEcran;
    // The save command and the new experiment, asked for when closing with
    // unsaved measurements.
    std::function<void()> commandeEnregistrerRW3;
    std::function<void()> commandeRAZ;
    // The toolbar commands that other parts provide (new experiment, saving,
    // transfers, measurements, options), given the button clicked.
    std::function<void(QToolButton*)> commandeOutil;

    // --- Regions (public: the other parts of the program fill them) ---
    QFrame* PBoutons = nullptr;
    QFrame* panelParametres = nullptr;
    QLabel* LTitreParametres = nullptr;
    QToolButton* SBReduirePParametres = nullptr;
    QScrollArea* ScrollBoxParametres = nullptr;
    QFrame* PanelVoies = nullptr;
    QToolButton* SBReduirePVoies = nullptr;
    QScrollArea* ScrollBoxVoies = nullptr;
    QFrame* PanelEcranTab = nullptr;
    QSplitter* Splitter1 = nullptr;
    QWidget* PEcran = nullptr;
    QWidget* PTableau = nullptr;

    // Toolbar.
    QToolButton* SBNouveau = nullptr;
    QToolButton* SBenregistrerRW3 = nullptr;
    QToolButton* SBenregistrerTXT = nullptr;
    QToolButton* SBTransfertDirectREG = nullptr;
    QToolButton* SBTransfertDirectExcel = nullptr;
    QToolButton* SBtransfertDirectOOLO = nullptr;
    QToolButton* SBMesures = nullptr;
    QToolButton* SBVoirTableau = nullptr;
    QToolButton* SBOptions = nullptr;
    QToolButton* SBAproposDe = nullptr;
    QToolButton* SBGuide = nullptr;
    QToolButton* SBQuitter = nullptr;
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

    // Settings panel: time base, trigger, the two boxes and the Start button.
    QWidget* ContenuParametres = nullptr;
    QComboBox* CBDureeTotale = nullptr;
    QComboBox* CBNbPoints = nullptr;
    QPushButton* BAcquisition = nullptr;
    // --- Settings panels ---
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
    // --- end of settings panels ---

    // Channel panel.
    QWidget* ContenuVoies = nullptr;
    std::array<QGroupBox*, 4> GBCanaux {};
    std::array<QCheckBox*, 4> CBModeDiff {};
    std::array<TLigneVoie, 8> voies {};

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
    bool premiereAcq = true;
    bool PTableauVisible = false;
    bool enregistrerX = false;
    int modeBalayage = 0;
    bool modePermanent = false;
    bool optionEffaceTrame = false;
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

    // --- Settings panels ---
    // The channel, time-base and trigger panels mirror the active driver:
    // every change goes to the driver first, then the panels are refilled
    // from its fields. While the permanent mode runs, a change is only
    // recorded (typeSortieMP and the MP... arguments) for the frame loop.
    std::vector<std::string> listeDureesTotales;
    std::vector<std::string> listeNbPoints;
    void prepareCBTemporels(QComboBox* CBDureeTotale1, QComboBox* CBNbPts1);
    void prepareComposants();
    void prepareComposantsDeclenchement();
    void prepareCBVoieSynchro();
    void prepareCBAjouterCourbes();
    void PrepareComposantsIndicesUx();
    void afficheParametresT();
    void activeComposantsAcqPermanente();
    void desactiveComposantsAcqPermanente();
    void activeBoutonsOutils();
    void desactiveBoutonsOutils();
    void activeSBCentrales();
    void DesactiveSBCentrales();
    void setModepermanent(bool mp);
    // Clicks of the channel controls and of the +/- buttons.
    void Changements(QObject* sender);
    void activationVoie(int32_t voie1, bool active1);
    void activationModeDiff(int32_t voie1, bool actif1);
    void changeCalibre(int32_t voie1, int32_t calibre1);
    void changeTypeDecl(int32_t typeDecl1);
    void changeSensDecl(int32_t sensDecl1);
    void changeVoieSynchro(int32_t index1);
    void changePretrig(int32_t index1);
    void changeUSeuil(const std::string& s1);
    void changeNbPts(const std::string& s1);
    void ChangeDureeTotale(const std::string& s1);
    void RetourAcqPrecedente();
    // Trigger controls and the two boxes; the duration, points and
    // threshold boxes; the "Acquisition précédente" button.
    void RBMesuresPeriodiquesClick(QObject* sender);
    void CBDureeTotaleEnter(QObject* sender);
    void CBDureeTotaleChange(QObject* sender);
    void CBDureeTotaleSelect(QObject* sender);
    void EditNbPointsExit(QObject* sender);
    void SBRedRegVoiesClick(QObject* sender);
    // The live values of the inputs (TimerAcqDir).
    void TimerAcqDirTimer();
    // Entering and leaving a typed box (duration, points, threshold).
    void suitSaisie(QWidget* boite);

    bool bloque = false;
    bool bloqueExit = false;
    bool saisieManuelle = false;
    int CBDureeTotaleIndex = -1;
    int CBNbPointsIndex = -1;
    double AncDureeTotale = 0;
    int64_t AncNbPts0X = 0;
    int64_t AncNbPtsAff = 0;
    float AncUSeuilDecl = 0;
    bool pretrigActif = false;
    bool peutAjouter = false;
    // Input of each item of the trigger channel list.
    std::vector<int32_t> entreesVoieSynchro;
    // Pending change of the permanent mode and its arguments.
    int typeSortieMP1 = 0;
    int32_t MPEntree = 0, MPCalibre = 0, MPSensDecl = 0, MPPretrig = 0, MPTypeDecl = 0, MPVoieSynchro = 0;
    bool MPModeDiff = false, MPVoieActive = false;
    std::string MPDureeTotale, MPNbPts, MPUSeuil;

private:
    bool controlesDeclenchement() const;
    bool canalDifferentiel(int32_t canal) const;
    bool entreeReglable(int32_t voie) const;
    int indexVoieSynchro() const;
    float limiteSeuil() const;
    float seuilLimite(float u) const;
    void dessineLegendesVoies();
    void enregistreChangement(TTypeSortieMP code);
    void pasAPas(QObject* bouton);
    void apresChangementTemporel();
    bool acquisitionPrecedenteDifferente();
    void curseursAuxBornes();
    void zoomsAZero();
    void zoomsReappliques();
    void prepareCourbesDuRun();
    void redessineEcran(bool avecCourbes);
    void dessinePretrig();
    void nouveauPossible();
    void TimerRedimGeneTimer();
    bool saisieModifiee_ = false; // the typed box's text was edited since it was entered

public:
    // --- end of settings panels ---

    // --- Acquisition run ---
    // The measurements and the screen that draws them; the run, its end, and
    // the REGRESSI save command.
    TMesures mesures;
    TWidgetEcran* widgetEcran = nullptr;
    TEcran& ecran();
    // The general state: read by everyone, written only here.
    TModeGeneral modeGeneral() const { return MODEGENERAL; }
    void setModeGeneral(TModeGeneral MG1);
    void PrepareTV2();
    void setModeDessinVM();
    void BAcquisitionClick();
    void lanceAcquisition();
    void Acquisition();
    void RetourFIFOZero();
    void sortieNormaleMS();
    void enregistreRegressiRW3();
    // The New button: stops a run, offers to save, then a new experiment.
    void nouvelleExperience();
    // A new experiment: curves cleared, default settings (the table, when
    // it exists, may replace commandeRAZ with its own).
    void razExperience();
    TDrapeauxAcquisition drapeaux;   // stop, nouveauxParametres, typeSortieMP seen by the read loop
    TEtatEnregistrement etatEnregistrement; // numAcqDef, nomFichierREG
    bool ajouterLesCourbesX = false;
    int64_t ptFront = 0;
    int32_t idxPretrigListe = 0;
    QDateTime heureAcq;
    std::string sDateAcq0;
    std::string sdateAcqX;
    TFicheGVAttenteDeclAcq* FicheAttenteDecl = nullptr;
    // --- end of acquisition run ---

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    void FormDestroy();
    bool FormCloseQuery();
    void construitRegions();
    void construitPanneauParametres();
    void construitPanneauVoies();
    void construitBoutonsOutils();
    void construitBoutonsCentrales();
    void appliqueImagesBoutons();
    void choisitCentrale();
    void creeOuRecreeCentrale(int32_t type);
    void panneauVoiesVide();
    void panneauVoiesCentrale();
    void reduitPanneau(bool parametres);
    void TimerPresenceSP5Tick();
    void messageTitre(const QString& ligne);
    void lireReglages();
    void ecrireReglages();
    void nettoieFichiersTemporaires();
    void FormResize();
    void appliqueDisposition();
    // --- Acquisition run ---
    void construitEcran();
    void initialiseAcquisition();
    TBoucleAcquisition* boucleEnCours_ = nullptr;
    // --- end of acquisition run ---

    TModeGeneral MODEGENERAL = TModeGeneral::rienAcquis;
    TContexteGV contexte_;
    QImage feuilleBoutons_;
    int coteImagesBoutons_ = 0;
};

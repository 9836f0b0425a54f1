#pragma once
// The direct transfer to REGRESSI: the measurements written as a REGRESSI
// file in the documents folder, or added as a new page to the file handed
// over last time while REGRESSI still has it, and REGRESSI started on it.
// Also, at start-up, the program's entry in REGRESSI's list of acquisition
// programs and the REGRESSI executable to use.
//
// Everything is exchanged through files and the command line: a running
// REGRESSI is only seen in the process list.
#include "export/RegressiRW3.h"
#include "platform/RegistreUtilisateur.h"

#include <QString>

#include <memory>
#include <string>
#include <vector>

// The answer of the dialog that asks, when REGRESSI runs with the same
// series, whether to add a page or to start a new document.
enum class TChoixTransfertREG { Annuler, NouveauDocument, NouvellePage };

// What the command asks of the user and of the window; the window shows
// real dialogs, tests answer from a script.
class TInterfaceTransfertREG {
public:
    virtual ~TInterfaceTransfertREG() = default;
    // An information box with OK.
    virtual void information(const QString& texte) = 0;
    // A warning box with OK (a file that cannot be written).
    virtual void avertissement(const QString& texte) = 0;
    // The dialog "Transfert vers REGRESSI...", neither choice selected.
    virtual TChoixTransfertREG choixTransfert() = 0;
    // The open dialog for the REGRESSI executable; empty when cancelled.
    virtual QString demandeProgrammeRegressi(const QString& filtre, const QString& titre, const QString& dossier) = 0;
    virtual void curseurAttente(bool attente) = 0;
    // REGRESSI cannot be started: the toolbar button is disabled.
    virtual void desactiveBoutonTransfert() = 0;
    // Pending window messages, processed before REGRESSI starts.
    virtual void traiteMessages() = 0;
};

// The program's state the transfer reads and changes: two settings kept at
// exit, one read, the documents folder, and the list of files to delete at
// exit ("path||date").
struct TLiensTransfertREG {
    bool& versionRegressiDefaut;
    std::string& cheminREGRESSINonDefautX;
    const int& optionTransfertREGRESSI; // 0 new document, 1 new page, 3 ask each time
    const std::string& dossierDocuments;
    std::vector<std::string>& aSupprimer;
};

inline constexpr const char* kProcessusRegressi = "REGRESSI.EXE";
inline constexpr const char* kCleAcquisitionRegressi = "\\Software\\Regressi\\Acquisition";
inline constexpr const char* kCleSauvegardeRegressi = "\\Software\\Regressi\\Sauvegarde";
inline constexpr const char* kCleFormatRegressi = "\\Software\\Regressi\\Format";
inline constexpr int kPlacesAcquisitionRegressi = 6;

class TTransfertRegressi {
public:
    TTransfertRegressi(TLiensTransfertREG liens, std::unique_ptr<plateforme::TRegistreUtilisateur> registre);

    // --- At start-up, after the settings are read ---
    // Writes `cheminProgramme` into the first free of the six places of
    // REGRESSI's list, unless it is there already or all six are taken.
    void declareProgramme(const std::string& cheminProgramme);
    // Settles cheminOfficielREGRESSI and cheminRegressiUt from the settings.
    void chercheRegressi();

    // --- The toolbar command SBTransfertDirectREG ---
    void TransfertRegressiFichier(const TSourceRegressi& source, const std::string& sdateAcqX,
                                  TInterfaceTransfertREG& ui);

    // --- The options dialog applied ---
    // "par défaut", or the path it shows: a file named REGRESSI.EXE becomes
    // the REGRESSI in use, anything else gives the standard one. A REGRESSI
    // found so makes the transfer possible again. True when the REGRESSI in
    // use changed (paths compared without regard to case).
    bool appliqueChoixRegressi(bool parDefaut, const std::string& cheminAffiche);

    // False from a failed start of REGRESSI until a REGRESSI is chosen again:
    // the toolbar button must then stay disabled.
    bool transfertPossible() const { return transfertPossible_; }

    // A file that exists and is named REGRESSI.EXE, case ignored.
    static bool estRegressi(const std::string& chemin);

    std::string nfRegBase = "Acquisition GV";
    std::string nfRegAC;   // the file handed over last
    std::string dateRegAC; // its date and time as this program last wrote it
    int numFichierTR = 0;  // -1 after a frame acquisition
    std::string EnteteGrandeursREG;
    std::string AncEnteteGrandeursREG;
    std::string cheminOfficielREGRESSI;
    std::string cheminRegressiUt;
    bool premiereTentativeREG = true;

private:
    enum class TMode { NouveauDocument, NouvellePage };
    bool choisitMode(TInterfaceTransfertREG& ui, TMode& mode);
    bool fichierInchange() const;
    void prepareRegistreRegressi();
    void metValeurExistante(const char* cle, const char* nom, const char* valeur);
    bool nouveauDocumentREG(const TSourceRegressi& source, const std::string& sdateAcqX, TInterfaceTransfertREG& ui);
    bool nouvellePageREG(const TSourceRegressi& source, TInterfaceTransfertREG& ui);
    bool demarreRegressi(TInterfaceTransfertREG& ui);
    void echecDemarrage(TInterfaceTransfertREG& ui);
    QString dossierProgrammes() const;

    TLiensTransfertREG liens_;
    std::unique_ptr<plateforme::TRegistreUtilisateur> registre_;
    bool transfertPossible_ = true;
};

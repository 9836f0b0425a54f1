#pragma once
// The transfer of the measurements "to Excel" where Excel cannot be driven:
// a real workbook written in the documents folder, then opened with the
// desktop's program for it. The window provides its side of the common
// steps (state, timers, controls, progress bar) through THoteTransfertExcel.
#include "export/FeuilleGardee.h"

#include <QDateTime>
#include <QLocale>
#include <QString>

#include <string>
#include <vector>

class TMesures;
class QWidget;

struct TSourceClasseur {
    const TMesures* mesures = nullptr;
    QString nomCentrale;
    QDateTime heureAcq;  // end of the acquisition
    QString sDateAcq0;   // that instant, for the sheet's name
    QString sdateAcqX;   // the same with seconds, for the workbook's name
    QLocale locale;      // the user's date and time formats and decimal separator
};

// The window's side of the transfer.
class THoteTransfertExcel {
public:
    virtual ~THoteTransfertExcel() = default;
    // Start disabled, live values stopped, general state remembered and set
    // to 7 (closing refused), hourglass, acquisition controls disabled.
    virtual void debutTransfert() = 0;
    // The toolbar's message box.
    virtual void message(const QString& texte) = 0;
    // The progress bar (0..100), repainted, and pending messages processed
    // so that the window keeps answering.
    virtual void progression(int pourcent) = 0;
    // Start enabled, live values restarted, general state restored, controls
    // enabled, progress bar at 0, presence box visible, normal cursor.
    virtual void finTransfert() = 0;
    // Message boxes.
    virtual void information(const QString& texte) = 0;
    virtual void avertissement(const QString& texte) = 0;
    // The dialog TFicheGVMixteChoixTE: 0 a new workbook, 1 a new sheet, -1 Cancel.
    virtual int choixClasseurOuFeuille() = 0;
};

// The message boxes and the choice dialog of a real window; the window
// derives from it and adds its own steps.
class THoteTransfertExcelQt : public THoteTransfertExcel {
public:
    explicit THoteTransfertExcelQt(QWidget* fiche) : fiche_(fiche) {}
    void information(const QString& texte) override;
    void avertissement(const QString& texte) override;
    int choixClasseurOuFeuille() override;

private:
    QWidget* fiche_;
};

// Opens a file with the desktop's program for it; false when none did.
class TOuvreurDocuments {
public:
    virtual ~TOuvreurDocuments() = default;
    virtual bool ouvre(const QString& chemin) = 0;
};

class TOuvreurBureau : public TOuvreurDocuments {
public:
    bool ouvre(const QString& chemin) override;
};

inline const QString NomfichierTEMPEXCELBaseX = QStringLiteral("Acquisition GV vers EXCEL");

// What the transfers remember from one to the next.
struct TEtatTransfertExcel {
    int numFichierTE = 0;            // workbooks written
    QString NomfichierTEMPExcelXLSX; // full path of the last one
    std::string dateClasseur;        // its date and time when written
    std::vector<TFeuilleGardee> feuilles; // its sheets, to write it again with one more
};

// Where a transfer puts the measurements.
enum class TCibleClasseur { nouveauClasseur, nouvelleFeuille };

// The last workbook is there as written (same date and time) and not open
// in an office program (no lock file beside it): it may take a new sheet.
bool classeurReutilisable(const TEtatTransfertExcel& etat);

// The whole command (SBTransfertDirectExcel). optionTransfertEXCEL: 0 a new
// workbook, 1 a new sheet in the last workbook when it can take one, 3 ask
// when it can. The workbook is recorded in aSupprimer ("path||date").
// True when a workbook was written.
bool TransfertExcel(const TSourceClasseur& source, int optionTransfertEXCEL, const QString& dossierDocuments,
                    TEtatTransfertExcel& etat, std::vector<std::string>& aSupprimer, THoteTransfertExcel& hote,
                    TOuvreurDocuments& ouvreur);

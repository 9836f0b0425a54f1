#pragma once
// The REGRESSI data file: the whole file, the variant whose last 25 data
// lines are held back for the direct hand-over, and the page fragment that
// adds the measurements to a document already open in REGRESSI.
#include "export/SourceExport.h"

#include <QDateTime>
#include <QLocale>
#include <QString>
#include <QStringList>

#include <array>
#include <vector>

// Everything the texts are built from: the measurements (curves and green
// cursors) and what the unit, the settings and the clock add.
struct TSourceRegressi {
    const TMesures* mesures = nullptr;
    QString nomCentrale;
    std::vector<float> calibresEAStandard; // full scale of each calibre index, V
    QDateTime heureAcq;   // end of the acquisition
    QDateTime maintenant; // moment of saving
    int OptionCouleursRegressi = 0;
    QString cheminProgramme;
    QLocale locale; // the user's date and time formats and decimal separator
};

inline constexpr int kNbDernieresLignes = 25;
inline constexpr int kNbCourbesRegressiMax = 6;

struct TTexteRegressi {
    QStringList SL;
    std::array<QString, kNbDernieresLignes> sDerniereLigne;
};

// The whole file; with `derniereLigne` false the last 25 points go to
// sDerniereLigne in tab-separated form instead.
TTexteRegressi prepareSL(const TSourceRegressi& source, bool derniereLigne);
QStringList prepareSLPage(const TSourceRegressi& source);

// A series name as REGRESSI accepts it: without "[", "]", "{" and "}".
QString corrigeEnteteReg(const QString& entete1);

// The file name saved for a name chosen in the dialog: everything from the
// first "." of the file-name part is dropped, then ".rw3" is appended.
QString nomFichierRegressi(const QString& choisi);

// The proposed name: "Galvora " and the counter on at least 3 digits.
QString nomPropose(int numAcqDef);

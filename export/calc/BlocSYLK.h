#pragma once
// The values travel to the spreadsheet as SYLK text, one block of about 500
// cells at a time: the header block (rows 1 to 4) and blocks of B points.
// Records are built as UTF-8 text and converted to the system's code page,
// the one the office suite reads clipboard SYLK in.
#include "export/SourceExport.h"

#include <QDateTime>
#include <QLocale>

#include <cstdint>
#include <string>

// What the sheet is written from, beside the measurements.
struct TSourceCalc {
    const TMesures* mesures = nullptr;
    std::string nomCentrale;
    QDateTime heureAcq; // end of the acquisition
    QLocale locale;     // the user's date and time formats and decimal separator
};

// At most the first 500 curves go to the sheet.
inline constexpr int kNbCourbesCalcMax = 500;
int nombreCourbesCalc(const TMesures& mesures);

// Points per block, so that a block holds about 500 cells.
int64_t tailleBlocCalc(int nbVoiesMesurees);

// The four header rows: the acquisition sentence, the points sentence, the
// names and the units. Each record ends with CR LF.
std::string enregistrementsEnTete(const TSourceCalc& source, const TPlageExport& plage);

// Appends the records of point k, row `rang` of its block (from 1): the
// time in column 1, then the samples of the first `nv` curves.
void ajouteEnregistrementsPoint(std::string& sT, const TMesures& mesures, int64_t k, int64_t rang, int nv);

// UTF-8 text in the system's code page (unchanged when that is UTF-8).
std::string versPageCodeSysteme(const std::string& texteUtf8);

// The clipboard block: "ID;PSCALC3" CR LF, the records, eight double quotes,
// the bytes 0xEE 0xFE and a zero byte.
std::string blocPressePapiers(const std::string& sT);

#pragma once
// The text file of the measurements: a few lines saying what they are, then
// one line per point between the green cursors, in columns at least 15
// characters wide, numbers with "." whatever the user's separator.
#include <QDateTime>
#include <QLocale>
#include <QString>

class TMesures;

struct TSourceTexte {
    const TMesures* mesures = nullptr;
    QString versionProgramme; // "1.2.3.4"
    QString nomCentrale;
    QDateTime heureAcq; // end of the acquisition
    QLocale locale;     // the user's date and time formats
};

inline constexpr int kLargeurColonneTXT = 15;

// Nothing lies between the green cursors: the whole record ends before "t = 0".
bool intervalleSansValeurs(const TMesures& mesures);

// Writes the file (Windows-1252, CR LF, replacing an existing one only once
// it is complete). False, with the reason in `erreur`, when it cannot.
bool EnregistrerTXT(const TSourceTexte& source, const QString& nomfichierTXT, QString* erreur = nullptr);

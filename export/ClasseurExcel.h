#pragma once
// An Excel workbook of measurement sheets, written in constant memory: the
// rows of a sheet go to disk as they are given, so the memory used does not
// grow with the number of points. Each sheet has four header rows, formatted
// as the Excel transfer formats them, and the data from row 5 on, as numbers.
#include <QString>
#include <QStringList>

#include <cstdint>
#include <memory>

// What a sheet says above its data.
struct TEnteteFeuille {
    QString nom;      // of the sheet
    QString ligne1;   // who measured, and when
    QString ligne2;   // how many points over how long
    QStringList noms; // row 3: "t" and the curve names; row 4: "s" and "V" under each curve
};

inline constexpr int kLongueurMaxNomFeuille = 31;

// A sheet name a spreadsheet program accepts: without the characters it
// forbids, at most 31 characters, and different (case ignored) from the
// names in `existants`, by " (2)", " (3)"... when needed.
QString nomFeuilleValide(const QString& souhaite, const QStringList& existants);

class TClasseurExcel {
public:
    // The workbook is written to a temporary file beside `chemin`, which it
    // replaces only when complete.
    explicit TClasseurExcel(QString chemin);
    ~TClasseurExcel();
    TClasseurExcel(const TClasseurExcel&) = delete;
    TClasseurExcel& operator=(const TClasseurExcel&) = delete;

    bool ouvre();

    // A new sheet with its four header rows; the following rows go to it.
    bool ajouteFeuille(const TEnteteFeuille& entete);
    // The next data row: one value per column of the header; NaN leaves the
    // cell empty.
    void ligne(const double* valeurs, int nbValeurs);

    // Assembles the workbook and puts it in place of `chemin`.
    bool ferme();

    // Why the last operation failed.
    QString erreur() const { return erreur_; }

private:
    struct TPrive;
    std::unique_ptr<TPrive> d_;
    QString erreur_;
};

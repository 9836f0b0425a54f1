#pragma once
// The measurement table as a Qt model over the measurements: one row per
// point shown, column 0 the point number, column 1 the time, column 2 + i
// curve i. No text is stored: each cell's text is written when the view
// asks for it. The three header rows are the header data of each column.
#include "display/TextesTableau.h"
#include "mesures/TMesures.h"

#include <QAbstractTableModel>
#include <string>
#include <vector>

// What the grid was filled from: its size, its headings and the time base
// of its time column. The samples themselves are read from the
// measurements when a cell is shown.
struct TContenuTableau {
    int64_t N = 0; // points shown
    int NC = 0;    // curves
    TUniteTemps uniteT {1.0, "s"};
    double dtAX = 0;
    double t0 = 0;
    std::vector<std::string> sEnteteVM;
    std::vector<std::string> sUniteVM;
    std::vector<float> multVM;
};

class TModeleTableau : public QAbstractTableModel {
    Q_OBJECT
public:
    // The header rows 0 and 1 of a column (row 2 holds the delete mark).
    enum TRoleEntete { roleLigneTitre = Qt::UserRole + 1, roleLigneUnite };
    // The short mark of the top left cell.
    static constexpr const char* marqueCoin = "n°";

    explicit TModeleTableau(const TMesures& mesures, QObject* parent = nullptr);

    // The grid takes the measurements as they are now.
    void remplit();
    const TContenuTableau& contenu() const { return contenu_; }
    const TMesures& mesures() const { return mesures_; }

    // The text of a data cell; empty when the point or the curve is gone.
    QString texteCellule(int colonne, int64_t k) const;
    // The texts of header rows 0 and 1 of a column.
    QString texteTitre(int colonne) const;
    QString texteUnite(int colonne) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    const TMesures& mesures_;
    TContenuTableau contenu_;
};

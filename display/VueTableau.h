#pragma once
// The measurement table beside the screen: the panel PTableau holding the
// grid SGMesures (a table view over TModeleTableau, drawn by
// TDelegueTableau under the three rows of TEnteteTableau). Filling it
// (MAJTableau) takes the measurements' size, headings and time unit and sets
// the rows' heights and the columns' widths at the window's scale; the cell
// texts are written only for the cells shown.
//
// Use: TPanneauTableau t(mesures); t.surSuppression = ...;
//      t.MAJTableauFaite = false; t.MAJTableau(coDimV) after each change of
//      the curves or the cursors; setMaximumWidth(t.largeurMaximale(...)).
#include <QFrame>
#include <QTableView>
#include <functional>

class TDelegueTableau;
class TEnteteTableau;
class TMesures;
class TModeleTableau;

// The grid: no cell is ever selected, a click only gives it the focus; the
// keys move the focused cell, so that the table can be read from the
// keyboard and by assistive technology, and Delete on a curve's cell asks to
// delete that series as its delete mark does.
class TVueTableau : public QTableView {
    Q_OBJECT
public:
    explicit TVueTableau(QWidget* parent = nullptr);

    // Delete pressed on a cell of curve column `colonne` (>= 2).
    std::function<void(int colonne)> surSuppression;

    // The model filled again by `remplit`, the scrolling position and the
    // focused cell kept.
    void recharge(const std::function<void()>& remplit);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

// Sizes of the grid at one scale K (coDimV).
struct TDimensionsTableau {
    int hauteurLigne = 18;              // data rows: round(18 K)
    int hauteursEntete[3] = {20, 18, 18}; // round(20 K), round(18 K), round(18 K)
    int largeurColonne0 = 0;            // max("Unités", nbPtsAX) + 3
    int largeurColonne1 = 0;            // "9,99999"
    int w = 0;                          // widest series name
    int NC = 0;
};

class TPanneauTableau : public QFrame {
    Q_OBJECT
public:
    explicit TPanneauTableau(const TMesures& mesures, QWidget* parent = nullptr);

    // The grid's content is up to date: MAJTableau does nothing.
    bool MAJTableauFaite = false;
    // Fills the grid when it is not up to date, or when the window's scale
    // changed since (its sizes follow it); nothing without points or
    // curves. True when it filled.
    bool MAJTableau(float coDimV);

    // The widest the panel may be inside a screen-and-table panel that wide:
    // the columns' width with a margin, and what the splitter accepts
    // (column count × the default column width + 60, leaving the screen
    // 180 pixels at the scale coDIMH). The limits of the last filling.
    int largeurMaximale(int largeurEcranTab, float coDIMH) const;

    // A click released on the delete mark of a curve column.
    std::function<void(int colonne)> surSuppression;

    TVueTableau* SGMesures = nullptr;
    TModeleTableau* modele() const { return modele_; }
    TEnteteTableau* entete() const { return entete_; }
    const TDimensionsTableau& dimensions() const { return dimensions_; }

private:
    void appliqueDimensions();

    const TMesures& mesures_;
    TModeleTableau* modele_ = nullptr;
    TDelegueTableau* delegue_ = nullptr;
    TEnteteTableau* entete_ = nullptr;
    TDimensionsTableau dimensions_;
    float K_ = 0;
    bool rempli_ = false;
};

// The grid's sizes for these headings at the scale K.
TDimensionsTableau calculeDimensionsTableau(const TModeleTableau& modele, int64_t nbPtsAX, float K);

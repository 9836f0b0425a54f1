#pragma once
// The three fixed header rows of the measurement table, drawn as one
// horizontal header: row 0 the names (u[EA0] with EA0 lowered), row 1 the
// units, row 2 the delete mark of each curve column. A click released on
// the mark asks for that series to be deleted.
#include <QHeaderView>
#include <array>
#include <functional>

class TEnteteTableau : public QHeaderView {
    Q_OBJECT
public:
    explicit TEnteteTableau(QWidget* parent = nullptr);

    // Heights of the three rows and the window's scale of the fonts.
    void setDimensions(const std::array<int, 3>& hauteurs, float K);
    const std::array<int, 3>& hauteurs() const { return hauteurs_; }
    // Header row under the point y of the header, -1 below the three rows.
    int ligneA(int y) const;

    // A click released on row 2 of a curve column (column >= 2).
    std::function<void(int colonne)> surSuppression;

    QSize sizeHint() const override;

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void dessineTitre(QPainter& p, const QRect& cellule, int colonne) const;
    void dessineUnite(QPainter& p, const QRect& cellule, int colonne) const;

    std::array<int, 3> hauteurs_ {20, 18, 18};
    float K_ = 1.0f;
};

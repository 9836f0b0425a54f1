#pragma once
// Draws the data cells of the measurement table: column 0 in the header
// look, the others white or tinted when their point lies between the green
// cursors (read from the measurements at every repaint, so the band follows
// the cursors), then the cell's text centred.
#include <QFont>
#include <QStyledItemDelegate>

class TMesures;

class TDelegueTableau : public QStyledItemDelegate {
public:
    TDelegueTableau(const TMesures& mesures, QObject* parent = nullptr);

    // The window's scale of the fonts.
    void setCoefficient(float K);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    const TMesures& mesures_;
    QFont police_;
};

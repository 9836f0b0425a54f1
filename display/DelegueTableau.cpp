#include "display/DelegueTableau.h"

#include "display/DessinTableau.h"
#include "display/TextesTableau.h"
#include "mesures/TMesures.h"

#include <QPainter>

TDelegueTableau::TDelegueTableau(const TMesures& mesures, QObject* parent)
    : QStyledItemDelegate(parent), mesures_(mesures), police_(policeTableau(11, false, 1.0f))
{
}

void TDelegueTableau::setCoefficient(float K)
{
    police_ = policeTableau(11, false, K);
}

void TDelegueTableau::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    QPainter& p = *painter;
    const QRect& cellule = option.rect;
    p.save();
    p.setClipRect(cellule);
    if (index.column() == 0) {
        dessineAspectEntete(p, cellule);
    } else {
        const TBandeCurseurs bande = bandeCurseurs(mesures_.t0, mesures_.tFin, mesures_.dtAX);
        dessineFondDonnee(p, cellule, bande.contient(index.row()));
        if (option.state & QStyle::State_HasFocus)
            dessineFocus(p, cellule);
    }
    p.setFont(police_);
    p.setPen(Qt::black);
    ecritCentre(p, cellule, index.data().toString());
    p.restore();
}

QSize TDelegueTableau::sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const
{
    // Sizes are the grid's own (row heights and column widths), never the
    // texts'.
    return {};
}

#include "display/EnteteTableau.h"

#include "display/DessinTableau.h"
#include "display/EcritAvecExposant.h"
#include "display/ModeleTableau.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

TEnteteTableau::TEnteteTableau(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setSectionsMovable(false);
    setHighlightSections(false);
    setStretchLastSection(false);
    setMinimumSectionSize(1);
    setAccessibleName(QStringLiteral("En-têtes du tableau de mesures"));
}

void TEnteteTableau::setDimensions(const std::array<int, 3>& hauteurs, float K)
{
    hauteurs_ = hauteurs;
    K_ = K;
    updateGeometry();
    emit geometriesChanged();
    viewport()->update();
}

int TEnteteTableau::ligneA(int y) const
{
    int haut = 0;
    for (int ligne = 0; ligne < 3; ++ligne) {
        if (y >= haut && y < haut + hauteurs_[std::size_t(ligne)])
            return ligne;
        haut += hauteurs_[std::size_t(ligne)];
    }
    return -1;
}

QSize TEnteteTableau::sizeHint() const
{
    return {QHeaderView::sizeHint().width(), hauteurs_[0] + hauteurs_[1] + hauteurs_[2]};
}

void TEnteteTableau::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QPainter& p = *painter;
    int haut = rect.top();
    for (int ligne = 0; ligne < 3; ++ligne) {
        const QRect cellule(rect.left(), haut, rect.width(), hauteurs_[std::size_t(ligne)]);
        haut += cellule.height();
        p.save();
        p.setClipRect(cellule);
        dessineAspectEntete(p, cellule);
        p.setPen(Qt::black);
        if (ligne == 0)
            dessineTitre(p, cellule, logicalIndex);
        else if (ligne == 1)
            dessineUnite(p, cellule, logicalIndex);
        else if (logicalIndex >= 2)
            dessineImageSuppression(p, cellule);
        p.restore();
    }
}

void TEnteteTableau::dessineTitre(QPainter& p, const QRect& cellule, int colonne) const
{
    const QString titre = model() ? model()->headerData(colonne, Qt::Horizontal, TModeleTableau::roleLigneTitre).toString()
                                  : QString();
    if (colonne == 0) {
        p.setFont(policeTableau(8, false, K_));
        ecritEnBasADroite(p, cellule, titre);
        return;
    }
    const QFont police = policeTableau(12, true, K_);
    p.setFont(police);
    if (colonne == 1) {
        ecritCentre(p, cellule, titre);
        return;
    }
    // Brackets lower the input's name, as on the screen.
    const std::string nom = titre.toStdString();
    const QFontMetrics fm(police);
    const int marge = fm.height() / 4;
    const QPoint o = origineCentree(cellule, largeurAvecExposant(police, nom) + 2 * marge, fm.height());
    ecritAvecExposant(p, o.x(), o.y(), 0, 0, ancrageHautGauche, effetAucun, 0, couleursTableau().clfdSGTitre,
                      couleurAbsente, nom);
}

void TEnteteTableau::dessineUnite(QPainter& p, const QRect& cellule, int colonne) const
{
    p.setFont(policeTableau(colonne == 0 ? 8 : 10, true, K_));
    const QString unite = model() ? model()->headerData(colonne, Qt::Horizontal, TModeleTableau::roleLigneUnite).toString()
                                  : QString();
    ecritCentre(p, cellule, unite);
}

void TEnteteTableau::mouseReleaseEvent(QMouseEvent* event)
{
    QHeaderView::mouseReleaseEvent(event);
    const QPoint point = event->position().toPoint();
    const int colonne = logicalIndexAt(point);
    if (ligneA(point.y()) == 2 && colonne >= 2 && surSuppression)
        surSuppression(colonne);
}

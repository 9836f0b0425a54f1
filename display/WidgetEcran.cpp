#include "display/WidgetEcran.h"

#include <QMouseEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

TImageEcran::TImageEcran(TEcran& ecran, QWidget* parent) : QWidget(parent), ecran_(ecran)
{
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TImageEcran::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.drawImage(0, 0, ecran_.iEcranX);
}

void TImageEcran::mousePressEvent(QMouseEvent* event)
{
    QPoint pos = event->position().toPoint();
    TBoutonSouris bouton = event->button() == Qt::RightButton ? TBoutonSouris::droit : TBoutonSouris::gauche;
    ecran_.sourisEnfoncee(bouton, pos.x(), pos.y());
}

void TImageEcran::mouseMoveEvent(QMouseEvent* event)
{
    QPoint pos = event->position().toPoint();
    ecran_.sourisDeplacee(pos.x(), pos.y(), event->buttons() & Qt::LeftButton);
}

void TImageEcran::mouseReleaseEvent(QMouseEvent*)
{
    ecran_.sourisRelachee();
}

namespace {

QToolButton* boutonZoom(const QString& texte, const char* nom, const char* bulle, QWidget* parent)
{
    auto* b = new QToolButton(parent);
    b->setText(texte);
    b->setObjectName(QString::fromUtf8(nom));
    b->setToolTip(QString::fromUtf8(bulle));
    b->setAccessibleName(QString::fromUtf8(bulle).trimmed());
    b->setAutoRaise(false);
    return b;
}

} // namespace

TWidgetEcran::TWidgetEcran(QWidget* parent) : QWidget(parent)
{
    image_ = new TImageEcran(ecran_, this);
    PanelSBH = new QWidget(this);
    PanelSBV = new QWidget(this);
    SBZoomMoinsH = boutonZoom("-", "SBZoomMoinsH", "Reduire le zoom horizontal", PanelSBH);
    SBZoomPlusH = boutonZoom("+", "SBZoomPlusH", "Augmenter le zoom horizontal", PanelSBH);
    SBHor = new QScrollBar(Qt::Horizontal, PanelSBH);
    SBZoomPlusV = boutonZoom("+", "SBZoomPlusV", "Augmenter le zoom vertical", PanelSBV);
    SBZoomMoinsV = boutonZoom("-", "SBZoomMoinsV", "Reduire le zoom vertical ", PanelSBV);
    SBVert = new QScrollBar(Qt::Vertical, PanelSBV);

    connect(SBZoomPlusH, &QToolButton::clicked, this, [this] { ecran_.zoomHorizontal(1); });
    connect(SBZoomMoinsH, &QToolButton::clicked, this, [this] { ecran_.zoomHorizontal(-1); });
    connect(SBZoomPlusV, &QToolButton::clicked, this, [this] { ecran_.zoomVertical(1); });
    connect(SBZoomMoinsV, &QToolButton::clicked, this, [this] { ecran_.zoomVertical(-1); });
    // Only the end of a scroll redraws: the release of the thumb, or a
    // click on the arrows or the track.
    for (QScrollBar* barre : {SBHor, SBVert}) {
        connect(barre, &QScrollBar::sliderReleased, this, [this, barre] { finDefilement(barre); });
        connect(barre, &QScrollBar::valueChanged, this, [this, barre](int) {
            if (!barre->isSliderDown())
                finDefilement(barre);
        });
    }
    ecran_.surRepeint = [this] { image_->update(); };
    ecran_.surEtatBarres = [this] { MAJBarres(); };
    disposition();
}

void TWidgetEcran::finDefilement(QScrollBar* barre)
{
    if (bloque_)
        return;
    ecran_.finDefilement(barre == SBHor, barre->value());
}

void TWidgetEcran::setCoefficientsTaille(float coDIMH, float coDimV)
{
    ecran_.setCoefficientsTaille(coDIMH, coDimV);
    disposition();
}

void TWidgetEcran::MAJBarres()
{
    const TGeometrieEcran& g = ecran_.geometrie;
    bloque_ = true;
    auto copie = [](QScrollBar* barre, const TBarreDefilement& etat) {
        barre->setRange(etat.Min, etat.Max);
        barre->setPageStep(etat.LargeChange);
        barre->setSingleStep(etat.SmallChange);
        barre->setValue(etat.Position);
        barre->setEnabled(etat.Enabled);
    };
    copie(SBHor, g.SBHor);
    copie(SBVert, g.SBVert);
    SBZoomPlusH->setEnabled(g.boutonsZoom.plusH);
    SBZoomMoinsH->setEnabled(g.boutonsZoom.moinsH);
    SBZoomPlusV->setEnabled(g.boutonsZoom.plusV);
    SBZoomMoinsV->setEnabled(g.boutonsZoom.moinsV);
    bloque_ = false;
}

void TWidgetEcran::resizeEvent(QResizeEvent*)
{
    disposition();
}

void TWidgetEcran::disposition()
{
    const float coDimV = ecran_.geometrie.coDimV;
    const int epaisseur = static_cast<int>(std::nearbyint(16 * coDimV));
    const int cote = static_cast<int>(std::nearbyint(14 * coDimV)) + 2;
    QFont police = font();
    police.setPixelSize(std::max(6, static_cast<int>(13 * coDimV)));
    for (QToolButton* b : {SBZoomMoinsH, SBZoomPlusH, SBZoomPlusV, SBZoomMoinsV}) {
        b->setFont(police);
        b->setFixedSize(cote, cote);
    }
    const int larg = std::max(width() - epaisseur, 40);
    const int haut = std::max(height() - epaisseur, 40);
    PanelSBH->setGeometry(0, haut, larg, epaisseur);
    SBZoomMoinsH->move(0, 0);
    SBZoomPlusH->move(cote, 0);
    SBHor->setGeometry(2 * cote, 1, std::max(larg - 2 * cote, 10), epaisseur - 1);
    PanelSBV->setGeometry(larg, 0, epaisseur, haut);
    SBZoomPlusV->move(0, 0);
    SBZoomMoinsV->move(0, cote);
    SBVert->setGeometry(0, 2 * cote, epaisseur, std::max(haut - 2 * cote, 10));
    image_->setGeometry(0, 0, larg, haut);
    if (ecran_.iEcranX.width() != larg || ecran_.iEcranX.height() != haut || ecran_.geometrie.larT != larg)
        ecran_.redimensionnementEcran(larg, haut);
    MAJBarres();
}

#include "display/VueTableau.h"

#include "display/DelegueTableau.h"
#include "display/DessinTableau.h"
#include "display/EnteteTableau.h"
#include "display/ModeleTableau.h"
#include "mesures/TMesures.h"
#include "model/UniteMath.h"

#include <QApplication>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

// The grid's columns are this wide unless set otherwise; the splitter's
// limit counts them so.
constexpr int largeurColonneParDefaut = 64;
// Above this many values, filling shows the hourglass.
constexpr int64_t valeursSansSablier = 3000;

// The hourglass while the grid is filled, restored whatever happens.
class TSablier {
public:
    explicit TSablier(bool actif) : actif_(actif)
    {
        if (actif_)
            QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~TSablier()
    {
        if (actif_)
            QApplication::restoreOverrideCursor();
    }
    TSablier(const TSablier&) = delete;
    TSablier& operator=(const TSablier&) = delete;

private:
    bool actif_;
};

int aLEchelle(int taille, float K)
{
    return std::max(arrondiEntier(static_cast<long double>(taille) * K), 1);
}

} // namespace

// ---- The grid -----------------------------------------------------------------------

TVueTableau::TVueTableau(QWidget* parent) : QTableView(parent)
{
    setObjectName(QStringLiteral("SGMesures"));
    setAccessibleName(QStringLiteral("Tableau de mesures"));
    setShowGrid(false);
    setSelectionMode(QAbstractItemView::NoSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    setTabKeyNavigation(false);
    setFocusPolicy(Qt::StrongFocus);
    verticalHeader()->hide();
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setMinimumSectionSize(1);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    setPalette(p);
}

void TVueTableau::recharge(const std::function<void()>& remplit)
{
    const int v = verticalScrollBar()->value();
    const int h = horizontalScrollBar()->value();
    const QModelIndex avant = currentIndex();
    remplit();
    executeDelayedItemsLayout();
    // The focused cell stays where it was; at first, the first point's time.
    QAbstractItemModel* m = model();
    if (m && m->rowCount() > 0 && m->columnCount() > 1) {
        const int ligne = std::clamp(avant.isValid() ? avant.row() : 0, 0, m->rowCount() - 1);
        const int colonne = std::clamp(avant.isValid() ? avant.column() : 1, 0, m->columnCount() - 1);
        // Set without scrolling to it, now or when the grid is shown: the
        // scrolling stays the user's.
        const bool defilement = hasAutoScroll();
        setAutoScroll(false);
        selectionModel()->setCurrentIndex(m->index(ligne, colonne), QItemSelectionModel::NoUpdate);
        setAutoScroll(defilement);
    }
    verticalScrollBar()->setValue(v);
    horizontalScrollBar()->setValue(h);
}

void TVueTableau::keyPressEvent(QKeyEvent* event)
{
    const int colonne = currentIndex().column();
    if (event->key() == Qt::Key_Delete && event->modifiers() == Qt::NoModifier && colonne >= 2) {
        event->accept();
        if (surSuppression)
            surSuppression(colonne);
        return;
    }
    QTableView::keyPressEvent(event);
}

// A cell is never selected (SGMesuresSelectCell): the mouse only gives the
// grid the focus.
void TVueTableau::mousePressEvent(QMouseEvent* event)
{
    setFocus(Qt::MouseFocusReason);
    event->accept();
}

void TVueTableau::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
}

void TVueTableau::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
}

void TVueTableau::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
}

// ---- The panel ----------------------------------------------------------------------

TPanneauTableau::TPanneauTableau(const TMesures& mesures, QWidget* parent) : QFrame(parent), mesures_(mesures)
{
    setObjectName(QStringLiteral("PTableau"));
    modele_ = new TModeleTableau(mesures, this);
    delegue_ = new TDelegueTableau(mesures, this);
    SGMesures = new TVueTableau(this);
    entete_ = new TEnteteTableau(SGMesures);
    SGMesures->setHorizontalHeader(entete_);
    SGMesures->setModel(modele_);
    SGMesures->setItemDelegate(delegue_);
    const auto demandeSuppression = [this](int colonne) {
        if (surSuppression)
            surSuppression(colonne);
    };
    entete_->surSuppression = demandeSuppression;
    SGMesures->surSuppression = demandeSuppression;
    auto* disposition = new QVBoxLayout(this);
    disposition->setContentsMargins(0, 0, 0, 0);
    disposition->addWidget(SGMesures);
}

bool TPanneauTableau::MAJTableau(float coDimV)
{
    if (MAJTableauFaite && coDimV == K_)
        return false;
    if (mesures_.nbPtsAffAX <= 0 || mesures_.nbVoiesMesurees <= 0)
        return false;
    TSablier sablier(int64_t(mesures_.nbVoiesMesurees) * mesures_.nbPtsAX > valeursSansSablier);
    K_ = coDimV;
    delegue_->setCoefficient(K_);
    SGMesures->verticalHeader()->setDefaultSectionSize(aLEchelle(18, K_));
    SGMesures->recharge([this] {
        modele_->remplit();
        dimensions_ = calculeDimensionsTableau(*modele_, mesures_.nbPtsAX, K_);
        appliqueDimensions();
    });
    rempli_ = true;
    MAJTableauFaite = true;
    return true;
}

void TPanneauTableau::appliqueDimensions()
{
    const TDimensionsTableau& d = dimensions_;
    entete_->setDimensions({d.hauteursEntete[0], d.hauteursEntete[1], d.hauteursEntete[2]}, K_);
    entete_->resizeSection(0, d.largeurColonne0);
    entete_->resizeSection(1, d.largeurColonne1);
    for (int i = 0; i < d.NC; ++i)
        entete_->resizeSection(2 + i, d.w + 10);
}

int TPanneauTableau::largeurMaximale(int largeurEcranTab, float coDIMH) const
{
    if (!rempli_)
        return QWIDGETSIZE_MAX;
    const TDimensionsTableau& d = dimensions_;
    const int colonnes = d.largeurColonne0 + d.largeurColonne1 + d.NC * (d.w + 6) + 50;
    const int separateur = std::min((d.NC + 2) * largeurColonneParDefaut + 60,
                                    largeurEcranTab - static_cast<int>(std::trunc(180 * coDIMH)));
    return std::max(std::min({colonnes, largeurEcranTab - 150, separateur}), 0);
}

TDimensionsTableau calculeDimensionsTableau(const TModeleTableau& modele, int64_t nbPtsAX, float K)
{
    TDimensionsTableau d;
    d.hauteurLigne = aLEchelle(18, K);
    d.hauteursEntete[0] = aLEchelle(20, K);
    d.hauteursEntete[1] = aLEchelle(18, K);
    d.hauteursEntete[2] = aLEchelle(18, K);
    const QFontMetrics fm(policeTableau(14, true, K));
    const TContenuTableau& c = modele.contenu();
    d.NC = c.NC;
    for (const std::string& nom : c.sEnteteVM)
        d.w = std::max(d.w, fm.horizontalAdvance(QString::fromStdString(nom)));
    d.largeurColonne0 = std::max(fm.horizontalAdvance(QStringLiteral("Unités")),
                                 fm.horizontalAdvance(QString::number(nbPtsAX))) +
                        3;
    d.largeurColonne1 = fm.horizontalAdvance(QStringLiteral("9,99999"));
    return d;
}

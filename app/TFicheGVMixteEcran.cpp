// The graduated screen inside the main window: its creation and layout, the
// keys that start and stop a run or move between the settings, the wheel
// over the channel panel, and the on-screen measurement panel.
#include "app/TFicheGVMixte.h"

#include "display/Clavier.h"
#include "display/PanelMesuresSurEcran.h"
#include "model/TCentrale.h"

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QWheelEvent>
#include <QTimer>
#include <QToolButton>

namespace {

std::array<TColor, 8> couleursEcran(const gv::TCouleursVoies& clsVX)
{
    std::array<TColor, 8> couleurs {};
    for (std::size_t v = 0; v < couleurs.size(); ++v)
        couleurs[v] = static_cast<TColor>(clsVX[v]);
    return couleurs;
}

// The settings controls reached with Enter, by object name.
const std::pair<TControleSaisie, const char*> nomsControles[] = {
    {TControleSaisie::CBDureeTotale, "CBDureeTotale"},
    {TControleSaisie::CBNbPoints, "CBNbPoints"},
    {TControleSaisie::CBTypeDeclenchement, "CBTypeDeclenchement"},
    {TControleSaisie::RGSensDeclenchement, "RGSensDeclenchement"},
    {TControleSaisie::CBVoieSynchro, "CBVoieSynchro"},
    {TControleSaisie::EditUSeuilDecl, "EditUSeuilDecl"},
    {TControleSaisie::CBPretrigX, "CBPretrigX"},
};

// F10 and Escape act as the Start/Stop button; Enter in a settings control
// moves to the next one. Filters the application's key presses that reach
// one of the window's widgets.
class TFiltreClavier : public QObject {
public:
    explicit TFiltreClavier(TFicheGVMixte& fiche) : QObject(&fiche), fiche_(fiche) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::KeyPress)
            return false;
        auto* widget = qobject_cast<QWidget*>(objet);
        if (!widget || (widget != &fiche_ && !fiche_.isAncestorOf(widget)))
            return false;
        const auto* touche = static_cast<QKeyEvent*>(evenement);
        switch (touche->key()) {
        case Qt::Key_F10:
        case Qt::Key_Escape: {
            const TToucheEcran t = touche->key() == Qt::Key_F10 ? TToucheEcran::f10 : TToucheEcran::echap;
            auto* demarrer = fiche_.findChild<QPushButton*>(QStringLiteral("BAcquisition"));
            if (!toucheDemarreArrete(t, fiche_.modeGeneral()) || !demarrer || !demarrer->isEnabled())
                return false;
            fiche_.BAcquisitionClick();
            return true;
        }
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return suivant(widget);
        default:
            return false;
        }
    }

private:
    QWidget* controle(TControleSaisie c) const
    {
        for (const auto& [code, nom] : nomsControles)
            if (code == c)
                return fiche_.findChild<QWidget*>(QString::fromUtf8(nom));
        return nullptr;
    }

    bool suivant(QWidget* widget)
    {
        // An editable list's text box belongs to the list.
        for (QWidget* w = widget; w && w != &fiche_; w = w->parentWidget()) {
            for (const auto& [code, nom] : nomsControles) {
                if (w->objectName() != QLatin1String(nom))
                    continue;
                QWidget* sens = controle(TControleSaisie::RGSensDeclenchement);
                QWidget* pretrig = controle(TControleSaisie::CBPretrigX);
                const TControleSaisie apres = suivantParEntree(code, sens && sens->isEnabled(),
                                                               pretrig && pretrig->isEnabled());
                QWidget* cible = apres == TControleSaisie::aucun ? nullptr : controle(apres);
                // The box first takes Enter as its own (a typed value is
                // applied), then the focus moves on.
                if (cible)
                    QTimer::singleShot(0, cible, [cible] { cible->setFocus(Qt::TabFocusReason); });
                return false;
            }
        }
        return false;
    }

    TFicheGVMixte& fiche_;
};

// The wheel over the inputs' scroll box moves it by the channel panel's
// height div 20 per step, up for a step away from the user.
class TMoletteVoies : public QObject {
public:
    TMoletteVoies(QScrollArea* boite, QWidget* panneau) : QObject(boite), boite_(boite), panneau_(panneau) {}

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override
    {
        if (evenement->type() != QEvent::Wheel)
            return QObject::eventFilter(objet, evenement);
        // Fine-grained wheels send parts of a step: they add up.
        angle_ += static_cast<QWheelEvent*>(evenement)->angleDelta().y();
        const int crans = angle_ / 120;
        angle_ -= crans * 120;
        QScrollBar* barre = boite_->verticalScrollBar();
        if (crans != 0)
            barre->setValue(positionApresMolette(barre->value(), panneau_->height(), crans));
        return true;
    }

private:
    QScrollArea* boite_;
    QWidget* panneau_;
    int angle_ = 0;
};

} // namespace

void TFicheGVMixte::construitEcran()
{
    widgetEcran = new TWidgetEcran;
    widgetEcran->setObjectName(QStringLiteral("PEcran"));
    TEcran& e = widgetEcran->ecran();
    e.setMesures(&mesures);
    e.setEtatGeneral(&MODEGENERAL);
    // surRepeint stays the widget's own: it repaints the image.
    e.surLectures = [this] {
        EditSerieP->setText(QString::fromStdString(ecran().EditSerieP));
        EditPointP->setText(QString::fromStdString(ecran().EditPointP));
        if (PanelMesuresSurEcran && PanelMesuresSurEcran->isVisible())
            PanelMesuresSurEcran->MAJLectures();
    };
    e.surAxeQuadrille = [this](int) {
        if (PanelMesuresSurEcran && PanelMesuresSurEcran->isVisible())
            PanelMesuresSurEcran->MAJLectures();
    };
    PanelMesuresSurEcran = new TPanelMesuresSurEcran(e, PanelEcranTab);
    PanelMesuresSurEcran->hide();
    connect(PanelMesuresSurEcran->BFermerMesuresSurEcran, &QPushButton::clicked, this, [this] { fermeMesures(); });
    remplaceEcran(widgetEcran);
    qApp->installEventFilter(new TFiltreClavier(*this));
    ScrollBoxVoies->viewport()->installEventFilter(new TMoletteVoies(ScrollBoxVoies, PanelVoies));
}

void TFicheGVMixte::redimensionnementEcran()
{
    if (!widgetEcran)
        return;
    ecran().setCouleurs(couleursEcran(reglages.clsVX));
    widgetEcran->setCoefficientsTaille(disposition.coDIMH, disposition.coDimV);
}

// ---- The on-screen measurement panel -------------------------------------------

void TFicheGVMixte::commandeMesures()
{
    if (!bouton(TBoutonOutil::mesures)->isChecked()) {
        fermeMesures();
        return;
    }
    QToolButton* tableau = bouton(TBoutonOutil::voirTableau);
    if (tableau->isChecked())
        tableau->click();
    controleur_.desactiveComposantsAcqSimple();
    controleur_.changeActivations([](TActivations& a) {
        a.outil(TBoutonOutil::mesures) = true;
        a.demarrer = false;
    });
    setModeGeneral(TModeGeneral::mesuresSurEcran);
    // Over the top right corner of the graph, clear of the cursor at its
    // left edge.
    const TGeometrieEcran& g = ecran().geometrie;
    PanelMesuresSurEcran->adjustSize();
    PanelMesuresSurEcran->move(PEcran->mapTo(
        PanelEcranTab, QPoint(std::max(g.droiteGraphe() - PanelMesuresSurEcran->width() - 12, 0), g.mSup + 12)));
    PanelMesuresSurEcran->show();
    PanelMesuresSurEcran->raise();
    // The axes listed, the grid axis chosen, the red levels at ±90 % of its
    // calibre, the screen redrawn and the read-outs shown.
    ecran().ouvreMesures();
    PanelMesuresSurEcran->MAJAxes();
    ecran().geometrie.activerZooms();
    widgetEcran->MAJBarres();
}

void TFicheGVMixte::fermeMesures()
{
    bouton(TBoutonOutil::mesures)->setChecked(false);
    PanelMesuresSurEcran->hide();
    controleur_.activeComposantsAcqSimple();
    controleur_.changeActivations([](TActivations& a) { a.demarrer = true; });
    setModeGeneral(TModeGeneral::acquisitionFinie);
    ecran().fermeMesures();
    widgetEcran->MAJBarres();
}

TEcran& TFicheGVMixte::ecran()
{
    return widgetEcran->ecran();
}


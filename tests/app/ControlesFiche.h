#pragma once
// The main window's controls as a user finds them: by the names they carry
// (their accessible names), never through the window's own fields.
#include "app/GroupeRadio.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QWidget>
#include <QtTest>
#include <array>
#include <cstdlib>
#include <cstdio>
#include <vector>

namespace testgv {

// The window's child of that name; a missing control ends the test run.
template <class T = QWidget>
T* controle(const QWidget& fenetre, const QString& nom)
{
    T* w = fenetre.findChild<T*>(nom);
    if (!w) {
        std::fprintf(stderr, "no control named %s\n", qPrintable(nom));
        std::abort();
    }
    return w;
}

struct TControlesVoie {
    QCheckBox* active = nullptr;
    TGroupeRadio* calibre = nullptr;
    QLineEdit* valeur = nullptr;
};

class TControlesFiche {
    // First: the other members are found from it.
    const QWidget* fenetre_;
    const QWidget& f_() const { return *fenetre_; }

public:
    explicit TControlesFiche(const QWidget& f) : fenetre_(&f)
    {
        for (int i = 0; i < 8; ++i) {
            voies[std::size_t(i)].active = controle<QCheckBox>(f, QStringLiteral("CBVoiesActives%1").arg(i));
            voies[std::size_t(i)].calibre = controle<TGroupeRadio>(f, QStringLiteral("RGCalsEA%1").arg(i));
            voies[std::size_t(i)].valeur = controle<QLineEdit>(f, QStringLiteral("EditValU%1").arg(i));
        }
        for (int c = 0; c < 4; ++c) {
            GBCanaux[std::size_t(c)] = controle<QGroupBox>(f, QStringLiteral("gbCanaux%1").arg(c));
            CBModeDiff[std::size_t(c)] = controle<QCheckBox>(f, QStringLiteral("CBModeDiff%1").arg(c));
        }
        for (QToolButton* b : f.findChildren<QToolButton*>())
            if (b->objectName().startsWith(QStringLiteral("SBCentrale")))
                SBCentrales_.push_back(b);
    }

    // Settings panel.
    QComboBox* CBDureeTotale = controle<QComboBox>(f_(), "CBDureeTotale");
    QComboBox* CBNbPoints = controle<QComboBox>(f_(), "CBNbPoints");
    QToolButton* SBDureeTotalePlus = controle<QToolButton>(f_(), "SBDureeTotalePlus");
    QToolButton* SBDureeTotaleMoins = controle<QToolButton>(f_(), "SBDureeTotaleMoins");
    QToolButton* SBNbPointsPlus = controle<QToolButton>(f_(), "SBNbPointsPlus");
    QToolButton* SBNbPointsMoins = controle<QToolButton>(f_(), "SBNbPointsMoins");
    QLabel* iTe = controle<QLabel>(f_(), "iTe");
    QPushButton* BAcquisitionPrecedente = controle<QPushButton>(f_(), "BAcquisitionPrecedente");
    QGroupBox* GBDeclenchement = controle<QGroupBox>(f_(), "GBDeclenchement");
    QComboBox* CBTypeDeclenchement = controle<QComboBox>(f_(), "CBTypeDeclenchement");
    TGroupeRadio* RGSensDeclenchement = controle<TGroupeRadio>(f_(), "RGSensDeclenchement");
    QComboBox* CBVoieSynchro = controle<QComboBox>(f_(), "CBVoieSynchro");
    QLineEdit* EditUSeuilDecl = controle<QLineEdit>(f_(), "EditUSeuilDecl");
    QComboBox* CBPretrigX = controle<QComboBox>(f_(), "CBPretrigX");
    QCheckBox* CBAjouterCourbes = controle<QCheckBox>(f_(), "CBAjouterCourbes");
    QCheckBox* CBModePermanent = controle<QCheckBox>(f_(), "CBModePermanent");
    QPushButton* BAcquisition = controle<QPushButton>(f_(), "BAcquisition");

    // Channel panel.
    std::array<TControlesVoie, 8> voies {};
    std::array<QGroupBox*, 4> GBCanaux {};
    std::array<QCheckBox*, 4> CBModeDiff {};
    QWidget* ContenuVoies = controle(f_(), "ContenuVoies");

    // Regions.
    QFrame* PBoutons = controle<QFrame>(f_(), "PBoutons");
    QFrame* panelParametres = controle<QFrame>(f_(), "panelParametres");
    QScrollArea* ScrollBoxParametres = controle<QScrollArea>(f_(), "ScrollBoxParametres");
    QToolButton* SBReduirePParametres = controle<QToolButton>(f_(), "SBReduirePParametres");
    QFrame* PanelVoies = controle<QFrame>(f_(), "PanelVoies");
    QScrollArea* ScrollBoxVoies = controle<QScrollArea>(f_(), "ScrollBoxVoies");
    QToolButton* SBReduirePVoies = controle<QToolButton>(f_(), "SBReduirePVoies");
    QFrame* PanelEcranTab = controle<QFrame>(f_(), "PanelEcranTab");
    QWidget* PEcran = controle(f_(), "PEcran");
    QWidget* PTableau = controle(f_(), "PTableau");

    // Toolbar.
    QToolButton* SBNouveau = controle<QToolButton>(f_(), "SBNouveau");
    QToolButton* SBenregistrerRW3 = controle<QToolButton>(f_(), "SBenregistrerRW3");
    QToolButton* SBenregistrerTXT = controle<QToolButton>(f_(), "SBenregistrerTXT");
    QToolButton* SBTransfertDirectREG = controle<QToolButton>(f_(), "SBTransfertDirectREG");
    QToolButton* SBTransfertDirectExcel = controle<QToolButton>(f_(), "SBTransfertDirectExcel");
    QToolButton* SBtransfertDirectOOLO = controle<QToolButton>(f_(), "SBtransfertDirectOOLO");
    QToolButton* SBMesures = controle<QToolButton>(f_(), "SBMesures");
    QToolButton* SBVoirTableau = controle<QToolButton>(f_(), "SBVoirTableau");
    QToolButton* SBOptions = controle<QToolButton>(f_(), "SBOptions");
    QToolButton* SBAproposDe = controle<QToolButton>(f_(), "SBAproposDe");
    QToolButton* SBQuitter = controle<QToolButton>(f_(), "SBQuitter");
    std::vector<QToolButton*> SBCentrales_;
    QLineEdit* EditSerieP = controle<QLineEdit>(f_(), "EditSerieP");
    QLineEdit* EditPointP = controle<QLineEdit>(f_(), "EditPointP");
    QLineEdit* EditMessageX = controle<QLineEdit>(f_(), "EditMessageX");
    QLineEdit* EditPresence = controle<QLineEdit>(f_(), "EditPresence");
};

// An item chosen in a list as a user does it: the list dropped down, the
// item clicked. (What the list shows afterwards is what the unit made of
// the choice.)
inline void choisitDansListe(QComboBox* liste, int index)
{
    QVERIFY(liste->isEnabled());
    QVERIFY(index >= 0 && index < liste->count());
    liste->showPopup();
    QAbstractItemView* vue = liste->view();
    QTRY_VERIFY(vue->isVisible());
    const QModelIndex item = vue->model()->index(index, liste->modelColumn(), liste->rootModelIndex());
    vue->scrollTo(item);
    QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, vue->visualRect(item).center());
    QTRY_VERIFY(!vue->isVisible());
}

// A check box or button clicked near its left edge, on its box or label.
inline void cliqueBouton(QAbstractButton* bouton)
{
    QVERIFY(bouton->isVisible() && bouton->isEnabled());
    QTest::mouseClick(bouton, Qt::LeftButton, {}, QPoint(8, bouton->height() / 2));
}

// The controls of a window, found anew at each call.
inline TControlesFiche ui(const QWidget& fenetre)
{
    return TControlesFiche(fenetre);
}

} // namespace testgv

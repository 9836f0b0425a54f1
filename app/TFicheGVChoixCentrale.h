#pragma once
// The dialog that lets the user choose the unit when several are installed.
// Results: 1 (OK, the type in typeCentraleAActiver1) or 3 ("Abandonner").
#include <QDialog>
#include <set>

class QLabel;
class QPushButton;
class QFrame;

class TFicheGVChoixCentrale : public QDialog {
    Q_OBJECT
public:
    enum : int { resultatOK = 1, resultatAbandon = 3 };

    explicit TFicheGVChoixCentrale(QWidget* parent = nullptr);

    // Shows only the buttons of the given types (1 SP5, 2 V6, 3 CAMPUS).
    void PrepareChoixCentrale(const std::set<int>& ListeTypesCentrales);
    // The button of the active type down (none: 0), OK enabled only then.
    void FormShow(int typeCentraleActive);
    void BOKChoixCentraleClick(QPushButton* bouton);

    int typeCentraleAActiver1 = -1;

    QFrame* PanelChoix = nullptr;
    QLabel* LabelTitre = nullptr;
    QPushButton* BSP5 = nullptr;
    QPushButton* BV6 = nullptr;
    QPushButton* BCampus = nullptr;
    QLabel* LSP5 = nullptr;
    QLabel* LV6 = nullptr;
    QLabel* LCampus = nullptr;
    QPushButton* BOK = nullptr;
    QPushButton* BAbandonner = nullptr;

private:
    QPushButton* boutonDuType(int type) const;
};

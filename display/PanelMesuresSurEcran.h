#pragma once
// The on-screen measurement panel: the axis list and the read-outs of the
// red cursors and levels. Opening and closing (the general state, the
// other controls) belong to the main window; the panel shows what the
// screen computes and sends the choice of an axis back to it.
#include "display/Ecran.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

class TPanelMesuresSurEcran : public QWidget {
public:
    TPanelMesuresSurEcran(TEcran& ecran, QWidget* parent = nullptr);

    // Refills the axis list (CBAxes) and the read-outs; call on opening.
    void MAJAxes();
    void MAJLectures();

    QComboBox* CBAxes = nullptr;
    QLineEdit* EditT0M = nullptr;
    QLineEdit* EditTFM = nullptr;
    QLineEdit* EditDTM = nullptr;
    QLineEdit* EditUmaxM = nullptr;
    QLineEdit* EditUMinM = nullptr;
    QLineEdit* EditDUM = nullptr;
    QPushButton* BFermerMesuresSurEcran = nullptr;

private:
    TEcran& ecran_;
    bool bloque_ = false;
};

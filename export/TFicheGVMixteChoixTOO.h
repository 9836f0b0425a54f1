#pragma once
// Asked before a Calc transfer: a new workbook, or a new sheet in the open one.
#include "export/TFicheChoixTransfert.h"

class TFicheGVMixteChoixTOO : public TFicheChoixTransfert {
    Q_OBJECT
public:
    explicit TFicheGVMixteChoixTOO(QWidget* parent = nullptr);

    // Shows a dialog of this kind: choixPremier (RBNouveauClasseurOO), choixSecond
    // (RBNouvelleFeuilleOO) or choixAnnule (Cancel).
    static int demande(QWidget* parent = nullptr);

    QRadioButton* const& RBNouveauClasseurOO = choixUn;
    QRadioButton* const& RBNouvelleFeuilleOO = choixDeux;
    QPushButton* const& BChoixTOOOK = boutonOK;
    QPushButton* const& BChoixTOOAnnuler = boutonAnnuler;
};

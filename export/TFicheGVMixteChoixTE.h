#pragma once
// Asked before an Excel transfer: a new workbook, or a new sheet in the last one.
#include "export/TFicheChoixTransfert.h"

class TFicheGVMixteChoixTE : public TFicheChoixTransfert {
    Q_OBJECT
public:
    explicit TFicheGVMixteChoixTE(QWidget* parent = nullptr);

    // Shows a dialog of this kind: choixPremier (RBNouveauClasseur), choixSecond
    // (RBNouvelleFeuille) or choixAnnule (Cancel).
    static int demande(QWidget* parent = nullptr);

    QRadioButton* const& RBNouveauClasseur = choixUn;
    QRadioButton* const& RBNouvelleFeuille = choixDeux;
    QPushButton* const& BChoixTEOK = boutonOK;
    QPushButton* const& BChoixTEAnnuler = boutonAnnuler;
};

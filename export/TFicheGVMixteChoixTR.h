#pragma once
// Asked before a hand-over to REGRESSI: a new document, or a new page of the last one.
#include "export/TFicheChoixTransfert.h"

class TFicheGVMixteChoixTR : public TFicheChoixTransfert {
    Q_OBJECT
public:
    explicit TFicheGVMixteChoixTR(QWidget* parent = nullptr);

    // Shows a dialog of this kind: choixPremier (RBNouveauFichier), choixSecond
    // (RBNouvellePage) or choixAnnule (Cancel).
    static int demande(QWidget* parent = nullptr);

    QRadioButton* const& RBNouveauFichier = choixUn;
    QRadioButton* const& RBNouvellePage = choixDeux;
    QPushButton* const& BChoixTROK = boutonOK;
    QPushButton* const& BChoixTRAnnuler = boutonAnnuler;
};

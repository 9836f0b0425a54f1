#include "export/TFicheGVMixteChoixTR.h"

TFicheGVMixteChoixTR::TFicheGVMixteChoixTR(QWidget* parent)
    : TFicheChoixTransfert({QStringLiteral("Transfert vers REGRESSI..."),
                            QStringLiteral("Lors du transfert vers REGRESSI que vous souhaitez, "
                                           "vous pouvez, dans l'état actuel des choses, "),
                            QStringLiteral("créer un nouveau document REGRESSI"),
                            QStringLiteral("créer une nouvelle page dans REGRESSI actuellement en cours"),
                            QStringLiteral("RBNouveauFichier"), QStringLiteral("RBNouvellePage"),
                            QStringLiteral("BChoixTROK"), QStringLiteral("BChoixTRAnnuler")},
                           TImage::regressi, parent)
{
}

int TFicheGVMixteChoixTR::demande(QWidget* parent)
{
    TFicheGVMixteChoixTR dialogue(parent);
    return dialogue.demandeChoix();
}

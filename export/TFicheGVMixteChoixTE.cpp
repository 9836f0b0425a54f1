#include "export/TFicheGVMixteChoixTE.h"

TFicheGVMixteChoixTE::TFicheGVMixteChoixTE(QWidget* parent)
    : TFicheChoixTransfert({QStringLiteral("Transfert vers EXCEL..."),
                            QStringLiteral("Lors du transfert vers EXCEL que vous souhaitez, "
                                           "vous pouvez, dans l'état actuel des choses, "),
                            QStringLiteral("créer un nouveau classeur EXCEL"),
                            QStringLiteral("créer une nouvelle feuille dans le classeur EXCEL actif"),
                            QStringLiteral("RBNouveauClasseur"), QStringLiteral("RBNouvelleFeuille"),
                            QStringLiteral("BChoixTEOK"), QStringLiteral("BChoixTEAnnuler")},
                           TImage::tableur, parent)
{
}

int TFicheGVMixteChoixTE::demande(QWidget* parent)
{
    TFicheGVMixteChoixTE dialogue(parent);
    return dialogue.demandeChoix();
}

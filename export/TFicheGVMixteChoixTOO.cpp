#include "export/TFicheGVMixteChoixTOO.h"

TFicheGVMixteChoixTOO::TFicheGVMixteChoixTOO(QWidget* parent)
    : TFicheChoixTransfert({QStringLiteral("Transfert vers OpenOffice.org Calc"),
                            QStringLiteral("Lors du transfert vers OpenOffice.org Calc que vous souhaitez, "
                                           "vous pouvez, dans l'état actuel des choses, "),
                            QStringLiteral("créer un nouveau classeur OpenOffice.org Calc"),
                            QStringLiteral("créer une nouvelle feuille dans le classeur OpenOffice.org Calc actif"),
                            QStringLiteral("RBNouveauClasseurOO"), QStringLiteral("RBNouvelleFeuilleOO"),
                            QStringLiteral("BChoixTOOOK"), QStringLiteral("BChoixTOOAnnuler")},
                           TImage::tableur, parent)
{
}

int TFicheGVMixteChoixTOO::demande(QWidget* parent)
{
    TFicheGVMixteChoixTOO dialogue(parent);
    return dialogue.demandeChoix();
}

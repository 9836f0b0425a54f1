// Saving the measurements as a REGRESSI file from the window, with its real
// dialogs.
#include "app/TFicheGVMixte.h"

#include "app/DialoguesFenetre.h"

void TFicheGVMixte::enregistreRegressiRW3()
{
    TDialoguesFenetre dialogues(this, QString::fromStdString(dossierDocuments));
    enregistreRegressi(sourceRegressi(), etatEnregistrement, dialogues);
}

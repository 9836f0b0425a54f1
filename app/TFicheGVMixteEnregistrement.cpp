// Saving the measurements as a REGRESSI file from the window: what the unit,
// the settings and the clock add to the measurements, and the real dialogs.
#include "app/TFicheGVMixte.h"

#include "app/DialoguesFenetre.h"
#include "model/TCentrale.h"

#include <QCoreApplication>
#include <QDir>

void TFicheGVMixte::enregistreRegressiRW3()
{
    TSourceRegressi source;
    source.mesures = &mesures;
    if (SP5) {
        source.nomCentrale = QString::fromStdString(SP5->nomCentrale);
        source.calibresEAStandard.assign(SP5->calibresEAStandard.begin(), SP5->calibresEAStandard.end());
    }
    source.heureAcq = heureAcq;
    source.maintenant = QDateTime::currentDateTime();
    source.OptionCouleursRegressi = reglages.OptionCouleursRegressi;
    source.cheminProgramme = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
    source.locale = QLocale::system();
    TDialoguesFenetre dialogues(this, QString::fromStdString(dossierDocuments));
    enregistreRegressi(source, etatEnregistrement, dialogues);
}

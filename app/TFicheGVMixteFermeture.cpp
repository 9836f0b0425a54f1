// Leaving the program: the Quit command, and the questions every closing
// passes through, whatever started it (the Quit button, the window's close
// box, the end of the permanent mode after Quit).
//
// Two services of the Windows program have no counterpart here and are not
// built: its DDE server (the macros it received were accepted and ignored)
// and its reaction to the window message 0x400 (it only started
// TimerTransfertREGRESSI, whose tick does nothing). No other program talks
// to Galvora on Linux; TimerTransfertREGRESSI stays, idle.
#include "app/TFicheGVMixte.h"

#include "app/Messages.h"
#include "model/TCentrale.h"

#include <QCloseEvent>

void TFicheGVMixte::commandeQuitter()
{
    drapeaux.nouveauxParametres = true;
    if (MODEGENERAL == TModeGeneral::permanentEnCours) {
        // The frame loop ends the mode normally (records filled), then
        // closes the window, which asks its questions then.
        drapeaux.typeSortieMP = TTypeSortieMP::quitter;
        if (SP5)
            SP5->acqPeriodiqueEnCours = false;
        return;
    }
    Quitter();
}

void TFicheGVMixte::Quitter()
{
    const bool mesuresDirectes = TimerAcqDir.isActive();
    bloqueTimerAcqDirecte = true;
    TimerAcqDir.stop();
    if (close())
        return;
    // The user stays: the live values go on as before.
    bloqueTimerAcqDirecte = false;
    if (mesuresDirectes)
        TimerAcqDir.start();
}

void TFicheGVMixte::closeEvent(QCloseEvent* event)
{
    if (FormCloseQuery())
        event->accept();
    else
        event->ignore();
}

bool TFicheGVMixte::FormCloseQuery()
{
    if (peutFermer)
        return true;
    if (MODEGENERAL == TModeGeneral::transfertExcel) {
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement,
                         QStringLiteral("Transfert vers Excel en cours; impossible de quitter: attendez la fin du "
                                        "transfert !"));
        return false;
    }
    if (MODEGENERAL == TModeGeneral::transfertCalc) {
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement,
                         QStringLiteral("Transfert vers OpenOffice.Org Calc en cours; impossible de quitter: attendez "
                                        "la fin du transfert !"));
        return false;
    }
    if (MODEGENERAL == TModeGeneral::permanentEnCours) {
        // As Quit does: the questions come once the mode has ended.
        commandeQuitter();
        return false;
    }
    const auto reponse = gv::boiteMessage(this, gv::TIconeMessage::Question,
                                          QStringLiteral("Désirez-vous vraiment quitter \"Galvora\" ?"),
                                          QMessageBox::Yes | QMessageBox::No);
    if (reponse != QMessageBox::Yes) {
        drapeaux.typeSortieMP = TTypeSortieMP::arretUtilisateur;
        return false;
    }
    if (enregistrerX) {
        const auto enregistrer = gv::boiteMessage(this, gv::TIconeMessage::Question,
                                                  QStringLiteral("Désirez-vous enregistrer les mesures ?"),
                                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (enregistrer == QMessageBox::Cancel)
            return false;
        if (enregistrer == QMessageBox::Yes)
            enregistreRegressiRW3();
        RAZ();
        return true;
    }
    drapeaux.typeSortieMP = TTypeSortieMP::arretUtilisateur;
    return true;
}

// The permanent mode from the Start button to its end: the window's side of
// the frame loop (the settings it reads, the screen it draws frame after
// frame, the end that gives the window back).
#include "app/TFicheGVMixte.h"

#include "model/TCentrale.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

class TFicheGVMixte::THoteTramesFenetre : public THoteTrames {
public:
    explicit THoteTramesFenetre(TFicheGVMixte& fiche) : fiche_(fiche), visibleAuDepart_(fiche.isVisible()) {}

    bool centralePerdue = false; // the mode ended with the unit gone

    // --- The read loop ---
    void afficheMessage(const std::string& message) override
    {
        fiche_.EditMessageX->setText(QString::fromStdString(message));
        fiche_.EditMessageX->repaint();
    }

    void premieresDonnees() override
    {
        if (!trame_.rapide && trame_.efface)
            fiche_.ecran().effaceEcranTrame();
    }

    void pointsRecus(const TPointsRecus& recus, int64_t ptFront) override
    {
        fiche_.ptFront = ptFront;
        TEcran& ecran = fiche_.ecran();
        ecran.progres().ptFront = ptFront;
        if (trame_.rapide) {
            // Off screen: shown when the frame is complete.
            for (int i = 0; i < fiche_.SP5->nbVoiesSignaux; ++i)
                ecran.dessinePointsAcquis(i, recus.premier, recus.dernier);
            return;
        }
        ecran.dessinePointsTrameLente(recus.premier, recus.dernier, trame_.efface, pretrigActif());
        fiche_.afficheValeursAuPoint(trame_.pt0Trame + recus.dernier);
        fiche_.widgetEcran->iEcranX()->repaint();
    }

    void traiteMessages() override
    {
        QCoreApplication::processEvents();
        // The window went away some other way than Quit: the mode ends.
        if (visibleAuDepart_ && !fiche_.isVisible()) {
            fiche_.drapeaux.stop = true;
            fiche_.drapeaux.nouveauxParametres = true;
        }
    }

    void afficheAttenteDeclenchement() override { fiche_.montreAttenteDeclenchement(); }

    // --- The settings panels ---
    bool modePermanent() const override { return fiche_.controleur_.modePermanent; }
    bool tramesRapides() const override { return fiche_.controleur_.modeBalayage == 1; }
    bool optionEffaceTrame() const override { return fiche_.reglages.optionEffaceTrame; }
    int32_t indexPretrig() const override
    {
        fiche_.idxPretrigListe = std::max(fiche_.controleur_.panneaux().indexPretrig, 0);
        return pretrigActif() ? fiche_.idxPretrigListe : 0;
    }
    bool pretrigActif() const override { return fiche_.controleur_.pretrigActif; }
    bool ajouterCoche() const override { return fiche_.controleur_.panneaux().ajouterCoche; }
    void appliqueChangement() override { fiche_.controleur_.appliqueEnAttente(); }
    void setModepermanent(bool mp) override { fiche_.controleur_.setModepermanent(mp); }

    // --- The window ---
    void setModeGeneral(TModeGeneral mode) override { fiche_.setModeGeneral(mode); }

    void debutModePermanent() override
    {
        fiche_.TimerPresenceSP5.stop();
        fiche_.TimerAcqDir.stop();
        afficheMessage("Acquisition en cours...");
        fiche_.BAcquisition->setText(QStringLiteral("Arrêter"));
        fiche_.setModeGeneral(TModeGeneral::permanentEnCours);
        fiche_.controleur_.desactiveComposantsAcqPermanente();
        // The frames' series are new measurements: the next REGRESSI
        // hand-over starts a new numbering.
        if (fiche_.transfertREG)
            fiche_.transfertREG->numFichierTR = -1;
    }

    void SortieNormaleMP() override
    {
        centralePerdue = centralePerdue || fiche_.drapeaux.typeSortieMP == TTypeSortieMP::centralePerdue;
        fiche_.SortieNormaleMP();
    }

    void Quitter() override { fiche_.Quitter(); }

    // --- The screen ---
    void setModeDessinVM() override { fiche_.setModeDessinVM(); }

    void prepareEcranMode() override
    {
        // Zooms back to 1 and disabled, time cursors at 0 and the duration,
        // the axes of the unit as it is now.
        fiche_.ecran().preparePourAcquisition();
    }

    void dessineEcranN(bool avecCourbes) override
    {
        fiche_.ptFront = 0;
        fiche_.ecran().progres().ptFront = 0;
        fiche_.ecran().dessineEcranN(avecCourbes);
    }

    void prepareFondTrames() override { fiche_.ecran().prepareFondTrames(); }

    void prepareEcranTrame() override
    {
        TEcran& ecran = fiche_.ecran();
        fiche_.ptFront = 0;
        ecran.progres().ptFront = 0;
        ecran.dessinePretrig();
        ecran.prepareAxesX();
        ecran.prepareQuadAxes();
    }

    void debutTrame(const TTrame& trame) override
    {
        trame_ = trame;
        TEcran& ecran = fiche_.ecran();
        TProgresTrame& progres = ecran.progres();
        progres.ptFront = 0;
        progres.pt0Trame = trame.pt0Trame;
        progres.trameX = fiche_.trames.trameX;
        progres.modeDoubleTrameX = fiche_.trames.modeDoubleTrameX;
        if (trame.rapide)
            ecran.debutTrameRapide();
        else
            ecran.debutTrameLente();
    }

    void finTrameRapide(int64_t ptFront) override
    {
        fiche_.afficheValeursAuPoint(ptFront);
        fiche_.ecran().finTrameRapide();
    }

private:
    TFicheGVMixte& fiche_;
    bool visibleAuDepart_;
    TTrame trame_;
};

void TFicheGVMixte::acquisitionPermanente()
{
    THoteTramesFenetre hote(*this);
    trames.LimDureeMDT = LimDureeMDT;
    TBoucleTrames boucle(*SP5, mesures, drapeaux, MODEGENERAL, trames, ajouterLesCourbesX, hote);
    try {
        boucleTrames_ = &boucle;
        boucleEnCours_ = &boucle.boucle();
        boucle.Acquisition();
        boucleTrames_ = nullptr;
        boucleEnCours_ = nullptr;
        if (hote.centralePerdue)
            TimerPresenceSP5.start();
    } catch (...) {
        apresDefaillance(true);
    }
}

void TFicheGVMixte::SortieNormaleMP()
{
    termineRun(true);
}

// One acquisition run from the Start button: the window's side of the read
// loop (messages, live drawing and values, the slow-trigger dialog), the
// preparation of the unit and of the screen, and the end of the run that
// names the curves and gives the window back to the user.
#include "app/TFicheGVMixte.h"

#include "app/Messages.h"
#include "app/TFicheGVAttenteDeclAcq.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

QString texte(const std::string& s)
{
    return QString::fromStdString(s);
}

const QString texteDemarrer = QStringLiteral("Démarrer l'acquisition");

// Month abbreviations of the date texts written into the exports.
const char* const moisAbreges[12] = {"janv.", "févr.", "mars", "avr.", "mai", "juin",
                                      "juil.", "août", "sept.", "oct.", "nov.", "déc."};

// Nothing ran after all: the live values go on (their own presence test
// watches the unit).
void reprendMesuresDirectes(TFicheGVMixte& fiche)
{
    if (fiche.bloqueTimerAcqDirecte)
        return;
    fiche.acqDirecteEnCours = true;
    fiche.TimerAcqDir.start();
}

} // namespace

// The run's side of the window, called by the read loop between blocks.
class TFicheGVMixte::THoteFenetre : public THoteAcquisition {
public:
    explicit THoteFenetre(TFicheGVMixte& fiche) : fiche_(fiche), visibleAuDepart_(fiche.isVisible()) {}

    void afficheMessage(const std::string& message) override
    {
        fiche_.EditMessageX->setText(texte(message));
        fiche_.EditMessageX->repaint();
    }

    void premieresDonnees() override { fiche_.TimerFinMesures.start(); }

    void pointsRecus(const TPointsRecus& recus, int64_t ptFront) override
    {
        fiche_.ptFront = ptFront;
        TEcran& ecran = fiche_.ecran();
        ecran.progres().ptFront = ptFront;
        for (int i = 0; i < fiche_.SP5->nbVoiesSignaux; ++i)
            ecran.dessinePointsAcquis(i, recus.premier, recus.dernier);
        // The live values show the last point stored (with the threshold
        // trigger the newest raw sample is not stored yet).
        fiche_.afficheValeursAuPoint(recus.dernier);
        fiche_.widgetEcran->iEcranX()->repaint();
    }

    void traiteMessages() override
    {
        QCoreApplication::processEvents();
        // The window was closed (Quit) during the run: the run ends too.
        if (visibleAuDepart_ && !fiche_.isVisible())
            fiche_.drapeaux.nouveauxParametres = true;
    }

    void afficheAttenteDeclenchement() override { fiche_.montreAttenteDeclenchement(); }

private:
    TFicheGVMixte& fiche_;
    bool visibleAuDepart_;
};


void TFicheGVMixte::afficheValeursAuPoint(int64_t indice)
{
    const TCentrale& centrale = *SP5;
    for (int i = 0; i < centrale.nbVoiesSignaux; ++i) {
        const int v = centrale.VoiesActivesSignaux[std::size_t(i)];
        const std::size_t c = std::size_t(mesures.nbVoiesMesurees + i);
        if (v < 0 || v >= int(voies.size()) || !voies[std::size_t(v)].valeur || c >= mesures.tv2.size() ||
            indice < 0 || indice >= int64_t(mesures.tv2[c].size()))
            continue;
        const float u = mesures.tv2[c][std::size_t(indice)];
        voies[std::size_t(v)].valeur->setText(QStringLiteral("  ") + texte(formatValeur(4, styleIngenieur, u)) +
                                              QStringLiteral("V"));
    }
}

void TFicheGVMixte::montreAttenteDeclenchement()
{
    if (!FicheAttenteDecl)
        FicheAttenteDecl = new TFicheGVAttenteDeclAcq(this);
    FicheAttenteDecl->montre();
}

void TFicheGVMixte::TimerFinMesuresTimer()
{
    if (MODEGENERAL != TModeGeneral::acquisitionEnCours)
        return;
    TimerFinMesures.stop();
    EditMessageX->setText(QStringLiteral("Mesures terminées, récupération des valeurs"));
    EditMessageX->repaint();
}

void TFicheGVMixte::initialiseAcquisition()
{
    connect(BAcquisition, &QPushButton::clicked, this, [this] { BAcquisitionClick(); });
    ecran().setCentrale(SP5);
    curseursAuxBornes();
    ecran().setCouleurs([this] {
        std::array<TColor, 8> c {};
        for (std::size_t v = 0; v < c.size(); ++v)
            c[v] = static_cast<TColor>(reglages.clsVX[v]);
        return c;
    }());
    setModeGeneral(MODEGENERAL);
    ecran().dessineEcranN(true);
}

void TFicheGVMixte::nouvelleExperience()
{
    if (enAcquisition(MODEGENERAL))
        BAcquisitionClick();
    if (enregistrerX) {
        const auto reponse = gv::boiteMessage(this, gv::TIconeMessage::Question,
                                              QStringLiteral("Désirez-vous enregistrer les mesures ?"),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (reponse == QMessageBox::Cancel)
            return;
        if (reponse == QMessageBox::Yes)
            enregistreRegressiRW3();
    }
    RAZ();
}

void TFicheGVMixte::BAcquisitionClick()
{
    switch (MODEGENERAL) {
    case TModeGeneral::rienAcquis:
    case TModeGeneral::reglageModifie:
    case TModeGeneral::acquisitionFinie:
    case TModeGeneral::permanentArrete:
        acqDirecteEnCours = false;
        TimerAcqDir.stop();
        if (!SP5)
            return;
        if (SP5->nbVoiesActivesX == 0) {
            // Nothing starts; the live values stay stopped.
            gv::boiteMessage(this, gv::TIconeMessage::Information,
                             QStringLiteral("Aucune entrée analogique n'est active. \n\rActivez au moins une entrée !"));
        } else {
            drapeaux.stop = false;
            lanceAcquisition();
        }
        break;
    case TModeGeneral::acquisitionEnCours:
        drapeaux.typeSortieMP = TTypeSortieMP::arretUtilisateur;
        if (SP5)
            SP5->arreteAcq();
        setModeGeneral(TModeGeneral::acquisitionFinie);
        break;
    case TModeGeneral::permanentEnCours:
        if (boucleTrames_)
            boucleTrames_->arrete();
        break;
    default:
        // Measurement panel and transfers: nothing.
        break;
    }
}

void TFicheGVMixte::lanceAcquisition()
{
    if (SP5->Presente()) {
        Acquisition();
        return;
    }
    reprendMesuresDirectes(*this);
    EditMessageX->setText(QStringLiteral("La centrale n'a pas été trouvée"));
    const bool alimentee = SP5->typeCentrale == kSysamSP5 || SP5->typeCentrale == kSysamCampus;
    gv::boiteMessage(this, gv::TIconeMessage::Aucune,
                     QStringLiteral("La centrale ") + texte(SP5->nomCentrale) +
                         QStringLiteral(" n'a pas été trouvée: vérifiez si\n\r") +
                         QStringLiteral("elle est connectée à un port USB de l'ordinateur") +
                         (alimentee ? QStringLiteral("\n\r et si elle est alimentée.") : QStringLiteral(".")));
}

void TFicheGVMixte::Acquisition()
{
    if (controleur_.modePermanent) {
        acquisitionPermanente();
        controleur_.premiereAcq = false;
        return;
    }
    TimerPresenceSP5.stop();
    TimerAcqDir.stop();
    TProgresTrame& progres = ecran().progres();
    progres.modeDoubleTrameX = false;
    progres.trameX = 0;
    bool centralePerdue = false;
    try {
        EditMessageX->setText(QStringLiteral("Acquisition en cours..."));
        EditMessageX->repaint();
        setModeGeneral(TModeGeneral::acquisitionEnCours);
        controleur_.desactiveComposantsAcqSimple();
        ajouterLesCourbesX = SP5->memesParametresTemporels() && controleur_.panneaux().ajouterCoche;
        PrepareTV2();
        ptFront = 0;
        // Zooms back to 1 and disabled, cursors at 0 and the duration, axes,
        // drawing style, and the screen with the curves kept.
        ecran().preparePourAcquisition();
        SP5->Reset();
        SP5->NbPtsFifo = tailleBlocFifo(*SP5);
        SP5->prepareTousPRX(true);
        ecran().dessin.dessinetPretrig(ecran().iEcranX);
        const bool declenche = SP5->modeDecl == kDeclSeuil || SP5->modeDecl == kDeclExterne;
        idxPretrigListe = std::max(controleur_.panneaux().indexPretrig, 0);
        SP5->idxPretrig = controleur_.pretrigActif ? idxPretrigListe : 0;
        if (declenche)
            EditMessageX->setText(QStringLiteral("Attente du déclenchement..."));
        BAcquisition->setText(QStringLiteral("Arrêter"));
        SP5->TailleTransfertFifo(SP5->NbPtsFifo);
        SP5->ViderFifo();
        TimerFinMesures.setInterval(intervalleFinMesures(SP5->dureeTotale0X, SP5->idxPretrig));

        THoteFenetre hote(*this);
        TBoucleAcquisition boucle(*SP5, mesures, drapeaux, MODEGENERAL, hote);
        drapeaux.typeSortieMP = TTypeSortieMP::aucune;
        boucleEnCours_ = &boucle;
        boucle.acquisitionSimple(mesures.nbVoiesMesurees);
        boucleEnCours_ = nullptr;
        centralePerdue = drapeaux.typeSortieMP == TTypeSortieMP::centralePerdue;
        sortieNormaleMS();
        if (centralePerdue)
            TimerPresenceSP5.start();
    } catch (...) {
        apresDefaillance(false);
    }
    controleur_.premiereAcq = false;
}

void TFicheGVMixte::apresDefaillance(bool permanent)
{
    // Not reported; the window is given back in the state of an ended run.
    boucleEnCours_ = nullptr;
    boucleTrames_ = nullptr;
    TimerFinMesures.stop();
    if (permanent) {
        if (MODEGENERAL == TModeGeneral::permanentEnCours)
            setModeGeneral(TModeGeneral::permanentArrete);
        controleur_.activeComposantsAcqPermanente();
        ecran().geometrie.activerZooms();
        widgetEcran->MAJBarres();
    } else {
        if (MODEGENERAL == TModeGeneral::acquisitionEnCours)
            setModeGeneral(TModeGeneral::acquisitionFinie);
        controleur_.activeComposantsAcqSimple();
    }
    BAcquisition->setText(texteDemarrer);
    TimerPresenceSP5.start();
    TimerAcqDir.stop();
}

void TFicheGVMixte::RetourFIFOZero()
{
    if (boucleEnCours_)
        boucleEnCours_->RetourFIFOZero();
}

namespace {

// "dd mmm yy - hh'h 'nn'mn", then the seconds and "s" after `avantSecondes`
// (none: no seconds).
std::string texteDateAcq(const QDateTime& instant, const char* avantSecondes)
{
    const QDate d = instant.date();
    const QTime t = instant.time();
    QString s = QStringLiteral("%1 %2 %3 - %4h %5mn")
                    .arg(d.day(), 2, 10, QLatin1Char('0'))
                    .arg(QString::fromUtf8(moisAbreges[d.month() - 1]))
                    .arg(d.year() % 100, 2, 10, QLatin1Char('0'))
                    .arg(t.hour(), 2, 10, QLatin1Char('0'))
                    .arg(t.minute(), 2, 10, QLatin1Char('0'));
    if (avantSecondes)
        s += QString::fromUtf8(avantSecondes) + QStringLiteral("%1s").arg(t.second());
    return s.toStdString();
}

} // namespace

void TFicheGVMixte::sortieNormaleMS()
{
    termineRun(false);
}

// The end of a single run, or of the permanent mode (which differs in its
// state, the display unit of its curves, its date text and the controls it
// gives back, and leaves the redrawing to the frame loop).
void TFicheGVMixte::termineRun(bool permanent)
{
    TCentrale& c = *SP5;
    const TModeGeneral fin = permanent ? TModeGeneral::permanentArrete : TModeGeneral::acquisitionFinie;
    setModeGeneral(fin);
    TimerFinMesures.stop();
    c.getNbPtsPretrig();
    if (c.nbPtsPretrig > 2)
        ecran().dessin.dessinetPretrig(ecran().iEcranX);
    for (int i = 0; i < c.nbVoiesSignaux; ++i) {
        const int v = c.VoiesActivesSignaux[std::size_t(i)];
        if (v >= 0 && v < int(voies.size()) && voies[std::size_t(v)].valeur)
            voies[std::size_t(v)].valeur->clear();
    }
    c.acquisitionFaite = true;
    BAcquisition->setText(texteDemarrer);

    c.memoriseParametresTemporels();

    std::vector<TDescriptionCourbe> descriptions;
    descriptions.reserve(std::size_t(std::max(c.nbVoiesSignaux, 0)));
    for (int i = 0; i < c.nbVoiesSignaux; ++i) {
        // Named after the input, not after the signal's rank: with inputs 1
        // and 4 active the second curve is input 4's.
        const int v = c.VoiesActivesSignaux[std::size_t(i)];
        TDescriptionCourbe d;
        d.sEnteteVM = c.getCapVM(v);
        const int canal = c.nbCanaux_ > 0 ? v % c.nbCanaux_ : v;
        d.ModeDiffVM = canal >= 0 && canal < int(c.canauxDiff.size()) && c.canauxDiff[std::size_t(canal)];
        d.capCommRegvoie1VM = c.getCapEA(v);
        // The second input of a differential pair is the channel's other one.
        d.capCommRegvoie2VM = d.ModeDiffVM ? c.getCapEA(v + c.nbCanaux_) : std::string();
        d.calVM = v < int(c.VoiesX.size()) ? c.VoiesX[std::size_t(v)].idxCalibreUt : 0;
        d.echVM = v >= 0 && v < 8 ? ecran().geometrie.echsVoies[std::size_t(v)] : 0.0f;
        d.clVM = v >= 0 && v < 8 ? static_cast<TColor>(reglages.clsVX[std::size_t(v)]) : 0;
        descriptions.push_back(std::move(d));
    }
    const int total = mesures.finAcquisition({c.dt0X, c.nbPts0X, c.nbPtsAffX, c.dureeTotale0X}, descriptions,
                                             ajouterLesCourbesX, permanent);

    EditMessageX->setText(total == 1 ? QStringLiteral(" 1 série acquise")
                                     : QString::number(total) + QStringLiteral(" séries acquises"));

    setModeGeneral(fin);
    if (permanent)
        ecran().finModePermanent();
    else
        ecran().finAcquisition();
    controleur_.prepareCBAjouterCourbes();
    c.idxPretrig = idxPretrigListe;

    if (permanent)
        controleur_.activeComposantsAcqPermanente();
    else
        controleur_.activeComposantsAcqSimple();
    controleur_.activeBoutonsOutils();
    controleur_.activeSBCentrales();
    controleur_.changeActivations([](TActivations& a) { a.acquisitionPrecedente = false; });
    enregistrerX = true;
    if (permanent || !bloqueTimerAcqDirecte)
        TimerAcqDir.start();
    acqDirecteEnCours = true;

    heureAcq = QDateTime::currentDateTime();
    sDateAcq0 = texteDateAcq(heureAcq, nullptr);
    sdateAcqX = texteDateAcq(heureAcq, permanent ? "" : " ");

    if (drapeaux.typeSortieMP == TTypeSortieMP::centralePerdue) {
        gv::boiteMessage(this, gv::TIconeMessage::Avertissement,
                         QStringLiteral("Acquisition interrompue car probable débranchement\n\rde la centrale. Il est "
                                        "conseillé de vérifier le \n\rbranchement et l'alimentation puis de recommencer."));
        drapeaux.typeSortieMP = TTypeSortieMP::aucune;
    }
}

void TFicheGVMixte::setModeDessinVM()
{
    if (!SP5 || (SP5->nbVoiesActivesX == 0 && SP5->nbVoiesSignaux == 0) || SP5->nbPts0X == 0 || mesures.tv2.empty())
        return;
    ecran().geometrie.setModeDessinVM();
}

void TFicheGVMixte::PrepareTV2()
{
    if (!SP5)
        return;
    mesures.PrepareTV2(SP5->nbVoiesSignaux, SP5->nbPts0X, ajouterLesCourbesX);
}

void TFicheGVMixte::RAZ()
{
    setModeGeneral(TModeGeneral::rienAcquis);
    controleur_.setModepermanent(false);
    controleur_.reglagesDefautMI();
    controleur_.changeActivations([](TActivations& a) { a.acquisitionPrecedente = false; });
    cacheTableau();
    curseursAuxBornes();
    if (SP5)
        SP5->setModeDeclenchement(kDeclImmediat, true);
    ajouterLesCourbesX = false;
    mesures.videPourNouvelleExperience(SP5 ? SP5->dureeTotale0X : mesures.tFin);
    PrepareTV2();
    controleur_.prepareComposants();
    controleur_.peutAjouter = false;
    ecran().geometrie.axeQuadrilleX = 0;
    controleur_.desactiveBoutonsOutils();
    PTableauVisible = false;
    controleur_.afficheParametresT();
    ecran().prepareEcranVide();
    ecran().prepareAxesX();
    ecran().prepareQuadAxes();
    ecran().dessineEcranN(false);
    controleur_.razPanneaux();
    ecran().geometrie.activerZooms();
    widgetEcran->MAJBarres();
    enregistrerX = false;
}

// Creation and destruction of the main window, and the handler of its
// timers.
#include "app/TFicheGVMixte.h"

#include "app/Messages.h"
#include "app/TFicheGVMixteTitre.h"
#include "model/TCentrale.h"
#include "platform/Systeme.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>

const char* const TFicheGVMixte::nomsCentrales[5] = {"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS", "SIMULATION SP5",
                                                     "AUDIO"};
const char* const TFicheGVMixte::nomsPetitsCentrales[5] = {"Sysam SP5", "Sysam V6", "Sysam Campus",
                                                           "Simulation SP5", "Audio"};

TFicheGVMixte::TFicheGVMixte(const TContexteGV& contexte, QWidget* parent)
    : QWidget(parent)
    , contexte_(contexte)
    , controleur_(*this, mesures, drapeaux, MODEGENERAL, reglages)
{
    if (!contexte_.fabrique)
        contexte_.fabrique = gv::fabriqueDesPilotes();
    for (QTimer* timer : {&TimerPresenceSP5, &TimerAcqDir, &TimerFinMesures, &TimerTransfertREGRESSI})
        connect(timer, &QTimer::timeout, this, [this, timer] { TimerPresenceSP5Timer(timer); });
    TimerPresenceSP5.setInterval(1000);
    TimerAcqDir.setInterval(300);
    TimerTransfertREGRESSI.setInterval(2000);
    TimerRedimGene.setInterval(100);
    TimerRedimGene.setSingleShot(true);
    connect(&TimerRedimGene, &QTimer::timeout, this, &TFicheGVMixte::TimerRedimGeneTimer);
    if (contexte_.titre)
        contexte_.titre->etatCentrale = [this] {
            const TEtatTitre etat = etatPourTitre();
            return TFicheGVMixteTitre::TEtatCentrale{etat.estSP5, etat.installeeEtPresente};
        };
    construitRegions();
    construitEcran();
    construitTableau();
    FormCreate();
}

TFicheGVMixte::~TFicheGVMixte()
{
    if (contexte_.titre)
        contexte_.titre->etatCentrale = nullptr;
    FormDestroy();
}

void TFicheGVMixte::messageTitre(const QString& ligne)
{
    if (contexte_.titre)
        contexte_.titre->ajouteLigneMemo(ligne);
}

void TFicheGVMixte::FormCreate()
{
    initialisation = true;
    bloqueRedim = true;
    setWindowTitle(QStringLiteral("Galvora : pilotage des interfaces SYSAM SP5, SYSAM V6 et SYSAM CAMPUS"));
    // Drawn half transparent while it is built.
    const bool avecOpacite = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                             QGuiApplication::platformName() != QLatin1String("minimal");
    if (avecOpacite)
        setWindowOpacity(200 / 255.0);
    abandon = false;
    peutFermer = false;

    const QRect zone = screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800);
    larScr = zone.width();
    hauScr = zone.height();
    setMinimumSize(640, 480);
    setGeometry(zone.left() + 5, zone.top() + 5, zone.width() - 10, zone.height() - 50);
    pParametresReduit = false;
    pVoiesReduit = false;

    dossierApplication = QDir::currentPath().toStdString();
    while (dossierApplication.size() > 1 && dossierApplication.back() == '/')
        dossierApplication.pop_back();
    reglages.clsV0 = gv::couleursDefaut();
    reglages.clsVX = reglages.clsV0;
    temp = contexte_.emplacements.temp;
    dossierDocuments = contexte_.emplacements.dossierDocuments;

    CheminWindows = plateforme::dossierSpecial(plateforme::DOSSIER_SYSTEME);
    DDA = contexte_.emplacements.DDA;
    dossierDDAExiste = QDir().mkpath(QString::fromStdString(DDA));
    nomfichierCAP = DDA + "/CapteursUtilisateursPourGV.cap";

    detectionCentrales();

    lireReglages();
    LimDureeMDT = 10000000.0;
    prepareTransferts();
    ++reglages.nbUtilisations;
    if (contexte_.titre)
        contexte_.titre->setNombreUtilisations(reglages.nbUtilisations);
    aSupprimer.clear();
    aMemoriser.clear();
    typeCentraleActive = 0;

    choisitCentrale();

    if (nbCentralesGerees > 0 && SP5) {
        bloqueRedim = false;
        redimensionnement();
        bloqueRedim = true;
        controleur_.prepareComposants();
        controleur_.changeActivations([](TActivations& a) {
            for (TBoutonOutil b : {TBoutonOutil::nouveau, TBoutonOutil::enregistrerRW3, TBoutonOutil::enregistrerTXT,
                                   TBoutonOutil::transfertREG, TBoutonOutil::transfertExcel,
                                   TBoutonOutil::transfertOOLO})
                a.outil(b) = false;
        });
        acqDirecteEnCours = true;
        plateforme::listeApplications();
        OOInstalle = plateforme::applicationInstallee("OPENOFFICE") || plateforme::applicationInstallee("OpenOffice.org");
        LOInstalle = plateforme::applicationInstallee("LIBREOFFICE") || plateforme::applicationInstallee("LibreOffice.org");
        msOfficeInstalle = plateforme::applicationInstallee("Microsoft Office") ||
                           plateforme::applicationInstallee("Microsoft 365");
        // Calc is offered only where its transfer is built.
        controleur_.environnement.OOInstalle = OOInstalle && transfertCalc;
        controleur_.environnement.LOInstalle = LOInstalle && transfertCalc;
        controleur_.environnement.msOfficeInstalle = msOfficeInstalle;
        TimerAcqDir.start();
        TimerPresenceSP5.start();
    } else {
        bloqueRedim = false;
        redimensionnement();
        bloqueRedim = true;
        controleur_.prepareComposants();
        controleur_.changeActivations([](TActivations& a) { a.demarrer = false; });
        TimerAcqDir.stop();
        TimerPresenceSP5.stop();
        controleur_.desactiveComposantsAcqSimple();
    }

    // Hints stay ten seconds.
    for (QWidget* controle : findChildren<QWidget*>())
        controle->setToolTipDuration(10000);
    controleur_.premiereAcq = true;
    initialiseAcquisition();
    TimerRedimGene.stop();
    if (avecOpacite)
        setWindowOpacity(1.0);
    initialisation = false;
}

void TFicheGVMixte::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (bloqueRedim) {
        bloqueRedim = false;
        redimensionnement();
    }
}

void TFicheGVMixte::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    FormResize();
}

void TFicheGVMixte::FormResize()
{
    // The layout waits until the user stops resizing.
    if (!bloqueRedim)
        TimerRedimGene.start();
}

void TFicheGVMixte::TimerPresenceSP5Timer(QObject* sender)
{
    if (sender == &TimerPresenceSP5) {
        TimerPresenceSP5Tick();
    } else if (sender == &TimerAcqDir) {
        TimerAcqDirTimer();
    } else if (sender == &TimerFinMesures) {
        TimerFinMesuresTimer();
    }
    // TimerTransfertREGRESSI: nothing to do.
}

void TFicheGVMixte::FormDestroy()
{
    // The office keeps running; only this program's hold on it goes.
    transfertCalc.reset();
    for (QTimer* timer : {&TimerPresenceSP5, &TimerAcqDir, &TimerFinMesures, &TimerTransfertREGRESSI, &TimerRedimGene})
        timer->stop();
    if ((enAcquisition(MODEGENERAL)) && SP5)
        SP5->arreteAcq();
    ecrireReglages();
    for (TCentraleInsPre& centrale : centrales)
        if (centrale.Centrale1 && centrale.Centrale1 != SP5)
            libereCentrale(centrale.Centrale1, true);
    centrales.clear();
    libereCentrale(SP5, true);
    nettoieFichiersTemporaires();
}

#include "app/TFicheGVMixteTitre.h"

#include "model/UniteBaseCouleurs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QUrl>
#include <QtMath>

namespace {

const int couleurFenetre = 0x02B9FFEB; // 0x00BBGGRR
const int hauteurTitre = 40;
const int hauteurPages = 598;
const int hauteurMemo = 124;
const int largeurFenetre = 560;
const char* const adresseSite = "https://www.example.org/galvora";

QColor couleurDe(int valeur)
{
    return QColor(valeur & 0xFF, (valeur >> 8) & 0xFF, (valeur >> 16) & 0xFF);
}

// The picture of the first page: a few periods of two signals on a screen.
QPixmap imageProgramme(int largeur, int hauteur)
{
    QPixmap image(largeur, hauteur);
    image.fill(QColor(16, 28, 24));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(50, 80, 70), 1));
    for (int x = 0; x <= largeur; x += largeur / 10)
        p.drawLine(x, 0, x, hauteur);
    for (int y = 0; y <= hauteur; y += hauteur / 8)
        p.drawLine(0, y, largeur, y);
    const QColor couleurs[2] = {QColor(255, 210, 90), QColor(120, 220, 255)};
    for (int signal = 0; signal < 2; ++signal) {
        QPainterPath courbe;
        for (int x = 0; x <= largeur; ++x) {
            const double t = x * 4 * M_PI / largeur;
            const double y = hauteur / 2.0 - hauteur * (signal == 0 ? 0.35 * qSin(t) : 0.2 * qSin(2 * t + 0.8));
            if (x == 0)
                courbe.moveTo(x, y);
            else
                courbe.lineTo(x, y);
        }
        p.setPen(QPen(couleurs[signal], 2.5));
        p.drawPath(courbe);
    }
    return image;
}

} // namespace

TFicheGVMixteTitre::TFicheGVMixteTitre(const QString& version, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setAttribute(Qt::WA_QuitOnClose, false);
    const QColor fond = couleurDe(couleurFenetre);
    setAutoFillBackground(true);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, fond);
    setPalette(palette);
    const QString titre = QStringLiteral("Galvora - ") + version;
    setWindowTitle(titre);

    LabelTitreFicheTitre = new QLabel(titre, this);
    LabelTitreFicheTitre->setAlignment(Qt::AlignCenter);
    LabelTitreFicheTitre->setAutoFillBackground(true);
    QPalette paletteTitre = LabelTitreFicheTitre->palette();
    paletteTitre.setColor(QPalette::Window, couleurDe(assombrirCouleur(couleurFenetre, 16)));
    paletteTitre.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
    LabelTitreFicheTitre->setPalette(paletteTitre);
    QFont policeTitre = LabelTitreFicheTitre->font();
    policeTitre.setPixelSize(20);
    policeTitre.setBold(true);
    LabelTitreFicheTitre->setFont(policeTitre);

    PageControl1 = new QTabWidget(this);
    TSProgramme = new QWidget;
    TSInterface = new QWidget;
    PageControl1->addTab(TSProgramme, QStringLiteral("   A propos de Galvora...   "));
    PageControl1->addTab(TSInterface, QStringLiteral("Centrale en cours d'utilisation"));
    connect(PageControl1, &QTabWidget::currentChanged, this, &TFicheGVMixteTitre::PageControl1Change);

    auto* image = new QLabel(TSProgramme);
    image->setObjectName(QStringLiteral("ImageProgramme"));
    image->setPixmap(imageProgramme(largeurFenetre - 40, 200));
    image->setGeometry(10, 10, largeurFenetre - 40, 200);
    auto* auteurs = new QLabel(QStringLiteral("Galvora, pilotage des centrales d'acquisition SYSAM\n"
                                              "pour les travaux pratiques de physique et de chimie"),
                               TSProgramme);
    auteurs->setObjectName(QStringLiteral("LabelAuteurs"));
    auteurs->setAlignment(Qt::AlignCenter);
    auteurs->setGeometry(10, 216, largeurFenetre - 40, 36);
    LabelObjectif = new QLabel(QStringLiteral("Logiciel de pilotage des interfaces \n\rSYSAM SP5 \n\rSYSAM V6 \n\r"
                                              "SYSAM CAMPUS \n\rpour les galvora")
                                   .replace(QStringLiteral("\n\r"), QStringLiteral("\n")),
                               TSProgramme);
    LabelObjectif->setAlignment(Qt::AlignCenter);
    LabelVersion = new QLabel(TSProgramme);
    LabelCreation = new QLabel(QStringLiteral("05/2025"), TSProgramme);
    LVorelia = new QLabel(QString::fromUtf8(adresseSite), TSProgramme);
    LVorelia->setObjectName(QStringLiteral("LVorelia"));
    LVorelia->setAccessibleName(QStringLiteral("Site de Galvora"));
    LVorelia->setCursor(Qt::PointingHandCursor);
    // Reached with Tab too, opened with Enter or Space.
    LVorelia->setFocusPolicy(Qt::TabFocus);
    LVorelia->installEventFilter(this);
    LabelNumUtilisation = new QLabel(QString(), TSProgramme);
    MemoDemarrage = new QPlainTextEdit(TSProgramme);
    MemoDemarrage->setReadOnly(true);
    MemoDemarrage->clear();
    QPalette paletteMemo = MemoDemarrage->palette();
    paletteMemo.setColor(QPalette::Base, Qt::black);
    paletteMemo.setColor(QPalette::Text, fond);
    MemoDemarrage->setPalette(paletteMemo);

    auto* intitule = new QLabel(QStringLiteral("Centrale SYSAM en cours d'utilisation:"), TSInterface);
    intitule->setGeometry(20, 30, 300, 22);
    auto* intituleSerie = new QLabel(QStringLiteral("Numéro de série "), TSInterface);
    intituleSerie->setGeometry(20, 70, 130, 22);
    EditNumeroSerie = new QLineEdit(TSInterface);
    EditNumeroSerie->setReadOnly(true);
    EditNumeroSerie->setGeometry(150, 68, 200, 26);
    LabelNonDisponible = new QLabel(QStringLiteral("Interface non connectée ou non installée"), TSInterface);
    LabelNonDisponible->setGeometry(20, 110, 400, 22);
    PageControl1->setTabVisible(1, false);

    ButtonFermerFicheTitre = new QPushButton(QStringLiteral("Sysam, ouvre-toi !"), this);
    ButtonFermerFicheTitre->setObjectName(QStringLiteral("ButtonFermerFicheTitre"));
    // It takes its place under the pages once the start-up fade has ended.
    ButtonFermerFicheTitre->hide();
    connect(ButtonFermerFicheTitre, &QPushButton::clicked, this, &TFicheGVMixteTitre::ButtonFermerFicheTitreClick);

    TimerFicheTitre.setInterval(10);
    connect(&TimerFicheTitre, &QTimer::timeout, this, &TFicheGVMixteTitre::TimerFicheTitreTimer);

    hau = hauteurMemo;
    lar = largeurFenetre;
    placeControles();
    PageControl1->setCurrentIndex(0);
    hide();
}

void TFicheGVMixteTitre::placeControles()
{
    LabelTitreFicheTitre->setGeometry(0, 0, lar, hauteurTitre);
    int y = 262;
    LabelObjectif->setGeometry(10, y, lar - 40, 96);
    y += 100;
    // Version, date, link and use count stacked 20 pixels apart: 18 high,
    // 2 pixels between them.
    for (QLabel* label : {LabelVersion, LabelCreation, LVorelia, LabelNumUtilisation}) {
        label->setGeometry(10, y, lar - 40, 18);
        label->setAlignment(Qt::AlignCenter);
        y += 20;
    }
    y += 4;
    MemoDemarrage->setGeometry(10, y, lar - 40, hau);
    PageControl1->setGeometry(8, hauteurTitre + 4, lar - 16, hauteurPages);
    // The client area fitted to the title and the pages.
    resize(lar, PageControl1->geometry().bottom() + 1 + 8);
}

void TFicheGVMixteTitre::retireMemo()
{
    MemoDemarrage->hide();
    if (memoRetire_)
        return;
    memoRetire_ = true;
    PageControl1->resize(PageControl1->width(), PageControl1->height() - hau);
}

void TFicheGVMixteTitre::reduitPremiereFois()
{
    // From now on the window only serves "about": smaller, its close button
    // centred between the pages and the bottom.
    premiereFois = false;
    retireMemo();
    resize(width(), height() - (hau / 3 + 35));
    hau = std::max(hau - 35, 0);
    MemoDemarrage->resize(MemoDemarrage->width(), hau);
    const int basPages = PageControl1->geometry().bottom() + 1;
    const int hauteurBouton = 30;
    const int largeurBouton = 200;
    ButtonFermerFicheTitre->setGeometry((width() - largeurBouton) / 2,
                                        basPages + (height() - basPages - hauteurBouton) / 2, largeurBouton,
                                        hauteurBouton);
    ButtonFermerFicheTitre->show();
}

void TFicheGVMixteTitre::centre()
{
    if (QScreen* ecran = screen())
        move(ecran->availableGeometry().center() - rect().center());
}

void TFicheGVMixteTitre::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    centre();
    afficheCaracteristiques();
}

bool TFicheGVMixteTitre::eventFilter(QObject* objet, QEvent* event)
{
    if (objet == LVorelia) {
        QPalette palette = LVorelia->palette();
        switch (event->type()) {
        case QEvent::Enter:
            palette.setColor(QPalette::WindowText, Qt::blue);
            LVorelia->setPalette(palette);
            break;
        case QEvent::Leave:
            palette.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::WindowText));
            LVorelia->setPalette(palette);
            break;
        case QEvent::MouseButtonRelease:
            QDesktopServices::openUrl(QUrl(QString::fromUtf8(adresseSite)));
            return true;
        case QEvent::KeyPress: {
            const int touche = static_cast<QKeyEvent*>(event)->key();
            if (touche != Qt::Key_Return && touche != Qt::Key_Enter && touche != Qt::Key_Space)
                break;
            QDesktopServices::openUrl(QUrl(QString::fromUtf8(adresseSite)));
            return true;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(objet, event);
}

void TFicheGVMixteTitre::keyPressEvent(QKeyEvent* event)
{
    // Escape closes it as its button does, once it has one.
    if (event->key() == Qt::Key_Escape && ButtonFermerFicheTitre->isVisible()) {
        ButtonFermerFicheTitreClick();
        return;
    }
    QWidget::keyPressEvent(event);
}

void TFicheGVMixteTitre::ajouteLigneMemo(const QString& ligne)
{
    MemoDemarrage->appendPlainText(ligne);
}

void TFicheGVMixteTitre::setAlpha(int alpha)
{
    alpha_ = alpha;
    // Platforms without windows on a screen have no opacity either.
    static const bool avecOpacite = QGuiApplication::platformName() != QLatin1String("offscreen") &&
                                    QGuiApplication::platformName() != QLatin1String("minimal");
    if (avecOpacite)
        setWindowOpacity(alpha_ / 255.0);
}

void TFicheGVMixteTitre::demarreFondu()
{
    TimerFicheTitre.setInterval(10);
    TimerFicheTitre.start();
}

void TFicheGVMixteTitre::TimerFicheTitreTimer()
{
    setAlpha(std::max(alpha_ - 5, 0));
    if (alpha_ < 180)
        retireMemo();
    if (alpha_ > 0)
        return;
    TimerFicheTitre.stop();
    if (premiereFois)
        reduitPremiereFois();
    const bool active = isActiveWindow();
    hide();
    setAlpha(255);
    // The keyboard goes back to the program's window.
    if (active)
        for (QWidget* fenetre : QApplication::topLevelWidgets())
            if (fenetre != this && fenetre->isVisible() && fenetre->windowType() == Qt::Window) {
                fenetre->activateWindow();
                break;
            }
}

void TFicheGVMixteTitre::ButtonFermerFicheTitreClick()
{
    TimerFicheTitre.setInterval(5);
    TimerFicheTitre.start();
}

void TFicheGVMixteTitre::PageControl1Change(int index)
{
    if (index > 0)
        TimerFicheTitre.stop();
    afficheCaracteristiques();
}

void TFicheGVMixteTitre::afficheCaracteristiques()
{
    if (PageControl1->currentIndex() != 1 || !etatCentrale)
        return;
    const TEtatCentrale etat = etatCentrale();
    if (!etat.estSP5)
        return;
    if (etat.installeeEtPresente) {
        LabelNonDisponible->hide();
    } else {
        LabelNonDisponible->show();
        EditNumeroSerie->clear();
    }
}

void TFicheGVMixteTitre::prepareGuideLire()
{
    PageControl1->setCurrentIndex(0);
    afficheUnitePage(true);
}

void TFicheGVMixteTitre::afficheUnitePage(bool visible)
{
    PageControl1->setTabVisible(1, visible);
    if (visible)
        afficheCaracteristiques();
}

void TFicheGVMixteTitre::afficheNumeroSerie(const QString& numero)
{
    EditNumeroSerie->setText(numero);
}

void TFicheGVMixteTitre::montrePourAPropos()
{
    TimerFicheTitre.stop();
    if (premiereFois)
        reduitPremiereFois();
    setAlpha(255);
    ButtonFermerFicheTitre->setText(QStringLiteral("Sysam, ferme-toi !"));
    show();
    raise();
    activateWindow();
    ButtonFermerFicheTitre->setFocus(Qt::OtherFocusReason);
}

void TFicheGVMixteTitre::setNombreUtilisations(int nombre)
{
    LabelNumUtilisation->setText(nombre > 0 ? QStringLiteral("Utilisation n° %1").arg(nombre) : QString());
}

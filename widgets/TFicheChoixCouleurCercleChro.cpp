#include "widgets/TFicheChoixCouleurCercleChro.h"

#include "widgets/CercleChromatique.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QStatusBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

namespace {

constexpr int largeurConception = 634;
constexpr int hauteurConception = 490;
constexpr int largeurReglages = 176;

const QColor gris25(25, 25, 25);

QColor couleurDe(uint32_t c)
{
    return QColor(int(c & 255), int((c >> 8) & 255), int((c >> 16) & 255));
}

uint32_t valeurCouleur(int rouge, int vert, int bleu)
{
    return uint32_t(rouge) + 256u * uint32_t(vert) + 65536u * uint32_t(bleu);
}

QProgressBar* jauge(QWidget* parent, const char* nom, const char* couleurBarre, const QString& bulle)
{
    auto* g = new QProgressBar(parent);
    g->setObjectName(QLatin1String(nom));
    g->setOrientation(Qt::Vertical);
    g->setRange(0, 255);
    g->setValue(0);
    g->setTextVisible(false);
    g->setToolTip(bulle);
    g->setAccessibleName(bulle);
    g->setStyleSheet(QStringLiteral("QProgressBar { border: 1px solid gray; background: white; }"
                                    "QProgressBar::chunk { background: %1; }")
                         .arg(QLatin1String(couleurBarre)));
    return g;
}

QSpinBox* boiteAjustage(QWidget* parent, const char* nom, const QString& composante)
{
    auto* s = new QSpinBox(parent);
    s->setObjectName(QLatin1String(nom));
    s->setRange(0, 255);
    // Changed with the arrows (buttons or keys) only.
    s->findChild<QLineEdit*>()->setReadOnly(true);
    const QString bulle = QStringLiteral("Boite d'ajustage de la composante ") + composante +
                          QStringLiteral(" de la couleur sélectionnée (minimum:0, maximum: 255)");
    s->setToolTip(bulle);
    s->setAccessibleName(QStringLiteral("Composante ") + composante);
    s->setAccessibleDescription(bulle);
    return s;
}

// A frame of one-pixel lines along the edges of a picture.
void ligneHaut(QPainter& p, int y, int w, const QColor& c) { p.fillRect(0, y, w, 1, c); }
void ligneGauche(QPainter& p, int x, int h, const QColor& c) { p.fillRect(x, 0, 1, h, c); }

} // namespace

TFicheChoixCouleurCercleChro::TFicheChoixCouleurCercleChro(QWidget* parent) : QDialog(parent)
{
    construit();
    FormCreate();
}

void TFicheChoixCouleurCercleChro::construit()
{
    setWindowTitle(QStringLiteral("Choix d'une couleur"));
    setAccessibleName(windowTitle());
    setMouseTracking(true);
    resize(largeurConception, hauteurConception);

    Panel5 = new QFrame(this);
    Panel5->setObjectName(QStringLiteral("Panel5"));
    Panel5->setFrameShape(QFrame::StyledPanel);
    Panel5->setMinimumSize(40, 40);
    LPanel5 = new QLabel(QStringLiteral("                     Préparation des couleurs ...."), Panel5);
    QFont gras = LPanel5->font();
    gras.setBold(true);
    gras.setItalic(true);
    LPanel5->setFont(gras);
    LPanel5->setAlignment(Qt::AlignCenter);
    pbC = new QWidget(Panel5);
    pbC->setObjectName(QStringLiteral("pbC"));
    pbC->setAccessibleName(QStringLiteral("Cercle des couleurs"));
    pbC->setMouseTracking(true);
    pbC->setCursor(Qt::CrossCursor);
    pbC->installEventFilter(this);
    Panel5->installEventFilter(this);

    PanelReglages = new QFrame(this);
    PanelReglages->setObjectName(QStringLiteral("PanelReglages"));
    PanelReglages->setFrameShape(QFrame::StyledPanel);
    PanelReglages->setFixedWidth(largeurReglages);
    auto* grille = new QGridLayout(PanelReglages);
    const char* noms[3] = {"Bleu", "Vert", "Rouge"};
    for (int i = 0; i < 3; ++i) {
        auto* l = new QLabel(QLatin1String(noms[i]), PanelReglages);
        l->setAlignment(Qt::AlignCenter);
        grille->addWidget(l, 0, i);
    }
    GBleu = jauge(PanelReglages, "GBleu", "blue",
                  QStringLiteral("Montre le niveau de la composante bleue de la couleur sélectionnée"));
    GVert = jauge(PanelReglages, "GVert", "lime",
                  QStringLiteral("Montre le niveau de la composante verte de la couleur sélectionnée"));
    GRouge = jauge(PanelReglages, "GRouge", "red",
                   QStringLiteral("Montre le niveau de la composante rouge de la couleur sélectionnée"));
    SEBleu = boiteAjustage(PanelReglages, "SEBleu", QStringLiteral("bleue"));
    SEVert = boiteAjustage(PanelReglages, "SEVert", QStringLiteral("verte"));
    SERouge = boiteAjustage(PanelReglages, "SERouge", QStringLiteral("rouge"));
    int colonne = 0;
    for (QProgressBar* g : {GBleu, GVert, GRouge})
        grille->addWidget(g, 1, colonne++, Qt::AlignHCenter);
    colonne = 0;
    for (QSpinBox* s : {SEBleu, SEVert, SERouge}) {
        grille->addWidget(s, 2, colonne++);
        connect(s, &QSpinBox::valueChanged, this, [this] { SERougeChange(); });
    }
    grille->setRowStretch(1, 1);

    PanelEchantillon = new QFrame(this);
    PanelEchantillon->setObjectName(QStringLiteral("PanelEchantillon"));
    PanelEchantillon->setFrameShape(QFrame::StyledPanel);
    PanelEchantillon->setFixedWidth(largeurReglages);
    auto* colonneEchantillon = new QVBoxLayout(PanelEchantillon);
    pbE = new QWidget(PanelEchantillon);
    pbE->setObjectName(QStringLiteral("pbE"));
    pbE->setMinimumHeight(60);
    pbE->setToolTip(QStringLiteral("Échantillon de la couleur déterminée par les trois composantes affichées "));
    pbE->setAccessibleName(QStringLiteral("Échantillon de la couleur"));
    pbE->installEventFilter(this);
    colonneEchantillon->addWidget(pbE, 1);
    ButtonOK = new QPushButton(QStringLiteral("OK"), PanelEchantillon);
    ButtonAide = new QPushButton(QStringLiteral("Aide"), PanelEchantillon);
    ButtonAnnuler = new QPushButton(QStringLiteral("Annuler "), PanelEchantillon);
    ButtonOK->setDefault(true);
    for (QPushButton* b : {ButtonOK, ButtonAide, ButtonAnnuler}) {
        b->setAccessibleName(b->text().trimmed());
        colonneEchantillon->addWidget(b);
        connect(b, &QPushButton::clicked, this, [this, b] { ButtonOKClick(b); });
    }

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    StatusBar1->setAccessibleName(QStringLiteral("Barre d'état"));

    auto* droite = new QVBoxLayout;
    droite->addWidget(PanelReglages, 3);
    droite->addWidget(PanelEchantillon, 2);
    auto* haut = new QHBoxLayout;
    haut->addWidget(Panel5, 1);
    haut->addLayout(droite);
    auto* fenetre = new QVBoxLayout(this);
    fenetre->setContentsMargins(4, 4, 4, 0);
    fenetre->setSpacing(4);
    fenetre->addLayout(haut, 1);
    fenetre->addWidget(StatusBar1);

    TimerMM.setInterval(5000);
    connect(&TimerMM, &QTimer::timeout, this, [this] { TimerMM.stop(); });
    setTabOrder(SEBleu, SEVert);
    setTabOrder(SEVert, SERouge);
    setTabOrder(SERouge, ButtonOK);
    setTabOrder(ButtonOK, ButtonAide);
    setTabOrder(ButtonAide, ButtonAnnuler);
}

void TFicheChoixCouleurCercleChro::FormCreate()
{
    premierActivate = true;
    const QScreen* ecran = screen() ? screen() : QGuiApplication::primaryScreen();
    const QSize taille = ecran ? ecran->availableGeometry().size() : QSize(1280, 800);
    const int largeur = std::max(taille.width() * 2 / 3, 300);
    setMaximumSize(largeur, hauteurConception);
    setMinimumSize(300, 250);
    resize(largeur, std::clamp(taille.height() * 2 / 3, 250, hauteurConception));
    StatusBar1->showMessage(QStringLiteral("Préparation des couleurs..."));
    if (QLayout* l = layout())
        l->activate();
    FormResize();
    imagePbC_ = QImage(pbC->size(), QImage::Format_RGB32);
    imagePbC_.fill(Qt::black);
    clChoisie = 0;
    r1 = v1 = b1 = 0;
    afficheComposantes(0, 0, 0);
    echantillon(0);
}

void TFicheChoixCouleurCercleChro::FormResize()
{
    const int w = Panel5->contentsRect().width();
    const int h = Panel5->contentsRect().height();
    LPanel5->setGeometry(Panel5->contentsRect());
    rayon = float(std::max(std::min(w / 2 - 1, h / 2 - 1) - 2, 1));
    const int cote = int(std::nearbyint(2 * rayon)) + 4;
    const int gauche = std::max(int(std::nearbyint(w / 2.0)) - int(rayon) - 2, 0);
    const int dessus = std::max(int(std::nearbyint(h / 2.0)) - int(rayon) - 2, 0);
    pbC->setGeometry(Panel5->contentsRect().left() + gauche, Panel5->contentsRect().top() + dessus, cote, cote);
    pbC->raise();
    pbCPaint(pbC);
}

void TFicheChoixCouleurCercleChro::FormActivate()
{
    if (!premierActivate)
        return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    bm2 = QImage(pbC->size(), QImage::Format_RGB32);
    bm2.fill(palette().color(QPalette::Window));
    {
        QPainter p(&bm2);
        p.drawImage(0, 0, gv::peintCercleChromatique(int(std::nearbyint(rayon))));
    }
    premierActivate = false;
    imagePbC_ = bm2.copy();
    LPanel5->clear();
    {
        const int w = imagePbC_.width(), h = imagePbC_.height();
        QPainter p(&imagePbC_);
        p.fillRect(w - 2, 0, 2, h, Qt::white);
        p.fillRect(0, h - 2, w, 2, Qt::white);
        ligneGauche(p, 0, h, gris25);
        ligneHaut(p, 0, w, gris25);
        ligneGauche(p, 1, h - 2, Qt::white);
        ligneHaut(p, 1, w - 2, Qt::white);
    }
    pbC->update();
    QApplication::restoreOverrideCursor();
}

void TFicheChoixCouleurCercleChro::pbCPaint(QWidget* sender)
{
    if (sender == pbE) {
        echantillon(0);
        return;
    }
    if (premierActivate) {
        imagePbC_ = QImage(pbC->size(), QImage::Format_RGB32);
        imagePbC_.fill(Qt::black);
        pbC->update();
        return;
    }
    const int w = pbC->width(), h = pbC->height();
    imagePbC_ = bm2.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).convertToFormat(QImage::Format_RGB32);
    QPainter p(&imagePbC_);
    ligneHaut(p, h - 1, w, Qt::white);
    ligneGauche(p, w - 1, h, Qt::white);
    ligneHaut(p, h - 2, w - 1, Qt::black);
    ligneGauche(p, w - 2, h - 1, Qt::black);
    ligneGauche(p, 0, h - 1, gris25);
    ligneHaut(p, 0, w - 1, gris25);
    ligneGauche(p, 1, h - 2, Qt::white);
    ligneHaut(p, 1, w - 2, Qt::white);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(170, 170, 170));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(2, 2, w - 5, h - 5));
    p.end();
    pbC->update();
}

void TFicheChoixCouleurCercleChro::prendCouleur(QPoint point)
{
    // The centre of the circle as the picture shows it.
    const double centre = imagePbC_.width() / 2.0;
    const double distance = std::hypot(point.x() - centre, point.y() - centre);
    clChoisie = 0;
    if (distance < rayon - 1 && imagePbC_.valid(point)) {
        const QRgb c = imagePbC_.pixel(point);
        clChoisie = valeurCouleur(qRed(c), qGreen(c), qBlue(c));
    }
    r1 = uint8_t(clChoisie & 255);
    v1 = uint8_t((clChoisie >> 8) & 255);
    b1 = uint8_t((clChoisie >> 16) & 255);
    afficheComposantes(r1, v1, b1);
    echantillon(1);
    repaint();
}

void TFicheChoixCouleurCercleChro::pbCMouseMove(QPoint point)
{
    if (TimerMM.isActive())
        return;
    StatusBar1->showMessage(
        QStringLiteral("Cliquez sur une couleur, puis affinez si nécessaire à l'aide des boites d'ajustage "));
    prendCouleur(point);
}

void TFicheChoixCouleurCercleChro::pbCMouseDown(QPoint point)
{
    TimerMM.start();
    StatusBar1->showMessage(QStringLiteral("Affinez si nécessaire à l'aide des boites d'ajustage; validez avec [OK] "));
    ajustage = true;
    prendCouleur(point);
    ButtonOKClick(pbC);
}

void TFicheChoixCouleurCercleChro::FormMouseMove()
{
    if (ajustage)
        return;
    clChoisie = 0;
    r1 = v1 = b1 = 0;
    afficheComposantes(0, 0, 0);
    echantillon(1);
}

void TFicheChoixCouleurCercleChro::SERougeChange()
{
    if (bloque_)
        return;
    const int rouge = SERouge->value(), vert = SEVert->value(), bleu = SEBleu->value();
    if (rouge == r1 && vert == v1 && bleu == b1)
        return;
    r1 = uint8_t(rouge);
    v1 = uint8_t(vert);
    b1 = uint8_t(bleu);
    clChoisie = valeurCouleur(rouge, vert, bleu);
    afficheJauges();
    echantillon(1);
}

void TFicheChoixCouleurCercleChro::ButtonOKClick(QObject* sender)
{
    if (sender == ButtonOK)
        done(1);
    else if (sender == ButtonAnnuler)
        done(2);
}

void TFicheChoixCouleurCercleChro::afficheComposantes(uint8_t rouge, uint8_t vert, uint8_t bleu)
{
    bloque_ = true;
    SERouge->setValue(rouge);
    SEVert->setValue(vert);
    SEBleu->setValue(bleu);
    bloque_ = false;
    afficheJauges();
}

void TFicheChoixCouleurCercleChro::afficheJauges()
{
    GRouge->setValue(SERouge->value());
    GVert->setValue(SEVert->value());
    GBleu->setValue(SEBleu->value());
}

void TFicheChoixCouleurCercleChro::echantillon(int option)
{
    const int W = pbE->width(), H = pbE->height();
    if (W <= 0 || H <= 0)
        return;
    if (imagePbE_.size() != pbE->size()) {
        imagePbE_ = QImage(pbE->size(), QImage::Format_RGB32);
        option = 0;
    }
    const int h2 = H / 2;
    QPainter p(&imagePbE_);
    if (option == 0) {
        p.fillRect(QRect(QPoint(0, 0), QPoint(W - 1, h2 - 1)), Qt::black);
        p.fillRect(QRect(QPoint(0, h2), QPoint(W - 1, 2 * h2 - 1)), Qt::white);
    }
    p.setBrush(couleurDe(clChoisie));
    // A rectangle from (x1, y1) to (x2, y2), outline included, right and
    // bottom edges excluded.
    auto rectangle = [&](int x1, int y1, int x2, int y2, const QColor& contour) {
        p.setPen(contour);
        p.drawRect(QRect(x1, y1, x2 - x1 - 1, y2 - y1 - 1));
    };
    rectangle(W / 6, h2 / 6, 5 * W / 6, 5 * h2 / 6, Qt::white);
    rectangle(W / 6, h2 + h2 / 6, 5 * W / 6, h2 + 5 * h2 / 6, Qt::black);
    p.end();
    pbE->update();
}

void TFicheChoixCouleurCercleChro::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Painted once the window is on screen, so that it shows "Préparation
    // des couleurs" meanwhile.
    if (premierActivate)
        QTimer::singleShot(0, this, [this] { FormActivate(); });
}

void TFicheChoixCouleurCercleChro::mouseMoveEvent(QMouseEvent* event)
{
    if (!childAt(event->position().toPoint()))
        FormMouseMove();
    QDialog::mouseMoveEvent(event);
}

bool TFicheChoixCouleurCercleChro::eventFilter(QObject* objet, QEvent* event)
{
    if (objet == Panel5 && event->type() == QEvent::Resize) {
        FormResize();
    } else if (objet == pbC || objet == pbE) {
        auto* widget = static_cast<QWidget*>(objet);
        switch (event->type()) {
        case QEvent::Paint: {
            QPainter p(widget);
            p.drawImage(0, 0, objet == pbC ? imagePbC_ : imagePbE_);
            return true;
        }
        case QEvent::Resize:
            if (objet == pbC)
                pbCPaint(pbC);
            else
                pbCPaint(pbE);
            break;
        case QEvent::MouseMove:
            if (objet == pbC)
                pbCMouseMove(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        case QEvent::MouseButtonPress:
            if (objet == pbC)
                pbCMouseDown(static_cast<QMouseEvent*>(event)->position().toPoint());
            break;
        default:
            break;
        }
    }
    return QDialog::eventFilter(objet, event);
}

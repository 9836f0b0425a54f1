#include "export/TFicheChoixTransfert.h"

#include "app/Messages.h"
#include "model/UniteBaseCouleurs.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <cmath>

namespace {

const int couleurGaucheDegrade = couleurRGB(224, 228, 224);
const int coteImage = 96;

QColor qcouleur(int couleur)
{
    return QColor(rougeDe(couleur), vertDe(couleur), bleuDe(couleur));
}

// A sheet of cells, or a REGRESSI graph, receiving the measured curve.
QPixmap dessineImage(TFicheChoixTransfert::TImage genre)
{
    QPixmap pixmap(coteImage, coteImage);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF feuille(18, 10, 70, 78);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(feuille);
    if (genre == TFicheChoixTransfert::TImage::tableur) {
        p.fillRect(QRectF(feuille.left(), feuille.top(), feuille.width(), 13), QColor(149, 201, 255));
        p.fillRect(QRectF(feuille.left(), feuille.top() + 13, feuille.width(), 13), QColor(255, 245, 199));
        p.setPen(QPen(QColor(150, 150, 150), 1));
        for (double y = feuille.top() + 13; y < feuille.bottom(); y += 13)
            p.drawLine(QPointF(feuille.left(), y), QPointF(feuille.right(), y));
        for (double x = feuille.left() + 23; x < feuille.right(); x += 23)
            p.drawLine(QPointF(x, feuille.top() + 13), QPointF(x, feuille.bottom()));
    } else {
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.drawLine(QPointF(26, 80), QPointF(82, 80));
        p.drawLine(QPointF(26, 80), QPointF(26, 18));
        QPainterPath courbe(QPointF(26, 50));
        for (int x = 0; x <= 56; ++x)
            courbe.lineTo(26 + x, 50 - 24 * std::sin(x / 56.0 * 2 * 3.14159265));
        p.setPen(QPen(QColor(144, 0, 0), 2));
        p.setBrush(Qt::NoBrush);
        p.drawPath(courbe);
    }
    // The arrow of the hand-over.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 120, 28));
    const QPointF fleche[] = {{2, 44}, {14, 44}, {14, 38}, {24, 50}, {14, 62}, {14, 56}, {2, 56}};
    p.drawPolygon(fleche, 7);
    return pixmap;
}

QLabel* etiquette(const QString& texte, QWidget* parent)
{
    auto* label = new QLabel(texte, parent);
    label->setAccessibleName(texte.trimmed());
    return label;
}

} // namespace

TFicheChoixTransfert::TFicheChoixTransfert(const TTextes& textes, TImage genre, QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(textes.titre);
    auto* texte = etiquette(textes.texte, this);
    texte->setWordWrap(true);
    QFont gras = texte->font();
    gras.setBold(true);
    texte->setFont(gras);

    choixUn = new QRadioButton(textes.choix1, this);
    choixDeux = new QRadioButton(textes.choix2, this);
    boutonOK = new QPushButton(QStringLiteral("OK"), this);
    boutonAnnuler = new QPushButton(QStringLiteral("Annuler"), this);
    image = new QLabel(this);
    image->setPixmap(dessineImage(genre));
    image->setAccessibleName(textes.titre);

    const std::pair<QWidget*, const QString*> noms[] = {{choixUn, &textes.nomChoix1}, {choixDeux, &textes.nomChoix2},
                                                        {boutonOK, &textes.nomOK}, {boutonAnnuler, &textes.nomAnnuler}};
    for (const auto& [controle, nom] : noms)
        controle->setObjectName(*nom);
    choixUn->setAccessibleName(textes.choix1);
    choixDeux->setAccessibleName(textes.choix2);
    boutonOK->setAccessibleName(QStringLiteral("OK"));
    boutonAnnuler->setAccessibleName(QStringLiteral("Annuler"));

    auto* choixLayout = new QVBoxLayout;
    choixLayout->addWidget(choixUn);
    choixLayout->addWidget(etiquette(QStringLiteral("ou bien"), this), 0, Qt::AlignHCenter);
    choixLayout->addWidget(choixDeux);

    auto* boutons = new QGridLayout;
    boutons->addWidget(etiquette(QStringLiteral("Choisissez en cochant ci-dessus, puis cliquez sur -->"), this), 0, 0,
                       Qt::AlignRight);
    boutons->addWidget(boutonOK, 0, 1);
    boutons->addWidget(etiquette(QStringLiteral("Sinon: -->"), this), 1, 0, Qt::AlignRight);
    boutons->addWidget(boutonAnnuler, 1, 1);

    auto* droite = new QVBoxLayout;
    droite->addWidget(texte);
    droite->addSpacing(6);
    droite->addLayout(choixLayout);
    droite->addSpacing(10);
    droite->addLayout(boutons);

    auto* principal = new QHBoxLayout(this);
    principal->addWidget(image, 0, Qt::AlignTop);
    principal->addSpacing(8);
    principal->addLayout(droite, 1);
    principal->setSizeConstraint(QLayout::SetFixedSize);
    texte->setMinimumWidth(420);

    connect(choixUn, &QRadioButton::clicked, this, [this] { choixClique(); });
    connect(choixDeux, &QRadioButton::clicked, this, [this] { choixClique(); });
    connect(boutonOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(boutonAnnuler, &QPushButton::clicked, this, &QDialog::reject);
    boutonOK->setDefault(true);
    reinitialise();
}

int TFicheChoixTransfert::choix() const
{
    if (choixUn->isChecked())
        return choixPremier;
    if (choixDeux->isChecked())
        return choixSecond;
    return choixAnnule;
}

void TFicheChoixTransfert::choixClique()
{
    boutonOK->setEnabled(choix() != choixAnnule);
}

void TFicheChoixTransfert::reinitialise()
{
    // Two radio buttons of one parent exclude each other and never let the
    // last one be unchecked: the program clears both with the rule lifted.
    choixUn->setAutoExclusive(false);
    choixDeux->setAutoExclusive(false);
    choixUn->setChecked(false);
    choixDeux->setChecked(false);
    choixUn->setAutoExclusive(true);
    choixDeux->setAutoExclusive(true);
    boutonOK->setEnabled(false);
    choixUn->setFocus();
}

int TFicheChoixTransfert::demandeChoix()
{
    reinitialise();
    if (gv::executeDialogue(*this) != QDialog::Accepted)
        return choixAnnule;
    return choix();
}

int TFicheChoixTransfert::couleurColonne(int i, int largeur)
{
    const float pourcent = largeur > 1 ? float(i) / float(largeur - 1) * 100.0f : 0.0f;
    return eclaircirCouleur(couleurGaucheDegrade, pourcent);
}

void TFicheChoixTransfert::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const int largeur = width();
    for (int i = 0; i < largeur; ++i) {
        p.setPen(qcouleur(couleurColonne(i, largeur)));
        p.drawLine(i, 0, i, height() - 1);
    }
}

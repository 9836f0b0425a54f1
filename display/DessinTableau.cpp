#include "display/DessinTableau.h"

#include "display/Couleurs.h"
#include "model/UniteBaseCouleurs.h"
#include "model/UniteMath.h"

#include <QFontMetrics>
#include <QPainterPath>
#include <algorithm>

namespace {

// The window's colour; the header is it darkened 15 %, the cursors' band
// the header's colour lightened 60 %.
const int clFenetre = couleurRGB(221, 238, 255);

int droiteExclue(const QRect& r)
{
    return r.left() + r.width();
}

int basExclu(const QRect& r)
{
    return r.top() + r.height();
}

void traitsBas(QPainter& p, const QRect& c)
{
    p.setPen(qcouleur(couleursTableau().clBord));
    p.drawLine(c.left(), c.bottom(), c.right(), c.bottom());
    p.drawLine(c.right(), c.bottom(), c.right(), c.top());
}

QPixmap dessineCroix()
{
    QPixmap image(24, 22);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(120, 0, 0), 1));
    p.setBrush(QColor(205, 30, 30));
    p.drawRoundedRect(QRectF(4.5, 3.5, 15, 15), 3, 3);
    p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(8.5, 7.5), QPointF(15.5, 14.5));
    p.drawLine(QPointF(15.5, 7.5), QPointF(8.5, 14.5));
    return image;
}

} // namespace

const TCouleursTableau& couleursTableau()
{
    static const int titre = assombrirCouleur(clFenetre, 15);
    static const TCouleursTableau couleurs {couleurRGB(255, 255, 255), titre, eclaircirCouleur(titre, 60),
                                            couleurRGB(160, 160, 160)};
    return couleurs;
}

QFont policeTableau(int taille, bool gras, float K)
{
    QFont police(QStringLiteral("MS Serif"));
    police.setStyleHint(QFont::Serif);
    police.setPixelSize(std::max(arrondiEntier(static_cast<long double>(taille) * K), 1));
    police.setBold(gras);
    return police;
}

void dessineAspectEntete(QPainter& p, const QRect& c)
{
    p.fillRect(c, qcouleur(couleursTableau().clfdSGTitre));
    p.setPen(Qt::white);
    p.drawLine(c.left(), c.bottom(), c.left(), c.top());
    p.drawLine(c.left(), c.top(), c.right(), c.top());
    traitsBas(p, c);
}

void dessineFondDonnee(QPainter& p, const QRect& c, bool entreCurseurs)
{
    const TCouleursTableau& couleurs = couleursTableau();
    p.fillRect(c, qcouleur(entreCurseurs ? couleurs.clfdSGSelT : couleurs.clfdSG));
    traitsBas(p, c);
}

void dessineFocus(QPainter& p, const QRect& c)
{
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(c.adjusted(2, 2, -3, -3));
}

QPoint origineCentree(const QRect& c, int largeur, int hauteur)
{
    return {std::max((c.left() + droiteExclue(c) - largeur) / 2, c.left()), (c.top() + basExclu(c) - hauteur) / 2};
}

void ecritCentre(QPainter& p, const QRect& c, const QString& texte)
{
    const QFontMetrics fm(p.font());
    const QPoint o = origineCentree(c, fm.horizontalAdvance(texte), fm.height());
    p.drawText(o.x(), o.y() + fm.ascent(), texte);
}

void ecritEnBasADroite(QPainter& p, const QRect& c, const QString& texte)
{
    const QFontMetrics fm(p.font());
    p.drawText(droiteExclue(c) - 2 - fm.horizontalAdvance(texte), basExclu(c) - 2 - fm.descent(), texte);
}

const QPixmap& imageSuppression()
{
    static const QPixmap image = dessineCroix();
    return image;
}

void dessineImageSuppression(QPainter& p, const QRect& c)
{
    const QPixmap& image = imageSuppression();
    p.drawPixmap(origineCentree(c, image.width(), image.height()), image);
}

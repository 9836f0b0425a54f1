#include "app/IconesBoutons.h"

#include "app/Disposition.h"

#include <QBitmap>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QtMath>
#include <vector>

namespace gv {

namespace {

const QColor encre(40, 48, 64);
const QColor bleu(38, 102, 186);
const QColor vert(33, 140, 72);
const QColor rouge(196, 40, 40);
const QColor orange(226, 128, 24);

void page(QPainter& p, QColor fond = Qt::white)
{
    QPainterPath contour;
    contour.moveTo(14, 6);
    contour.lineTo(40, 6);
    contour.lineTo(52, 18);
    contour.lineTo(52, 58);
    contour.lineTo(14, 58);
    contour.closeSubpath();
    p.setPen(QPen(encre, 2.5));
    p.setBrush(fond);
    p.drawPath(contour);
    p.setBrush(QColor(210, 216, 226));
    p.drawPolygon(QPolygonF({QPointF(40, 6), QPointF(40, 18), QPointF(52, 18)}));
}

void lettre(QPainter& p, const QRectF& cadre, const QString& texte, QColor couleur, int taille)
{
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(taille);
    police.setBold(true);
    p.setFont(police);
    p.setPen(couleur);
    p.drawText(cadre, Qt::AlignCenter, texte);
}

void disquette(QPainter& p, const QString& marque, QColor couleurMarque)
{
    p.setPen(QPen(encre, 2.5));
    p.setBrush(bleu);
    p.drawRoundedRect(QRectF(8, 8, 48, 48), 4, 4);
    p.setBrush(QColor(220, 226, 234));
    p.drawRect(QRectF(18, 8, 26, 14));
    p.setBrush(encre);
    p.drawRect(QRectF(34, 11, 6, 8));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(14, 30, 36, 24));
    lettre(p, QRectF(14, 30, 36, 24), marque, couleurMarque, 20);
}

void fleche(QPainter& p, QColor couleur)
{
    QPainterPath f;
    f.moveTo(4, 50);
    f.lineTo(18, 50);
    f.lineTo(18, 44);
    f.lineTo(30, 54);
    f.lineTo(18, 64 - 2);
    f.lineTo(18, 58);
    f.lineTo(4, 58);
    f.closeSubpath();
    p.setPen(QPen(encre, 1.5));
    p.setBrush(couleur);
    p.drawPath(f);
}

void feuilleCalcul(QPainter& p, QColor couleur, const QString& marque)
{
    p.setPen(QPen(encre, 2.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(20, 6, 38, 40));
    p.setBrush(couleur);
    p.drawRect(QRectF(20, 6, 38, 9));
    p.setPen(QPen(QColor(150, 160, 175), 1.2));
    for (int x = 32; x < 58; x += 12)
        p.drawLine(QPointF(x, 15), QPointF(x, 46));
    for (int y = 23; y < 46; y += 8)
        p.drawLine(QPointF(20, y), QPointF(58, y));
    p.setPen(Qt::NoPen);
    p.setBrush(couleur);
    p.drawRoundedRect(QRectF(4, 10, 22, 22), 3, 3);
    lettre(p, QRectF(4, 10, 22, 22), marque, Qt::white, 17);
}

void courbe(QPainter& p, const QRectF& cadre, QColor couleur)
{
    QPainterPath c;
    for (int i = 0; i <= 40; ++i) {
        const double x = cadre.left() + cadre.width() * i / 40.0;
        const double y = cadre.center().y() - 0.4 * cadre.height() * qSin(i * 2 * M_PI / 26.0);
        if (i == 0)
            c.moveTo(x, y);
        else
            c.lineTo(x, y);
    }
    p.setPen(QPen(couleur, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(c);
}

// The symbol of each button, on a transparent 64 × 64 picture.
void dessineSymbole(QPainter& p, int bouton)
{
    switch (bouton) {
    case boutonNouveau: {
        page(p);
        p.setPen(QPen(orange, 3, Qt::SolidLine, Qt::RoundCap));
        const QPointF centre(46, 46);
        for (int i = 0; i < 8; ++i) {
            const double a = i * M_PI / 4;
            const double r1 = 4, r2 = (i % 2) ? 9 : 13;
            p.drawLine(centre + QPointF(r1 * qCos(a), r1 * qSin(a)), centre + QPointF(r2 * qCos(a), r2 * qSin(a)));
        }
        break;
    }
    case boutonEnregistrerRW3:
        disquette(p, QStringLiteral("R"), rouge);
        break;
    case boutonEnregistrerTXT:
        disquette(p, QStringLiteral("T"), encre);
        break;
    case boutonTransfertREG:
        p.setPen(QPen(encre, 2.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(20, 6, 38, 40));
        p.setPen(QPen(encre, 2));
        p.drawLine(QPointF(25, 10), QPointF(25, 42));
        p.drawLine(QPointF(23, 26), QPointF(55, 26));
        courbe(p, QRectF(25, 12, 30, 28), rouge);
        fleche(p, bleu);
        break;
    case boutonTransfertExcel:
        feuilleCalcul(p, vert, QStringLiteral("X"));
        fleche(p, bleu);
        break;
    case boutonTransfertOOLO:
        feuilleCalcul(p, QColor(24, 130, 150), QStringLiteral("C"));
        fleche(p, bleu);
        break;
    case boutonMesures:
        p.setPen(QPen(encre, 2.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 8, 52, 48));
        courbe(p, QRectF(8, 14, 48, 36), bleu);
        p.setPen(QPen(vert, 2, Qt::DashLine));
        p.drawLine(QPointF(20, 10), QPointF(20, 54));
        p.drawLine(QPointF(44, 10), QPointF(44, 54));
        p.setPen(QPen(rouge, 2, Qt::DashLine));
        p.drawLine(QPointF(8, 20), QPointF(56, 20));
        break;
    case boutonVoirTableau:
        p.setPen(QPen(encre, 2.5));
        p.setBrush(Qt::white);
        p.drawRect(QRectF(6, 8, 52, 48));
        p.setBrush(QColor(180, 205, 235));
        p.drawRect(QRectF(6, 8, 52, 11));
        p.setPen(QPen(encre, 1.5));
        p.drawLine(QPointF(24, 8), QPointF(24, 56));
        p.drawLine(QPointF(41, 8), QPointF(41, 56));
        for (int y = 28; y < 56; y += 9)
            p.drawLine(QPointF(6, y), QPointF(58, y));
        break;
    case boutonOptions: {
        QPainterPath roue;
        const QPointF centre(32, 32);
        const int dents = 8;
        for (int i = 0; i < dents * 4; ++i) {
            const double a = i * M_PI / (dents * 2);
            const double r = ((i / 2) % 2) ? 19 : 26;
            const QPointF point = centre + QPointF(r * qCos(a), r * qSin(a));
            if (i == 0)
                roue.moveTo(point);
            else
                roue.lineTo(point);
        }
        roue.closeSubpath();
        roue.addEllipse(centre, 8, 8);
        p.setPen(QPen(encre, 2.5));
        p.setBrush(QColor(150, 160, 176));
        p.drawPath(roue);
        break;
    }
    case boutonAproposDe:
        p.setPen(QPen(encre, 2.5));
        p.setBrush(bleu);
        p.drawEllipse(QPointF(32, 32), 25, 25);
        lettre(p, QRectF(7, 7, 50, 50), QStringLiteral("i"), Qt::white, 36);
        break;
    case boutonQuitter: {
        p.setPen(QPen(rouge, 6, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(11, 13, 42, 42), 120 * 16, 300 * 16);
        p.drawLine(QPointF(32, 7), QPointF(32, 31));
        break;
    }
    default:
        break;
    }
}

QImage symbole(int bouton)
{
    QImage image(coteCellule, coteCellule, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    dessineSymbole(p, bouton);
    return image;
}

// The disabled state: the symbol in light greys.
QImage estompe(const QImage& image)
{
    QImage gris = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < gris.height(); ++y) {
        auto* ligne = reinterpret_cast<QRgb*>(gris.scanLine(y));
        for (int x = 0; x < gris.width(); ++x) {
            const int g = 150 + qGray(ligne[x]) * 90 / 255;
            ligne[x] = qRgba(g, g, g, qAlpha(ligne[x]) * 3 / 4);
        }
    }
    return gris;
}

void dessineCellule(QPainter& p, int bouton, int etat)
{
    static const QColor fonds[nbEtatsBouton] = {QColor(236, 239, 244), QColor(236, 239, 244),
                                                QColor(200, 210, 224), QColor(196, 220, 246)};
    static const QColor bords[nbEtatsBouton] = {QColor(190, 198, 210), QColor(214, 218, 224),
                                                QColor(120, 134, 156), QColor(46, 110, 190)};
    p.setPen(QPen(bords[etat], 2));
    p.setBrush(fonds[etat]);
    p.drawRoundedRect(QRectF(1, 1, coteCellule - 2, coteCellule - 2), 8, 8);
    const QImage dessin = etat == 1 ? estompe(symbole(bouton)) : symbole(bouton);
    const double decalage = etat == 2 ? 2.0 : 0.0;
    // The symbol takes 80 % of the cell so that the border stays visible.
    p.drawImage(QRectF(6.4 + decalage, 6.4 + decalage, 51.2, 51.2), dessin);
}

} // namespace

QImage feuilleBoutons()
{
    QImage feuille(nbEtatsBouton * coteCellule, nbLignesFeuille * coteCellule, QImage::Format_RGB888);
    feuille.fill(QColor(236, 239, 244));
    QPainter p(&feuille);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    for (int bouton = 0; bouton < nbBoutonsOutils; ++bouton)
        for (int etat = 0; etat < nbEtatsBouton; ++etat) {
            p.save();
            p.translate(etat * coteCellule, ligneSprite[bouton] * coteCellule);
            dessineCellule(p, bouton, etat);
            p.restore();
        }
    return feuille;
}

QImage celluleReduite(const QImage& feuille, int ligne, int colonne, int cote)
{
    const QImage source = feuille.convertToFormat(QImage::Format_RGB32);
    std::vector<int> rouges(cote * cote), verts(cote * cote), bleus(cote * cote), nombres(cote * cote);
    const int x0 = colonne * coteCellule, y0 = ligne * coteCellule;
    for (int sy = 0; sy < coteCellule; ++sy)
        for (int sx = 0; sx < coteCellule; ++sx) {
            const int dx = sx * cote / coteCellule, dy = sy * cote / coteCellule;
            const QRgb pixel = source.pixel(x0 + sx, y0 + sy);
            const int i = dy * cote + dx;
            rouges[i] += qRed(pixel);
            verts[i] += qGreen(pixel);
            bleus[i] += qBlue(pixel);
            ++nombres[i];
        }
    QImage cellule(cote, cote, QImage::Format_RGB888);
    for (int dy = 0; dy < cote; ++dy)
        for (int dx = 0; dx < cote; ++dx) {
            const int i = dy * cote + dx;
            if (nombres[i] == 0) {
                // Larger than the cell: no source pixel falls in this one;
                // it takes the pixel it lies on.
                cellule.setPixel(dx, dy, source.pixel(x0 + dx * coteCellule / cote, y0 + dy * coteCellule / cote));
                continue;
            }
            cellule.setPixel(dx, dy, qRgb(rouges[i] / nombres[i], verts[i] / nombres[i], bleus[i] / nombres[i]));
        }
    return cellule;
}

QImage imageBouton(const QImage& feuille, int ligne, int cote)
{
    QImage image(nbEtatsBouton * (cote + 3), cote + 3, QImage::Format_RGB888);
    image.fill(QColor(236, 239, 244));
    QPainter p(&image);
    for (int etat = 0; etat < nbEtatsBouton; ++etat)
        p.drawImage(etat * (cote + 3) + 1, 1, celluleReduite(feuille, ligne, etat, cote));
    p.end();
    for (int etat = 0; etat < nbEtatsBouton; ++etat)
        image.setPixel(etat * (cote + 3), cote + 2, qRgb(255, 0, 0));
    return image;
}

QIcon iconeBouton(const QImage& image, int cote)
{
    QIcon icone;
    static const QIcon::Mode modes[nbEtatsBouton] = {QIcon::Normal, QIcon::Disabled, QIcon::Active, QIcon::Normal};
    static const QIcon::State etats[nbEtatsBouton] = {QIcon::Off, QIcon::Off, QIcon::Off, QIcon::On};
    for (int etat = 0; etat < nbEtatsBouton; ++etat) {
        QPixmap morceau = QPixmap::fromImage(image.copy(etat * (cote + 3), 0, cote + 3, cote + 3));
        morceau.setMask(morceau.createMaskFromColor(QColor(255, 0, 0)));
        icone.addPixmap(morceau.copy(1, 1, cote, cote), modes[etat], etats[etat]);
    }
    return icone;
}

} // namespace gv

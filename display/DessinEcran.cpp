#include "display/DessinEcran.h"

#include "display/Couleurs.h"
#include "display/EcritAvecExposant.h"
#include "display/TraceurPixels.h"
#include "model/UniteBaseChaines.h"
#include "model/UniteBaseCouleurs.h"

#include <QFontMetrics>
#include <QPolygon>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

const QColor grisQuadrillage(128, 128, 128);
const QColor vertCurseurs(0, 128, 0);
const QColor rougeMesures(255, 0, 0);
constexpr int clGris = 128 + 256 * 128 + 65536 * 128;

QPen stylo(const QColor& c, int largeur = 1, Qt::PenStyle style = Qt::SolidLine)
{
    QPen p(c);
    p.setWidth(largeur);
    p.setStyle(style);
    return p;
}

QFont policeGras(const QFont& f, bool gras)
{
    QFont r(f);
    r.setBold(gras);
    return r;
}

} // namespace

TDessinEcran::TDessinEcran(TGeometrieEcran& geometrie) : g(geometrie), clsVX(couleursDefautVoies())
{
    fontEcran.setPixelSize(12);
}

QRect TDessinEcran::rgnCourbes() const
{
    return QRect(g.mGau1 + g.mgau2, g.mSup, g.larG, g.hauG);
}

void TDessinEcran::dessineFondEcran(QImage& image) const
{
    QPainter p(&image);
    p.setFont(fontEcran);
    p.setPen(Qt::black);
    p.setBrush(qcouleur(clFondEcran));
    p.drawRect(0, 0, image.width() - 1, image.height() - 1);
    int L = g.gaucheGraphe();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRect(QPoint(L - 1, g.mSup - 1), QPoint(L + g.larG, g.mSup + g.hauG)));
}

void TDessinEcran::dessineQuadAxesV(QImage& image) const
{
    QPainter p(&image);
    int L = g.gaucheGraphe();
    if (g.axeQuadrilleX >= 0 && g.axeQuadrilleX < g.nbAxes) {
        const int a = g.axeQuadrilleX;
        float ech = static_cast<float>(g.AxesX[a].EchA);
        p.setPen(stylo(grisQuadrillage, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        for (int n = g.nGradV11[a]; n <= g.nGradV12[a]; ++n) {
            int y = g.ye(ech, n * g.sepR[a]);
            p.drawLine(L, y, L + g.larG - 1, y);
        }
    }
    const int colonnes[4] = {3, g.mGau1, L + g.larG + 4, L + g.larG + g.mDroi1 + 2};
    for (int h = 0; h < g.nbAxes; ++h) {
        bool quadrillage = h == g.axeQuadrilleX;
        QColor couleur = quadrillage ? Qt::red : Qt::black;
        QFont police = policeGras(fontEcran, quadrillage);
        p.setFont(police);
        QFontMetrics fm(police);
        float ech = static_cast<float>(g.AxesX[h].EchA);
        for (int n = g.nGradV11[h]; n <= g.nGradV12[h]; ++n) {
            float valeur = n * g.sepR[h];
            int y = g.ye(ech, valeur);
            p.setPen(stylo(couleur));
            p.drawLine(g.xgr1[h], y, g.xgr2[h] + 4, y);
            std::string texte = (valeur > 0 ? " +" : " ") + texteGeneral(valeur, 6) + " ";
            QString s = QString::fromStdString(texte);
            QRect r(colonnes[h], y - fm.height() / 2, fm.horizontalAdvance(s), fm.height());
            p.fillRect(r, qcouleur(clFondEcran));
            p.drawText(r.left(), r.top() + fm.ascent(), s);
        }
    }
    p.setPen(stylo(Qt::black));
    p.drawLine(L, g.mSup - 4, L, g.mSup + g.hauG);
    p.setFont(fontEcran);
    p.drawText(5, 6 + QFontMetrics(fontEcran).ascent(), QStringLiteral("(V)"));
}

void TDessinEcran::dessineQuadAxeH(QImage& image) const
{
    QPainter p(&image);
    p.setFont(fontEcran);
    QFontMetrics fm(fontEcran);
    int L = g.gaucheGraphe();
    for (int n = g.nGradH1; n <= g.nGradH2; ++n) {
        int x = g.xe(static_cast<long double>(n) * g.sepRt + g.t0());
        p.setPen(stylo(grisQuadrillage, 1, Qt::DotLine));
        p.drawLine(x, g.mSup, x, g.mSup + g.hauG);
        QString s = QString::fromStdString(texteGeneral(n * g.sepRt / g.axeT.mult, 4));
        int w = fm.horizontalAdvance(s);
        int xt = std::min(std::max(x - w / 2, g.xOri + 1), L + g.larG - w - 1);
        p.setPen(Qt::black);
        p.drawText(xt, g.mSup + g.hauG + fm.ascent(), s);
    }
    p.setPen(stylo(Qt::black));
    p.drawLine(L, g.mSup + g.hauG, L + g.larG + 3, g.mSup + g.hauG);
    if (g.mSup < g.yOri && g.yOri < g.mSup + g.hauG) {
        p.setPen(stylo(Qt::black, 1, Qt::DashLine));
        p.drawLine(L, g.yOri, L + g.larG - 1, g.yOri);
    }
    if (!g.axeT.sp10Mult.empty()) {
        int largeurReference = fm.horizontalAdvance(QStringLiteral(" x 10-3 s "));
        ecritAvecExposant(p, L + g.larG - largeurReference - 2, g.hauT - fm.height() - 3, g.larT, g.hauT - 3,
                          ancrageHautGauche, effetAucun, 0, clFondEcran, clGris,
                          "x 10(" + g.axeT.sp10Mult + ") s");
    }
}

bool TDessinEcran::surAxeQuadrillage(int VM1) const
{
    return g.mesures->voiesMesurees[VM1].axeVM == g.axeQuadrilleX;
}

TColor TDessinEcran::couleurCourbe(int VM1, int optionCl) const
{
    TColor cl = g.mesures->voiesMesurees[VM1].clVM;
    if (optionCl == 0)
        return cl;
    if (optionCl == 1)
        return eclaircirCouleur(cl, 90);
    return 0;
}

int TDessinEcran::eclaircissementSegment(int longueur) const
{
    long double demi = g.hauG / 2.0L - 1;
    if (demi <= 0)
        return 80;
    long double p = std::min<long double>(30 / g.zoomV / demi * std::abs(longueur), 80);
    return arrondi(p);
}

void TDessinEcran::dessineUneCourbeSegsVerts(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1,
                                             int64_t kMax1, int optionCl, int ep1, double dt) const
{
    const std::vector<float>& tv = g.mesures->tv2[VM1];
    int64_t longueur = static_cast<int64_t>(tv.size()) - pt0trame1;
    if (kMin1 < 0)
        kMin1 = 0;
    if (longueur <= 0 || kMin1 >= longueur)
        return;
    const float* v = tv.data() + pt0trame1;
    const int64_t kFin = std::min(kMax1 - 2, longueur - 1);
    const TColor cl = couleurCourbe(VM1, optionCl);
    const QRgb rgb = qrgbDe(cl);
    const double fx = dt * static_cast<double>(g.zoomH * g.axeT.EchA);
    const double fy = static_cast<double>(g.zoomV) * g.mesures->voiesMesurees[VM1].echVM;
    TTraceurPixels traceur(image, rgnCourbes());
    int64_t k = kMin1;
    do {
        const int x0 = g.xOri + static_cast<int>(std::lrint(k * fx));
        float vmin = v[k], vmax = v[k];
        while (k < kFin) {
            ++k;
            vmin = std::min(vmin, v[k]);
            vmax = std::max(vmax, v[k]);
            if (g.xOri + std::lrint(k * fx) >= x0 + 1)
                break;
        }
        const int ya = g.yOri - static_cast<int>(std::lrint(fy * vmin));
        const int yb = g.yOri - static_cast<int>(std::lrint(fy * vmax));
        QRgb c = rgb;
        if (ya != yb)
            c = qrgbDe(eclaircirCouleur(cl, static_cast<float>(eclaircissementSegment(yb - ya))));
        for (int j = 0; j < ep1; ++j)
            traceur.colonne(x0 + j, ya, yb, c);
    } while (k < kFin);
}

void TDessinEcran::dessineUneCourbeLignes(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1,
                                          int64_t kMax1, int optionCl, int ep1, double dt) const
{
    const std::vector<float>& tv = g.mesures->tv2[VM1];
    int64_t longueur = static_cast<int64_t>(tv.size()) - pt0trame1;
    kMin1 = std::max<int64_t>(kMin1, 0);
    if (longueur <= 0 || kMin1 >= longueur)
        return;
    const float* v = tv.data() + pt0trame1;
    float ech = g.mesures->voiesMesurees[VM1].echVM;
    QPainter p(&image);
    p.setClipRect(rgnCourbes());
    QColor c = qcouleur(couleurCourbe(VM1, optionCl));
    p.setPen(stylo(c, ep1));
    p.setBrush(c);
    QPoint precedent(g.xe(kMin1 * dt), g.ye(ech, v[kMin1]));
    int64_t fin = std::min(kMax1, longueur - 1);
    for (int64_t k = kMin1 + 1; k <= fin; ++k) {
        QPoint point(g.xe(k * dt), g.ye(ech, v[k]));
        p.drawLine(precedent, point);
        precedent = point;
    }
}

void TDessinEcran::dessineUneCourbePoints(QImage& image, int VM1, int64_t pt0trame1, int64_t kMin1,
                                          int64_t kMax1, int optionCl, double dt) const
{
    const std::vector<float>& tv = g.mesures->tv2[VM1];
    int64_t longueur = static_cast<int64_t>(tv.size()) - pt0trame1;
    kMin1 = std::max<int64_t>(kMin1, 0);
    if (longueur <= 0 || kMin1 >= longueur)
        return;
    const float* v = tv.data() + pt0trame1;
    float ech = g.mesures->voiesMesurees[VM1].echVM;
    int demi = surAxeQuadrillage(VM1) ? 4 : 2;
    QPainter p(&image);
    p.setClipRect(rgnCourbes());
    p.setPen(stylo(qcouleur(couleurCourbe(VM1, optionCl)), 1));
    int64_t fin = std::min(kMax1, longueur - 1);
    for (int64_t k = kMin1; k <= fin; ++k) {
        int x = g.xe(k * dt), y = g.ye(ech, v[k]);
        p.drawLine(x, y - demi, x, y + demi);
        p.drawLine(x - demi, y, x + demi, y);
    }
}

void TDessinEcran::dessineUneCourbe1SegVert(QImage& image, int VM1, int optionCl) const
{
    const TVoieMesuree& vm = g.mesures->voiesMesurees[VM1];
    int x = g.xe(0);
    int ya = g.ye(vm.echVM, vm.max), yb = g.ye(vm.echVM, vm.min);
    TColor cl = couleurCourbe(VM1, optionCl);
    if (ya != yb)
        cl = eclaircirCouleur(cl, static_cast<float>(eclaircissementSegment(yb - ya)));
    TTraceurPixels traceur(image, rgnCourbes());
    traceur.colonne(x, ya, yb, qrgbDe(cl));
}

void TDessinEcran::dessineCourbesStyle(QImage& image, int premiere, int derniere, int64_t pt0, int64_t kMin,
                                       int64_t kMax, int optionCl, bool largeurQuadrillage, double dt)
{
    auto largeur = [&](int m) { return largeurQuadrillage && surAxeQuadrillage(m) ? 2 : 1; };
    if (g.modeDessinVM == 0) {
        // Curves of the grid axis last, so that they lie on top.
        for (int passe = 0; passe < 2; ++passe)
            for (int m = premiere; m < derniere; ++m)
                if (surAxeQuadrillage(m) == (passe == 1))
                    dessineUneCourbeSegsVerts(image, m, pt0, kMin, kMax, optionCl, largeur(m), dt);
        return;
    }
    if (g.modeDessinVM == 2)
        for (int m = premiere; m < derniere; ++m)
            dessineUneCourbePoints(image, m, pt0, kMin, kMax, optionCl, dt);
    for (int m = premiere; m < derniere; ++m)
        dessineUneCourbeLignes(image, m, pt0, kMin, kMax, optionCl, largeur(m), dt);
}

void TDessinEcran::dessineCourbesVM(QImage& image, QImage* bmEcran0)
{
    if (!g.mesures || g.nbCourbesTotal() == 0 || g.mesures->nbPtsAX == 0)
        return;
    TMesures& c = *g.mesures;
    g.setModeDessinVM();
    int nbGardees = std::min<int>({c.nbVoiesMesurees, static_cast<int>(c.tv2.size()),
                                   static_cast<int>(c.voiesMesurees.size())});
    int L = g.gaucheGraphe();

    if (!g.enAcquisition()) {
        double dt = c.dtAX;
        if (dt <= 0)
            return;
        float t1 = g.tr(L);
        float t2 = std::min<float>(g.tr(L + g.larG), static_cast<float>(c.dureeTotaleAX));
        int64_t nbAff = (g.vue.presente && g.vue.nbPtsAffX > 0) ? g.vue.nbPtsAffX : c.nbPtsAX;
        int64_t kMin = std::max<int64_t>(static_cast<int64_t>(t1 * 1.0000005 / dt), 0);
        int64_t kMax = std::min<int64_t>(static_cast<int64_t>(t2 * 1.0000005 / dt) + 1, nbAff - 1);
        if (kMax < kMin)
            return;
        int x1 = g.xe(t1), x2 = g.xe(t2);
        if (x1 == x2) {
            for (int m = 0; m < nbGardees; ++m)
                dessineUneCourbe1SegVert(image, m, 0);
            return;
        }
        g.nbPPP = static_cast<float>(kMax - kMin) / (x2 - x1);
        dessineCourbesStyle(image, 0, nbGardees, 0, kMin, kMax, 0, true, dt);
        return;
    }

    // Running acquisition: sample k of the run lies at k × dt0X.
    double dt = g.vue.dt0X;
    if (dt <= 0)
        return;
    if (nbGardees > 0) {
        int64_t kMax = g.vue.nbPtsAffX - 1;
        int span = g.xe(g.vue.dureeTotale0X) - g.xe(0);
        if (span != 0)
            g.nbPPP = static_cast<float>(kMax) / span;
        dessineCourbesStyle(image, 0, nbGardees, 0, 0, kMax, 1, false, dt);
        if (bmEcran0) {
            *bmEcran0 = image.copy();
            dessineQuadAxesV(*bmEcran0);
            dessineQuadAxeH(*bmEcran0);
            dessinetPretrig(*bmEcran0);
        }
    }
    int total = std::min<int>(c.nbVoiesMesurees + g.vue.nbVoiesSignaux,
                              std::min(static_cast<int>(c.tv2.size()), static_cast<int>(c.voiesMesurees.size())));
    const TProgresTrame& pr = progres;
    int span = g.xe(pr.ptFront * dt) - g.xe(0);
    if (pr.ptFront < 1 || span == 0)
        return;
    g.nbPPP = static_cast<float>(pr.ptFront) / span;
    if (pr.modeDoubleTrameX) {
        int64_t autre = static_cast<int64_t>(1 - pr.trameX) * g.vue.nbPts0X;
        dessineCourbesStyle(image, nbGardees, total, autre, pr.ptFront + 1, g.vue.nbPtsAffX - 1, 0, false, dt);
    }
    dessineCourbesStyle(image, nbGardees, total, pr.pt0Trame, 0, pr.ptFront, 0, false, dt);
}

void TDessinEcran::dessinetPretrig(QImage& image) const
{
    if (g.vue.modeDecl == 0)
        return;
    QPainter p(&image);
    p.setPen(stylo(rougeMesures, 1, Qt::DashDotLine));
    int x = g.xe(g.vue.tPretrig);
    p.drawLine(x, g.mSup, x, g.mSup + g.hauG);
}

void TDessinEcran::dessineMarqueurCurseur(QPainter& p, int x, const QColor& couleur) const
{
    int L = g.gaucheGraphe(), R = L + g.larG;
    const int h = g.mSup;
    p.setPen(stylo(couleur));
    p.setBrush(couleur);
    if (x < L) {
        p.drawPolygon(QPolygon({QPoint(L, h - 4), QPoint(L - 4, h - 7), QPoint(L, h - 10)}));
    } else if (x > R) {
        p.drawPolygon(QPolygon({QPoint(R, h - 4), QPoint(R + 4, h - 7), QPoint(R, h - 10)}));
    } else {
        p.drawPolygon(QPolygon({QPoint(x, h - 4), QPoint(x - 4, h - 10), QPoint(x + 4, h - 10)}));
        p.setPen(stylo(couleur, 1, Qt::DashLine));
        p.drawLine(x, g.mSup, x, g.mSup + g.hauG);
    }
}

std::string TDessinEcran::texteCurseurFin() const
{
    return "t[Fin]= " + formatValeur(g.zoomH < 10 ? 3 : 4, styleIngenieur, g.tFin() - g.t0()) + "s";
}

void TDessinEcran::dessineCurseursT(QImage& image) const
{
    QPainter p(&image);
    QFont police(fontEcran);
    p.setFont(police);
    QFontMetrics fm(police);
    int L = g.gaucheGraphe(), R = L + g.larG;
    const std::string texte0 = "t = 0";
    const std::string texteF = texteCurseurFin();
    int w0 = fm.horizontalAdvance(QString::fromStdString(texte0));
    int w1 = largeurAvecExposant(police, texteF);
    int xst0 = g.xeT0X - w0 / 2;
    int xstF = std::min(R - w1, g.xetFX - w1 / 2);

    dessineMarqueurCurseur(p, g.xeT0X, vertCurseurs);
    dessineMarqueurCurseur(p, g.xetFX, vertCurseurs);

    // Keep the two labels apart and inside the graph's width.
    int milieu = (g.xeT0X + g.xetFX) / 2;
    if (milieu < xst0 + w0 + 5 || xstF - 5 < milieu) {
        xstF = std::max(milieu + 5, xstF);
        xst0 = std::min(milieu - w0 - 5, xst0);
    }
    if (xst0 < L - w0 / 2) {
        xst0 = L - w0 / 2;
        xstF = std::max(xst0 + w0 + 10, xstF);
    }
    if (R - 1 < xstF + w1) {
        xstF = R - w1 - 10;
        xst0 = std::min(xst0, xstF - w0 - 10);
    }
    g.xst0 = xst0;
    g.xstF = xstF;
    ecritAvecExposant(p, xst0, 2, g.larT + 25, image.height(), ancrageHautGauche, effetAucun, 0, clFondEcran,
                      clGris, texte0);
    ecritAvecExposant(p, xstF, 2, g.larT + 25, image.height(), ancrageHautGauche, effetAucun, 0, clFondEcran,
                      clGris, texteF);
}

void TDessinEcran::dessineCurseursMesureT(QImage& image) const
{
    QPainter p(&image);
    dessineMarqueurCurseur(p, g.xeT0M, rougeMesures);
    dessineMarqueurCurseur(p, g.xeTFM, rougeMesures);
}

void TDessinEcran::dessineCurseursMesureU(QImage& image) const
{
    QPainter p(&image);
    p.setPen(stylo(rougeMesures, 1, Qt::DashLine));
    int L = g.gaucheGraphe(), R = L + g.larG;
    for (int y : {g.yeUmaxM, g.yeUMinM})
        if (y >= g.mSup && y <= g.mSup + g.hauG)
            p.drawLine(L + 1, y, R - 1, y);
}

void dessineLegende(QImage& image, TColor couleur)
{
    const int w = image.width(), h = image.height();
    QPainter p(&image);
    p.setPen(QColor(128, 128, 128));
    p.setBrush(Qt::white);
    p.drawRect(0, 0, w - 1, h - 1);
    p.setPen(stylo(QColor(192, 192, 192), 1, Qt::DotLine));
    for (int j = -1; j <= 1; ++j) {
        int y = arrondi(h / 2.0L - h * j / 3.0L);
        p.drawLine(0, y, w - 1, y);
    }
    for (int j = 0; j <= 4; ++j) {
        int x = arrondi(j * (w - 7) / 4.0L + 3);
        p.drawLine(x, 0, x, h - 1);
    }
    p.setPen(stylo(qcouleur(couleur), std::max(1, arrondi(w / 20.0L))));
    QPoint precedent(0, arrondi(h / 2.0L));
    for (int j = 0; j <= 6; ++j) {
        QPoint point(arrondi(w * j / 6.0L), j % 2 == 0 ? arrondi(h / 6.0L) : arrondi(5.0L * h / 6));
        p.drawLine(precedent, point);
        precedent = point;
    }
}

void dessineIntervalle(QImage& image, const QFont& police, double dt0X)
{
    image.fill(qcouleur(clFondEcran));
    QPainter p(&image);
    p.setFont(police);
    std::string texte;
    if (dt0X >= 0.0999999 && dt0X <= 1000)
        texte = texteGeneral(dt0X, 6) + " s";
    else
        texte = formatValeur(4, stylePuissanceDix, dt0X) + "s";
    ecritAvecExposant(p, 8, 6, image.width() - 3, image.height() - 1, ancrageHautGauche, effetAucun, 0,
                      clFondEcran, clGris, texte);
    const int w = image.width(), h = image.height();
    p.setPen(stylo(Qt::black, 1));
    p.drawLine(0, 0, w - 1, 0);
    p.drawLine(0, 1, w - 1, 1);
    p.drawLine(0, 0, 0, h - 1);
    p.drawLine(1, 0, 1, h - 1);
    p.setPen(stylo(Qt::white, 1));
    p.drawLine(w - 1, 0, w - 1, h - 1);
    p.drawLine(0, h - 1, w - 1, h - 1);
}

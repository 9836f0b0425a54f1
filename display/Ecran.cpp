#include "display/Ecran.h"

#include "display/Couleurs.h"
#include "display/VueCentraleDe.h"
#include "model/UniteBaseChaines.h"
#include "model/UniteBaseCouleurs.h"
#include "model/UniteMath.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstring>

TMesureTexteQt::TMesureTexteQt(const QFont& police) : police_(police)
{
    police_.setBold(true);
}

int TMesureTexteQt::largeur(const std::string& texte) const
{
    return QFontMetrics(police_).horizontalAdvance(QString::fromStdString(texte));
}

int TMesureTexteQt::hauteur() const
{
    return QFontMetrics(police_).height();
}

TEcran::TEcran()
    : iEcranX(640, 400, QImage::Format_RGB32), bmEX(640, 400, QImage::Format_RGB32),
      bmEcran0(640, 400, QImage::Format_RGB32), bmEcran(640, 400, QImage::Format_RGB32)
{
    // Nothing is drawn before the first size is given: fonts need the
    // application object, which may not exist yet.
    iEcranX.fill(qcouleur(clFondEcran));
    bmEX.fill(qcouleur(clFondEcran));
    bmEcran0.fill(qcouleur(clFondEcran));
    bmEcran.fill(qcouleur(clFondEcran));
}

void TEcran::setCentrale(const TCentrale* centrale)
{
    centrale_ = centrale;
    vueFixe_ = false;
    rafraichitVue();
}

void TEcran::setVue(const TVueCentrale& vue)
{
    centrale_ = nullptr;
    vueFixe_ = true;
    geometrie.vue = vue;
}

void TEcran::setMesures(TMesures* mesures)
{
    geometrie.mesures = mesures;
}

void TEcran::setCouleurs(const std::array<TColor, 8>& clsVX)
{
    dessin.clsVX = clsVX;
}

void TEcran::setEtatGeneral(const TModeGeneral* modeGeneral)
{
    geometrie.modeGeneral = modeGeneral;
}

void TEcran::setCoefficientsTaille(float coDIMH, float coDimV)
{
    geometrie.coDIMH = coDIMH;
    geometrie.coDimV = coDimV;
    // Without a unit the coefficients are recomputed from the window size.
    geometrie.largeurFenetre = static_cast<int>(std::lround(coDIMH * 1060));
    geometrie.hauteurFenetre = static_cast<int>(std::lround(coDimV * 725));
}

void TEcran::reinitialiseTraces()
{
    traces_.assign(std::max(geometrie.vue.nbVoiesSignaux, 0), TTraceLive{});
}

void TEcran::rafraichitVue()
{
    if (!vueFixe_)
        geometrie.vue = vueDe(centrale_);
}

void TEcran::repeint()
{
    if (surRepeint)
        surRepeint();
}

void TEcran::lecturesChangees()
{
    if (surLectures)
        surLectures();
}

void TEcran::barresChangees()
{
    if (surEtatBarres)
        surEtatBarres();
}

void TEcran::redimensionnementEcran(int largeur, int hauteur)
{
    largeur = std::max(largeur, 40);
    hauteur = std::max(hauteur, 40);
    TGeometrieEcran& g = geometrie;
    if (iEcranX.width() != largeur || iEcranX.height() != hauteur || g.larT != largeur || g.hauT != hauteur) {
        iEcranX = QImage(largeur, hauteur, QImage::Format_RGB32);
        bmEX = QImage(largeur, hauteur, QImage::Format_RGB32);
        bmEcran = QImage(largeur, hauteur, QImage::Format_RGB32);
        bmEcran0 = QImage(largeur, hauteur, QImage::Format_RGB32);
        iEcranX.fill(qcouleur(clFondEcran));
    }
    rafraichitVue();
    g.redimensionne(largeur, hauteur);
    dessin.fontEcran.setPixelSize(std::max(6, static_cast<int>(12 * g.coDimV)));
    prepareAxesX();
    prepareQuadAxes();
    g.setModeDessinVM();
    g.replaceNiveauxMesure();
    prepareEcranVide();
    dessineEcranN(true);
    barresChangees();
}

void TEcran::prepareEcranVide()
{
    dessin.dessineFondEcran(bmEcran0);
    dessin.dessineQuadAxesV(bmEcran0);
    dessin.dessineQuadAxeH(bmEcran0);
}

void TEcran::prepareAxesX()
{
    rafraichitVue();
    geometrie.prepareAxesX(TMesureTexteQt(dessin.fontEcran));
}

void TEcran::prepareQuadAxes()
{
    geometrie.prepareQuadAxes();
}

void TEcran::copieVersBmEX()
{
    if (bmEX.size() != iEcranX.size() || bmEX.format() != iEcranX.format())
        bmEX = QImage(iEcranX.size(), iEcranX.format());
    std::memcpy(bmEX.bits(), iEcranX.constBits(), static_cast<size_t>(iEcranX.sizeInBytes()));
}

void TEcran::dessineCurseursSelonEtat(QImage& image)
{
    const TModeGeneral mode = geometrie.MODEGENERAL();
    if (curseursVertsVisibles(mode)) {
        dessin.dessineCurseursT(image);
    } else if (mode == TModeGeneral::mesuresSurEcran) {
        dessin.dessineCurseursMesureT(image);
        dessin.dessineCurseursMesureU(image);
    }
}

void TEcran::dessineEcranN(bool avecCourbes1)
{
    prepareAxesX();
    dessineEcran(avecCourbes1);
}

void TEcran::dessineEcranRDE()
{
    rafraichitVue();
    dessineEcran(true);
}

void TEcran::dessineEcran(bool avecCourbes1)
{
    TGeometrieEcran& g = geometrie;
    prepareQuadAxes();
    g.calculePixelsCurseurs();
    dessin.dessineFondEcran(iEcranX);
    dessin.dessineQuadAxesV(iEcranX);
    if (g.vue.presente) {
        if (avecCourbes1)
            dessin.dessineCourbesVM(iEcranX, &bmEcran0);
        dessin.dessinetPretrig(iEcranX);
    }
    copieVersBmEX();
    dessin.dessineQuadAxeH(iEcranX);
    if (g.vue.presente)
        dessineCurseursSelonEtat(iEcranX);
    repeint();
}

void TEcran::dessineEcranRCu()
{
    prepareQuadAxes();
    geometrie.calculePixelsCurseurs();
    std::memcpy(iEcranX.bits(), bmEX.constBits(), static_cast<size_t>(iEcranX.sizeInBytes()));
    dessin.dessinetPretrig(iEcranX);
    dessin.dessineQuadAxeH(iEcranX);
    dessineCurseursSelonEtat(iEcranX);
    repeint();
}

void TEcran::dessinePretrig()
{
    rafraichitVue();
    dessin.dessinetPretrig(iEcranX);
    repeint();
}

void TEcran::MAJAxeQuadrille(int p1)
{
    geometrie.choisitAxeQuadrille(p1);
    if (surAxeQuadrille)
        surAxeQuadrille(geometrie.axeQuadrilleX);
    dessineEcranN(true);
}

void TEcran::zoomHorizontal(int pas)
{
    geometrie.redessinDemande = false;
    if (geometrie.setZoomHX(geometrie.zoomIndexH + pas) || geometrie.redessinDemande)
        dessineEcranN(true);
    geometrie.activerZooms();
    barresChangees();
}

void TEcran::zoomVertical(int pas)
{
    geometrie.redessinDemande = false;
    if (geometrie.setZoomVX(geometrie.ZoomIndexV + pas) || geometrie.redessinDemande)
        dessineEcranN(true);
    geometrie.activerZooms();
    barresChangees();
}

void TEcran::finDefilement(bool horizontal, int position)
{
    if (geometrie.bloqueSB)
        return;
    if (horizontal)
        geometrie.finDefilementH(position);
    else
        geometrie.finDefilementV(position);
    dessineEcranN(true);
}

void TEcran::preparePourAcquisition()
{
    TGeometrieEcran& g = geometrie;
    rafraichitVue();
    g.setZoomHX(0);
    g.setZoomVX(0);
    g.DesactiverZooms();
    if (g.mesures)
        g.mesures->curseursAuxBornes(g.vue.dureeTotale0X);
    g.t0M = 0;
    g.tFinM = g.vue.dureeTotale0X;
    dessin.progres = TProgresTrame{};
    reinitialiseTraces();
    prepareAxesX();
    prepareQuadAxes();
    g.setModeDessinVM();
    dessineEcranN(true);
    barresChangees();
}

void TEcran::dessinePointsAcquis(int signal, int64_t kDebut, int64_t kFin)
{
    TGeometrieEcran& g = geometrie;
    if (!g.mesures || signal < 0 || signal >= static_cast<int>(g.vue.VoiesActivesSignaux.size()))
        return;
    int v = g.vue.VoiesActivesSignaux[signal];
    int c = g.mesures->nbVoiesMesurees + signal;
    if (v < 0 || v >= 8 || c >= static_cast<int>(g.mesures->tv2.size()))
        return;
    if (static_cast<int>(traces_.size()) <= signal)
        traces_.resize(signal + 1);
    TTraceLive& trace = traces_[signal];
    const std::vector<float>& tv = g.mesures->tv2[c];
    const int64_t pt0 = dessin.progres.pt0Trame;
    kFin = std::min<int64_t>(kFin, static_cast<int64_t>(tv.size()) - 1 - pt0);
    const double dt = g.vue.dt0X;
    const TColor cl = dessin.clsVX[v];
    const QColor couleur = qcouleur(cl);
    TVoieMesuree* vm = c < static_cast<int>(g.mesures->voiesMesurees.size()) ? &g.mesures->voiesMesurees[c] : nullptr;

    QPainter p(&iEcranX);
    p.setClipRect(dessin.rgnCourbes());
    QPen stylo(couleur);
    stylo.setWidth(1);
    p.setPen(stylo);
    p.setBrush(couleur);
    auto croix = [&](int x, int y) {
        p.drawLine(x, y - 2, x, y + 2);
        p.drawLine(x - 1, y, x + 2, y);
    };

    for (int64_t k = std::max<int64_t>(kDebut, 0); k <= kFin; ++k) {
        const float t = static_cast<float>(k * dt);
        const float u = tv[pt0 + k];
        const int x = g.xe(t);
        if (g.modeDessinVM == 0) {
            // Many points per pixel: only the column's extremes are kept, and
            // one segment is drawn when the next column starts.
            if (!trace.commence || !vm) {
                trace.commence = true;
                trace.xColonne = x;
                if (vm)
                    vm->UMaxSegVM = vm->UMinSegVM = u;
                continue;
            }
            if (x != trace.xColonne) {
                int ya = g.ye(v, vm->UMaxSegVM), yb = g.ye(v, vm->UMinSegVM);
                QColor c2 = couleur;
                if (ya != yb) {
                    c2 = qcouleur(eclaircirCouleur(cl, static_cast<float>(dessin.eclaircissementSegment(yb - ya))));
                    p.setPen(c2);
                    p.drawLine(trace.xColonne, ya, trace.xColonne, yb);
                }
                p.setPen(c2);
                p.drawPoint(trace.xColonne, ya);
                trace.xColonne = x;
                vm->UMaxSegVM = vm->UMinSegVM = u;
            } else {
                vm->UMaxSegVM = std::max(vm->UMaxSegVM, u);
                vm->UMinSegVM = std::min(vm->UMinSegVM, u);
            }
            continue;
        }
        const int y = g.ye(v, u);
        if (trace.commence)
            p.drawLine(g.xe(trace.tAnc), g.ye(v, trace.uAnc), x, y);
        trace.commence = true;
        if (g.modeDessinVM == 2)
            croix(x, y);
        trace.tAnc = t;
        trace.uAnc = u;
    }
    p.end();
    repeint();
}

void TEcran::finAcquisition()
{
    TGeometrieEcran& g = geometrie;
    prepareAxesX();
    prepareQuadAxes();
    dessineEcranN(true);
    if (g.mesures) {
        g.mesures->tFin = g.vue.dureeTotale0X;
        g.mesures->modifie();
    }
    g.xetFX = g.xe(g.tFin());
    dessin.dessineCurseursT(iEcranX);
    dessin.dessineCourbesVM(bmEX);
    g.activerZooms();
    barresChangees();
    repeint();
}

namespace {

// The whole number of intervals nearest to t, in double precision: a cursor
// on a sample is that sample's time exactly (k × dt), so that the exports
// count it at 0.
double multipleDe(long double t, double pas)
{
    if (!(pas > 0) || !std::isfinite(pas))
        return double(t);
    return std::nearbyint(double(t / pas)) * pas;
}

} // namespace

void TEcran::placeCurseurVert(bool debut, double t)
{
    TMesures* m = geometrie.mesures;
    if (!m)
        return;
    (debut ? m->t0 : m->tFin) = t;
    m->modifie();
}

bool TEcran::curseurSaisi(int x, int y, int c) const
{
    const TGeometrieEcran& g = geometrie;
    return std::abs(x - c) <= 3 && x >= g.gaucheGraphe() - 2 && g.mSup - 11 < y && y < g.mSup + g.hauG;
}

bool TEcran::niveauSaisi(int x, int y, int c) const
{
    const TGeometrieEcran& g = geometrie;
    return std::abs(y - c) <= 3 && g.mSup < y && y < g.mSup + g.hauG && g.gaucheGraphe() + 1 < x &&
           x < g.droiteGraphe();
}

void TEcran::videLecturesPointees()
{
    EditSerieP.clear();
    EditPointP.clear();
    lecturesChangees();
}

void TEcran::sourisEnfoncee(TBoutonSouris bouton, int x, int y)
{
    TGeometrieEcran& g = geometrie;
    const TModeGeneral mg = g.MODEGENERAL();
    if (!ecranManipulable(mg))
        return;
    if (bouton == TBoutonSouris::droit) {
        g.modeS = 1;
        return;
    }
    g.xOri0 = g.xOri;
    g.yOri0 = g.yOri;
    g.xS0 = x;
    g.yS0 = y;
    const int L = g.gaucheGraphe(), R = g.droiteGraphe();

    if (g.nbAxes > 1) {
        int axe = -1;
        if (x >= 0 && x <= g.mGau1 - 2)
            axe = 0;
        else if (x >= g.mGau1 && x <= L - 2)
            axe = 1;
        else if (g.nbAxes >= 3 && x >= R + 3 && x <= R + g.mDroi1)
            axe = 2;
        else if (g.nbAxes >= 4 && x >= R + g.mDroi1 && x <= R + g.mDroi1 + g.mDroi2)
            axe = 3;
        if (axe >= 0 && axe != g.axeQuadrilleX) {
            MAJAxeQuadrille(-1 - axe);
            afficheMesuresU();
            return;
        }
    }

    if (mg != TModeGeneral::mesuresSurEcran) {
        if (curseurSaisi(x, y, g.xeT0X)) {
            g.modeS = 3;
            placeCurseurVert(true, g.tr(x));
            g.xeT0X = x;
            return;
        }
        if (curseurSaisi(x, y, g.xetFX)) {
            g.modeS = 4;
            placeCurseurVert(false, g.tr(x));
            g.xetFX = x;
            return;
        }
    } else {
        float ech = g.echelleQuadrillage();
        if (curseurSaisi(x, y, g.xeT0M)) {
            g.modeS = 5;
            g.t0M = g.tr(x);
            g.xeT0M = x;
            return;
        }
        if (curseurSaisi(x, y, g.xeTFM)) {
            g.modeS = 6;
            g.tFinM = g.tr(x);
            g.xeTFM = x;
            return;
        }
        if (niveauSaisi(x, y, g.yeUmaxM)) {
            g.modeS = 7;
            g.UMaxM = g.U1(ech, y);
            g.yeUmaxM = y;
            return;
        }
        if (niveauSaisi(x, y, g.yeUMinM)) {
            g.modeS = 8;
            g.UMinM = g.U1(ech, y);
            g.yeUMinM = y;
            return;
        }
    }

    g.elementPointe(x, y);
    if (g.voieMesureeP < 0) {
        videLecturesPointees();
        if (g.zoomIndexH > 0 || g.ZoomIndexV > 0)
            g.modeS = 2;
        return;
    }
    int voie = g.voieMesureeP, point = g.pointP;
    MAJAxeQuadrille(voie);
    g.voieMesureeP = voie;
    g.pointP = point;
    affichePointPointe();
}

void TEcran::sourisDeplacee(int x, int y, bool boutonGaucheTenu)
{
    TGeometrieEcran& g = geometrie;
    if (!ecranManipulable(g.MODEGENERAL()))
        return;
    const int L = g.gaucheGraphe(), R = g.droiteGraphe();
    const int b = g.ecartMinCurseurs();
    const double dt = g.vue.dt0X;
    const float ech = g.echelleQuadrillage();
    auto arrondiChiffres = [](long double v, int n) {
        chiffresSignificatifs(v, n);
        return v;
    };

    switch (g.modeS) {
    case 0:
        g.elementPointe(x, y);
        if (g.voieMesureeP >= 0)
            affichePointPointe();
        else
            videLecturesPointees();
        return;
    case 2: {
        g.bloqueSB = true;
        if (g.zoomIndexH > 0) {
            g.xOri = std::clamp(x + g.xOri0 - g.xS0, g.xOriMin, g.xOriMax);
            g.SBHor.Position = arrondi((g.xOri - L) * 1000.0L / ((1 - g.zoomH) * g.larG));
        }
        if (g.ZoomIndexV > 0) {
            g.yOri = std::clamp(y + g.yOri0 - g.yS0, g.yOriMin, g.yOriMax);
            g.SBVert.Position = arrondi((g.yOri - g.mSup - g.hauG / 2.0L) * 2000 / ((1 - g.zoomV) * g.hauG));
        }
        g.bloqueSB = false;
        dessineEcranRDE();
        barresChangees();
        if (!boutonGaucheTenu)
            g.modeS = 0;
        return;
    }
    case 3:
        g.xeT0X = std::max(std::min(g.xetFX - b, x), L);
        placeCurseurVert(true, multipleDe(g.tr(g.xeT0X), dt));
        break;
    case 4:
        g.xetFX = std::min(std::max(x, g.xeT0X + b), R);
        placeCurseurVert(false,
                         multipleDe(arrondiChiffres(std::min<long double>(g.vue.dureeTotale0X, g.tr(g.xetFX)), 4), dt));
        break;
    case 5:
        g.xeT0M = std::max(std::min(g.xeTFM - b, x), L);
        g.t0M = arrondiChiffres(g.tr(g.xeT0M), 4);
        afficheMesuresT();
        break;
    case 6:
        g.xeTFM = std::min(std::max(x, g.xeT0M + b), R);
        g.tFinM = arrondiChiffres(std::min<long double>(g.vue.dureeTotale0X, g.tr(g.xeTFM)), 4);
        afficheMesuresT();
        break;
    case 7:
        g.yeUmaxM = std::clamp(std::min(y, g.yeUMinM - 5), g.mSup, g.mSup + g.hauG);
        g.UMaxM = arrondiChiffres(g.U1(ech, g.yeUmaxM), 3);
        afficheMesuresU();
        break;
    case 8:
        g.yeUMinM = std::clamp(std::max(y, g.yeUmaxM + 5), g.mSup, g.mSup + g.hauG);
        g.UMinM = arrondiChiffres(g.U1(ech, g.yeUMinM), 3);
        afficheMesuresU();
        break;
    default:
        return;
    }
    dessineEcranRCu();
}

void TEcran::sourisRelachee()
{
    TGeometrieEcran& g = geometrie;
    if (ecranManipulable(g.MODEGENERAL()) && g.modeS >= 3 && g.modeS <= 8) {
        dessineEcranN(true);
        if (surTableau)
            surTableau();
    }
    g.modeS = 0;
}

std::vector<std::string> TEcran::libellesAxes() const
{
    std::vector<std::string> libelles;
    const TGeometrieEcran& g = geometrie;
    for (int a = 0; a < g.nbAxes; ++a) {
        int c = g.AxesX[a].calA;
        libelles.push_back(c >= 0 && c < static_cast<int>(g.vue.twCals_.size()) ? g.vue.twCals_[c] : std::string());
    }
    return libelles;
}

void TEcran::ouvreMesures()
{
    TGeometrieEcran& g = geometrie;
    prepareAxesX();
    prepareQuadAxes();
    MAJAxeQuadrille(-1 - g.axeQuadrilleX);
    double pleine = g.vue.pleineEchelle(g.AxesX[g.axeQuadrilleX].calA);
    g.UMaxM = 0.9 * pleine;
    g.UMinM = -0.9 * pleine;
    dessineEcranN(true);
    afficheMesuresT();
    afficheMesuresU();
}

void TEcran::fermeMesures()
{
    dessineEcranN(true);
    geometrie.activerZooms();
    barresChangees();
}

void TEcran::choisitAxeMesures(int axe)
{
    if (geometrie.MODEGENERAL() == TModeGeneral::acquisitionEnCours)
        return;
    MAJAxeQuadrille(-1 - axe);
    afficheMesuresU();
}

void TEcran::affichePointPointe()
{
    TGeometrieEcran& g = geometrie;
    if (!g.mesures || g.voieMesureeP < 0 || g.voieMesureeP >= static_cast<int>(g.mesures->voiesMesurees.size())) {
        videLecturesPointees();
        return;
    }
    EditSerieP = sansCrochets(g.mesures->voiesMesurees[g.voieMesureeP].sEnteteVM);
    if (g.pointP < 0) {
        EditPointP.clear();
    } else {
        float u = g.mesures->tv2[g.voieMesureeP][g.pointP];
        EditPointP = "t = " + formatValeur(4, styleIngenieur, g.pointP * g.mesures->dtAX) + "s" + "   u = " +
                     formatValeur(4, styleIngenieur, u) + "V";
    }
    lecturesChangees();
}

void TEcran::afficheMesuresT()
{
    const TGeometrieEcran& g = geometrie;
    EditT0M = "  " + formatValeur(3, styleIngenieur, g.t0M - g.t0()) + "s";
    EditTFM = "  " + formatValeur(3, styleIngenieur, g.tFinM - g.t0()) + "s";
    EditDTM = "  " + formatValeur(3, styleIngenieur, g.tFinM - g.t0M) + "s";
    lecturesChangees();
}

void TEcran::afficheMesuresU()
{
    const TGeometrieEcran& g = geometrie;
    EditUmaxM = "  " + formatValeur(3, styleIngenieur, g.UMaxM) + "V";
    EditUMinM = "  " + formatValeur(3, styleIngenieur, g.UMinM) + "V";
    EditDUM = "  " + formatValeur(3, styleIngenieur, std::fabs(g.UMaxM - g.UMinM)) + "V";
    lecturesChangees();
}

#include "display/Ecran.h"

#include "display/Couleurs.h"
#include "display/TraceurPixels.h"
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
    // A fast frame going on goes on on a picture of the new size.
    if (cible_ == &bmEcran)
        bmEcran = bmEcran0;
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
    cible_ = &iEcranX;
    reinitialiseTraces();
    prepareAxesX();
    prepareQuadAxes();
    g.setModeDessinVM();
    dessineEcranN(true);
    barresChangees();
}

namespace {

// Pixels from the origin of sample k at fx pixels per sample, as xe rounds.
inline int64_t colonneDe(int64_t k, double fx)
{
    return std::llrint(static_cast<double>(k) * fx);
}

// The first sample after k that falls in a column beyond `colonne`.
int64_t debutColonneSuivante(int64_t colonne, int64_t k, double fx)
{
    int64_t suivant = std::max<int64_t>(k + 1, static_cast<int64_t>(std::floor((colonne + 0.5) / fx)) + 1);
    while (suivant - 1 > k && colonneDe(suivant - 1, fx) > colonne)
        --suivant;
    while (colonneDe(suivant, fx) <= colonne)
        ++suivant;
    return suivant;
}

} // namespace

void TEcran::dessinePointsAcquis(int signal, int64_t kDebut, int64_t kFin)
{
    TGeometrieEcran& g = geometrie;
    if (!g.mesures || signal < 0 || signal >= static_cast<int>(g.vue.VoiesActivesSignaux.size()))
        return;
    const int v = g.vue.VoiesActivesSignaux[signal];
    const int c = g.mesures->nbVoiesMesurees + signal;
    if (v < 0 || v >= 8 || c >= static_cast<int>(g.mesures->tv2.size()) ||
        c >= static_cast<int>(g.mesures->voiesMesurees.size()))
        return;
    if (static_cast<int>(traces_.size()) <= signal)
        traces_.resize(signal + 1);
    const std::vector<float>& tv = g.mesures->tv2[c];
    const int64_t pt0 = dessin.progres.pt0Trame;
    kDebut = std::max<int64_t>(kDebut, 0);
    kFin = std::min<int64_t>(kFin, static_cast<int64_t>(tv.size()) - 1 - pt0);
    if (kFin < kDebut)
        return;
    QImage& image = *cible_;
    if (g.modeDessinVM == 0)
        dessineColonnesAcquises(image, traces_[signal], g.mesures->voiesMesurees[c], tv.data() + pt0, v, kDebut, kFin,
                                dessin.clsVX[v]);
    else
        dessineLignesAcquises(image, traces_[signal], tv.data() + pt0, v, kDebut, kFin, dessin.clsVX[v]);
    if (cible_ == &iEcranX)
        repeint();
}

void TEcran::dessineColonnesAcquises(QImage& image, TTraceLive& trace, TVoieMesuree& vm, const float* v, int voie,
                                     int64_t kDebut, int64_t kFin, TColor cl)
{
    // Many points per pixel: only each column's extremes are kept, and one
    // segment is drawn when the next column starts.
    const TGeometrieEcran& g = geometrie;
    const double fx = g.vue.dt0X * static_cast<double>(g.zoomH * g.axeT.EchA);
    if (!(fx > 0) || !std::isfinite(fx))
        return;
    const double fy = static_cast<double>(g.zoomV) * g.echsVoies[voie];
    const QRgb base = qrgbDe(cl);
    TTraceurPixels traceur(image, dessin.rgnCourbes());
    float uMax = vm.UMaxSegVM, uMin = vm.UMinSegVM;
    int64_t k = kDebut;
    auto ouvreColonne = [&](int64_t premier) {
        trace.colonne = colonneDe(premier, fx);
        trace.kSuivant = debutColonneSuivante(trace.colonne, premier, fx);
        uMax = uMin = v[premier];
    };
    if (!trace.commence) {
        trace.commence = true;
        ouvreColonne(k++);
    }
    while (k <= kFin) {
        const int64_t fin = std::min(kFin + 1, trace.kSuivant);
        for (; k < fin; ++k) {
            uMax = std::max(uMax, v[k]);
            uMin = std::min(uMin, v[k]);
        }
        if (k > kFin)
            break;
        // Sample k opens the next column: the finished one is drawn.
        const int x = g.xOri + static_cast<int>(trace.colonne);
        const int ya = g.yOri - static_cast<int>(std::lrint(fy * uMax));
        const int yb = g.yOri - static_cast<int>(std::lrint(fy * uMin));
        const QRgb couleur =
            ya == yb ? base : qrgbDe(eclaircirCouleur(cl, static_cast<float>(dessin.eclaircissementSegment(yb - ya))));
        traceur.colonne(x, ya, yb, couleur);
        ouvreColonne(k++);
    }
    vm.UMaxSegVM = uMax;
    vm.UMinSegVM = uMin;
}

void TEcran::dessineLignesAcquises(QImage& image, TTraceLive& trace, const float* v, int voie, int64_t kDebut,
                                   int64_t kFin, TColor cl)
{
    // Few points per pixel: the points joined, with a cross at each in
    // style 2. One block's segments are drawn in one call.
    const TGeometrieEcran& g = geometrie;
    const double fx = g.vue.dt0X * static_cast<double>(g.zoomH * g.axeT.EchA);
    const double fy = static_cast<double>(g.zoomV) * g.echsVoies[voie];
    const bool croix = g.modeDessinVM == 2;
    lignes_.clear();
    for (int64_t k = kDebut; k <= kFin; ++k) {
        const int x = g.xOri + static_cast<int>(colonneDe(k, fx));
        const int y = g.yOri - static_cast<int>(std::lrint(fy * v[k]));
        if (trace.commence)
            lignes_.emplace_back(trace.xAnc, trace.yAnc, x, y);
        trace.commence = true;
        if (croix) {
            lignes_.emplace_back(x, y - 2, x, y + 2);
            lignes_.emplace_back(x - 1, y, x + 2, y);
        }
        trace.xAnc = x;
        trace.yAnc = y;
    }
    if (lignes_.empty())
        return;
    QPainter p(&image);
    p.setClipRect(dessin.rgnCourbes());
    const QColor couleur = qcouleur(cl);
    QPen stylo(couleur);
    stylo.setWidth(1);
    p.setPen(stylo);
    p.setBrush(couleur);
    p.drawLines(lignes_.data(), static_cast<int>(lignes_.size()));
}

void TEcran::finModePermanent()
{
    TGeometrieEcran& g = geometrie;
    cible_ = &iEcranX;
    if (g.mesures) {
        g.mesures->tFin = g.vue.dureeTotale0X;
        g.mesures->modifie();
    }
    g.xetFX = g.xe(g.tFin());
    g.activerZooms();
    barresChangees();
}

void TEcran::prepareFondTrames()
{
    TGeometrieEcran& g = geometrie;
    prepareQuadAxes();
    prepareEcranVide();
    dessin.dessinetPretrig(bmEcran0);
    if (!g.mesures || g.mesures->nbVoiesMesurees == 0)
        return;
    // The kept curves, lightened, behind the frames: drawing them during a
    // run leaves that picture in bmEcran0; the frame's own points are not in it.
    QImage fond(iEcranX.size(), QImage::Format_RGB32);
    dessin.dessineFondEcran(fond);
    dessin.dessineQuadAxesV(fond);
    const int64_t front = dessin.progres.ptFront;
    dessin.progres.ptFront = 0;
    dessin.dessineCourbesVM(fond, &bmEcran0);
    dessin.progres.ptFront = front;
}

void TEcran::debutTrameRapide()
{
    bmEcran = bmEcran0;
    cible_ = &bmEcran;
    reinitialiseTraces();
}

void TEcran::finTrameRapide()
{
    dessin.dessinetPretrig(bmEcran);
    // The frame's picture becomes the screen; the next frame starts again
    // from bmEcran0.
    iEcranX.swap(bmEcran);
    cible_ = &iEcranX;
    repeint();
}

void TEcran::debutTrameLente()
{
    cible_ = &iEcranX;
    reinitialiseTraces();
}

void TEcran::effaceEcranTrame()
{
    iEcranX = bmEcran0.copy();
    repeint();
}

void TEcran::restaureBande(int x0, int x1)
{
    if (bmEcran0.size() != iEcranX.size() || bmEcran0.format() != iEcranX.format() || iEcranX.depth() != 32)
        return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, iEcranX.width() - 1);
    if (x1 < x0)
        return;
    const std::size_t octets = static_cast<std::size_t>(x1 - x0 + 1) * 4;
    for (int y = 0; y < iEcranX.height(); ++y)
        std::memcpy(iEcranX.scanLine(y) + x0 * 4, bmEcran0.constScanLine(y) + x0 * 4, octets);
}

void TEcran::dessinePointsTrameLente(int64_t premier, int64_t dernier, bool efface, bool pretrigActif)
{
    const TGeometrieEcran& g = geometrie;
    const double dt = g.vue.dt0X;
    if (!efface) {
        // The old frame disappears just ahead of the new one.
        const int x0 = premier == 0 ? g.xe(0) - 1 : g.xe(premier * dt);
        const int x1 = g.xe((dessin.progres.ptFront + 1) * dt) + 2;
        restaureBande(x0, x1);
    }
    const double tPretrig = g.vue.tPretrig;
    if (g.vue.modeDecl != 0 && premier * dt <= tPretrig && tPretrig <= dernier * dt)
        dessin.dessinetPretrig(iEcranX);
    for (int i = 0; i < g.vue.nbVoiesSignaux; ++i)
        dessinePointsAcquis(i, premier, dernier);
    if (pretrigActif && dernier * dt > tPretrig)
        dessin.dessinetPretrig(iEcranX);
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

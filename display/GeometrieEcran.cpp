#include "display/GeometrieEcran.h"

#include "model/UniteMath.h"

#include <algorithm>
#include <cfenv>
#include <cmath>

int arrondi(long double x)
{
    // Pixels: double precision is ample, and its rounding instruction is far
    // cheaper than the extended one on the live-drawing path. Ties go to even.
    const double d = static_cast<double>(x);
    if (!(d > -2147483648.0 && d < 2147483647.0))
        return d > 0 ? 2147483647 : (d < 0 ? -2147483647 - 1 : 0);
    return static_cast<int>(std::lrint(d));
}

namespace {

int tronque(long double x)
{
    return static_cast<int>(x);
}

} // namespace

// The small factor keeps a bound that is a whole number of steps.
int TGeometrieEcran::premiereGraduation(long double vMin, long double pas)
{
    return tronque(vMin / pas * 1.00005L) + (vMin > 0 ? 1 : 0);
}

int TGeometrieEcran::derniereGraduation(long double vMax, long double pas)
{
    return tronque(vMax / pas * 1.00005L) - (vMax <= 0 ? 1 : 0);
}

TGeometrieEcran::TGeometrieEcran()
{
    AxesX[0].calA = 0;
    axesDesCalibres[0] = 0;
}

double TGeometrieEcran::serie125(int k)
{
    static constexpr double mantisses[3] = {1, 2, 5};
    int q = (k >= 0) ? k / 3 : -((-k + 2) / 3);
    int r = k - 3 * q;
    return mantisses[r] * std::pow(10.0, q);
}

int TGeometrieEcran::xe(long double t1) const
{
    return xOri + arrondi(t1 * zoomH * axeT.EchA);
}

int TGeometrieEcran::ye(int voie1, float uX1) const
{
    return yOri - arrondi(zoomV * echsVoies[voie1] * uX1);
}

int TGeometrieEcran::ye(float ech1, float uX1) const
{
    return yOri - arrondi(zoomV * ech1 * uX1);
}

float TGeometrieEcran::tr(int xe1) const
{
    return static_cast<float>((xe1 - xOri) / (zoomH * axeT.EchA));
}

float TGeometrieEcran::U1(int voie1, int y1) const
{
    return static_cast<float>((yOri - y1) / (zoomV * echsVoies[voie1]));
}

float TGeometrieEcran::U1(float ech1, int y1) const
{
    return static_cast<float>((yOri - y1) / (zoomV * ech1));
}

int TGeometrieEcran::nbCourbesTotal() const
{
    if (!mesures)
        return 0;
    int n = mesures->nbVoiesMesurees + (vue.presente ? vue.nbVoiesSignaux : 0);
    return std::min<int>(n, static_cast<int>(mesures->tv2.size()));
}

float TGeometrieEcran::echelleQuadrillage() const
{
    int a = (axeQuadrilleX >= 0 && axeQuadrilleX < nbAxes) ? axeQuadrilleX : 0;
    return static_cast<float>(AxesX[a].EchA);
}

void TGeometrieEcran::prendAxe(TVoieMesuree& vm, int c)
{
    vm.calVM = c;
    if (c < 0 || c >= 8) {
        vm.axeVM = -1;
        return;
    }
    if (axesDesCalibres[c] < 0 && nbAxes < 4) {
        axesDesCalibres[c] = nbAxes;
        AxesX[nbAxes].calA = c;
        ++nbAxes;
    }
    vm.axeVM = axesDesCalibres[c];
}

void TGeometrieEcran::prepareAxeTemps(double duree)
{
    float maxAxe = arrondiSup(10, static_cast<float>(duree));
    if (!(maxAxe > 0))
        maxAxe = 0.002f;
    axeT.maxAxe = maxAxe;
    if (maxAxe > 0.05f && maxAxe < 1501) {
        axeT.mult = 1;
        axeT.sp10Mult.clear();
        return;
    }
    // The multiplier is the power of a thousand below the axis end, so the
    // graduations read as ms, µs or ks.
    int exposant = static_cast<int>(std::floor(std::log10(maxAxe) + 1e-6));
    int exposantMult = 3 * static_cast<int>(std::floor(exposant / 3.0));
    axeT.mult = static_cast<float>(std::pow(10.0, exposantMult));
    axeT.sp10Mult = std::to_string(exposantMult);
}

void TGeometrieEcran::prepareAxesX(const TMesureTexte& mesure)
{
    int h = mesure.hauteur();
    mSup = 2 * h;
    mInf = arrondi(2.3L * h);
    axesDesCalibres.fill(-1);
    for (auto& axe : AxesX)
        axe.calA = -1;

    auto texteCalibre = [this](int c) -> std::string {
        return (c >= 0 && c < static_cast<int>(vue.twCals_.size())) ? vue.twCals_[c] : std::string(" +10.0 ");
    };

    if (!vue.presente) {
        nbAxes = 1;
        AxesX[0].calA = 0;
        axesDesCalibres[0] = 0;
        mGau1 = mesure.largeur("+10.0") + 4;
        mgau2 = mDroi1 = mDroi2 = 1;
        hauG = hauT - mSup - mInf;
        larG = larT - mGau1 - 6;
        xgr1[0] = mGau1 - 3;
        xgr2[0] = mGau1;
        axeQuadrilleX = 0;
        prepareAxeTemps(0.002);
        return;
    }

    nbAxes = 0;
    if (mesures) {
        auto& vms = mesures->voiesMesurees;
        size_t besoin = static_cast<size_t>(mesures->nbVoiesMesurees) + vue.nbEAU;
        if (vms.size() < besoin)
            vms.resize(besoin);
        for (int l = 0; l < vue.nbVoiesActivesX; ++l) {
            int v = l < static_cast<int>(vue.VoiesActivesSignaux.size()) ? vue.VoiesActivesSignaux[l] : -1;
            TVoieMesuree& vm = vms[mesures->nbVoiesMesurees + l];
            if (v >= 0 && v < vue.nbEAU && v < 8 && vue.actives[v]) {
                prendAxe(vm, vue.idxCalibreUt[v]);
            } else {
                vm.calVM = -1;
                vm.axeVM = -1;
            }
        }
        for (int m = 0; m < mesures->nbVoiesMesurees; ++m)
            prendAxe(vms[m], vms[m].calVM);
    }
    if (nbAxes == 0) {
        int c = std::clamp(vue.idxCalibreUt[0], 0, 7);
        nbAxes = 1;
        AxesX[0].calA = c;
        axesDesCalibres[c] = 0;
    }

    mGau1 = mesure.largeur(texteCalibre(AxesX[0].calA)) + 4;
    mgau2 = nbAxes > 1 ? mesure.largeur(texteCalibre(AxesX[1].calA)) + 2 : 1;
    mDroi1 = nbAxes > 2 ? mesure.largeur(texteCalibre(AxesX[2].calA)) + 2 : 1;
    mDroi2 = nbAxes > 3 ? mesure.largeur(texteCalibre(AxesX[3].calA)) + 2 : 1;
    hauG = hauT - mSup - mInf;
    larG = larT - mGau1 - mgau2 - mDroi1 - mDroi2 - 3;

    int L = mGau1 + mgau2;
    if (nbAxes == 1) {
        xgr1[0] = mGau1 - 3;
        xgr2[0] = mGau1;
    } else {
        xgr1[0] = mGau1 - 4;
        xgr2[0] = L;
        xgr1[1] = L - 4;
        xgr2[1] = L;
    }
    if (nbAxes >= 3) {
        xgr1[2] = L + larG;
        xgr2[2] = L + larG + 4;
    }
    if (nbAxes >= 4) {
        // The fourth axis has no tick extent of its own: its 4-pixel ticks
        // end where its labels begin, in the gap after the third's labels.
        xgr1[3] = L + larG + mDroi1 - 2;
        xgr2[3] = L + larG + mDroi1 - 2;
    }
    if (axeQuadrilleX >= nbAxes)
        axeQuadrilleX = 0;

    prepareAxeTemps(vue.dureeTotale0X);
    setZoomVX(ZoomIndexV);
}

int TGeometrieEcran::regleEspacement(long double& E, int emin, int emax, int kmin, int kmax)
{
    long double s = E;
    int k = 0;
    if (s < emin) {
        while (k > kmin && s / serie125(k) < emin)
            --k;
    } else if (s > emax) {
        while (k < kmax && s / serie125(k) > emax)
            ++k;
    }
    long double sPrime = s / serie125(k);
    int S = std::max(tronque(sPrime), 1);
    E = E * S / sPrime;
    return S;
}

void TGeometrieEcran::graduationsAxe(int i)
{
    TAxe& axe = AxesX[i];
    long double s = vue.presente ? hauG / (2 * vue.pleineEchelle(axe.calA)) : hauG / 10.0L * 2;
    axe.EchA = s;
    espaDivV1[i] = static_cast<float>(regleEspacement(axe.EchA, eMinSousGradV, eMaxSousGradV, -6, 6));
    float ech = static_cast<float>(axe.EchA);
    if (vue.presente) {
        yMin1 = U1(ech, mSup + hauG);
        yMax1 = U1(ech, mSup - 1);
    } else {
        yMin1 = static_cast<float>((yOri - hauG - mSup) / axe.EchA);
        yMax1 = static_cast<float>((yOri - mSup + 1) / axe.EchA);
    }
    sepR[i] = static_cast<float>(espaDivV1[i] / (axe.EchA * zoomV));
    nGradV11[i] = premiereGraduation(yMin1, sepR[i]);
    nGradV12[i] = derniereGraduation(yMax1, sepR[i]);
}

void TGeometrieEcran::echellesVoiesEtCourbes()
{
    auto echelleCalibre = [this](int c) -> float {
        if (c < 0 || c >= 8)
            return 0;
        int a = axesDesCalibres[c];
        if (a >= 0)
            return static_cast<float>(AxesX[a].EchA);
        // A calibre left without an axis (more than four) keeps its own scale.
        return static_cast<float>(hauG / (2 * vue.pleineEchelle(c)));
    };
    if (!vue.presente) {
        echsVoies[0] = static_cast<float>(AxesX[0].EchA);
    } else {
        for (int v = 0; v < vue.nbEAU && v < 8; ++v)
            if (vue.actives[v])
                echsVoies[v] = echelleCalibre(vue.idxCalibreUt[v]);
    }
    if (!mesures)
        return;
    int n = std::min<int>(mesures->nbVoiesMesurees + (vue.presente ? vue.nbVoiesSignaux : 0),
                          static_cast<int>(mesures->voiesMesurees.size()));
    for (int m = 0; m < n; ++m) {
        TVoieMesuree& vm = mesures->voiesMesurees[m];
        if (vm.calVM >= 0)
            vm.echVM = echelleCalibre(vm.calVM);
    }
}

void TGeometrieEcran::prepareQuadAxes()
{
    if (AxesX[0].calA < 0)
        return;
    eMinSousGradH = tronque(80 * coDIMH);
    eMaxSousGradH = tronque(150 * coDIMH);
    if (larT > 0) {
        eMinSousGradV = std::max(tronque(80.0L * hauT * coDimV / larT), tronque(25 * coDimV));
        eMaxSousGradV = std::min(tronque(150.0L * hauT * coDimV / larT), tronque(50 * coDimV));
    }
    if (!vue.presente) {
        coDIMH = largeurFenetre / 1060.0f;
        coDimV = hauteurFenetre / 725.0f;
    }
    // The origins follow the scroll positions; they are set first so that
    // the visible ranges below are those of this screen. A position has
    // 1000 steps, which at zoom 100 are 90 pixels apart: an origin set to
    // the pixel (centred cursors, dragging) is kept when it lies within one
    // step of its position's, so that it does not jump.
    auto origine = [](int actuelle, long double depuisPosition, long double pas) {
        int o = static_cast<int>(depuisPosition);
        return std::fabs(static_cast<long double>(actuelle) - depuisPosition) <= std::fabs(pas) + 1 ? actuelle : o;
    };
    const long double etendueV = (1 - zoomV) * hauG, etendueH = (1 - zoomH) * larG;
    const long double yPosition = arrondi(etendueV / 2000 * SBVert.Position + hauG * 0.5L) + mSup;
    const long double xPosition = tronque(etendueH * SBHor.Position / 1000) + mGau1 + mgau2;
    yOri = ZoomIndexV == 0 ? static_cast<int>(yPosition) : origine(yOri, yPosition, etendueV / 2000);
    xOri = zoomIndexH == 0 ? static_cast<int>(xPosition) : origine(xOri, xPosition, etendueH / 1000);

    int n = vue.presente ? nbAxes : 1;
    for (int i = 0; i < n; ++i)
        graduationsAxe(i);
    echellesVoiesEtCourbes();

    axeT.EchA = larG / static_cast<long double>(axeT.maxAxe);
    espaDivH = static_cast<float>(regleEspacement(axeT.EchA, eMinSousGradH, eMaxSousGradH, -14, 21));
    int L = mGau1 + mgau2;
    tMin1 = tr(L) - t0();
    tMax1 = tr(L + larG - mDroi1 - mDroi2 - 1) - t0();
    sepRt = static_cast<float>(espaDivH / (axeT.EchA * zoomH));
    nGradH1 = premiereGraduation(tMin1, sepRt);
    nGradH2 = derniereGraduation(tMax1, sepRt);
}

bool TGeometrieEcran::setZoomHX(int ZoomIndexH1)
{
    int i = std::clamp(ZoomIndexH1, 0, 6);
    bool change = i != zoomIndexH;
    zoomIndexH = i;
    zoomH = coefsZoom[i];
    SBHor.LargeChange = arrondi(SBHor.Max / (2 * zoomH));
    int L = mGau1 + mgau2;
    if (i == 0) {
        xOri = L;
        bloqueSB = true;
        SBHor.Position = 0;
        bloqueSB = false;
        SBHor.Enabled = false;
        return change;
    }
    long double K = zoomH * axeT.EchA;
    bool mesure = MODEGENERAL() == TModeGeneral::mesuresSurEcran;
    long double premier = mesure ? t0M : t0();
    long double second = mesure ? tFinM : tFin();
    int xPremier = mesure ? xeT0M : xeT0X;
    int xSecond = mesure ? xeTFM : xetFX;
    auto dedans = [&](int x) { return x >= L && x <= L + larG; };
    if (larG > K * (second - premier))
        xOri = L + larG / 2 - arrondi(K * (premier + second) / 2);
    else if (dedans(xPremier))
        xOri = L + 3 - arrondi(K * premier);
    else if (dedans(xSecond))
        xOri = L + larG - 3 - arrondi(K * std::min<long double>(axeT.maxAxe, second));
    xOriMax = L;
    xOriMin = L + tronque((1 - zoomH) * larG);
    xOri = std::min(std::max(xOri, xOriMin), xOriMax);
    long double position = (xOri - L) * 1000.0L / ((1 - zoomH) * larG);
    int pos = tronque(position);
    if (pos > 1000 || pos < 0) {
        pos = std::clamp(pos, 0, 1000);
        redessinDemande = true;
    }
    bloqueSB = true;
    SBHor.Position = pos;
    bloqueSB = false;
    SBHor.Enabled = true;
    return change;
}

bool TGeometrieEcran::setZoomVX(int ZoomIndexV1)
{
    long double a = ZoomIndexV < 1 ? 0 : U1(static_cast<float>(AxesX[0].EchA), mSup + hauG / 2);
    int i = std::clamp(ZoomIndexV1, 0, 6);
    bool change = i != ZoomIndexV;
    ZoomIndexV = i;
    zoomV = coefsZoom[i];
    SBVert.LargeChange = arrondi(SBVert.Max / (2 * zoomV));
    if (i == 0) {
        yOri = mSup + hauG / 2;
        bloqueSB = true;
        SBVert.Position = 0;
        bloqueSB = false;
        SBVert.Enabled = false;
        return change;
    }
    yOri = mSup + hauG / 2 + arrondi(zoomV * a * AxesX[0].EchA);
    yOriMin = tronque(hauG / 2.0L * (1 - zoomV) + hauG / 2.0L) + mSup;
    yOriMax = tronque(-hauG / 2.0L * (1 - zoomV) + hauG / 2.0L) + mSup;
    yOri = std::max(yOriMin, std::min(yOriMax, yOri));
    int pos = hauG > 0 ? tronque((yOri - mSup - hauG / 2.0L) * 2000 / ((1 - zoomV) * hauG)) : 0;
    if (pos > 1000 || pos < -1000) {
        pos = std::clamp(pos, -1000, 1000);
        redessinDemande = true;
    }
    bloqueSB = true;
    SBVert.Position = pos;
    bloqueSB = false;
    SBVert.Enabled = true;
    return change;
}

void TGeometrieEcran::activerZooms()
{
    if (enAcquisition())
        return;
    boutonsZoom.plusH = zoomIndexH < 6;
    boutonsZoom.moinsH = zoomIndexH > 0;
    boutonsZoom.plusV = ZoomIndexV < 6;
    boutonsZoom.moinsV = ZoomIndexV > 0;
}

void TGeometrieEcran::DesactiverZooms()
{
    boutonsZoom = {false, false, false, false};
}

void TGeometrieEcran::finDefilementH(int position)
{
    if (bloqueSB)
        return;
    SBHor.Position = std::clamp(position, SBHor.Min, SBHor.Max);
    xOri = tronque((1 - zoomH) * larG * SBHor.Position / 1000) + mGau1 + mgau2;
}

void TGeometrieEcran::finDefilementV(int position)
{
    if (bloqueSB)
        return;
    SBVert.Position = std::clamp(position, SBVert.Min, SBVert.Max);
    yOri = arrondi(hauG / 2000.0L * (1 - zoomV) * SBVert.Position + hauG / 2.0L) + mSup;
}

void TGeometrieEcran::redimensionne(int largeur, int hauteur)
{
    larT = largeur;
    hauT = hauteur;
    hauG = hauT - mSup - mInf;
    larG = larT - mGau1 - mgau2 - mDroi1 - mDroi2;
    setZoomHX(zoomIndexH);
    setZoomVX(ZoomIndexV);
    activerZooms();
}

void TGeometrieEcran::replaceNiveauxMesure()
{
    float ech = echelleQuadrillage();
    yeUmaxM = mSup + hauG / 18;
    yeUMinM = mSup + hauG - hauG / 18;
    if (ech == 0)
        return;
    UMaxM = U1(ech, yeUmaxM);
    UMinM = U1(ech, yeUMinM);
    yeUmaxM = ye(ech, static_cast<float>(UMaxM));
    yeUMinM = ye(ech, static_cast<float>(UMinM));
}

void TGeometrieEcran::choisitAxeQuadrille(int p1)
{
    float ech;
    if (p1 < 0) {
        axeQuadrilleX = std::max(-1 - p1, 0);
        ech = echelleQuadrillage();
    } else {
        int axe = -1;
        ech = echelleQuadrillage();
        if (mesures && p1 < static_cast<int>(mesures->voiesMesurees.size())) {
            axe = mesures->voiesMesurees[p1].axeVM;
            ech = mesures->voiesMesurees[p1].echVM;
        }
        axeQuadrilleX = std::max(axe, 0);
    }
    if (ech != 0) {
        UMaxM = U1(ech, yeUmaxM);
        UMinM = U1(ech, yeUMinM);
    }
}

void TGeometrieEcran::calculePixelsCurseurs()
{
    double dt = mesures ? mesures->dtAX : vue.dt0X;
    xeT0X = dt > t0() ? xe(0) : xe(t0());
    xetFX = xe(tFin());
    xeT0M = xe(t0M);
    xeTFM = xe(tFinM);
    float ech = echelleQuadrillage();
    yeUmaxM = ye(ech, static_cast<float>(UMaxM));
    yeUMinM = ye(ech, static_cast<float>(UMinM));
}

void TGeometrieEcran::setModeDessinVM()
{
    if (!vue.presente || (vue.nbVoiesActivesX == 0 && vue.nbVoiesSignaux == 0) || vue.nbPts0X == 0 ||
        !mesures || mesures->tv2.empty() || vue.dt0X <= 0)
        return;
    float t1 = tr(mGau1 + mgau2);
    float t2 = std::min<float>(tr(mGau1 + mgau2 + larG), static_cast<float>(vue.dureeTotale0X));
    int64_t premier = static_cast<int64_t>(t1 * 1.0000005 / vue.dt0X);
    int64_t dernier = std::min<int64_t>(static_cast<int64_t>(t2 * 1.0000005 / vue.dt0X) + 1, vue.nbPtsAffX - 1);
    if (dernier < premier)
        return;
    int x1 = xe(t1), x2 = xe(t2);
    if (x1 == x2) {
        nbPPP = static_cast<float>(dernier - premier);
        modeDessinVM = 1;
        return;
    }
    nbPPP = static_cast<float>(static_cast<long double>(dernier - premier) / (x2 - x1) * zoomH);
    if (nbPPP / zoomH >= 2.9999)
        modeDessinVM = 0;
    else if (nbPPP > 0.12658227848101267)
        modeDessinVM = 1;
    else
        modeDessinVM = 2;
}

int TGeometrieEcran::ecartMinCurseurs() const
{
    return std::min(arrondi(vue.dt0X * zoomH * axeT.EchA * 10.1L), 10);
}

void TGeometrieEcran::elementPointe(int x1, int y1)
{
    voieMesureeP = -1;
    pointP = -1;
    if (!mesures)
        return;
    int nbCourbes = std::min<int>(mesures->nbVoiesMesurees, static_cast<int>(mesures->tv2.size()));
    int L = mGau1 + mgau2;
    if (nbCourbes <= 0 || x1 < L || x1 > L + larG || y1 < mSup || y1 > mSup + hauG)
        return;
    double dt = mesures->dtAX;
    if (dt <= 0)
        return;
    long double t = tr(x1);
    long double meilleur = 1e10L;
    for (int i = 0; i < nbCourbes; ++i) {
        const std::vector<float>& v = mesures->tv2[i];
        int64_t N = std::min<int64_t>(mesures->nbPtsAX, static_cast<int64_t>(v.size()));
        if (N < 1)
            continue;
        float ech = mesures->voiesMesurees[i].echVM;
        int64_t k0 = std::clamp<int64_t>(arrondi(t / dt), 0, N - 1);
        auto xk = [&](int64_t k) { return xe(k * dt); };
        auto yk = [&](int64_t k) { return ye(ech, v[k]); };
        auto d = [&](int64_t k) {
            long double dx = x1 - xk(k), dy = y1 - yk(k);
            return dx * dx + dy * dy;
        };

        long double db, df;
        int64_t kb, kf;
        if (k0 == 0) {
            long double dy = y1 - yk(0);
            db = dy * dy;
            kb = 0;
        } else {
            db = 1e8L;
            kb = k0;
            for (int64_t k = k0;; --k) {
                long double dk = d(k);
                if (dk < db)
                    kb = k;
                db = std::min(db, dk);
                if (k <= 1 || dk >= 25.000001L || xk(k) <= x1 - 5 || dk < 1e-6L || xk(k) == x1 || yk(k) == y1)
                    break;
            }
        }
        if (k0 == N - 1) {
            long double dy = y1 - yk(N - 1);
            df = dy * dy;
            kf = N - 1;
        } else {
            df = 1e8L;
            kf = k0;
            for (int64_t k = k0; k < N - 1; ++k) {
                long double dk = d(k);
                if (dk < df)
                    kf = k;
                df = std::min(df, dk);
                if (dk >= 25.00000001L || xk(k) >= x1 + 5 || dk < 1e-6L || xk(k) == x1 || yk(k) == y1)
                    break;
            }
        }

        bool echantillon = false;
        if (db <= 25 || df <= 25) {
            if (db <= df && db <= meilleur) {
                voieMesureeP = i;
                pointP = static_cast<int>(kb);
                meilleur = std::min<long double>(25, db);
                echantillon = true;
            } else if (df < db && df <= meilleur) {
                voieMesureeP = i;
                pointP = static_cast<int>(kf);
                meilleur = std::min<long double>(25, df);
                echantillon = true;
            }
        }
        if (echantillon || N < 2)
            continue;

        int64_t k1 = std::clamp<int64_t>(static_cast<int64_t>(t / dt), 0, N - 2);
        long double xA = xe(k1 * dt), yA = yk(k1);
        long double xB = xe(k1 * dt + dt), yB = yk(k1 + 1);
        bool surDroite = false;
        if (xA == xB && xB == x1) {
            surDroite = true;
        } else if (xA <= x1 && x1 <= xB) {
            long double ap = std::hypot(x1 - xA, y1 - yA);
            long double ab = std::hypot(xB - xA, yB - yA);
            if (ap > 0 && ab > 0) {
                long double sinus = ((x1 - xA) * (yB - yA) - (y1 - yA) * (xB - xA)) / (ap * ab);
                surDroite = std::fabs(std::asin(std::clamp<long double>(sinus, -1, 1))) < 0.031415926535897934L;
            }
        }
        if (surDroite && y1 >= std::min(yA, yB) && y1 <= std::max(yA, yB)) {
            voieMesureeP = i;
            pointP = -1;
        }
    }
}

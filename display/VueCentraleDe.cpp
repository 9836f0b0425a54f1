#include "display/VueCentraleDe.h"

#include "model/TCentrale.h"

#include <algorithm>

TVueCentrale vueDe(const TCentrale* centrale)
{
    TVueCentrale vue;
    if (!centrale)
        return vue;
    const TCentrale& c = *centrale;
    vue.presente = true;
    vue.nbEAU = std::min<int32_t>(c.nbEAU, 8);
    vue.nbCalEAGV = c.nbCalEAGV;
    vue.calibresDispo = c.calibresDispo;
    for (size_t k = 0; k < vue.calibresR.size() && k < c.calibresEAStandard.size(); ++k)
        vue.calibresR[k] = c.calibresEAStandard[k];
    vue.twCals_ = c.twCals_;
    vue.nbVoiesActivesX = c.nbVoiesActivesX;
    vue.nbVoiesSignaux = c.nbVoiesSignaux;
    vue.VoiesActivesSignaux.assign(c.VoiesActivesSignaux.begin(), c.VoiesActivesSignaux.end());
    for (int v = 0; v < vue.nbEAU && v < static_cast<int>(c.VoiesX.size()); ++v) {
        vue.idxCalibreUt[v] = c.VoiesX[v].idxCalibreUt;
        vue.actives[v] = c.VoiesX[v].active;
    }
    vue.dureeTotale0X = c.dureeTotale0X;
    vue.dt0X = c.dt0X;
    vue.nbPts0X = c.nbPts0X;
    vue.nbPtsAffX = c.nbPtsAffX;
    vue.modeDecl = c.modeDecl;
    vue.tPretrig = c.tPretrig;
    return vue;
}

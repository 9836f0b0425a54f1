// Names of the SP5's inputs, calibres and channels, and of the curves.
#include "drivers/sp5/TSP5.h"

#include "drivers/sp5/ReglesSP5.h"

#include <string>

void TSP5::prepareNomsSP5()
{
    sEntrees.clear();
    for (int i = 0; i < sp5::kNbEntrees; ++i)
        sEntrees.push_back("EA" + std::to_string(i));
    sCalibres = { "-10V/+10V", "-5V/+5V", "-1V/+1V", "-0.2V/+0.2V" };
    sCalibresSIMPL = { "10 V", "5 V", "1 V", "0.2 V" };
    twCals_ = { " +10.0 ", " +5.00 ", " +1.00 ", " +0.200 " };
    GBCanauxCaption.clear();
    for (int c = 0; c < sp5::kNbCanaux; ++c)
        GBCanauxCaption.push_back("Canal " + std::to_string(c));
}

std::string TSP5::GetCapU(int32_t numV)
{
    (void)numV;
    return "u";
}

std::string TSP5::GetCapUInd(int32_t numV)
{
    const std::string v = std::to_string(numV);
    if (numV >= 0 && numV < nbCanauxUt && canauxDiff[numV])
        return v + "_" + std::to_string(numV + nbCanauxUt);
    return v + "_M";
}

std::string TSP5::getCapVM(int32_t numV)
{
    return "u[" + GetCapUInd(numV) + "]";
}

std::string TSP5::getCapEA(int32_t numV)
{
    return "EA" + std::to_string(numV);
}

std::string TSP5::getIntituleVoie(int32_t numV)
{
    if (!voieValide(numV) || numV >= int32_t(sEntrees.size()))
        return {};
    std::string suffixe;
    if (numV < nbCanauxUt)
        suffixe = canauxDiff[numV] ? "_" + sEntrees[numV + nbCanauxUt] : std::string("_M");
    return "u[" + sEntrees[numV] + suffixe + "]";
}

std::string TSP5::getIntituleVoieSimplifie(int32_t numV)
{
    return getIntituleVoie(numV);
}

std::string TSP5::getIntituleVoieTresSimplifie(int32_t numV)
{
    if (numV < 0 || numV >= int32_t(sEntrees.size()))
        return {};
    return sEntrees[numV];
}

int32_t TSP5::idxAffVoies(int32_t numV)
{
    return numV;
}

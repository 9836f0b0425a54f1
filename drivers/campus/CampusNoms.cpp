// Names of the inputs and curves, position of each input in a frame.
#include "drivers/campus/TSYSAMCAMPUS.h"

#include <string>

namespace {

std::string numero(int32_t numV)
{
    return std::to_string(numV + 1);
}

} // namespace

// Inputs without sensor come first in each frame; with no sensor the frame
// is in input order.
void TSYSAMCAMPUS::PrepareIdxTraitGV()
{
    TCentrale::PrepareIdxTraitGV();
    idxTraitGV.assign(nbEAU, -1);
    OrdreTraitt.assign(nbEAU, -1);
    for (int32_t j = 0; j < nbVoiesActivesX && j < nbEAU; ++j) {
        idxTraitGV[j] = j;
        OrdreTraitt[j] = VoiesActivesX[j];
    }
}

std::string TSYSAMCAMPUS::getIntituleVoie(int32_t numV)
{
    return "V[" + numero(numV) + "]";
}

std::string TSYSAMCAMPUS::getIntituleVoieSimplifie(int32_t numV)
{
    return numV < kNbEntreesCampus ? getIntituleVoie(numV) : std::string();
}

std::string TSYSAMCAMPUS::getIntituleVoieTresSimplifie(int32_t numV)
{
    return numV < kNbEntreesCampus ? "V" + numero(numV) : std::string();
}

int32_t TSYSAMCAMPUS::idxAffVoies(int32_t numV)
{
    return numV + 1;
}

std::string TSYSAMCAMPUS::GetCapU(int32_t numV)
{
    (void)numV;
    return "u";
}

std::string TSYSAMCAMPUS::GetCapUInd(int32_t numV)
{
    return numero(numV);
}

std::string TSYSAMCAMPUS::getCapEA(int32_t numV)
{
    return "V" + numero(numV);
}

std::string TSYSAMCAMPUS::getCapVM(int32_t numV)
{
    return "u[" + numero(numV) + "]";
}

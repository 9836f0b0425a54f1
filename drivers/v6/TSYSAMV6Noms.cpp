// Names of the inputs and curves, frame positions, and the live reading of
// the inputs.
#include "drivers/v6/TSYSAMV6.h"

#include <charconv>

std::string TSYSAMV6::getIntituleVoie(int32_t numV)
{
    if (numV < 0 || numV > 2)
        return {};
    return "EA" + std::to_string(numV + 1);
}

void TSYSAMV6::PrepareIdxTraitGV()
{
    TCentrale::PrepareIdxTraitGV();
    // In the input order: the j-th signal input is the j-th word of a frame.
    idxTraitGV.assign(std::size_t(std::max(nbEAU, 0)), -1);
    if (nbVoiesActivesX > 0)
        for (int j = 0; j < nbVoiesSignaux && j < int(idxTraitGV.size()); ++j)
            idxTraitGV[j] = j;
}

std::string TSYSAMV6::GetCapU(int32_t numV)
{
    (void)numV;
    return "u";
}

std::string TSYSAMV6::GetCapUInd(int32_t numV)
{
    return std::to_string(numV + 1);
}

std::string TSYSAMV6::getCapEA(int32_t numV)
{
    return "EA" + std::to_string(numV + 1);
}

std::string TSYSAMV6::getCapVM(int32_t numV)
{
    return "u[" + GetCapUInd(numV) + "]";
}

namespace {
// The whole text as a hexadecimal number; false for an empty or foreign text.
bool litHexa(const std::string& texte, uint16_t& valeur)
{
    if (texte.empty())
        return false;
    const char* fin = texte.data() + texte.size();
    const auto [p, erreur] = std::from_chars(texte.data(), fin, valeur, 16);
    return erreur == std::errc() && p == fin;
}
} // namespace

void TSYSAMV6::MesureDirecte()
{
    for (int k = 0; k < nbVoiesActivesX && k < int(VoiesActivesX.size()); ++k) {
        const int voie = VoiesActivesX[k];
        if (voie < 0 || voie >= int(VoiesX.size()))
            break;
        uint16_t code = 0;
        if (!litHexa(Send_V6("A" + std::to_string(2 * voie)), code))
            break;
        VoiesX[voie].mesDir = code;
        VoiesX[voie].mesDirR = float(Ux(voie, code));
    }
}

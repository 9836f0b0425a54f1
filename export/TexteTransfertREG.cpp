#include "export/TexteTransfertREG.h"

bool plageTransfertVide(const TSourceRegressi& source)
{
    // The curves shown, not the settings of the next acquisition, say how far
    // the measurements go.
    return source.mesures == nullptr || intervalleVide(*source.mesures) || plageExport(*source.mesures).vide();
}

std::string entetesTransfert(const TSourceRegressi& source)
{
    std::string entetes;
    if (source.mesures == nullptr)
        return entetes;
    for (int32_t i = 0; i < source.mesures->nbVoiesMesurees; ++i)
        entetes += source.mesures->voiesMesurees[std::size_t(i)].sEnteteVM;
    return entetes;
}

QStringList texteDocumentREG(const TSourceRegressi& source)
{
    return prepareSL(source, true).SL;
}

QStringList textePageREG(const TSourceRegressi& source)
{
    return prepareSLPage(source);
}

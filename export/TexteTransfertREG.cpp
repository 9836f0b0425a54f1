#include "export/TexteTransfertREG.h"

bool plageTransfertVide(const TSourceRegressi& source)
{
    // The curves shown, not the settings of the next acquisition, say how far
    // the measurements go.
    return source.courbes == nullptr || source.courbes->dureeTotaleAX <= source.t0 || plageExport(source).n() <= 0;
}

std::string entetesTransfert(const TSourceRegressi& source)
{
    std::string entetes;
    if (source.courbes == nullptr)
        return entetes;
    for (int32_t i = 0; i < source.courbes->nbVoiesMesurees; ++i)
        entetes += source.courbes->voiesMesurees[std::size_t(i)].sEnteteVM;
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

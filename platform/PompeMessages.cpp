#include "platform/PompeMessages.h"

#include "platform/Temps.h"

#include <algorithm>

namespace plateforme {

namespace {
PompeMessages& pompeInstallee()
{
    static PompeMessages pompe;
    return pompe;
}
} // namespace

void installePompeMessages(PompeMessages pompe)
{
    pompeInstallee() = std::move(pompe);
}

void traiteMessages()
{
    // A copy, so that a hook may replace itself while it runs.
    PompeMessages pompe = pompeInstallee();
    if (pompe)
        pompe();
}

void dorsEnTraitantMessages(uint32_t millisecondes, uint32_t tranche)
{
    tranche = std::max<uint32_t>(tranche, 1);
    const uint32_t debut = compteurTicks();
    for (;;) {
        traiteMessages();
        const uint32_t ecoule = compteurTicks() - debut;
        if (ecoule >= millisecondes)
            break;
        dors(std::min(tranche, millisecondes - ecoule));
    }
}

} // namespace plateforme

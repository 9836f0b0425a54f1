// The platform's counters behind the clock interface, whichever
// implementation of them (system or virtual time) the build holds.
#include "platform/Temps.h"

namespace plateforme {

namespace {
class HorlogeSysteme final : public Horloge {
public:
    int64_t frequencePerformance() const override { return plateforme::frequencePerformance(); }
    int64_t compteurPerformance() const override { return plateforme::compteurPerformance(); }
    uint32_t compteurTicks() const override { return plateforme::compteurTicks(); }
};
} // namespace

const Horloge& horlogeSysteme()
{
    static const HorlogeSysteme horloge;
    return horloge;
}

} // namespace plateforme

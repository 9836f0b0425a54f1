#include "simulators/sp5/RegistresSP5Sim.h"

namespace sp5sim {

uint64_t valeurRegistres(const Registres& r, int premier, int n)
{
    uint64_t v = 0;
    for (int i = n - 1; i >= 0; --i)
        v = (v << 8) | r[static_cast<std::size_t>(premier + i)];
    return v;
}

int ordreTrame(uint8_t voiesSignaux, uint8_t modeDiff, std::array<int, 8>& ordre)
{
    // A differential channel delivers one signal, on its first input.
    bool candidat[8] {};
    for (int entree = 0; entree < 8; ++entree) {
        const bool diff = entree >= 4 && (modeDiff >> (entree - 4) & 1u);
        candidat[entree] = (voiesSignaux >> entree & 1u) && !diff;
    }
    int n = 0;
    for (int canal = 0; canal < 4; ++canal) {
        if (candidat[canal]) {
            ordre[n++] = canal;
            candidat[canal] = false;
        } else if (candidat[canal + 4]) {
            ordre[n++] = canal + 4;
            candidat[canal + 4] = false;
        }
    }
    for (int canal = 0; canal < 4; ++canal)
        if (candidat[canal + 4])
            ordre[n++] = canal + 4;
    return n;
}

Entrees litEntrees(const Registres& r)
{
    Entrees e;
    e.motGains = static_cast<uint32_t>(valeurRegistres(r, sp5::kGains, 3));
    e.modeDiff = r[sp5::kModeDiff] & 0x0F;
    return e;
}

ProgrammationRun litProgrammation(const Registres& r)
{
    ProgrammationRun p;
    p.entrees = litEntrees(r);
    p.ticksIntervalle = valeurRegistres(r, sp5::kIntervalle, 5) + 1;
    p.nbPoints = static_cast<int64_t>(valeurRegistres(r, sp5::kNbPoints, 3));
    p.continu = (r[sp5::kControle] & sp5::kBitContinu) != 0;

    const uint8_t decl = r[sp5::kDeclenchement];
    if (decl & sp5::kDeclExterneBit)
        p.mode = ModeDeclenchement::Externe;
    else if (decl & sp5::kDeclSeuilBit)
        p.mode = ModeDeclenchement::Seuil;
    else
        p.mode = ModeDeclenchement::Immediat;
    p.montant = (decl & sp5::kDeclMontantBit) != 0;
    p.voieSynchro = (decl >> sp5::kDecalageVoieSynchro) & 7;
    p.seuil = static_cast<int>(valeurRegistres(r, sp5::kSeuil, 2));
    p.hysteresis = r[sp5::kHysteresis];
    const int64_t pretrig = static_cast<int64_t>(valeurRegistres(r, sp5::kNbPtsPretrig, 3)) - sp5::kMargePretrig;
    p.nbPretrig = pretrig > 0 ? pretrig : 0;

    p.nbSignaux = ordreTrame(r[sp5::kVoiesAcquises], p.entrees.modeDiff, p.ordre);
    return p;
}

} // namespace sp5sim

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
    e.motGains = static_cast<uint32_t>(valeurRegistres(r, registre::kGains, 3));
    e.modeDiff = r[registre::kModeDiff] & 0x0F;
    return e;
}

ProgrammationRun litProgrammation(const Registres& r)
{
    ProgrammationRun p;
    p.entrees = litEntrees(r);
    p.ticksIntervalle = valeurRegistres(r, registre::kIntervalle, 5) + 1;
    p.nbPoints = static_cast<int64_t>(valeurRegistres(r, registre::kNbPoints, 3));
    p.continu = (r[registre::kControle] & kBitContinu) != 0;

    const uint8_t decl = r[registre::kDeclenchement];
    if (decl & kBitDeclExterne)
        p.mode = ModeDeclenchement::Externe;
    else if (decl & kBitDeclSeuil)
        p.mode = ModeDeclenchement::Seuil;
    else
        p.mode = ModeDeclenchement::Immediat;
    p.montant = (decl & kBitDeclMontant) != 0;
    p.voieSynchro = (decl >> kDecalageVoieSynchro) & 7;
    p.seuil = static_cast<int>(valeurRegistres(r, registre::kSeuil, 2));
    p.hysteresis = r[registre::kHysteresis];
    const int64_t pretrig = static_cast<int64_t>(valeurRegistres(r, registre::kPretrig, 3)) - kMargePretrig;
    p.nbPretrig = pretrig > 0 ? pretrig : 0;

    p.nbSignaux = ordreTrame(r[registre::kVoiesSignaux], p.entrees.modeDiff, p.ordre);
    return p;
}

} // namespace sp5sim

#include "drivers/campus/AlignementCampus.h"

#include <algorithm>

namespace {

int signe(double x)
{
    return x > 0.0 ? 1 : (x < 0.0 ? -1 : 0);
}

int32_t codeDe(const uint16_t* mots, int64_t rang, int32_t nbParRang, int32_t position)
{
    return mots[rang * nbParRang + position] >> 4;
}

} // namespace

double dtPretrigEntre(int32_t c1, int32_t c2, double seuil, double dt, ConversionSeuil conversion)
{
    if (c1 == c2)
        return 0.0;
    const double uPre = conversion.volts(c1);
    const double uPost = conversion.volts(c2);
    if (uPost == uPre)
        return 0.0;
    return std::clamp((seuil - uPre) / (uPost - uPre) * dt, 0.0, dt);
}

AlignementSeuil aligneDeclenchementSeuil(const uint16_t* mots, int64_t nbRangs, int32_t nbParRang,
                                         int32_t position, int64_t nbPtsPretrig, double seuil,
                                         int32_t sens, double dt, ConversionSeuil conversion)
{
    AlignementSeuil resultat;
    if (mots == nullptr || nbRangs < 2 || nbParRang <= 0 || position < 0 || position >= nbParRang)
        return resultat;
    const int sensVoulu = sens == 0 ? 1 : -1;
    auto franchit = [&](int64_t r) {
        const double avant = conversion.volts(codeDe(mots, r - 1, nbParRang, position));
        const double apres = conversion.volts(codeDe(mots, r, nbParRang, position));
        return signe(avant - seuil) * signe(apres - seuil) < 0 && signe(apres - avant) == sensVoulu;
    };
    int64_t r = nbRangs - 1;
    while (r - 1 > nbPtsPretrig && !franchit(r))
        --r;
    const int64_t rangAvant = r - 1;
    resultat.rangsSupprimes = std::max<int64_t>(rangAvant - nbPtsPretrig, 0);

    const int64_t rangPre = nbPtsPretrig + resultat.rangsSupprimes;
    if (rangAvant <= 0 || rangPre < 0 || rangPre + 1 >= nbRangs)
        return resultat;
    const int32_t c1 = codeDe(mots, rangPre, nbParRang, position);
    const int32_t c2 = codeDe(mots, rangPre + 1, nbParRang, position);
    resultat.vPre = static_cast<uint16_t>(c1);
    resultat.vPost = static_cast<uint16_t>(c2);
    resultat.uPre = conversion.volts(c1);
    resultat.uPost = conversion.volts(c2);
    resultat.dtPretrig = dtPretrigEntre(c1, c2, seuil, dt, conversion);
    return resultat;
}

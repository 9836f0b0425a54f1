// Reading numbers: any text, any prefix, any power of ten. The result is one
// of the documented codes; an error leaves the value untouched; a value read
// is finite; and a number written by formatValeur reads back as itself.
#include "model/UniteBaseChaines.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <string>

namespace {

[[noreturn]] void faute(const char* quoi, const std::string& texte)
{
    std::fprintf(stderr, "valeurDeTexte: %s for \"%s\"\n", quoi, texte.c_str());
    std::abort();
}

bool codeConnu(int code)
{
    return code == valeurLue || code == erreurExposantVide || code == erreurExposantIncorrect
        || code == erreurMantisseIncorrecte || code == erreurTexteVide;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* donnees, size_t taille)
{
    if (taille > 4096)
        return -1;
    // The first byte chooses the decimal separator the user has.
    static const char separateurs[] = {'.', ',', '\''};
    const char separateur = taille > 0 ? separateurs[donnees[0] % 3] : '.';
    setSeparateurDecimal(separateur);
    const std::string texte(reinterpret_cast<const char*>(donnees) + (taille > 0 ? 1 : 0),
                            taille > 0 ? taille - 1 : 0);

    const long double temoin = -1234.5L;
    long double valeur = temoin;
    const int code = valeurDeTexte(texte, valeur);
    if (!codeConnu(code))
        faute("unknown result code", texte);
    if (code != valeurLue || texte.empty()) {
        if (valeur != temoin)
            faute("value changed without a number read", texte);
        return 0;
    }
    if (!std::isfinite(valeur))
        faute("value read is not finite", texte);

    // What the program writes, it reads back: 6 significant digits in the
    // engineering style, for the range the prefixes cover.
    const long double x = std::fabs(valeur);
    if (x >= 1e-15L && x < 1e15L) {
        const std::string ecrit = formatValeur(6, styleIngenieur, valeur);
        long double relu = 0;
        if (valeurDeTexte(ecrit, relu) != valeurLue)
            faute(("written text \"" + ecrit + "\" does not read back").c_str(), texte);
        if (std::fabs(relu - valeur) > 1e-5L * x)
            faute(("written text \"" + ecrit + "\" reads back as another value").c_str(), texte);
    }
    return 0;
}

#include "drivers/campus/BibliothequeCampus.h"

namespace {

void ajouteUtf8(std::string& sortie, char32_t c)
{
    if (c < 0x80) {
        sortie += static_cast<char>(c);
    } else if (c < 0x800) {
        sortie += static_cast<char>(0xC0 | (c >> 6));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        sortie += static_cast<char>(0xE0 | (c >> 12));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        sortie += static_cast<char>(0xF0 | (c >> 18));
        sortie += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        sortie += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        sortie += static_cast<char>(0x80 | (c & 0x3F));
    }
}

bool estSurrogatHaut(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool estSurrogatBas(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

} // namespace

plateforme::HandleBibliotheque ChargeDLLCampus(const std::string& chemin, TPointsEntreeCampus& points)
{
    points = TPointsEntreeCampus {};
    const bool nomSeul = chemin.find('/') == std::string::npos;
    if (!nomSeul && !plateforme::fichierExiste(chemin))
        throw ErreurBibliothequeCampus("Erreur DLL " + chemin + " inexistante");
    plateforme::HandleBibliotheque handle = plateforme::chargeBibliotheque(chemin);
    if (handle == nullptr)
        throw ErreurBibliothequeCampus("Erreur de Chargement de la DLL \r" + chemin);
#define CAMPUS_RESOUT_APPELE(nom) points.nom = plateforme::procedure<T##nom>(handle, #nom);
#define CAMPUS_RESOUT_NON_APPELE(nom) points.nom = plateforme::procedure<TEntreeCampusNonAppelee>(handle, #nom);
    CAMPUS_ENTREES_APPELEES(CAMPUS_RESOUT_APPELE)
    CAMPUS_ENTREES_NON_APPELEES(CAMPUS_RESOUT_NON_APPELE)
#undef CAMPUS_RESOUT_APPELE
#undef CAMPUS_RESOUT_NON_APPELE
    return handle;
}

int nbPointsEntreeCampus()
{
    int n = 0;
#define CAMPUS_COMPTE(nom) ++n;
    CAMPUS_ENTREES_APPELEES(CAMPUS_COMPTE)
    CAMPUS_ENTREES_NON_APPELEES(CAMPUS_COMPTE)
#undef CAMPUS_COMPTE
    return n;
}

std::string texteCampus(CampusTexte texte)
{
    std::string sortie;
    if (texte == nullptr)
        return sortie;
    for (const char16_t* p = texte; *p != 0; ++p) {
        const char16_t c = *p;
        if (estSurrogatHaut(c) && estSurrogatBas(p[1])) {
            ajouteUtf8(sortie, 0x10000 + ((char32_t(c) - 0xD800) << 10) + (char32_t(p[1]) - 0xDC00));
            ++p;
        } else if (estSurrogatHaut(c) || estSurrogatBas(c)) {
            ajouteUtf8(sortie, 0xFFFD);
        } else {
            ajouteUtf8(sortie, c);
        }
    }
    return sortie;
}

#include "app/OptionsGV.h"

#include "app/ListesTemporelles.h"
#include "app/THoteOptions.h"
#include "export/CheminREGRESSI.h"
#include "model/TCentrale.h"
#include "model/UniteBaseChaines.h"
#include "platform/Systeme.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

namespace gv {

const char* const messageDureeIncorrecte = "Saisie incorrecte de la durée totale par défaut";
const char* const messageDureeMaximale = "Valeur maximale admise: 3600 s";
const char* const messageDureeMinimale = "Valeur minimale admise: 1 µs";
const char* const messageNbPointsIncorrect = "Saisie incorrecte du nombre de points par défaut";

namespace {

// The pre-trigger limits are the durations from the 19th on (1 s for every unit).
constexpr size_t premiereDureeSeuil = 18;
constexpr int indexSeuilDefaut = 2;

long double valeurItem(const std::string& texte)
{
    long double v = 0;
    return valeurDeTexte(texte, v) == valeurLue ? v : 0.0L;
}

// The last item whose value is near `valeur`; -1 when none is.
template <typename Proche>
int dernierProche(const std::vector<std::string>& items, Proche proche)
{
    int trouve = -1;
    for (int i = 0; i < static_cast<int>(items.size()); ++i)
        if (proche(valeurItem(items[size_t(i)])))
            trouve = i;
    return trouve;
}

void positionne(TListeEditable& liste, int index, const std::string& texteSansItem)
{
    liste.index = index;
    liste.texte = index >= 0 ? liste.items[size_t(index)] : texteSansItem;
}

// The error of a duration typed as a default, or nullptr when it is admitted.
const char* erreurDuree(int lecture, long double duree)
{
    if (lecture != valeurLue)
        return messageDureeIncorrecte;
    if (std::fabs(duree) > 3600.001L)
        return messageDureeMaximale;
    if (duree < 9.9999e-7L)
        return messageDureeMinimale;
    return nullptr;
}

bool fichierExiste(const std::string& chemin)
{
    std::error_code erreur;
    return !chemin.empty() && std::filesystem::is_regular_file(chemin, erreur);
}

} // namespace

std::string texteDuree(double duree)
{
    return formatValeur(4, styleIngenieur, duree) + "s";
}

TOptionsGV::TOptionsGV(TReglagesGV& reglages, TCentrale& unite) : reglages_(reglages), unite_(unite) {}

void TOptionsGV::prepareListes()
{
    dureeTotale.items = dureesOffertes(listeDureesTotales(), unite_.idxDureeTotaleMinGV, unite_.idxDureeTotaleMaxGV);
    // The largest number of points for the active inputs, asked without
    // changing the unit's own.
    int64_t maximum = unite_.nbPts0XMax;
    unite_.DetermineNBPt0XMAx(std::max(unite_.nbVoiesSignaux, 1), maximum);
    nbPoints.items = nbPointsOfferts(listeNbPoints(), maximum);
    seuilPretrig.items.clear();
    if (dureeTotale.items.size() > premiereDureeSeuil)
        seuilPretrig.items.assign(dureeTotale.items.begin() + premiereDureeSeuil, dureeTotale.items.end());
    pretrigVisible = unite_.pretrigDispo;
}

void TOptionsGV::FormShow()
{
    prepareListes();
    DureeTotaleDFT0 = reglages_.DureeTotaleDFT;
    NbPtsDFT0 = reglages_.NbPtsDFT;
    tMaxPretrigDispo0 = reglages_.tMaxPretrigDispo;
    effacerTrame = reglages_.optionEffaceTrame;
    transfertREGRESSI = reglages_.optionTransfertREGRESSI;
    transfertEXCEL = reglages_.optionTransfertEXCEL;
    transfertOOo = reglages_.optionTransfertOOo;
    reglages_.cheminOfficielREGRESSI_ = cheminOfficielREGRESSI();
    versionParDefautActive = !reglages_.cheminOfficielREGRESSI_.empty();
    versionParDefaut = reglages_.versionRegressiDefaut;
    cheminVersionREG = versionParDefaut ? std::string() : reglages_.cheminREGRESSINonDefautX;
    couleursRegressi = reglages_.OptionCouleursRegressi == 1;
    enregistrerCouleurs = reglages_.enregistrerCouleurs;
    couleurs = reglages_.clsVX;
    nbVoiesUnite = std::clamp(unite_.nbEAU, 0, 8);
    prepareIndexs();
}

void TOptionsGV::prepareIndexs()
{
    const double duree = reglages_.DureeTotaleDFT;
    positionne(dureeTotale,
               dernierProche(dureeTotale.items, [&](long double v) { return std::fabs(v - duree) < 1e-6 * std::fabs(duree); }),
               texteDuree(duree));
    const int64_t points = reglages_.NbPtsDFT;
    // The text shows the number itself, which a matching item also reads.
    positionne(nbPoints, dernierProche(nbPoints.items, [&](long double v) { return std::fabs(v - points) < 0.1L; }),
               std::to_string(points));
    const long double seuil = reglages_.tMaxPretrigDispo;
    positionne(seuilPretrig,
               dernierProche(seuilPretrig.items, [&](long double v) { return std::fabs(v - seuil) < 0.05L * std::fabs(seuil); }),
               texteDuree(static_cast<double>(seuil)));
}

void TOptionsGV::appliqueDureesGeneriques()
{
    // The displayed number of points is what the default means (it is
    // applied as such at the next new experiment); the acquired one may hold
    // one point more for a threshold trigger.
    double duree = reglages_.DureeTotaleDFT;
    double dt = unite_.dt0X;
    int64_t acquis = reglages_.NbPtsDFT;
    int64_t affiches = reglages_.NbPtsDFT;
    int64_t maximum = unite_.nbPts0XMax;
    int64_t ndt = unite_.ndt;
    unite_.setDureesGeneriques(duree, dt, acquis, affiches, maximum, ndt, unite_.tSkipAcqPerfMax);
    reglages_.DureeTotaleDFT = duree;
    reglages_.NbPtsDFT = affiches;
    prepareIndexs();
}

std::string TOptionsGV::CBDureeTotaledftExit(const std::string& texte)
{
    long double duree = reglages_.DureeTotaleDFT;
    const int lecture = valeurDeTexte(texte, duree);
    if (const char* erreur = erreurDuree(lecture, duree)) {
        dureeTotale.index = -1;
        dureeTotale.texte = texteDuree(reglages_.DureeTotaleDFT);
        return erreur;
    }
    reglages_.DureeTotaleDFT = static_cast<double>(duree);
    appliqueDureesGeneriques();
    return {};
}

std::string TOptionsGV::CBNbPointsdftExit(const std::string& texte)
{
    long double points = static_cast<long double>(reglages_.NbPtsDFT);
    if (valeurDeTexte(texte, points) != valeurLue || !std::isfinite(points))
        return messageNbPointsIncorrect;
    // Rounded to the nearest, halves to even, within what an integer holds.
    reglages_.NbPtsDFT = static_cast<int64_t>(std::nearbyint(std::clamp(points, -1e15L, 1e15L)));
    appliqueDureesGeneriques();
    return {};
}

void TOptionsGV::CBSeuilPretrigExit(const std::string& texte)
{
    long double seuil = reglages_.tMaxPretrigDispo;
    if (valeurDeTexte(texte, seuil) == valeurLue && std::isfinite(seuil))
        reglages_.tMaxPretrigDispo = seuil;
    appliqueDureesGeneriques();
}

void TOptionsGV::BParametresActuelsClick()
{
    reglages_.DureeTotaleDFT = unite_.dureeTotale0X;
    reglages_.NbPtsDFT = unite_.nbPtsAffX;
    prepareIndexs();
}

void TOptionsGV::BAnnulerClick()
{
    reglages_.DureeTotaleDFT = DureeTotaleDFT0;
    reglages_.NbPtsDFT = NbPtsDFT0;
    reglages_.tMaxPretrigDispo = tMaxPretrigDispo0;
}

void TOptionsGV::BReinitialiserCouleursClick()
{
    couleurs = reglages_.clsV0;
}

void TOptionsGV::BtSeuilPretrigDefautClick()
{
    if (static_cast<int>(seuilPretrig.items.size()) <= indexSeuilDefaut)
        return;
    seuilPretrig.index = indexSeuilDefaut;
    seuilPretrig.texte = seuilPretrig.items[indexSeuilDefaut];
    CBSeuilPretrigExit(seuilPretrig.texte);
}

void TOptionsGV::BVersionRegressiClick(const std::string& fichierChoisi)
{
    if (!fichierChoisi.empty()) {
        cheminVersionREG = fichierChoisi;
        versionParDefaut = false;
    }
    if (!fichierExiste(cheminVersionREG)) {
        versionParDefaut = true;
        cheminVersionREG.clear();
    }
}

void TOptionsGV::CBREGDEfautClick(bool coche)
{
    // A version other than the default is chosen with "Changer" only.
    if (coche)
        cheminVersionREG.clear();
    versionParDefaut = true;
}

void TOptionsGV::applique(THoteOptions& hote)
{
    // 1. The default duration as the box shows it, the erasing.
    long double duree = reglages_.DureeTotaleDFT;
    const int lecture = valeurDeTexte(dureeTotale.texte, duree);
    if (!erreurDuree(lecture, duree))
        reglages_.DureeTotaleDFT = static_cast<double>(duree);
    reglages_.optionEffaceTrame = effacerTrame;
    hote.activeNouveau();

    // 2. Transfer options: a choice left unchecked keeps its option.
    auto option = [](int choix, int& valeur) {
        if (choix == kTransfertNouveauFichier || choix == kTransfertNouvellePage || choix == kTransfertDemander)
            valeur = choix;
    };
    option(transfertREGRESSI, reglages_.optionTransfertREGRESSI);
    option(transfertEXCEL, reglages_.optionTransfertEXCEL);
    option(transfertOOo, reglages_.optionTransfertOOo);
    reglages_.OptionCouleursRegressi = couleursRegressi ? 1 : 0;

    // 3. The REGRESSI in use.
    reglages_.versionRegressiDefaut = versionParDefaut;
    std::string regressi;
    if (!versionParDefaut && estExecutableREGRESSI(cheminVersionREG)) {
        reglages_.cheminREGRESSINonDefautX = cheminVersionREG;
        regressi = cheminVersionREG;
    } else {
        regressi = reglages_.cheminOfficielREGRESSI_;
        reglages_.versionRegressiDefaut = true;
    }
    if (majusculesASCII(regressi) != majusculesASCII(reglages_.cheminRegressiUt) &&
        plateforme::processusActif("REGRESSI.EXE"))
        hote.fermeREGRESSI();
    reglages_.cheminRegressiUt = regressi;

    // 4. Colours: a curve drawn in an input's old colour takes its new one.
    reglages_.enregistrerCouleurs = enregistrerCouleurs;
    for (int k = 0; k < hote.nbCourbes(); ++k) {
        const TCouleurGV ancienne = hote.couleurCourbe(k);
        for (int j = 0; j < nbVoiesUnite; ++j)
            if (ancienne == reglages_.clsVX[size_t(j)]) {
                hote.setCouleurCourbe(k, couleurs[size_t(j)]);
                break;
            }
    }
    for (int j = 0; j < nbVoiesUnite; ++j)
        reglages_.clsVX[size_t(j)] = couleurs[size_t(j)];

    // 5. The pre-trigger limit may have changed.
    hote.prepareComposantsDeclenchement();
    hote.redessineLegendesEtEcran();
}

} // namespace gv

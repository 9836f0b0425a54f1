#include "simulators/campus/UniteCampusSim.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

namespace campussim {

namespace {

constexpr char16_t texteVide[] = u"";
constexpr char16_t texteArrete[] = u"%";
constexpr char16_t texteNonConnectee[] = u"Centrale non connectée";
constexpr char16_t texteVoieInexistante[] = u"Voie inexistante";
constexpr char16_t texteCalibreInexistant[] = u"Calibre inexistant";
constexpr char16_t texteSortieInexistante[] = u"Sortie inexistante";
constexpr char16_t texteParametresAbsents[] = u"Paramètres d'acquisition absents";
constexpr char16_t texteAucuneVoie[] = u"Aucune voie sélectionnée";
constexpr char16_t texteCapteurs[] = u"Voies capteurs non disponibles";
constexpr char16_t texteSource[] = u"Source de déclenchement non disponible";
constexpr char16_t texteSens[] = u"Sens de déclenchement inconnu";
constexpr char16_t texteTe[] = u"Intervalle d'échantillonnage incorrect";
constexpr char16_t texteNbPoints[] = u"Nombre de points incorrect";
constexpr char16_t texteSeuil[] = u"Seuil de déclenchement incorrect";
constexpr char16_t texteNonPreparee[] = u"Acquisition non préparée";

// The converter's clock: every interval is a whole number of its periods.
constexpr double periodeConvertisseur = 100e-9;
// The simulated unit's record limit (samples are computed, not stored).
constexpr int32_t nbPointsMax = 100000;

bool entreeValide(int32_t entree)
{
    return entree >= 0 && entree < kNbEntreesCampus;
}

int32_t erreur(CampusTexte* message, CampusTexte texte)
{
    if (message != nullptr)
        *message = texte;
    return -1;
}

} // namespace

void UniteCampusSim::reinitialise()
{
    branchee_ = true;
    externeActif_ = true;
    for (auto& facteurs : facteurGain_)
        std::fill(std::begin(facteurs), std::end(facteurs), 1.0);
    std::fill(std::begin(idxCalibre_), std::end(idxCalibre_), 0);
    std::fill(std::begin(led_), std::end(led_), int32_t{LED_ETEINT});
    miseSousTension_ = Horloge::now();
    debutsFixesNs_ = -1;
    debutDernierRunNs_ = -1;
    preparee_ = false;
    parametres_ = {};
    dernierePreparation_ = {};
    nbPreparations_ = 0;
    acquisition_.arrete();
}

CampusTexte UniteCampusSim::numeroSerie() const
{
    return branchee_ ? campussimNumeroSerie : texteVide;
}

double UniteCampusSim::convertit(int32_t code, int32_t entree) const
{
    if (!branchee_ || !entreeValide(entree))
        return std::numeric_limits<double>::quiet_NaN();
    const LigneCampusSim l = ligne(entree, idxCalibre_[entree]);
    return l.gain * code + l.offset;
}

CampusTexte UniteCampusSim::selectionneCalibre(int32_t entree, int32_t pleineEchelle)
{
    if (!branchee_)
        return texteNonConnectee;
    if (!entreeValide(entree))
        return texteVoieInexistante;
    const auto trouve = std::find(std::begin(kCalibresCampus), std::end(kCalibresCampus), pleineEchelle);
    if (trouve == std::end(kCalibresCampus))
        return texteCalibreInexistant;
    idxCalibre_[entree] = static_cast<int32_t>(trouve - std::begin(kCalibresCampus));
    return texteVide;
}

// An interval that already is a whole number of converter periods comes back
// unchanged (bit for bit), so a caller that rounds its own intervals sees them
// confirmed; the unit samples its inputs simultaneously, so the set of
// sources does not matter.
double UniteCampusSim::calibreTe(double te)
{
    if (!(te > 0.0) || !std::isfinite(te))
        return periodeConvertisseur;
    const double periodes = std::nearbyint(te / periodeConvertisseur);
    if (periodes < 1.0)
        return periodeConvertisseur;
    const double arrondi = periodes * periodeConvertisseur;
    return std::fabs(arrondi - te) <= 1e-9 * te ? te : arrondi;
}

void UniteCampusSim::notePreparation(const int32_t* ordreVoies, const double* te,
                                     const int32_t* nbPoints, int32_t source, int32_t sens,
                                     double seuil, int32_t preTrig, bool permanent)
{
    TPreparationSimCampus& p = dernierePreparation_;
    if (ordreVoies != nullptr)
        std::copy(ordreVoies, ordreVoies + kNbOrdreVoies, p.ordreVoies);
    else
        std::fill(std::begin(p.ordreVoies), std::end(p.ordreVoies), -1);
    p.te = te != nullptr ? *te : 0.0;
    p.nombreDePoints = nbPoints != nullptr ? *nbPoints : 0;
    p.sourceTrigger = source;
    p.sensDeclenchement = sens;
    p.seuil = seuil;
    p.preTrig = preTrig;
    p.modePermanent = permanent ? 1 : 0;
    ++nbPreparations_;
}

// A permanent-mode request acquires one record like any other: the caller
// starts every frame itself.
int32_t UniteCampusSim::prepare(const int32_t* ordreVoies, double* te, int32_t* nbPoints,
                                int32_t source, int32_t sens, double seuil, int32_t preTrig,
                                bool permanent, CampusTexte* message)
{
    notePreparation(ordreVoies, te, nbPoints, source, sens, seuil, preTrig, permanent);
    acquisition_.arrete();
    preparee_ = false;
    if (!branchee_)
        return erreur(message, texteNonConnectee);
    if (ordreVoies == nullptr || te == nullptr || nbPoints == nullptr)
        return erreur(message, texteParametresAbsents);

    ParametresAcquisition p;
    for (int32_t k = 0; k < kNbEntreesCampus; ++k)
        if (ordreVoies[k] == k)
            p.entrees[p.nbEntrees++] = k;
    for (int32_t k = kNbEntreesCampus; k < 2 * kNbEntreesCampus; ++k)
        if (ordreVoies[k] == k)
            return erreur(message, texteCapteurs);
    if (p.nbEntrees == 0)
        return erreur(message, texteAucuneVoie);

    // Enumerations count by their low byte only.
    const int32_t codeSource = source & 0xFF;
    if (codeSource == _SOURCE_AUCUNE) {
        p.declenchement = Declenchement::aucun;
    } else if (codeSource == _SOURCE_EXTERNE) {
        p.declenchement = Declenchement::externe;
    } else if (codeSource >= _SOURCE_EA1 && codeSource <= _SOURCE_EA4) {
        p.declenchement = Declenchement::seuil;
        p.entreeSeuil = codeSource - _SOURCE_EA1;
    } else {
        return erreur(message, texteSource);
    }
    p.sens = sens & 0xFF;
    if (p.sens > _DESCENDANT)
        return erreur(message, texteSens);
    if (!(*te > 0.0) || !std::isfinite(*te))
        return erreur(message, texteTe);
    if (*nbPoints < 1)
        return erreur(message, texteNbPoints);
    if (!std::isfinite(seuil))
        return erreur(message, texteSeuil);

    p.te = calibreTe(*te);
    p.nbPoints = std::min(*nbPoints, nbPointsMax);
    p.seuil = seuil;
    p.preTrig = std::clamp(preTrig, 0, 100);
    *te = p.te;
    *nbPoints = static_cast<int32_t>(p.nbPoints);

    parametres_ = p;
    preparee_ = true;
    if (message != nullptr)
        *message = texteVide;
    return 0;
}

int32_t UniteCampusSim::demarre(CampusTexte* message)
{
    if (!branchee_)
        return erreur(message, texteNonConnectee);
    if (!preparee_)
        return erreur(message, texteNonPreparee);
    LigneCampusSim lignes[kNbEntreesCampus];
    for (int32_t k = 0; k < kNbEntreesCampus; ++k)
        lignes[k] = ligne(k, idxCalibre_[k]);
    debutAcquisition_ = Horloge::now();
    debutDernierRunNs_ = debutsFixesNs_ >= 0
        ? debutsFixesNs_
        : std::chrono::duration_cast<std::chrono::nanoseconds>(debutAcquisition_ - miseSousTension_).count();
    acquisition_.demarre(parametres_, lignes, externeActif_, debutDernierRunNs_);
    if (message != nullptr)
        *message = texteVide;
    return 0;
}

int32_t UniteCampusSim::litDonnees(int32_t nbDemandes, int32_t* destination)
{
    if (!branchee_)
        return 0;
    return acquisition_.lit(nbDemandes, destination, secondesDepuis(debutAcquisition_));
}

// The simulated unit always manages to stop, unplugged or not, so that its
// caller can always leave its run state.
CampusTexte UniteCampusSim::stoppe()
{
    acquisition_.arrete();
    return texteArrete;
}

int32_t UniteCampusSim::litValeur(int32_t entree) const
{
    if (!branchee_ || !entreeValide(entree))
        return -1;
    return campussimCode(campussimTension(entree, secondesDepuis(miseSousTension_)),
                         ligne(entree, idxCalibre_[entree]));
}

int32_t UniteCampusSim::commandeLed(int32_t entree, int32_t etat)
{
    const int32_t couleur = etat & 0xFF;
    if (!branchee_ || !entreeValide(entree) || couleur > LED_MAUVE)
        return -1;
    led_[entree] = couleur;
    return 0;
}

CampusTexte UniteCampusSim::reseteSortie(int32_t sortie) const
{
    if (!branchee_)
        return texteNonConnectee;
    if (sortie != kSortieSA1 && sortie != kSortieSA2)
        return texteSortieInexistante;
    return texteVide; // the simulated outputs never generate anything
}

// The link opens again by itself at the next call, as with the vendor's
// library: closing only ends what runs.
int32_t UniteCampusSim::fermeConnexion()
{
    acquisition_.arrete();
    return 0;
}

void UniteCampusSim::branche(bool branchee)
{
    if (!branchee)
        acquisition_.arrete();
    // Plugged in again: the signals' clock starts anew.
    if (branchee && !branchee_)
        miseSousTension_ = Horloge::now();
    branchee_ = branchee;
}

void UniteCampusSim::multiplieGain(int32_t entree, int32_t idxCalibre, double facteur)
{
    if (entreeValide(entree) && idxCalibre >= 0 && idxCalibre < 4 && facteur > 0.0 && std::isfinite(facteur))
        facteurGain_[entree][idxCalibre] = facteur;
}

int32_t UniteCampusSim::etatLed(int32_t entree) const
{
    return entreeValide(entree) ? led_[entree] : -1;
}

int32_t UniteCampusSim::calibreSelectionne(int32_t entree) const
{
    return entreeValide(entree) ? kCalibresCampus[idxCalibre_[entree]] : -1;
}

int32_t UniteCampusSim::dernierePreparation(TPreparationSimCampus* sortie) const
{
    if (sortie != nullptr && nbPreparations_ > 0)
        *sortie = dernierePreparation_;
    return nbPreparations_;
}

LigneCampusSim UniteCampusSim::ligne(int32_t entree, int32_t idxCalibre) const
{
    LigneCampusSim l = campussimLigne(entree, idxCalibre);
    l.gain *= facteurGain_[entree][idxCalibre];
    return l;
}

double UniteCampusSim::secondesDepuis(Horloge::time_point origine)
{
    return std::chrono::duration<double>(Horloge::now() - origine).count();
}

} // namespace campussim

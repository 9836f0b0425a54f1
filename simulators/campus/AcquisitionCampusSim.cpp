#include "simulators/campus/AcquisitionCampusSim.h"

#include "drivers/campus/InterfaceCampus.h"

#include <algorithm>
#include <cmath>

namespace campussim {

void AcquisitionCampusSim::demarre(const ParametresAcquisition& parametres,
                                   const LigneCampusSim lignes[4], bool externeActif, int64_t debutNs)
{
    parametres_ = parametres;
    debutNs_ = debutNs;
    std::copy(lignes, lignes + 4, lignes_);
    enCours_ = parametres_.nbEntrees > 0 && parametres_.nbPoints > 0 && parametres_.te > 0.0;
    motsLivres_ = 0;
    nbPretrig_ = 0;
    echantillonDeclenchement_ = -1;
    switch (parametres_.declenchement) {
    case Declenchement::aucun:
        echantillonDeclenchement_ = 0;
        break;
    case Declenchement::seuil: {
        nbPretrig_ = std::min<int64_t>(
            static_cast<int64_t>(std::nearbyint(parametres_.preTrig * parametres_.nbPoints / 100.0)),
            parametres_.nbPoints);
        const LigneCampusSim ligne = lignes_[parametres_.entreeSeuil];
        codeSeuil_ = (parametres_.seuil - ligne.offset) / ligne.gain;
        prochainExamine_ = std::max<int64_t>(nbPretrig_, 1);
        break;
    }
    case Declenchement::externe:
        nbPretrig_ = std::min<int64_t>(
            static_cast<int64_t>(std::nearbyint(parametres_.preTrig * parametres_.nbPoints / 100.0)),
            parametres_.nbPoints);
        if (externeActif)
            echantillonDeclenchement_ = echantillonDeclenchementExterne();
        break;
    }
}

int32_t AcquisitionCampusSim::lit(int32_t nbDemandes, int32_t* destination, double ecoule)
{
    if (!enCours_ || nbDemandes <= 0 || destination == nullptr)
        return 0;
    const int64_t acquis = echantillonsAcquis(ecoule);
    if (!estDeclenchee(acquis))
        return 0;

    const int64_t premierEchantillon = echantillonDeclenchement_ - nbPretrig_;
    const int64_t n = parametres_.nbEntrees;
    const int64_t rangsPresents = std::min(parametres_.nbPoints, acquis - premierEchantillon);
    const int64_t nbMots = std::min<int64_t>(nbDemandes, rangsPresents * n - motsLivres_);
    for (int64_t i = 0; i < nbMots; ++i) {
        const int64_t mot = motsLivres_ + i;
        destination[i] = code(parametres_.entrees[mot % n], premierEchantillon + mot / n);
    }
    motsLivres_ += std::max<int64_t>(nbMots, 0);
    if (motsLivres_ >= parametres_.nbPoints * n)
        enCours_ = false;
    return static_cast<int32_t>(std::max<int64_t>(nbMots, 0));
}

// Sample 0 is taken at the start, sample i at i x te.
int64_t AcquisitionCampusSim::echantillonsAcquis(double ecoule) const
{
    if (!(ecoule >= 0.0))
        return 0;
    return static_cast<int64_t>(std::floor(ecoule / parametres_.te)) + 1;
}

bool AcquisitionCampusSim::estDeclenchee(int64_t acquis)
{
    if (echantillonDeclenchement_ >= 0)
        return acquis > echantillonDeclenchement_;
    if (parametres_.declenchement == Declenchement::seuil)
        return chercheFranchissement(acquis);
    return false;
}

// Examines only the samples acquired since the previous call, so waiting for a
// trigger costs one code per sample, whatever the number of calls. One call
// examines a bounded number of them, so that a caller that comes back after a
// long while with a very short interval is not held up: the rest waits for
// the next calls, and the trigger is then simply late.
bool AcquisitionCampusSim::chercheFranchissement(int64_t acquis)
{
    constexpr int64_t examinesParAppel = 2'000'000;
    if (prochainExamine_ >= acquis)
        return false;
    acquis = std::min(acquis, prochainExamine_ + examinesParAppel);
    const int32_t entree = parametres_.entreeSeuil;
    int32_t precedent = code(entree, prochainExamine_ - 1);
    for (int64_t s = prochainExamine_; s < acquis; ++s) {
        const int32_t courant = code(entree, s);
        if (franchit(precedent, courant)) {
            echantillonDeclenchement_ = s;
            return true;
        }
        precedent = courant;
    }
    prochainExamine_ = acquis;
    return false;
}

bool AcquisitionCampusSim::franchit(int32_t avant, int32_t apres) const
{
    const bool montant = avant < codeSeuil_ && apres > codeSeuil_;
    const bool descendant = avant > codeSeuil_ && apres < codeSeuil_;
    switch (parametres_.sens) {
    case _MONTANT:
        return montant;
    case _DESCENDANT:
        return descendant;
    default:
        return montant || descendant;
    }
}

// The first sample at or after an edge of the external input, among the edges
// that come once the pre-trigger rows exist. The edges come on the signals'
// clock.
int64_t AcquisitionCampusSim::echantillonDeclenchementExterne() const
{
    const double periode = campussimPeriodeDeclenchementExterne;
    const double te = parametres_.te;
    const double debut = campussimInstant(debutNs_, 0, te);
    int64_t front = std::max<int64_t>(1, static_cast<int64_t>(std::floor((debut + nbPretrig_ * te) / periode)));
    for (;; ++front) {
        const double position = (front * periode - debut) / te;
        const auto echantillon =
            static_cast<int64_t>(std::ceil(position - 1e-9 * std::max(1.0, position)));
        if (echantillon >= nbPretrig_)
            return echantillon;
    }
}

int32_t AcquisitionCampusSim::code(int32_t entree, int64_t echantillon) const
{
    const double t = campussimInstant(debutNs_, echantillon, parametres_.te);
    return campussimCode(campussimTension(entree, t), lignes_[entree]);
}

} // namespace campussim

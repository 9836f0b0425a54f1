#include "simulators/sp5/UniteSP5Sim.h"

#include "simulators/sp5/ConvertisseurSP5Sim.h"
#include "simulators/sp5/SignauxSP5Sim.h"
#include "simulators/sp5/SimSP5.h"

#include <algorithm>
#include <cmath>
#include <sstream>

namespace sp5sim {

namespace {

// Samples examined for a threshold crossing in one FIFO read: bounds the work
// of a read that comes after a long silence at a high sampling rate (the
// search then goes on at the next reads).
constexpr int64_t kExamenMaxParLecture = int64_t { 1 } << 22;

constexpr double kTicksParSeconde = double(sp5::kTicksParSeconde);

bool estEnLectureSeule(int adresse)
{
    return (adresse >= sp5::kCapteurs && adresse < sp5::kCapteurs + 4)
        || (adresse >= sp5::kDerniereMesure && adresse < sp5::kDerniereMesure + 16)
        || (adresse >= sp5::kDonneePreTrig && adresse < sp5::kDelaiTrigExterne + 4);
}

const char* nomForme(FormeSignal forme)
{
    switch (forme) {
    case FormeSignal::Sinus: return "sinus";
    case FormeSignal::Carre: return "carré";
    case FormeSignal::Triangle: return "triangle";
    case FormeSignal::DentDeScie: return "dent de scie";
    case FormeSignal::Continu: return "continu bruité";
    }
    return "";
}

} // namespace

UniteSP5Sim::UniteSP5Sim()
{
    reinitialise();
}

void UniteSP5Sim::reinitialise()
{
    registres_.fill(0);
    branchee_ = true;
    tailleBloc_ = kTailleBlocSP5;
    mesuresDirectes_.fill(0);
    perdRun();
    origine_ = Horloge::now();
    debutsFixes_ = -1;
    debutRun_ = -1;
}

void UniteSP5Sim::branche(bool branchee)
{
    if (!branchee && branchee_)
        perdRun();
    // Plugged in again: the signals' clock starts anew.
    if (branchee && !branchee_)
        origine_ = Horloge::now();
    branchee_ = branchee;
}

void UniteSP5Sim::reset()
{
    if (!branchee_)
        return;
    perdRun();
}

void UniteSP5Sim::perdRun()
{
    etat_ = EtatRun::Aucun;
    arret_.reset();
    motsLus_ = 0;
    registres_[sp5::kControle] = 0;
    effaceResultatsDeclenchement();
}

void UniteSP5Sim::effaceResultatsDeclenchement()
{
    for (int a = sp5::kDonneePreTrig; a < sp5::kDelaiTrigExterne + 4; ++a)
        registres_[static_cast<std::size_t>(a)] = 0;
}

// ---- Clock --------------------------------------------------------------

namespace {
int64_t ticksEntre(Horloge::time_point debut, Horloge::time_point fin)
{
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(fin - debut).count();
    return std::max<int64_t>(ns / 100, 0);
}
} // namespace

int64_t UniteSP5Sim::ticksHorloge() const
{
    return ticksEntre(origine_, Horloge::now());
}

int64_t UniteSP5Sim::ticksEcoules() const
{
    return ticksEntre(demarrage_, arret_.value_or(Horloge::now()));
}

double UniteSP5Sim::instantEchantillon(int64_t m) const
{
    return sp5simInstantEchantillon(debutRun_, m, run_.ticksIntervalle - 1);
}

int64_t UniteSP5Sim::echantillonsPris() const
{
    return ticksEcoules() / static_cast<int64_t>(run_.ticksIntervalle) + 1;
}

// ---- Registers ----------------------------------------------------------

uint8_t UniteSP5Sim::lireRegistre(int adresse)
{
    if (!branchee_ || adresse < 0 || adresse >= sp5::kNbRegistres)
        return 0;
    if (adresse >= sp5::kDerniereMesure && adresse < sp5::kDerniereMesure + 16) {
        const int rang = adresse - sp5::kDerniereMesure;
        const uint16_t mot = motMesureDirecte(rang / 2);
        return static_cast<uint8_t>(rang % 2 == 0 ? mot & 0xFF : mot >> 8);
    }
    return registres_[static_cast<std::size_t>(adresse)];
}

void UniteSP5Sim::ecrireRegistre(int adresse, uint8_t valeur)
{
    if (!branchee_ || adresse < 0 || adresse >= sp5::kNbRegistres || estEnLectureSeule(adresse))
        return;
    if (adresse == sp5::kControle) {
        ecritControle(valeur);
        return;
    }
    registres_[static_cast<std::size_t>(adresse)] = valeur;
}

void UniteSP5Sim::ecritMot(int adresse, uint16_t mot)
{
    registres_[static_cast<std::size_t>(adresse)] = static_cast<uint8_t>(mot & 0xFF);
    registres_[static_cast<std::size_t>(adresse + 1)] = static_cast<uint8_t>(mot >> 8);
}

void UniteSP5Sim::ecritControle(uint8_t valeur)
{
    const uint8_t avant = registres_[sp5::kControle];
    registres_[sp5::kControle] = valeur;
    const bool marcheDemandee = (valeur & sp5::kBitMarche) && !(avant & sp5::kBitMarche);
    const bool marcheCoupee = !(valeur & sp5::kBitMarche) && (avant & sp5::kBitMarche);

    // A direct measurement converts every input once, when it is asked for
    // and again when it is started; the registers then hold that conversion
    // so that the two bytes of a reading always belong together.
    if ((valeur & sp5::kBitMesureDirecte) && (!(avant & sp5::kBitMesureDirecte) || marcheDemandee))
        memoriseMesuresDirectes();

    if (marcheDemandee && !(valeur & sp5::kBitMesureDirecte))
        demarreRun();
    else if (marcheCoupee)
        arreteRun();
}

void UniteSP5Sim::memoriseMesuresDirectes()
{
    const Entrees entrees = litEntrees(registres_);
    const double t = static_cast<double>(ticksHorloge()) / kTicksParSeconde;
    for (int entree = 0; entree < sp5::kNbEntrees; ++entree)
        mesuresDirectes_[static_cast<std::size_t>(entree)] = static_cast<uint16_t>(codeEntree(entrees, entree, t) << 4);
}

uint16_t UniteSP5Sim::motMesureDirecte(int entree) const
{
    if (registres_[sp5::kControle] & sp5::kBitMesureDirecte)
        return mesuresDirectes_[static_cast<std::size_t>(entree)];
    // Outside a direct measurement: the last sample of a running record, or
    // the input as it is now.
    if (etat_ != EtatRun::Aucun && !arret_) {
        const int64_t dernier = echantillonsPris() - 1;
        return static_cast<uint16_t>(codeEntree(run_.entrees, entree, instantEchantillon(dernier)) << 4);
    }
    const double t = static_cast<double>(ticksHorloge()) / kTicksParSeconde;
    return static_cast<uint16_t>(codeEntree(litEntrees(registres_), entree, t) << 4);
}

// ---- Run ----------------------------------------------------------------

void UniteSP5Sim::demarreRun()
{
    demarrage_ = Horloge::now();
    debutRun_ = debutsFixes_ >= 0 ? debutsFixes_ : ticksEntre(origine_, demarrage_);
    arret_.reset();
    run_ = litProgrammation(registres_);
    motsLus_ = 0;
    premierEchantillon_ = 0;
    prochainExamen_ = 0;
    codePrecedent_ = -1;
    arme_ = false;
    effaceResultatsDeclenchement();
    switch (run_.mode) {
    case ModeDeclenchement::Immediat:
        etat_ = EtatRun::Enregistrement;
        break;
    case ModeDeclenchement::Seuil:
        etat_ = EtatRun::AttenteDeclenchement;
        break;
    case ModeDeclenchement::Externe:
        etat_ = EtatRun::AttenteDeclenchement;
        prepareFrontExterne();
        break;
    }
}

void UniteSP5Sim::arreteRun()
{
    if (etat_ != EtatRun::Aucun && !arret_)
        arret_ = Horloge::now();
}

void UniteSP5Sim::declenche(int64_t dernierAvant)
{
    etat_ = EtatRun::Enregistrement;
    premierEchantillon_ = dernierAvant - run_.nbPretrig;
}

void UniteSP5Sim::chercheDeclenchement(int64_t pris)
{
    if (run_.mode == ModeDeclenchement::Seuil)
        chercheSeuil(pris);
    else if (run_.mode == ModeDeclenchement::Externe)
        chercheFrontExterne();
}

void UniteSP5Sim::chercheSeuil(int64_t pris)
{
    const int seuil = run_.seuil;
    const int h = run_.hysteresis;
    const bool montant = run_.montant;
    const int64_t fin = std::min(pris, prochainExamen_ + kExamenMaxParLecture);
    for (int64_t m = prochainExamen_; m < fin; ++m) {
        const int code = codeEntree(run_.entrees, run_.voieSynchro, instantEchantillon(m));
        if (codePrecedent_ >= 0) {
            const bool franchi = montant ? (codePrecedent_ < seuil && code >= seuil)
                                         : (codePrecedent_ > seuil && code <= seuil);
            if (franchi) {
                // Counts only once the signal has been beyond the threshold
                // by the hysteresis, and once the pre-trigger points are in.
                if (arme_ && m - 1 >= run_.nbPretrig) {
                    ecritMot(sp5::kDonneePreTrig, static_cast<uint16_t>(codePrecedent_ << 4));
                    ecritMot(sp5::kDonneePostTrig, static_cast<uint16_t>(code << 4));
                    prochainExamen_ = m + 1;
                    declenche(m - 1);
                    return;
                }
                arme_ = false;
            }
        }
        if (montant ? code <= seuil - h : code >= seuil + h)
            arme_ = true;
        codePrecedent_ = code;
    }
    prochainExamen_ = fin;
}

void UniteSP5Sim::prepareFrontExterne()
{
    // The first edge of the chosen direction after which the unit already
    // holds its pre-trigger points. The edges come on the signals' clock;
    // ticksFront_ counts from the run's first sample.
    const double ticksIntervalle = static_cast<double>(run_.ticksIntervalle);
    const double debut = static_cast<double>(debutRun_);
    const double arme = (debut + static_cast<double>(run_.nbPretrig) * ticksIntervalle) / kTicksParSeconde;
    const double decalage = run_.montant ? 0.25 : 0.75;
    int64_t n = std::max<int64_t>(0, static_cast<int64_t>(std::ceil(arme * kFrequenceDeclExterne - decalage)) - 1);
    for (;; ++n) {
        ticksFront_ = sp5simFrontDeclExterne(n, run_.montant) * kTicksParSeconde - debut;
        if (ticksFront_ < 0.0)
            continue;
        dernierAvantFront_ = static_cast<int64_t>(std::floor(ticksFront_ / ticksIntervalle));
        if (dernierAvantFront_ >= run_.nbPretrig)
            break;
    }
}

void UniteSP5Sim::chercheFrontExterne()
{
    if (ticksFront_ > static_cast<double>(ticksEcoules()))
        return;
    const double ecart = ticksFront_ - static_cast<double>(dernierAvantFront_) * static_cast<double>(run_.ticksIntervalle);
    const double compte = std::round(ecart / kTicksParSeconde * sp5::kHorlogeDelaiTrigExterne);
    const uint32_t delai = compte <= 0.0 ? 0u : compte >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(compte);
    for (int i = 0; i < 4; ++i)
        registres_[static_cast<std::size_t>(sp5::kDelaiTrigExterne + i)] = static_cast<uint8_t>(delai >> (8 * i));
    declenche(dernierAvantFront_);
}

int64_t UniteSP5Sim::tramesDisponibles(int64_t pris) const
{
    const int64_t trames = std::max<int64_t>(pris - premierEchantillon_, 0);
    return run_.continu ? trames : std::min(trames, run_.nbPoints);
}

bool UniteSP5Sim::enregistrementTermine(int64_t trames) const
{
    return arret_.has_value() || (!run_.continu && trames >= run_.nbPoints);
}

// ---- FIFO ---------------------------------------------------------------

int32_t UniteSP5Sim::lireFifo(uint16_t* bloc)
{
    if (!branchee_ || etat_ == EtatRun::Aucun || bloc == nullptr)
        return 0;
    const int64_t pris = echantillonsPris();
    if (etat_ == EtatRun::AttenteDeclenchement) {
        chercheDeclenchement(pris);
        if (etat_ != EtatRun::Enregistrement)
            return 0;
    }
    if (run_.nbSignaux == 0)
        return 0;
    const int64_t trames = tramesDisponibles(pris);
    const int64_t enAttente = trames * run_.nbSignaux - motsLus_;
    if (enAttente <= 0)
        return 0;
    // The unit sends whole blocks; the last, shorter one once the record is over.
    if (enAttente < tailleBloc_ && !enregistrementTermine(trames))
        return 0;
    const int n = static_cast<int>(std::min<int64_t>(enAttente, tailleBloc_));
    produitMots(bloc, n);
    return n;
}

void UniteSP5Sim::produitMots(uint16_t* bloc, int n)
{
    const int nbSignaux = run_.nbSignaux;
    int64_t trame = motsLus_ / nbSignaux;
    int position = static_cast<int>(motsLus_ % nbSignaux);
    double t = instantEchantillon(premierEchantillon_ + trame);
    for (int i = 0; i < n; ++i) {
        const int entree = run_.ordre[static_cast<std::size_t>(position)];
        bloc[i] = static_cast<uint16_t>(codeEntree(run_.entrees, entree, t) << 4);
        if (++position == nbSignaux) {
            position = 0;
            ++trame;
            t = instantEchantillon(premierEchantillon_ + trame);
        }
    }
    motsLus_ += n;
}

void UniteSP5Sim::viderFifo()
{
    if (!branchee_ || etat_ != EtatRun::Enregistrement || run_.nbSignaux == 0)
        return;
    motsLus_ = std::max(motsLus_, tramesDisponibles(echantillonsPris()) * run_.nbSignaux);
}

int32_t UniteSP5Sim::tailleTransfertFifo(int32_t taille)
{
    tailleBloc_ = std::clamp(taille, 1, kTailleBlocSP5);
    return tailleBloc_;
}

void UniteSP5Sim::fixeDebutRuns(int64_t ticks)
{
    debutsFixes_ = ticks < 0 ? -1 : ticks;
}

std::string UniteSP5Sim::infos() const
{
    std::ostringstream s;
    s << "Simulateur de centrale SYSAM SP5 (SP5SIM.DLL)\n"
      << "Numéro de série : SPSIMUL\n"
      << "Centrale " << (branchee_ ? "branchée" : "débranchée") << "\n"
      << "Signaux des entrées :\n";
    for (int entree = 0; entree < sp5::kNbEntrees; ++entree) {
        const SignalEntree& sig = kSignaux[entree];
        s << "  EA" << entree << " : " << nomForme(sig.forme);
        if (sig.forme == FormeSignal::Continu)
            s << " " << sig.decalage << " V";
        else
            s << ", amplitude " << sig.amplitude << " V, " << sig.frequence << " Hz";
        if (sig.forme != FormeSignal::Continu && sig.decalage != 0.0)
            s << ", valeur moyenne " << sig.decalage << " V";
        s << "\n";
    }
    s << "Déclenchement externe : créneau de " << kFrequenceDeclExterne << " Hz\n";
    return s.str();
}

} // namespace sp5sim

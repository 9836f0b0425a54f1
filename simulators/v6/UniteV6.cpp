#include "simulators/v6/UniteV6.h"

#include "simulators/v6/CalibrageV6Sim.h"
#include "simulators/v6/SignauxV6Sim.h"

#include <algorithm>
#include <optional>

namespace {

constexpr uint8_t ESC = 27;
// A command left unfinished this long is forgotten, so that a host which gave
// up on a lost echo finds the unit ready for its next command.
constexpr int64_t abandonCommandeNs = 200'000'000;
constexpr const char* texteAccepte = "OK";
constexpr const char* texteDeclenchement = "DECL";
constexpr int aucuneEntree = -1;

std::optional<unsigned> chiffreHexa(char c)
{
    if (c >= '0' && c <= '9')
        return static_cast<unsigned>(c - '0');
    if (c >= 'A' && c <= 'F')
        return static_cast<unsigned>(c - 'A' + 10);
    return std::nullopt;
}

// Upper-case hexadecimal digits texte[debut .. debut + nombre).
std::optional<unsigned> valeurHexa(const std::string& texte, size_t debut, size_t nombre)
{
    unsigned valeur = 0;
    for (size_t i = debut; i < debut + nombre; ++i) {
        const auto chiffre = chiffreHexa(texte[i]);
        if (!chiffre)
            return std::nullopt;
        valeur = valeur * 16 + *chiffre;
    }
    return valeur;
}

// Physical input digit 0, 2 or 4 to its slot 0..2; the other inputs have no
// slot on this unit.
int entreeDuChiffrePhysique(unsigned chiffre)
{
    return chiffre <= 4 && chiffre % 2 == 0 ? static_cast<int>(chiffre / 2) : aucuneEntree;
}

std::string hexa3(unsigned valeur)
{
    static constexpr char chiffres[] = "0123456789ABCDEF";
    return {chiffres[(valeur >> 8) & 0xF], chiffres[(valeur >> 4) & 0xF], chiffres[valeur & 0xF]};
}

} // namespace

const UniteV6::Commande UniteV6::commandes_[] = {
    {'I', 1, &UniteV6::initialise},
    {'2', 1, &UniteV6::envoieNumeroSerie},
    {'0', 1, &UniteV6::envoieCalibration},
    {'V', 11, &UniteV6::regleEntrees},
    {'P', 5, &UniteV6::reglePeriode},
    {'N', 5, &UniteV6::regleNbLignes},
    {'E', 8, &UniteV6::regleDeclenchement},
    {'O', 5, &UniteV6::reglePretrig},
    {'A', 2, &UniteV6::mesureDirecte},
    {'F', 1, &UniteV6::demarreRapide},
    {'G', 1, &UniteV6::demarreLent},
};

UniteV6::UniteV6(FileSortieV6& sortie)
    : sortie_(sortie)
{
    commande_.reserve(16);
}

void UniteV6::metSousTension(int64_t maintenantNs)
{
    etat_ = Etat::Repos;
    reglages_ = Reglages{};
    run_ = Run{};
    origineHorlogeNs_ = maintenantNs;
    debutDernierRunNs_ = -1;
    commande_.clear();
    commandeEnCours_ = nullptr;
    dernierOctetNs_ = maintenantNs;
}

void UniteV6::recoit(uint8_t octet, int64_t maintenantNs, bool avecEcho)
{
    // What the unit sent before this byte arrived comes first.
    avance(maintenantNs);
    if (avecEcho)
        sortie_.ajouteOctet(octet);
    if (etat_ != Etat::Repos) {
        traiteOctetPendantRun(octet, maintenantNs);
        return;
    }
    if (octet == ESC) {
        commande_.clear();
        return;
    }
    if (!commande_.empty() && maintenantNs - dernierOctetNs_ > abandonCommandeNs)
        commande_.clear();
    dernierOctetNs_ = maintenantNs;
    if (commande_.empty()) {
        commandeEnCours_ = nullptr;
        for (const Commande& commande : commandes_)
            if (commande.lettre == static_cast<char>(octet))
                commandeEnCours_ = &commande;
        if (commandeEnCours_ == nullptr)
            return; // not a command: echoed and ignored
    }
    commande_ += static_cast<char>(octet);
    if (commande_.size() == commandeEnCours_->longueur) {
        const Commande* commande = commandeEnCours_;
        (this->*commande->executeur)(commande_, maintenantNs);
        commande_.clear();
    }
}

// During a run the unit only listens for ESC, and in fast mode for "D" once it
// has reported the trigger; every other byte is echoed and ignored.
void UniteV6::traiteOctetPendantRun(uint8_t octet, int64_t maintenantNs)
{
    if (octet == ESC) {
        etat_ = Etat::Repos;
        return;
    }
    if (octet == 'D' && etat_ == Etat::AttenteTransfert) {
        sortie_.ajouteOctet(':');
        etat_ = Etat::Transfert;
        emetLignes(maintenantNs);
    }
}

void UniteV6::repond(const std::string& texte)
{
    sortie_.ajouteOctets(":" + texte + "@\n\r");
}

void UniteV6::initialise(const std::string&, int64_t)
{
    reglages_ = Reglages{};
    repond(texteAccepte);
}

void UniteV6::envoieNumeroSerie(const std::string&, int64_t)
{
    repond(v6simNumeroSerie);
}

void UniteV6::envoieCalibration(const std::string&, int64_t)
{
    const auto bloc = blocCalibrageV6Sim();
    sortie_.ajouteOctet(':');
    sortie_.ajouteOctets(std::string(bloc.begin(), bloc.end()));
    sortie_.ajouteOctets("@\n\r");
}

// "V" then five fields "0h": h is the physical input of the 1st to 4th word of
// a row (F: none); the fifth field is not used by this unit.
void UniteV6::regleEntrees(const std::string& texte, int64_t)
{
    Reglages nouveaux = reglages_;
    nouveaux.nbEntrees = 0;
    for (int champ = 0; champ < 5; ++champ) {
        const size_t position = 1 + 2 * static_cast<size_t>(champ);
        const auto chiffre = chiffreHexa(texte[position + 1]);
        if (texte[position] != '0' || !chiffre) {
            repond("");
            return;
        }
        if (champ == 4 || *chiffre == 0xF)
            continue;
        const int entree = entreeDuChiffrePhysique(*chiffre);
        const auto fin = nouveaux.entrees.begin() + nouveaux.nbEntrees;
        if (entree == aucuneEntree || std::find(nouveaux.entrees.begin(), fin, entree) != fin) {
            repond("");
            return;
        }
        nouveaux.entrees[nouveaux.nbEntrees++] = static_cast<int8_t>(entree);
    }
    reglages_ = nouveaux;
    repond(texteAccepte);
}

void UniteV6::reglePeriode(const std::string& texte, int64_t)
{
    const auto valeur = valeurHexa(texte, 1, 4);
    if (!valeur) {
        repond("");
        return;
    }
    reglages_.periode = static_cast<uint16_t>(*valeur);
    repond(texteAccepte);
}

void UniteV6::regleNbLignes(const std::string& texte, int64_t)
{
    const auto valeur = valeurHexa(texte, 1, 4);
    if (!valeur || *valeur == 0) {
        repond("");
        return;
    }
    reglages_.nbLignes = static_cast<uint16_t>(*valeur);
    repond(texteAccepte);
}

// "E" m x y s s s d: m the mode (0 none, 1 external, 2 rising threshold, 3
// falling threshold), x and y hexadecimal digits the unit does not use, sss the
// threshold code, d the physical input watched.
void UniteV6::regleDeclenchement(const std::string& texte, int64_t)
{
    static constexpr ModeDeclenchement modes[] = {ModeDeclenchement::Aucun, ModeDeclenchement::Externe,
                                                  ModeDeclenchement::SeuilMontant,
                                                  ModeDeclenchement::SeuilDescendant};
    const auto mode = chiffreHexa(texte[1]);
    const auto reserve = valeurHexa(texte, 2, 2);
    const auto seuil = valeurHexa(texte, 4, 3);
    const auto chiffreEntree = chiffreHexa(texte[7]);
    if (!mode || *mode > 3 || !reserve || !seuil || !chiffreEntree || *chiffreEntree > 7) {
        repond("");
        return;
    }
    const ModeDeclenchement modeDecl = modes[*mode];
    const int entree = entreeDuChiffrePhysique(*chiffreEntree);
    const bool surSeuil = modeDecl == ModeDeclenchement::SeuilMontant || modeDecl == ModeDeclenchement::SeuilDescendant;
    if (surSeuil && entree == aucuneEntree) {
        repond("");
        return;
    }
    reglages_.modeDecl = modeDecl;
    reglages_.seuil = static_cast<uint16_t>(*seuil);
    reglages_.entreeDecl = std::max(entree, 0);
    repond(texteAccepte);
}

void UniteV6::reglePretrig(const std::string& texte, int64_t)
{
    const auto valeur = valeurHexa(texte, 1, 4);
    if (!valeur) {
        repond("");
        return;
    }
    reglages_.pretrig = static_cast<uint16_t>(*valeur);
    repond(texteAccepte);
}

void UniteV6::mesureDirecte(const std::string& texte, int64_t maintenantNs)
{
    const auto chiffre = chiffreHexa(texte[1]);
    const int entree = chiffre ? entreeDuChiffrePhysique(*chiffre) : aucuneEntree;
    if (entree == aucuneEntree) {
        repond("");
        return;
    }
    const double t = static_cast<double>(maintenantNs - origineHorlogeNs_) * 1e-9;
    repond(hexa3(v6simCode(entree, t)));
}

void UniteV6::demarreRapide(const std::string&, int64_t maintenantNs)
{
    demarre(true, maintenantNs);
}

void UniteV6::demarreLent(const std::string&, int64_t maintenantNs)
{
    demarre(false, maintenantNs);
}

void UniteV6::demarre(bool rapide, int64_t maintenantNs)
{
    const Reglages& r = reglages_;
    run_ = Run{};
    run_.debutNs = maintenantNs;
    run_.flux.debutNs = debutsFixesNs_ >= 0 ? debutsFixesNs_ : maintenantNs - origineHorlogeNs_;
    debutDernierRunNs_ = run_.flux.debutNs;
    run_.rapide = rapide;
    run_.dtNs = rapide ? v6simDtRapideNs(r.periode, r.nbEntrees) : v6simDtLentNs(r.periode);
    run_.flux.numeroRun = ++numeroRun_;
    run_.flux.dtNs = run_.dtNs;
    run_.flux.nbEntrees = r.nbEntrees;
    run_.flux.entrees = r.entrees;
    run_.nbLignes = r.nbLignes;
    run_.pretrig = r.pretrig;

    // The trigger is looked for once the pre-trigger rows exist.
    const int64_t premierPossible = std::max<int64_t>(r.pretrig, 1);
    switch (r.modeDecl) {
    case ModeDeclenchement::Aucun:
        run_.echantillonDecl = r.pretrig;
        break;
    case ModeDeclenchement::Externe: {
        // The source's edges come on the signals' clock.
        const int64_t arme = run_.flux.debutNs + (premierPossible - 1) * run_.dtNs;
        const int64_t front = (arme / v6simPeriodeDeclExterneNs + 1) * v6simPeriodeDeclExterneNs - run_.flux.debutNs;
        run_.echantillonDecl = (front + run_.dtNs - 1) / run_.dtNs;
        break;
    }
    case ModeDeclenchement::SeuilMontant:
    case ModeDeclenchement::SeuilDescendant:
        run_.prochainATester = premierPossible;
        run_.codePrecedent = v6simCode(r.entreeDecl, v6simInstant(run_.flux.debutNs, premierPossible - 1, run_.dtNs));
        break;
    }
    etat_ = Etat::AttenteDeclenchement;
    avance(maintenantNs);
}

int64_t UniteV6::echantillonCourant(int64_t maintenantNs) const
{
    return (maintenantNs - run_.debutNs) / run_.dtNs;
}

bool UniteV6::declenchementAtteint(int64_t maintenantNs)
{
    const int64_t dernier = echantillonCourant(maintenantNs);
    if (run_.echantillonDecl < 0) {
        const bool montant = reglages_.modeDecl == ModeDeclenchement::SeuilMontant;
        const int seuil = reglages_.seuil;
        for (int64_t k = run_.prochainATester; k <= dernier; ++k) {
            const int code = v6simCode(reglages_.entreeDecl, v6simInstant(run_.flux.debutNs, k, run_.dtNs));
            const int avant = run_.codePrecedent;
            const bool franchi = montant ? avant < seuil && seuil <= code : avant > seuil && seuil >= code;
            run_.codePrecedent = static_cast<uint16_t>(code);
            if (franchi) {
                run_.echantillonDecl = k;
                break;
            }
        }
        run_.prochainATester = std::max(run_.prochainATester, dernier + 1);
        if (run_.echantillonDecl < 0)
            return false;
    }
    return dernier >= run_.echantillonDecl;
}

void UniteV6::avance(int64_t maintenantNs)
{
    if (etat_ == Etat::AttenteDeclenchement) {
        if (!declenchementAtteint(maintenantNs))
            return;
        run_.flux.premierEchantillon = run_.echantillonDecl - run_.pretrig;
        repond(texteDeclenchement);
        if (run_.rapide) {
            etat_ = Etat::AttenteTransfert;
            return;
        }
        sortie_.ajouteOctet(':');
        etat_ = Etat::Transfert;
    }
    if (etat_ == Etat::Transfert)
        emetLignes(maintenantNs);
}

void UniteV6::emetLignes(int64_t maintenantNs)
{
    const int64_t acquises = echantillonCourant(maintenantNs) - run_.flux.premierEchantillon + 1;
    const int64_t lignes = std::clamp<int64_t>(acquises, 0, run_.nbLignes);
    const uint64_t octets = static_cast<uint64_t>(lignes) * static_cast<uint64_t>(run_.flux.octetsParLigne());
    if (octets > run_.octetsEmis) {
        sortie_.ajouteFlux(run_.flux, run_.octetsEmis, octets);
        run_.octetsEmis = octets;
    }
    if (lignes == run_.nbLignes)
        etat_ = Etat::Repos;
}

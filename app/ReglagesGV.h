#pragma once
// The preferences kept from one run to the next, under "Software\Galvora"
// of the current user: the registry on Windows, ~/.config/Galvora.conf
// (XDG_CONFIG_HOME) on Linux. They are read when the main window is created
// and written when it is destroyed.
#include <QString>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

class QSettings;

namespace gv {

// A colour value: red + 256 × green + 65536 × blue, with a high byte that
// only the default colours carry.
using TCouleurGV = uint32_t;
using TCouleursVoies = std::array<TCouleurGV, 8>;

struct TReglagesGV {
    int typeDERNCentraleUtilisee = 0;
    int nbUtilisations = 0;
    double DureeTotaleDFT = 0.02;
    int64_t NbPtsDFT = 1001;
    long double tMaxPretrigDispo = 5.0L;
    bool versionRegressiDefaut = true;
    std::string cheminREGRESSINonDefautX;
    int optionTransfertREGRESSI = 0;
    int optionTransfertEXCEL = 0;
    int optionTransfertOOo = 0;
    int OptionCouleursRegressi = 1;
    TCouleursVoies clsV0 {};
    TCouleursVoies clsVX {};
    // Not kept themselves: false at every start.
    bool enregistrerCouleurs = false;
    bool optionEffaceTrame = false; // permanent mode: wipe the previous frame at once
    // Found at start-up and changed by the options, not kept themselves: the
    // standard REGRESSI (when the file exists) and the REGRESSI in use.
    std::string cheminOfficielREGRESSI_;
    std::string cheminRegressiUt;
};

// The default curve colours of the eight inputs (two of them darkened by
// 30 %, without the high byte).
TCouleursVoies couleursDefaut();

// The settings store of the program ("Galvora", current user).
QSettings* ouvreReglagesGV();

// Reads the values of `stockage` into `reglages`, with the defaults of a
// missing key or of a missing value. Colours start from the defaults.
void litReglages(QSettings& stockage, TReglagesGV& reglages);

// Writes the values kept at exit: the current colours only when
// `enregistrerCouleurs`, otherwise the defaults. False, with the reason in
// `erreur`, when they could not be written (the previous settings stay).
bool ecritReglages(QSettings& stockage, const TReglagesGV& reglages, QString* erreur = nullptr);

// Names of the unit types 1..5, to read "Interface utilisée".
extern const char* const nomsTypesCentrales[5];

// The temporary files that transfers left behind, each "path||date": a file
// still carrying its recorded date is deleted; one that cannot be deleted
// is returned (to be remembered); one whose date changed (saved again by the
// user) is left alone and forgotten.
std::vector<std::string> supprimeFichiersTemporaires(const std::vector<std::string>& aSupprimer);

// Writes the remembered entries into `fichierTemporairesGV` (one line each,
// CR LF), or deletes that file when there are none. The file is replaced
// only once written whole; false, with the reason in `erreur`, otherwise.
bool ecritFichierTemporairesGV(const std::string& fichierTemporairesGV, const std::vector<std::string>& aMemoriser,
                               QString* erreur = nullptr);

// What the user is told when a file of the program could not be written.
QString messageEcritureImpossible(const QString& chemin, const QString& erreur);

// The entry to add to the list for a file just written ("path||date").
std::string entreeFichierTemporaire(const std::string& chemin);

} // namespace gv

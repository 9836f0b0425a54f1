// The toolbar command: which document, the file written or extended, and
// REGRESSI started on it.
#include "export/TransfertRegressi.h"

#include "export/FichierTexteWindows.h"
#include "export/TexteTransfertREG.h"
#include "platform/Processus.h"
#include "platform/ProgrammesWindows.h"
#include "platform/Systeme.h"

#include <QFileInfo>

namespace {

const char* const kPasDeValeurs =
    "Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs verts ! \n\r"
    "Le transfert est donc inutile. ";
const char* const kRegressiIntrouvable =
    "Le programme REGRESSI n'a pas été trouvé. \n\rImpossible de passer directement à REGRESSI. \n\r"
    "Installez ou réinstallez REGRESSI";
const char* const kFiltreRegressi = "'Regressi.exe'|Regressi.exe";
const char* const kTitreRechercheRegressi = "Recherche du programme REGRESSI";

QString q(const std::string& texte)
{
    return QString::fromStdString(texte);
}

// The hourglass from the moment the work starts to every way out.
class TAttente {
public:
    explicit TAttente(TInterfaceTransfertREG& ui) : ui_(ui) { ui_.curseurAttente(true); }
    ~TAttente() { ui_.curseurAttente(false); }
    TAttente(const TAttente&) = delete;
    TAttente& operator=(const TAttente&) = delete;

private:
    TInterfaceTransfertREG& ui_;
};

} // namespace

TTransfertRegressi::TTransfertRegressi(TLiensTransfertREG liens,
                                       std::unique_ptr<plateforme::TRegistreUtilisateur> registre)
    : liens_(liens)
    , registre_(std::move(registre))
{
}

void TTransfertRegressi::TransfertRegressiFichier(const TSourceRegressi& source, const std::string& sdateAcqX,
                                                  TInterfaceTransfertREG& ui)
{
    if (plageTransfertVide(source)) {
        ui.information(QString::fromUtf8(kPasDeValeurs));
        return;
    }
    AncEnteteGrandeursREG = EnteteGrandeursREG;
    EnteteGrandeursREG = entetesTransfert(source);
    TMode mode = TMode::NouveauDocument;
    if (!choisitMode(ui, mode))
        return;

    const TAttente attente(ui);
    prepareRegistreRegressi();
    const bool ecrit = mode == TMode::NouvellePage && fichierInchange() ? nouvellePageREG(source, ui)
                                                                         : nouveauDocumentREG(source, sdateAcqX, ui);
    if (!ecrit)
        return;
    ui.traiteMessages();
    if (!demarreRegressi(ui))
        return;
    AncEnteteGrandeursREG = EnteteGrandeursREG;
}

// False when the user cancels.
bool TTransfertRegressi::choisitMode(TInterfaceTransfertREG& ui, TMode& mode)
{
    mode = TMode::NouveauDocument;
    if (!plateforme::processusActif(kProcessusRegressi) || EnteteGrandeursREG != AncEnteteGrandeursREG)
        return true;
    switch (liens_.optionTransfertREGRESSI) {
    case 1:
        mode = TMode::NouvellePage;
        return true;
    case 3:
        // Only a file REGRESSI has not saved since can take a page.
        if (!fichierInchange())
            return true;
        switch (ui.choixTransfert()) {
        case TChoixTransfertREG::Annuler:
            return false;
        case TChoixTransfertREG::NouvellePage:
            mode = TMode::NouvellePage;
            return true;
        case TChoixTransfertREG::NouveauDocument:
            return true;
        }
        return true;
    default:
        return true;
    }
}

bool TTransfertRegressi::fichierInchange() const
{
    if (nfRegAC.empty() || dateRegAC.empty())
        return false;
    return plateforme::dateHeureFichier(nfRegAC) == dateRegAC;
}

// REGRESSI opens the file without offering to recover an older session and
// shows six digits.
void TTransfertRegressi::prepareRegistreRegressi()
{
    metValeurExistante(kCleSauvegardeRegressi, "Arecuperer", "0");
    metValeurExistante(kCleFormatRegressi, "chiffres", "6");
}

void TTransfertRegressi::metValeurExistante(const char* cle, const char* nom, const char* valeur)
{
    const auto valeurs = registre_->litCle(cle);
    if (!valeurs)
        return;
    const auto existante = valeurs->find(nom);
    if (existante != valeurs->end() && existante->second != valeur)
        registre_->ecritTexte(cle, nom, valeur);
}

bool TTransfertRegressi::nouveauDocumentREG(const TSourceRegressi& source, const std::string& sdateAcqX,
                                            TInterfaceTransfertREG& ui)
{
    const int numAvant = numFichierTR;
    std::string nom;
    // A name already taken holds a file this program does not own any more
    // (or a user's): it is never replaced, the next number is taken.
    do {
        ++numFichierTR;
        nom = liens_.dossierDocuments + "/" + nfRegBase + sdateAcqX + "-" + std::to_string(numFichierTR) + ".rw3";
    } while (QFileInfo::exists(q(nom)));
    QString erreur;
    if (!ecritFichierWindows(q(nom), texteDocumentREG(source), &erreur)) {
        // Nothing was handed over: the next transfer starts from the same state.
        numFichierTR = numAvant;
        EnteteGrandeursREG = AncEnteteGrandeursREG;
        ui.avertissement(QStringLiteral("Impossible d'enregistrer le fichier \"") + q(nom) + QStringLiteral("\" :\n")
                         + erreur);
        return false;
    }
    nfRegAC = nom;
    dateRegAC = plateforme::dateHeureFichier(nfRegAC);
    if (!dateRegAC.empty())
        liens_.aSupprimer.push_back(nfRegAC + "||" + dateRegAC);
    return true;
}

bool TTransfertRegressi::nouvellePageREG(const TSourceRegressi& source, TInterfaceTransfertREG& ui)
{
    QString erreur;
    if (!ajouteAuFichierWindows(q(nfRegAC), textePageREG(source), &erreur)) {
        EnteteGrandeursREG = AncEnteteGrandeursREG;
        ui.avertissement(QStringLiteral("Impossible d'enregistrer le fichier \"") + q(nfRegAC)
                         + QStringLiteral("\" :\n") + erreur);
        return false;
    }
    const std::string entreeAvant = nfRegAC + "||" + dateRegAC;
    dateRegAC = plateforme::dateHeureFichier(nfRegAC);
    // The file is still this program's own: it is deleted at exit if REGRESSI
    // does not save it, which is recognised by its new date.
    for (std::string& entree : liens_.aSupprimer)
        if (entree == entreeAvant)
            entree = nfRegAC + "||" + dateRegAC;
    return true;
}

// Started once per transfer, also right after the user chose the executable.
bool TTransfertRegressi::demarreRegressi(TInterfaceTransfertREG& ui)
{
    std::string programme = cheminRegressiUt;
    if (premiereTentativeREG && programme.empty()) {
        liens_.versionRegressiDefaut = false;
        programme = ui.demandeProgrammeRegressi(QString::fromUtf8(kFiltreRegressi),
                                                QString::fromUtf8(kTitreRechercheRegressi), dossierProgrammes())
                        .toStdString();
        if (programme.empty())
            return false;
        liens_.cheminREGRESSINonDefautX = programme;
    }
    if (!plateforme::ouvreAvecProgramme(programme, nfRegAC, liens_.dossierDocuments)) {
        echecDemarrage(ui);
        return false;
    }
    cheminRegressiUt = programme;
    premiereTentativeREG = false;
    return true;
}

void TTransfertRegressi::echecDemarrage(TInterfaceTransfertREG& ui)
{
    ui.information(QString::fromUtf8(kRegressiIntrouvable));
    liens_.cheminREGRESSINonDefautX.clear();
    cheminRegressiUt.clear();
    transfertPossible_ = false;
    ui.desactiveBoutonTransfert();
}

// Where the open dialog starts: where Windows programs are installed.
QString TTransfertRegressi::dossierProgrammes() const
{
    const std::vector<std::string> dossiers = plateforme::dossiersProgrammesWindows();
    return dossiers.empty() ? q(liens_.dossierDocuments) : q(dossiers.front());
}

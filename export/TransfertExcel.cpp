#include "export/TransfertExcel.h"

#include "app/Messages.h"
#include "export/FormatsNombres.h"
#include "export/SourceExport.h"
#include "export/TFicheGVMixteChoixTE.h"
#include "export/TextesMesures.h"
#include "export/TexteTXT.h"
#include "mesures/TMesures.h"
#include "model/UniteBaseChaines.h"
#include "platform/Systeme.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

const double kVide = std::numeric_limits<double>::quiet_NaN();

// Rows per block: about 500 cells, as the clipboard transfer pastes them.
int64_t lignesParBloc(int nbColonnes)
{
    return std::max(500 / nbColonnes + 1, 1);
}

// What a sample's text in the general format with 6 digits reads as: the
// number a spreadsheet would have taken from the tab-separated text.
double valeurG6(double x)
{
    if (!std::isfinite(x))
        return kVide;
    char texte[kLongueurMaxG6];
    const char* fin = ecritG6(texte, x);
    double v = 0;
    std::from_chars(texte, fin, v);
    return v;
}

int nombreCourbes(const TMesures& m)
{
    return std::max(0, std::min({int(m.nbVoiesMesurees), int(m.voiesMesurees.size()), int(m.tv2.size())}));
}

TEnteteFeuille enteteMesures(const TSourceClasseur& s, const TPlageExport& plage, const QStringList& nomsPris)
{
    const TMesures& m = *s.mesures;
    const int nv = nombreCourbes(m);
    TEnteteFeuille e;
    e.nom = nomFeuilleValide(QStringLiteral("Mesures du ") + s.sDateAcq0, nomsPris);
    e.ligne1 = phraseMesures(s.nomCentrale, s.locale, s.heureAcq);
    e.ligne2 = phrasePoints(plage.n(), m.t0, m.tFin, nv, s.locale);
    e.noms << QStringLiteral("t");
    for (int i = 0; i < nv; ++i)
        e.noms << QString::fromStdString(sansCrochets(m.voiesMesurees[std::size_t(i)].sEnteteVM));
    return e;
}

// The progress bar over all the rows the workbook holds, once per block.
class TProgression {
public:
    TProgression(THoteTransfertExcel& hote, int64_t total) : hote_(hote), total_(std::max<int64_t>(total, 1)) {}
    void ligne(int64_t bloc)
    {
        if (++faites_ % bloc == 0 || faites_ == total_)
            hote_.progression(int(std::nearbyint(double(faites_) / double(total_) * 100.0)));
    }

private:
    THoteTransfertExcel& hote_;
    int64_t total_;
    int64_t faites_ = 0;
};

struct TResultat {
    bool ecrit = false;
    QString chemin;
    QString erreur;
};

// Writes the workbook: the kept sheets again (when adding a sheet), then the
// measurements as a new sheet, kept in `nouvelle` as they are written.
bool ecritClasseur(const QString& chemin, const TSourceClasseur& s, std::vector<TFeuilleGardee>& gardees,
                   std::unique_ptr<TFeuilleGardee>& nouvelle, THoteTransfertExcel& hote, QString& erreur)
{
    const TMesures& m = *s.mesures;
    const TPlageExport plage = plageExport(m);
    QStringList nomsPris;
    int64_t total = plage.n();
    for (const TFeuilleGardee& f : gardees) {
        nomsPris << f.entete().nom;
        total += f.nbLignes();
    }
    const TEnteteFeuille entete = enteteMesures(s, plage, nomsPris);
    const int nbColonnes = int(entete.noms.size());
    nouvelle = std::make_unique<TFeuilleGardee>(entete, nbColonnes);
    bool garde = nouvelle->ouvre();

    TClasseurExcel classeur(chemin);
    TProgression progression(hote, total);
    bool ok = classeur.ouvre();
    for (TFeuilleGardee& f : gardees) {
        if (!ok)
            break;
        const int64_t bloc = lignesParBloc(f.nbColonnes());
        ok = classeur.ajouteFeuille(f.entete()) && f.relit([&](const double* valeurs) {
            classeur.ligne(valeurs, f.nbColonnes());
            progression.ligne(bloc);
        });
    }
    if (ok && classeur.ajouteFeuille(entete)) {
        const int nv = nbColonnes - 1;
        const int64_t bloc = lignesParBloc(nbColonnes);
        std::vector<double> valeurs(static_cast<std::size_t>(nbColonnes));
        for (int64_t k = plage.k0; k <= plage.k1; ++k) {
            valeurs[0] = tempsExporte(m, k);
            for (int i = 0; i < nv; ++i) {
                const std::vector<float>& courbe = m.tv2[std::size_t(i)];
                valeurs[std::size_t(i) + 1] = k < int64_t(courbe.size()) ? valeurG6(courbe[std::size_t(k)]) : kVide;
            }
            classeur.ligne(valeurs.data(), nbColonnes);
            if (garde)
                nouvelle->ajoute(valeurs.data());
            progression.ligne(bloc);
        }
        ok = classeur.ferme();
    } else {
        ok = false;
    }
    if (!ok) {
        erreur = classeur.erreur();
        return false;
    }
    garde = garde && nouvelle->termine();
    if (!garde)
        nouvelle.reset();
    return true;
}

void noteASupprimer(std::vector<std::string>& aSupprimer, const std::string& chemin, const std::string& date)
{
    const std::string prefixe = chemin + "||";
    // The workbook written again replaces its earlier entry: with the old
    // date the end of the program would take it for one the user saved.
    aSupprimer.erase(std::remove_if(aSupprimer.begin(), aSupprimer.end(),
                                    [&](const std::string& e) { return e.rfind(prefixe, 0) == 0; }),
                     aSupprimer.end());
    aSupprimer.push_back(prefixe + date);
}

// The steps between the common start and the common end.
TResultat transfere(const TSourceClasseur& s, int optionTransfertEXCEL, const QString& dossierDocuments,
                    TEtatTransfertExcel& etat, std::vector<std::string>& aSupprimer, THoteTransfertExcel& hote)
{
    TResultat r;
    TCibleClasseur cible = TCibleClasseur::nouveauClasseur;
    if ((optionTransfertEXCEL == 1 || optionTransfertEXCEL == 3) && classeurReutilisable(etat)) {
        if (optionTransfertEXCEL == 1) {
            cible = TCibleClasseur::nouvelleFeuille;
        } else {
            const int choix = hote.choixClasseurOuFeuille();
            if (choix < 0)
                return r;
            cible = choix == 1 ? TCibleClasseur::nouvelleFeuille : TCibleClasseur::nouveauClasseur;
        }
    }
    hote.message(QStringLiteral("Transfert vers Excel en cours..."));
    hote.progression(0);

    const bool ajout = cible == TCibleClasseur::nouvelleFeuille;
    const int numFichier = ajout ? etat.numFichierTE : etat.numFichierTE + 1;
    r.chemin = ajout ? etat.NomfichierTEMPExcelXLSX
                     : QDir(dossierDocuments).filePath(NomfichierTEMPEXCELBaseX + s.sdateAcqX + QStringLiteral("-")
                                                       + QString::number(numFichier) + QStringLiteral(".xlsx"));
    std::vector<TFeuilleGardee> aucune;
    std::unique_ptr<TFeuilleGardee> nouvelle;
    if (!ecritClasseur(r.chemin, s, ajout ? etat.feuilles : aucune, nouvelle, hote, r.erreur))
        return r;
    r.ecrit = true;
    etat.numFichierTE = numFichier;
    etat.NomfichierTEMPExcelXLSX = r.chemin;
    if (!ajout)
        etat.feuilles.clear();
    const std::string chemin = QFile::encodeName(r.chemin).toStdString();
    const std::string date = plateforme::dateHeureFichier(chemin);
    if (!date.empty())
        noteASupprimer(aSupprimer, chemin, date);
    if (nouvelle) {
        etat.dateClasseur = date;
        etat.feuilles.push_back(std::move(*nouvelle));
    } else {
        // The new sheet could not be kept: this workbook takes no more sheets.
        etat.dateClasseur.clear();
    }
    return r;
}

} // namespace

void THoteTransfertExcelQt::information(const QString& texte)
{
    gv::boiteMessage(fiche_, gv::TIconeMessage::Information, texte);
}

void THoteTransfertExcelQt::avertissement(const QString& texte)
{
    gv::boiteMessage(fiche_, gv::TIconeMessage::Avertissement, texte);
}

int THoteTransfertExcelQt::choixClasseurOuFeuille()
{
    return TFicheGVMixteChoixTE::demande(fiche_);
}

bool TOuvreurBureau::ouvre(const QString& chemin)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(chemin));
}

bool classeurReutilisable(const TEtatTransfertExcel& etat)
{
    if (etat.feuilles.empty() || etat.NomfichierTEMPExcelXLSX.isEmpty() || etat.dateClasseur.empty())
        return false;
    const QFileInfo classeur(etat.NomfichierTEMPExcelXLSX);
    const std::string date = plateforme::dateHeureFichier(QFile::encodeName(classeur.absoluteFilePath()).toStdString());
    if (date.empty()
        || plateforme::majusculesASCIISysteme(date) != plateforme::majusculesASCIISysteme(etat.dateClasseur))
        return false;
    // Open in LibreOffice, it would not show a sheet added on disk.
    return !QFileInfo::exists(classeur.absolutePath() + QStringLiteral("/.~lock.") + classeur.fileName()
                              + QStringLiteral("#"));
}

bool TransfertExcel(const TSourceClasseur& source, int optionTransfertEXCEL, const QString& dossierDocuments,
                    TEtatTransfertExcel& etat, std::vector<std::string>& aSupprimer, THoteTransfertExcel& hote,
                    TOuvreurDocuments& ouvreur)
{
    if (intervalleSansValeurs(*source.mesures)) {
        hote.information(QStringLiteral(
            "Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs verts ! \n\r"
            "Le transfert est donc inutile. "));
        return false;
    }
    TResultat r;
    {
        // The window gets its state back whatever happens in between.
        struct TFin {
            THoteTransfertExcel& hote;
            ~TFin()
            {
                hote.message(QStringLiteral("Transfert vers EXCEL terminé "));
                hote.finTransfert();
            }
        } fin{hote};
        hote.debutTransfert();
        r = transfere(source, optionTransfertEXCEL, dossierDocuments, etat, aSupprimer, hote);
    }
    if (!r.ecrit) {
        if (!r.erreur.isEmpty())
            hote.avertissement(QStringLiteral("Impossible d'écrire le classeur \"") + r.chemin + QStringLiteral("\" :\n")
                               + r.erreur);
        return false;
    }
    if (!ouvreur.ouvre(r.chemin))
        hote.information(QStringLiteral("Aucun programme n'a pu ouvrir le classeur. Il a été enregistré dans le "
                                        "fichier \"")
                         + r.chemin + QStringLiteral("\"."));
    return true;
}

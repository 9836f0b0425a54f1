#include "app/ReglagesGV.h"

#include "model/UniteBaseCouleurs.h"
#include "platform/Systeme.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QSettings>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace gv {

const char* const nomsTypesCentrales[5] = {"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS", "SIMULATION SP5", "AUDIO"};

namespace {

const char* const cleInterface = "Interface utilisée";
const char* const cleUtilisations = "Nombre d'utilisations";
const char* const cleDuree = "Durée totale";
const char* const clePoints = "Nombre de points";
const char* const cleVersionRegressi = "Version de Regressi";
const char* const cleCheminRegressi = "Chemin de REGRESSI non défaut";
const char* const cleOptionRegressi = "Option transfert vers Regressi";
const char* const cleOptionExcel = "Option transfert vers Excel";
const char* const cleOptionOOo = "Option transfert vers OOo";
const char* const cleCouleursRegressi = "Couleurs GV dans Regressi";
const char* const cleSeuilPretrig = "Seuil Pretrig";

QString cleCouleur(int voie)
{
    return QStringLiteral("voie %1").arg(voie);
}

QString cle(const char* texte)
{
    return QString::fromUtf8(texte);
}

bool cleExiste(QSettings& stockage)
{
    return !stockage.allKeys().isEmpty() || QFileInfo::exists(stockage.fileName());
}

template <typename T>
T lit(QSettings& stockage, const char* nom, T defaut)
{
    const QVariant valeur = stockage.value(cle(nom));
    if (!valeur.isValid())
        return defaut;
    return valeur.value<T>();
}

} // namespace

TCouleursVoies couleursDefaut()
{
    return {0x02000090u, 0x02854200u, static_cast<TCouleurGV>(assombrirCouleur(0x0228AB34, 30)), 0x028F8F8Fu,
            0x020000D0u, 0x02EF7E00u, static_cast<TCouleurGV>(assombrirCouleur(0x0287FFBB, 30)), 0x02363636u};
}

QSettings* ouvreReglagesGV()
{
    return new QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Galvora"));
}

void litReglages(QSettings& stockage, TReglagesGV& reglages)
{
    reglages.clsV0 = couleursDefaut();
    reglages.clsVX = reglages.clsV0;
    const bool existe = cleExiste(stockage);

    const QString interface = lit<QString>(stockage, cleInterface, QString());
    reglages.typeDERNCentraleUtilisee = 0;
    for (int type = 1; type <= 5; ++type)
        if (interface == QString::fromUtf8(nomsTypesCentrales[type - 1]))
            reglages.typeDERNCentraleUtilisee = type;

    reglages.nbUtilisations = lit<int>(stockage, cleUtilisations, 0);
    reglages.DureeTotaleDFT = lit<double>(stockage, cleDuree, 0.02);
    reglages.NbPtsDFT = lit<qint64>(stockage, clePoints, 1001);
    reglages.versionRegressiDefaut = lit<bool>(stockage, cleVersionRegressi, true);
    reglages.cheminREGRESSINonDefautX.clear();
    if (!reglages.versionRegressiDefaut) {
        const std::string chemin = lit<QString>(stockage, cleCheminRegressi, QString()).toStdString();
        if (QFileInfo(QString::fromStdString(chemin)).isFile())
            reglages.cheminREGRESSINonDefautX = chemin;
    }
    reglages.optionTransfertREGRESSI = lit<int>(stockage, cleOptionRegressi, 0);
    reglages.optionTransfertEXCEL = lit<int>(stockage, cleOptionExcel, 0);
    reglages.optionTransfertOOo = lit<int>(stockage, cleOptionOOo, 0);
    reglages.OptionCouleursRegressi = lit<int>(stockage, cleCouleursRegressi, existe ? 0 : 1);
    reglages.tMaxPretrigDispo = lit<double>(stockage, cleSeuilPretrig, 5.0);
    for (int voie = 0; voie < 8; ++voie) {
        const QVariant valeur = stockage.value(cleCouleur(voie));
        if (valeur.isValid())
            reglages.clsVX[voie] = static_cast<TCouleurGV>(valeur.toLongLong());
    }
}

bool ecritReglages(QSettings& stockage, const TReglagesGV& reglages, QString* erreur)
{
    stockage.setValue(cle(cleUtilisations), reglages.nbUtilisations);
    stockage.setValue(cle(cleDuree), reglages.DureeTotaleDFT);
    stockage.setValue(cle(clePoints), static_cast<qint64>(reglages.NbPtsDFT));
    stockage.setValue(cle(cleVersionRegressi), reglages.versionRegressiDefaut);
    stockage.setValue(cle(cleCheminRegressi), QString::fromStdString(reglages.cheminREGRESSINonDefautX));
    stockage.setValue(cle(cleOptionRegressi), reglages.optionTransfertREGRESSI);
    stockage.setValue(cle(cleOptionExcel), reglages.optionTransfertEXCEL);
    stockage.setValue(cle(cleOptionOOo), reglages.optionTransfertOOo);
    stockage.setValue(cle(cleCouleursRegressi), reglages.OptionCouleursRegressi);
    stockage.setValue(cle(cleSeuilPretrig), static_cast<double>(reglages.tMaxPretrigDispo));
    const TCouleursVoies& couleurs = reglages.enregistrerCouleurs ? reglages.clsVX : reglages.clsV0;
    for (int voie = 0; voie < 8; ++voie)
        stockage.setValue(cleCouleur(voie), static_cast<qint64>(couleurs[voie]));
    // The settings file is replaced only once written whole; a full disk
    // leaves the previous one and is said.
    stockage.sync();
    if (stockage.status() == QSettings::NoError)
        return true;
    if (erreur != nullptr)
        *erreur = stockage.status() == QSettings::AccessError ? QStringLiteral("écriture impossible")
                                                               : QStringLiteral("format incorrect");
    return false;
}

std::string entreeFichierTemporaire(const std::string& chemin)
{
    return chemin + "||" + plateforme::dateHeureFichier(chemin);
}

std::vector<std::string> supprimeFichiersTemporaires(const std::vector<std::string>& aSupprimer)
{
    std::vector<std::string> aMemoriser;
    for (const std::string& entree : aSupprimer) {
        const size_t separateur = entree.find("||");
        if (separateur == std::string::npos)
            continue;
        const std::string chemin = entree.substr(0, separateur);
        const std::string date = entree.substr(separateur + 2);
        const std::string dateActuelle = plateforme::dateHeureFichier(chemin);
        if (dateActuelle.empty())
            continue;
        if (plateforme::majusculesASCIISysteme(dateActuelle) != plateforme::majusculesASCIISysteme(date))
            continue;
        if (std::remove(chemin.c_str()) != 0)
            aMemoriser.push_back(entree);
    }
    return aMemoriser;
}

bool ecritFichierTemporairesGV(const std::string& fichierTemporairesGV, const std::vector<std::string>& aMemoriser,
                               QString* erreur)
{
    if (aMemoriser.empty()) {
        std::remove(fichierTemporairesGV.c_str());
        return true;
    }
    QByteArray octets;
    for (const std::string& entree : aMemoriser)
        octets += QByteArray::fromStdString(entree) + "\r\n";
    QSaveFile fichier(QString::fromStdString(fichierTemporairesGV));
    // flush() first: commit() puts a file whose buffered end could not be
    // written in place all the same.
    if (fichier.open(QIODevice::WriteOnly) && fichier.write(octets) == octets.size() && fichier.flush()
        && fichier.commit())
        return true;
    if (erreur != nullptr)
        *erreur = fichier.errorString();
    return false;
}

QString messageEcritureImpossible(const QString& chemin, const QString& erreur)
{
    return QStringLiteral("Impossible d'enregistrer le fichier \"") + chemin + QStringLiteral("\" :\n") + erreur;
}

} // namespace gv

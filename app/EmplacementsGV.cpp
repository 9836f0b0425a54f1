#include "app/EmplacementsGV.h"

#include "platform/Bibliotheque.h"
#include "platform/Systeme.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace gv {

namespace {

const char* const nomSP5 = "SP5.DLL";
const char* const nomSP5Simulation = "SP5SIM.DLL";
const char* const nomV6 = "FTD2XX-V6.DLL";
const char* const nomCampus = "Campus.DLL";
const char* const ftdiLinux = "libftd2xx.so";

std::string dans(const std::string& dossier, const char* fichier)
{
    return dossier.empty() ? std::string() : dossier + "/" + fichier;
}

} // namespace

std::string dossierCentralesUtilisateur()
{
    const std::string donnees = plateforme::dossierDonneesUtilisateur();
    return donnees.empty() ? std::string() : donnees + "/Galvora/centrales";
}

std::string dossierSimulateursDuProgramme()
{
    std::vector<QString> candidats;
    if (QCoreApplication::instance())
        candidats.push_back(QCoreApplication::applicationDirPath() + QStringLiteral("/../") +
                            QStringLiteral(GALVORA_SIM_INSTALL_DIR));
#ifdef GALVORA_SIM_DIR
    candidats.push_back(QStringLiteral(GALVORA_SIM_DIR));
#endif
    for (const QString& candidat : candidats)
        if (QFileInfo(candidat).isDir())
            return QDir::cleanPath(QFileInfo(candidat).absoluteFilePath()).toStdString();
    return {};
}

TEmplacementsGV emplacementsParDefaut()
{
    TEmplacementsGV e;
    e.dossierCentrales = dossierCentralesUtilisateur();
    e.dossierSimulateurs = dossierSimulateursDuProgramme();
    const std::string donnees = plateforme::dossierSpecial(plateforme::DOSSIER_DONNEES_COMMUNES);
    // Without a data folder (no HOME), a relative folder rather than one at
    // the root of the file system.
    e.DDA = donnees.empty() ? std::string("Galvora") : donnees + "/Galvora";
    e.dossierDocuments = plateforme::dossierSpecial(plateforme::DOSSIER_DOCUMENTS);
    if (e.dossierDocuments.empty())
        e.dossierDocuments = plateforme::dossierSpecial(plateforme::DOSSIER_BUREAU);
    e.temp = plateforme::dossierTemporaire().substr(0, 256);
    e.fichierTemporairesGV = e.DDA + "/galvora.par";
    return e;
}

std::vector<std::string> cheminsSP5(const TEmplacementsGV& e)
{
    std::vector<std::string> chemins;
    if (!e.dossierCentrales.empty())
        chemins.push_back(dans(e.dossierCentrales, nomSP5));
    chemins.push_back("libsp5.so");
    if (!e.dossierSimulateurs.empty())
        chemins.push_back(dans(e.dossierSimulateurs, nomSP5Simulation));
    return chemins;
}

std::vector<std::string> cheminsV6(const TEmplacementsGV& e)
{
    std::vector<std::string> chemins;
    if (!e.dossierCentrales.empty())
        chemins.push_back(dans(e.dossierCentrales, nomV6));
    chemins.push_back(ftdiLinux);
    return chemins;
}

std::vector<std::string> cheminsCampus(const TEmplacementsGV& e)
{
    std::vector<std::string> chemins;
    if (!e.dossierCentrales.empty())
        chemins.push_back(dans(e.dossierCentrales, nomCampus));
    chemins.push_back("libcampus.so");
    return chemins;
}

bool bibliothequeFTDIPresente(const TEmplacementsGV& e)
{
    if (!e.dossierCentrales.empty() && plateforme::fichierExiste(dans(e.dossierCentrales, nomV6)))
        return true;
    plateforme::HandleBibliotheque ftdi = plateforme::chargeBibliotheque(ftdiLinux);
    if (!ftdi)
        return false;
    plateforme::libereBibliotheque(ftdi);
    return true;
}

} // namespace gv

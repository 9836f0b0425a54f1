#include "OfficeTest.h"

#include "platform/Processus.h"

#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/datatransfer/XTransferable.hpp>
#include <com/sun/star/datatransfer/clipboard/XClipboard.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/frame/Desktop.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XFramesSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/sheet/XCellRangeAddressable.hpp>
#include <com/sun/star/sheet/XCellRangeData.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/table/XCellRange.hpp>
#include <com/sun/star/util/XCloseable.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/util/XMergeable.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>

#include "model/UniteBaseChaines.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <thread>
#include <unistd.h>

using namespace css;
using css::uno::Reference;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;

namespace officetest {

namespace {

struct TOffice {
    std::string profil;
    TParametresConnexionCalc parametres;
    std::set<int64_t> processus;
    TPontUno lecture;
    bool visible = false;

    TOffice()
    {
        char modele[] = "/tmp/galvora-calc-XXXXXX";
        profil = mkdtemp(modele);
        parametres.nomTube = "galvora-test-" + std::to_string(getpid());
        // GALVORA_OFFICE_VISIBLE=1 (under a display) shows the office, left open
        // 15 s after the tests to be looked at.
        visible = std::getenv("GALVORA_OFFICE_VISIBLE") != nullptr;
        parametres.optionsSupplementaires = {"-env:UserInstallation=file://" + profil};
        if (!visible)
            parametres.optionsSupplementaires.push_back("--headless");
        parametres.delaiDemarrageMs = 120000;
    }
};

TOffice& office()
{
    static TOffice o;
    return o;
}

void attendsFin(int64_t pid, int delaiMs)
{
    for (int t = 0; t < delaiMs && plateforme::processusExiste(pid); t += 100)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
}

} // namespace

TParametresConnexionCalc parametres()
{
    return office().parametres;
}

void retiensOffice(const TTransfertCalc& transfert)
{
    if (transfert.processusOffice() > 0)
        office().processus.insert(transfert.processusOffice());
}

void tueOffice()
{
    TOffice& o = office();
    o.lecture.ferme();
    // The office leads a session and a process group of its own.
    for (int64_t pid : o.processus) {
        kill(-pid_t(pid), SIGKILL);
        attendsFin(pid, 10000);
    }
    o.processus.clear();
    std::filesystem::remove(o.profil + "/.lock");
}

void termine()
{
    TOffice& o = office();
    if (o.visible)
        std::this_thread::sleep_for(std::chrono::seconds(15)); // time to look at it
    try {
        if (o.lecture.ouvert() || o.lecture.ouvre(o.parametres))
            bureau()->terminate();
    } catch (const uno::Exception&) {
    }
    o.lecture.ferme();
    for (int64_t pid : o.processus) {
        attendsFin(pid, 20000);
        if (plateforme::processusExiste(pid))
            kill(-pid_t(pid), SIGKILL);
        attendsFin(pid, 5000);
    }
    o.processus.clear();
    std::error_code ignore;
    std::filesystem::remove_all(o.profil, ignore);
}

Reference<frame::XDesktop2> bureau()
{
    TOffice& o = office();
    // An office started for the first time on a machine may refuse a second
    // connection for a moment while it finishes setting up its profile: the
    // test's own look at the documents waits for it a little.
    for (int essai = 0; !o.lecture.ouvert() && !o.lecture.ouvre(o.parametres); ++essai) {
        if (essai == 100)
            throw std::runtime_error("the test office does not answer on its pipe");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    return frame::Desktop::create(o.lecture.contexte());
}

std::vector<Reference<sheet::XSpreadsheetDocument>> documents()
{
    std::vector<Reference<sheet::XSpreadsheetDocument>> resultat;
    Reference<container::XIndexAccess> cadres(Reference<frame::XFramesSupplier>(bureau(), UNO_QUERY_THROW)->getFrames(),
                                              UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < cadres->getCount(); ++i) {
        Reference<frame::XFrame> cadre(cadres->getByIndex(i), UNO_QUERY);
        Reference<frame::XController> controleur = cadre.is() ? cadre->getController() : nullptr;
        Reference<sheet::XSpreadsheetDocument> document(controleur.is() ? controleur->getModel() : nullptr, UNO_QUERY);
        if (document.is())
            resultat.push_back(document);
    }
    return resultat;
}

std::vector<std::string> typesPressePapiers()
{
    bureau();
    const TPontUno& pont = office().lecture;
    Reference<datatransfer::clipboard::XClipboard> pressePapiers(
        pont.gestionnaireServices()->createInstanceWithContext(
            ouUtf8("com.sun.star.datatransfer.clipboard.SystemClipboard"), pont.contexte()),
        UNO_QUERY_THROW);
    std::vector<std::string> types;
    const Reference<datatransfer::XTransferable> contenu = pressePapiers->getContents();
    if (contenu.is())
        for (const datatransfer::DataFlavor& type : contenu->getTransferDataFlavors())
            types.push_back(texteUtf8(type.MimeType));
    return types;
}

std::vector<std::string> nomsFeuilles(const Reference<sheet::XSpreadsheetDocument>& document)
{
    Reference<container::XIndexAccess> feuilles(document->getSheets(), UNO_QUERY_THROW);
    std::vector<std::string> noms;
    for (sal_Int32 i = 0; i < feuilles->getCount(); ++i)
        noms.push_back(texteUtf8(Reference<container::XNamed>(feuilles->getByIndex(i), UNO_QUERY_THROW)->getName()));
    return noms;
}

Reference<sheet::XSpreadsheet> feuille(const Reference<sheet::XSpreadsheetDocument>& document, const std::string& nom)
{
    return Reference<sheet::XSpreadsheet>(document->getSheets()->getByName(ouUtf8(nom)), UNO_QUERY_THROW);
}

namespace {

Reference<table::XCellRange> plage(const Reference<sheet::XSpreadsheet>& f, const std::string& adresse)
{
    return Reference<table::XCellRange>(f, UNO_QUERY_THROW)->getCellRangeByName(ouUtf8(adresse));
}

} // namespace

std::vector<std::vector<TCellule>> contenu(const Reference<sheet::XSpreadsheet>& f, const std::string& adresse)
{
    Reference<sheet::XCellRangeData> donnees(plage(f, adresse), UNO_QUERY_THROW);
    std::vector<std::vector<TCellule>> lignes;
    for (const auto& ligne : donnees->getDataArray()) {
        std::vector<TCellule> cellules;
        for (const uno::Any& valeur : ligne) {
            TCellule c;
            rtl::OUString texte;
            if (valeur >>= c.valeur)
                c.nombre = true;
            else if (valeur >>= texte)
                c.texte = texteUtf8(texte);
            cellules.push_back(c);
        }
        lignes.push_back(cellules);
    }
    return lignes;
}

std::string texteAffiche(const Reference<sheet::XSpreadsheet>& f, const std::string& cellule)
{
    return texteUtf8(Reference<text::XText>(plage(f, cellule)->getCellByPosition(0, 0), UNO_QUERY_THROW)->getString());
}

bool fusionnee(const Reference<sheet::XSpreadsheet>& f, const std::string& adresse)
{
    return Reference<util::XMergeable>(plage(f, adresse), UNO_QUERY_THROW)->getIsMerged();
}

uno::Any propriete(const Reference<sheet::XSpreadsheet>& f, const std::string& adresse, const char* nom)
{
    return Reference<beans::XPropertySet>(plage(f, adresse), UNO_QUERY_THROW)->getPropertyValue(rtl::OUString::createFromAscii(nom));
}

std::string selection(const Reference<sheet::XSpreadsheetDocument>& document)
{
    Reference<frame::XModel> modele(document, UNO_QUERY_THROW);
    Reference<sheet::XCellRangeAddressable> choisi(modele->getCurrentSelection(), UNO_QUERY);
    if (!choisi.is())
        return "?";
    const table::CellRangeAddress a = choisi->getRangeAddress();
    std::string texte = lettresColonne(a.StartColumn) + std::to_string(a.StartRow + 1);
    if (a.EndColumn != a.StartColumn || a.EndRow != a.StartRow)
        texte += ":" + lettresColonne(a.EndColumn) + std::to_string(a.EndRow + 1);
    return texte;
}

void ferme(const Reference<sheet::XSpreadsheetDocument>& document)
{
    Reference<util::XCloseable>(document, UNO_QUERY_THROW)->close(true);
}

float echantillon(int courbe, int64_t k)
{
    return float((courbe + 1) * 0.001 * double(k % 977) - 0.5 * courbe + (k % 3 == 0 ? 1.25e-5 : 0));
}

TMesures mesures(int nbCourbes, int64_t nbPoints, double dt)
{
    TMesures m;
    m.nbVoiesMesurees = nbCourbes;
    m.dtAX = dt;
    m.nbPtsAX = nbPoints;
    m.dureeTotaleAX = double(nbPoints) * dt;
    m.t0 = 0;
    m.tFin = double(nbPoints - 1) * dt;
    for (int c = 0; c < nbCourbes; ++c) {
        TVoieMesuree vm;
        vm.sEnteteVM = "u[EA" + std::to_string(c) + "]";
        m.voiesMesurees.push_back(vm);
        std::vector<float> valeurs(static_cast<std::size_t>(nbPoints));
        for (int64_t k = 0; k < nbPoints; ++k)
            valeurs[std::size_t(k)] = echantillon(c, k);
        m.tv2.push_back(std::move(valeurs));
    }
    return m;
}

bool TVueEnregistree::contient(const std::string& ligne) const
{
    return std::find(journal.begin(), journal.end(), ligne) != journal.end();
}

} // namespace officetest

#include "export/calc/TransfertCalc.h"

#include "export/calc/CibleCalc.h"
#include "export/calc/ConnexionUno.h"
#include "export/calc/TransferableSYLK.h"
#include "model/UniteBaseChaines.h"
#include "model/UniteMath.h"
#include "platform/PompeMessages.h"

#include <com/sun/star/awt/XWindow2.hpp>
#include <com/sun/star/beans/PropertyValue.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/container/XNamed.hpp>
#include <com/sun/star/datatransfer/clipboard/XClipboard.hpp>
#include <com/sun/star/frame/XComponentLoader.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XDesktop2.hpp>
#include <com/sun/star/frame/XDispatchHelper.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/frame/XFrames.hpp>
#include <com/sun/star/frame/XFramesSupplier.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/lang/XComponent.hpp>
#include <com/sun/star/sheet/XSpreadsheetDocument.hpp>
#include <com/sun/star/sheet/XSpreadsheets.hpp>
#include <com/sun/star/uno/RuntimeException.hpp>
#include <cppuhelper/exc_hlp.hxx>

#include <algorithm>

using namespace css;
using css::uno::Any;
using css::uno::Reference;
using css::uno::Sequence;
using css::uno::UNO_QUERY;
using css::uno::UNO_QUERY_THROW;
using rtl::OUString;

namespace {

const char* const kPasDeValeurs = "Il n'y a pas de valeurs dans l'intervalle de temps retenu entre les deux curseurs "
                                  "verts ! \n\rLe transfert est donc inutile. ";
const char* const kConnexion = "Connexion à OpenOffice/LibreOffice...";
const char* const kConnexionImpossible = "Impossible de se connecter à OpenOffice/LibreOffice. Le logiciel n'est sans "
                                         "doute pas installé sur cet ordinateur ";
const char* const kReconnexionImpossible = "Impossible de se connecter à LibreOffice/OpenOffice. Le logiciel n'est sans "
                                           "doute pas installé sur cet ordinateur ";
const char* const kErreurCible = "Une erreur est survenue au cours du transfert des valeurs. \r\nImpossible de "
                                 "continuer, veuillez recommencer toute l'opération. ";
const char* const kEnCours = "Transfert vers OpenOffice.org Calc en cours...";
const char* const kIntrouvable = "L'application OpenOffice.org Calc n'a pas été trouvée.  \n\rImpossible de passer "
                                 "directement à OpenOffice.org Calc.";
const char* const kTermine = "Transfert vers OO/LO terminé. ";

constexpr sal_Int32 kBleuTitre = 9816575;    // red 149, green 201, blue 255
constexpr sal_Int32 kJauneEnTete = 16774599; // red 255, green 245, blue 199
// The data are numbers and must read as numbers. In LibreOffice's table of
// built-in formats key 61 is "HH:MM:SS" (in every locale), which shows a
// time of 0.0025 s as 00:00:00 and 1.25 V as 30:00:00: the columns get the
// suite's standard number format (key 0) instead.
constexpr sal_Int32 kFormatNombres = 0;

[[noreturn]] void echec(const char* quoi)
{
    throw uno::RuntimeException(OUString::createFromAscii(quoi));
}

// The closing steps: whatever way the transfer ends once begun, the window
// gets its controls and state back; a button disabled by a failure stays
// disabled after them.
class TFinTransfert {
public:
    explicit TFinTransfert(TVueTransfertCalc& vue) : vue_(vue) {}
    ~TFinTransfert()
    {
        vue_.etatTransfert(false);
        vue_.progression(0);
        vue_.presenceVisible(true);
        vue_.afficheMessage(kTermine);
        vue_.sablier(false);
        if (desactiverBouton_)
            vue_.desactiveBoutonCalc();
    }
    void desactiveBouton() { desactiverBouton_ = true; }

private:
    TVueTransfertCalc& vue_;
    bool desactiverBouton_ = false;
};

} // namespace

struct TTransfertCalc::TEtat {
    explicit TEtat(const TParametresConnexionCalc& p) : parametres(p) {}
    ~TEtat() { rendPressePapiers(); }
    TEtat(const TEtat&) = delete;
    TEtat& operator=(const TEtat&) = delete;

    TParametresConnexionCalc parametres;
    TPontUno pont;
    Reference<lang::XMultiComponentFactory> OOoCalcServiceManager;
    Reference<frame::XDesktop2> OOoDesktop;
    Reference<lang::XComponent> OOoClTP;
    Reference<frame::XFrame> OOoFrClTP;
    Reference<lang::XComponent> OOoClAction;
    Reference<frame::XFrame> OOoFrClAction;
    Reference<frame::XDispatchHelper> dispatcher;
    Reference<datatransfer::clipboard::XClipboard> pressePapiers;
    int numTransfertOOO_CC = 0;
    int64_t processusOffice = -1;
    // The suite's windows hidden during the filling, in the order hidden.
    std::vector<Reference<awt::XWindow2>> fenetresCachees;

    bool connecte();
    bool documentPrecedentOuvert();
    void rendPressePapiers();
    Reference<uno::XInterface> cree(const char* service);
    void nouveauClasseur();
    void nouvelleFeuille();
    void envoie(const char* commande, const char* nom = nullptr, const Any& valeur = Any());
    void vaA(const std::string& adresse) { envoie(".uno:GoToCell", "ToPoint", Any(ouUtf8(adresse))); }
    void passageVersPP(const std::string& sT);
    void colle(const std::string& sT, const std::string& adresse);
    void cacheFenetres();
    void montreFenetres();
    void remplit(const TSourceCalc& source, const TPlageExport& plage, TVueTransfertCalc& vue);
};

// The service manager and the desktop of the office, reached through the
// pipe (the office is started when nothing answers there).
bool TTransfertCalc::TEtat::connecte()
{
    // Nothing of the former connection is kept: its objects belong to a
    // document or an office that is gone.
    rendPressePapiers();
    OOoCalcServiceManager.clear();
    OOoDesktop.clear();
    dispatcher.clear();
    OOoClTP.clear();
    OOoFrClTP.clear();
    OOoClAction.clear();
    OOoFrClAction.clear();
    try {
        if (!pont.ouvreOuDemarre(parametres))
            return false;
        if (pont.processusDemarre() > 0)
            processusOffice = pont.processusDemarre();
        OOoCalcServiceManager = pont.gestionnaireServices();
        if (!OOoCalcServiceManager.is())
            return false;
        OOoDesktop.set(cree("com.sun.star.frame.Desktop"), UNO_QUERY);
        return OOoDesktop.is();
    } catch (const uno::Exception&) {
        OOoCalcServiceManager.clear();
        OOoDesktop.clear();
        return false;
    }
}

// The document of the last new-document transfer is open when its sheets,
// their count and the last of them can all be had.
bool TTransfertCalc::TEtat::documentPrecedentOuvert()
{
    if (!OOoClTP.is())
        return false;
    try {
        Reference<sheet::XSpreadsheetDocument> document(OOoClTP, UNO_QUERY);
        if (!document.is())
            return false;
        Reference<container::XIndexAccess> feuilles(document->getSheets(), UNO_QUERY);
        if (!feuilles.is())
            return false;
        return feuilles->getByIndex(feuilles->getCount() - 1).hasValue();
    } catch (const uno::Exception&) {
        return false;
    }
}

Reference<uno::XInterface> TTransfertCalc::TEtat::cree(const char* service)
{
    Reference<uno::XInterface> objet =
        OOoCalcServiceManager->createInstanceWithContext(OUString::createFromAscii(service), pont.contexte());
    if (!objet.is())
        echec(service);
    return objet;
}

void TTransfertCalc::TEtat::nouveauClasseur()
{
    Reference<frame::XComponentLoader> chargeur(OOoDesktop, UNO_QUERY_THROW);
    OOoClAction = chargeur->loadComponentFromURL("private:factory/scalc", "_blank", 0,
                                                 Sequence<beans::PropertyValue>());
    if (!OOoClAction.is())
        echec("private:factory/scalc");
    Reference<sheet::XSpreadsheetDocument> document(OOoClAction, UNO_QUERY_THROW);
    Reference<sheet::XSpreadsheets> feuilles = document->getSheets();
    Reference<container::XIndexAccess> index(feuilles, UNO_QUERY_THROW);
    for (sal_Int32 i = index->getCount() - 1; i >= 1; --i)
        feuilles->removeByName(Reference<container::XNamed>(index->getByIndex(i), UNO_QUERY_THROW)->getName());
    Reference<container::XNamed>(index->getByIndex(0), UNO_QUERY_THROW)->setName("Transfert");
    dispatcher.set(cree("com.sun.star.frame.DispatchHelper"), UNO_QUERY_THROW);
    Reference<frame::XModel> modele(OOoClAction, UNO_QUERY_THROW);
    Reference<frame::XController> controleur = modele->getCurrentController();
    if (!controleur.is())
        echec("CurrentController");
    OOoFrClAction = controleur->getFrame();
    if (!OOoFrClAction.is())
        echec("Frame");
    OOoFrClTP = OOoFrClAction;
    OOoClTP = OOoClAction;
}

void TTransfertCalc::TEtat::nouvelleFeuille()
{
    OOoClAction = OOoClTP;
    OOoFrClAction = OOoFrClTP;
    Reference<sheet::XSpreadsheetDocument> document(OOoClAction, UNO_QUERY_THROW);
    Reference<sheet::XSpreadsheets> feuilles = document->getSheets();
    if (!feuilles.is())
        echec("getSheets");
    std::vector<std::string> noms;
    for (const OUString& nom : feuilles->getElementNames())
        noms.push_back(texteUtf8(nom));
    Reference<container::XIndexAccess> index(feuilles, UNO_QUERY_THROW);
    feuilles->insertNewByName(ouUtf8(nomNouvelleFeuille(numTransfertOOO_CC, noms)), sal_Int16(index->getCount()));
    Reference<frame::XFramesSupplier>(OOoDesktop, UNO_QUERY_THROW)->setActiveFrame(OOoFrClAction);
    dispatcher.set(cree("com.sun.star.frame.DispatchHelper"), UNO_QUERY_THROW);
    envoie(".uno:JumpToTable", "Nr", Any(sal_Int32(index->getCount())));
}

void TTransfertCalc::TEtat::envoie(const char* commande, const char* nom, const Any& valeur)
{
    Sequence<beans::PropertyValue> arguments;
    if (nom) {
        beans::PropertyValue argument;
        argument.Name = OUString::createFromAscii(nom);
        argument.Value = valeur;
        arguments = Sequence<beans::PropertyValue>(&argument, 1);
    }
    Reference<frame::XDispatchProvider> fournisseur(OOoFrClAction, UNO_QUERY_THROW);
    dispatcher->executeDispatch(fournisseur, OUString::createFromAscii(commande), OUString(), 0, arguments);
}

// The block on the office's clipboard is an object of this program: an
// office still holding it once this program has let go of the office (or
// ended) aborts when it next asks for it, losing the user's documents. It is
// given an empty clipboard before.
void TTransfertCalc::TEtat::rendPressePapiers()
{
    if (!pressePapiers.is())
        return;
    try {
        pressePapiers->setContents(Reference<datatransfer::XTransferable>(), nullptr);
    } catch (const uno::Exception&) {
        // The office is gone already.
    }
    pressePapiers.clear();
}

void TTransfertCalc::TEtat::passageVersPP(const std::string& sT)
{
    if (!pressePapiers.is())
        pressePapiers.set(cree("com.sun.star.datatransfer.clipboard.SystemClipboard"), UNO_QUERY_THROW);
    pressePapiers->setContents(new TTransferableSYLK(blocPressePapiers(sT)), nullptr);
}

void TTransfertCalc::TEtat::colle(const std::string& sT, const std::string& adresse)
{
    passageVersPP(sT);
    vaA(adresse);
    envoie(".uno:Paste");
}

// The suite's windows (its frames' container windows) are hidden while they
// are filled; only those visible now, to be shown again at the end.
void TTransfertCalc::TEtat::cacheFenetres()
{
    fenetresCachees.clear();
    Reference<container::XIndexAccess> cadres(Reference<frame::XFramesSupplier>(OOoDesktop, UNO_QUERY_THROW)->getFrames(),
                                              UNO_QUERY_THROW);
    for (sal_Int32 i = 0; i < cadres->getCount(); ++i) {
        Reference<frame::XFrame> cadre(cadres->getByIndex(i), UNO_QUERY);
        Reference<awt::XWindow2> fenetre(cadre.is() ? cadre->getContainerWindow() : nullptr, UNO_QUERY);
        if (fenetre.is() && fenetre->isVisible()) {
            fenetre->setVisible(false);
            fenetresCachees.push_back(fenetre);
        }
    }
}

void TTransfertCalc::TEtat::montreFenetres()
{
    for (auto fenetre = fenetresCachees.rbegin(); fenetre != fenetresCachees.rend(); ++fenetre) {
        try {
            (*fenetre)->setVisible(true);
        } catch (const uno::Exception&) {
        }
    }
    fenetresCachees.clear();
    try {
        Reference<frame::XFramesSupplier> bureau(OOoDesktop, UNO_QUERY_THROW);
        bureau->setActiveFrame(OOoDesktop->getCurrentFrame());
    } catch (const uno::Exception&) {
    }
}

// Title rows, header, values by blocks, formatting and the cursor.
void TTransfertCalc::TEtat::remplit(const TSourceCalc& source, const TPlageExport& plage, TVueTransfertCalc& vue)
{
    const TMesures& mesures = *source.mesures;
    const int nv = nombreCourbesCalc(mesures);
    vue.afficheMessage(kEnCours);
    vue.progression(0);
    vue.presenceVisible(false);

    for (const char* ligne : {"$A$1:$G$1", "$A$2:$G$2"}) {
        vaA(ligne);
        envoie(".uno:ToggleMergeCells", "MoveContents", Any(true));
        envoie(".uno:HorizontalAlignment", "HorizontalAlignment", Any(sal_Int32(1)));
    }

    try {
        colle(versPageCodeSysteme(enregistrementsEnTete(source, plage)), "$A$1:$A$1");
    } catch (const uno::Exception& erreur) {
        vue.messageSimple(texteUtf8(erreur.Message) + "\n" + texteUtf8(cppu::getCaughtException().getValueTypeName()));
    }

    const int64_t B = tailleBlocCalc(mesures.nbVoiesMesurees);
    std::string sT;
    sT.reserve(std::size_t(B * (nv + 1) * 24));
    int64_t colles = 0;
    int64_t rang = 0;
    for (int64_t k = plage.k0; k <= plage.k1; ++k) {
        ajouteEnregistrementsPoint(sT, mesures, k, ++rang, nv);
        if (rang == B || k == plage.k1) {
            colle(sT, "A" + std::to_string(5 + colles));
            colles += rang;
            rang = 0;
            sT.clear();
            vue.progression(plage.k1 > 0 ? arrondiEntier((long double)k / plage.k1 * 100) : 100);
        }
    }

    const std::string L = lettresColonne(nv);
    vaA("$A$1:$A$2");
    envoie(".uno:BackgroundColor", "BackgroundColor", Any(kBleuTitre));
    envoie(".uno:Bold", "Bold", Any(true));
    vaA("$A$3:$" + L + "4");
    envoie(".uno:Bold", "Bold", Any(true));
    envoie(".uno:BackgroundColor", "BackgroundColor", Any(kJauneEnTete));
    envoie(".uno:HorizontalAlignment", "HorizontalAlignment", Any(sal_Int32(2)));
    vaA("A5:" + L + std::to_string(plage.n() + 5));
    envoie(".uno:NumberFormatValue", "NumberFormatValue", Any(kFormatNombres));
    envoie(".uno:HorizontalAlignment", "HorizontalAlignment", Any(sal_Int32(2)));

    vaA("$" + lettresColonne(nv + 1) + "5");
}

TTransfertCalc::TTransfertCalc() : TTransfertCalc(TParametresConnexionCalc{}) {}

TTransfertCalc::TTransfertCalc(const TParametresConnexionCalc& parametres)
    : etat_(std::make_unique<TEtat>(parametres))
{
}

TTransfertCalc::~TTransfertCalc() = default;

int TTransfertCalc::numTransfertOOO_CC() const
{
    return etat_->numTransfertOOO_CC;
}

int64_t TTransfertCalc::processusOffice() const
{
    return etat_->processusOffice;
}

void TTransfertCalc::TransfertOOCalcPP(const TSourceCalc& source, int optionTransfertOOo, TVueTransfertCalc& vue)
{
    TEtat& e = *etat_;
    const TMesures& mesures = *source.mesures;
    const TPlageExport plage = plageExport(mesures);
    // An empty range (cursors crossed, no curve points) has nothing to give
    // either: the sheet would get a header over no rows.
    if (mesures.dureeTotaleAX <= mesures.t0 || plage.vide()) {
        vue.information(kPasDeValeurs);
        return;
    }

    vue.etatTransfert(true);
    vue.afficheMessage(kConnexion);
    vue.sablier(true);
    TFinTransfert fin(vue);

    try {
        bool nouvelleConnexion = false;
        bool ouvert = false;
        if (!e.OOoCalcServiceManager.is()) {
            if (!e.connecte()) {
                vue.information(kConnexionImpossible);
                fin.desactiveBouton();
                return;
            }
            nouvelleConnexion = true;
        } else {
            ouvert = e.documentPrecedentOuvert();
            if (!ouvert && !e.connecte()) {
                vue.information(kReconnexionImpossible);
                fin.desactiveBouton();
                return;
            }
        }

        TCibleCalc cible = cibleTransfertCalc(optionTransfertOOo, nouvelleConnexion, ouvert);
        if (cible == TCibleCalc::demander) {
            const TChoixCalc choix = vue.choixCible();
            if (choix == TChoixCalc::annule)
                return;
            cible = choix == TChoixCalc::nouvelleFeuille ? TCibleCalc::nouvelleFeuille : TCibleCalc::nouveauClasseur;
        }

        ++e.numTransfertOOO_CC;
        try {
            if (cible == TCibleCalc::nouvelleFeuille)
                e.nouvelleFeuille();
            else
                e.nouveauClasseur();
        } catch (const uno::Exception&) {
            vue.information(kErreurCible);
            return;
        }

        try {
            e.cacheFenetres();
            plateforme::traiteMessages();
            e.remplit(source, plage, vue);
        } catch (...) {
            e.montreFenetres();
            throw;
        }
        e.montreFenetres();
    } catch (const uno::Exception&) {
        vue.avertissement(kIntrouvable);
    }
}

#include "export/calc/ConnexionUno.h"

#include "platform/Processus.h"
#include "platform/PompeMessages.h"
#include "platform/Temps.h"

#include <com/sun/star/bridge/BridgeFactory.hpp>
#include <com/sun/star/connection/Connector.hpp>
#include <cppuhelper/bootstrap.hxx>
#include <rtl/bootstrap.hxx>

#include <mutex>

using namespace css;
using css::uno::Reference;
using rtl::OUString;

std::vector<std::string> optionsDemarrageOffice(const TParametresConnexionCalc& p)
{
    std::vector<std::string> options = {"--invisible", "--norestore", "--nologo",
                                        "--accept=pipe,name=" + p.nomTube + ";urp;"};
    options.insert(options.end(), p.optionsSupplementaires.begin(), p.optionsSupplementaires.end());
    return options;
}

Reference<uno::XComponentContext> contexteLocalUno(const std::string& dossierProgramme)
{
    // The UNO runtime keeps one type manager per process: the context is made
    // once and lives as long as the program.
    static std::mutex verrou;
    static Reference<uno::XComponentContext> contexte;
    std::lock_guard<std::mutex> garde(verrou);
    if (!contexte.is()) {
        rtl::Bootstrap::set("URE_BOOTSTRAP", ouUtf8("vnd.sun.star.pathname:" + dossierProgramme + "/fundamentalrc"));
        contexte = cppu::defaultBootstrap_InitialComponentContext(ouUtf8("file://" + dossierProgramme + "/unorc"));
    }
    return contexte;
}

TPontUno::~TPontUno()
{
    ferme();
}

bool TPontUno::ouvre(const TParametresConnexionCalc& p)
{
    ferme();
    // The bridge writes to the office's pipe from its own threads: an office
    // that crashes or is killed mid-transfer must end the transfer with its
    // message, not end Galvora.
    plateforme::survitAuxTubesRompus();
    const Reference<uno::XComponentContext> local = contexteLocalUno(p.dossierProgramme);
    // An office that is starting or ending may take the pipe and drop it at
    // once: whatever fails here means no office answers yet.
    try {
        const Reference<connection::XConnection> liaison =
            connection::Connector::create(local)->connect(ouUtf8("pipe,name=" + p.nomTube));
        pont_ = bridge::BridgeFactory::create(local)->createBridge(OUString(), "urp", liaison, nullptr);
        contexte_.set(pont_->getInstance("StarOffice.ComponentContext"), uno::UNO_QUERY);
    } catch (const uno::Exception&) {
        ferme();
        return false;
    }
    if (!contexte_.is()) {
        ferme();
        return false;
    }
    return true;
}

bool TPontUno::ouvreOuDemarre(const TParametresConnexionCalc& p)
{
    if (ouvre(p))
        return true;
    // An office already running takes the new accept string itself.
    int64_t pid = -1;
    if (!plateforme::lanceProgramme(p.programme, optionsDemarrageOffice(p), {}, nullptr, &pid))
        return false;
    processusDemarre_ = pid;
    const double fin = plateforme::secondesMonotones() + p.delaiDemarrageMs / 1000.0;
    while (plateforme::secondesMonotones() < fin) {
        plateforme::dorsEnTraitantMessages(200, 20);
        if (ouvre(p))
            return true;
    }
    return false;
}

// The bridge is released, not disposed: it ends by itself once no proxy of
// it is left. Disposing it while a proxy still lives somewhere leaves that
// proxy registered in this process, and a later bridge to the same office
// would hand it out again, dead.
void TPontUno::ferme()
{
    contexte_.clear();
    pont_.clear();
}

Reference<lang::XMultiComponentFactory> TPontUno::gestionnaireServices() const
{
    return contexte_.is() ? contexte_->getServiceManager() : Reference<lang::XMultiComponentFactory>();
}

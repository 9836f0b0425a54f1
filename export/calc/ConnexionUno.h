#pragma once
// The UNO bridge to the office suite over a named pipe. Included only by the
// Calc transfer's sources and its tests: it shows UNO types.
#include <com/sun/star/bridge/XBridge.hpp>
#include <com/sun/star/lang/XMultiComponentFactory.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>

#include <cstdint>
#include <string>
#include <vector>

// UTF-8 texts to and from UNO strings.
inline rtl::OUString ouUtf8(const std::string& texte)
{
    return rtl::OUString(texte.data(), sal_Int32(texte.size()), RTL_TEXTENCODING_UTF8);
}
inline std::string texteUtf8(const rtl::OUString& texte)
{
    const rtl::OString octets = rtl::OUStringToOString(texte, RTL_TEXTENCODING_UTF8);
    return std::string(octets.getStr(), std::size_t(octets.getLength()));
}

// How Galvora reaches the office: the pipe it talks on, and how it starts
// the office when nothing answers there.
struct TParametresConnexionCalc {
    std::string nomTube = "galvora";
    std::string programme = "soffice";
    // Added to the start options (tests give a private profile, --headless).
    std::vector<std::string> optionsSupplementaires;
    // How long a starting office may take to open the pipe.
    int delaiDemarrageMs = 60000;
    // Where the office keeps its UNO bootstrap files (fundamentalrc, unorc).
    std::string dossierProgramme = GALVORA_LO_PROGRAMME;
};

// The start options: invisible, no restore, no logo, accepting on the pipe.
std::vector<std::string> optionsDemarrageOffice(const TParametresConnexionCalc& parametres);

// The component context of this process, made once for the program's life
// from the office's bootstrap files. Throws when the office is not installed.
css::uno::Reference<css::uno::XComponentContext> contexteLocalUno(const std::string& dossierProgramme);

// One bridge to the office and the office's component context.
class TPontUno {
public:
    TPontUno() = default;
    ~TPontUno();
    TPontUno(const TPontUno&) = delete;
    TPontUno& operator=(const TPontUno&) = delete;

    // Opens a bridge on the pipe; false when nothing answers there.
    bool ouvre(const TParametresConnexionCalc& parametres);
    // Opens it, starting the office when nothing answers and waiting for the
    // pipe within the limit; false when it still cannot be reached.
    bool ouvreOuDemarre(const TParametresConnexionCalc& parametres);
    // Disposes of the bridge (the office goes on running).
    void ferme();

    bool ouvert() const { return contexte_.is(); }
    const css::uno::Reference<css::uno::XComponentContext>& contexte() const { return contexte_; }
    css::uno::Reference<css::lang::XMultiComponentFactory> gestionnaireServices() const;
    // The office this bridge started, -1 when it found one running.
    int64_t processusDemarre() const { return processusDemarre_; }

private:
    css::uno::Reference<css::bridge::XBridge> pont_;
    css::uno::Reference<css::uno::XComponentContext> contexte_;
    int64_t processusDemarre_ = -1;
};

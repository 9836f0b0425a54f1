#include "model/TypesCentrale.h"

std::string texteCourt(const std::string& texte, std::size_t capacite)
{
    return texte.size() <= capacite ? texte : texte.substr(0, capacite);
}

TCapteur capteurTensionNue()
{
    TCapteur cap;
    cap.CodeCapteur = 0;
    cap.a = { 1.0, 1.0 };
    cap.b = { 0.0, 0.0 };
    cap.sTypeGrandeur = "Tension";
    cap.sSymboleGrandeur = "u";
    cap.sUnite = "V";
    cap.nbGrPhyX = 1;
    return cap;
}

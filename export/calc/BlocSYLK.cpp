#include "export/calc/BlocSYLK.h"

#include "export/FormatsNombres.h"
#include "model/UniteBaseChaines.h"

#include <QStringEncoder>

#include <algorithm>

namespace {

const char* const kFinLigne = "\r\n";

// The user's long time format without its time-zone part.
QString formatHeureLongue(const QLocale& locale)
{
    QString format = locale.timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

std::string phraseAcquisition(const TSourceCalc& s)
{
    const QString date = s.locale.toString(s.heureAcq.date(), QLocale::ShortFormat);
    const QString heure = s.locale.toString(s.heureAcq.time(), formatHeureLongue(s.locale));
    return "Mesures réalisées avec l'interface " + s.nomCentrale + " le " + date.toStdString() + " à "
        + heure.toStdString();
}

// The exported duration: with an SI prefix outside 0.1 s .. 1000 s, else in G6.
std::string dureeExportee(const TSourceCalc& s)
{
    const double duree = s.mesures->tFin - s.mesures->t0;
    if (duree > 1000 || duree < 0.0999999)
        return formatValeur(4, styleIngenieur, duree) + "s";
    const QString point = s.locale.decimalPoint();
    const char separateur = point.isEmpty() ? '.' : point.at(0).toLatin1();
    return texteG6(duree, separateur ? separateur : '.') + " s";
}

void ajouteTexte(std::string& sT, int colonne, int ligne, const std::string& texte)
{
    sT += "C;X" + std::to_string(colonne) + ";Y" + std::to_string(ligne) + ";K\"" + texte + "\"" + kFinLigne;
}

// A number record; the number text is appended in place.
void ajouteNombre(std::string& sT, int colonne, int64_t ligne, double valeur)
{
    sT += "C;X";
    sT += std::to_string(colonne);
    sT += ";Y";
    sT += std::to_string(ligne);
    sT += ";K";
    sT += texteG6(valeur, '.');
    sT += kFinLigne;
}

} // namespace

int nombreCourbesCalc(const TMesures& mesures)
{
    const int disponibles = std::min<int>(mesures.nbVoiesMesurees, int(mesures.tv2.size()));
    return std::clamp(std::min(disponibles, int(mesures.voiesMesurees.size())), 0, kNbCourbesCalcMax);
}

int64_t tailleBlocCalc(int nbVoiesMesurees)
{
    return std::max<int64_t>(500 / (int64_t(nbVoiesMesurees) + 1) + 1, 1);
}

std::string enregistrementsEnTete(const TSourceCalc& s, const TPlageExport& plage)
{
    const int nv = nombreCourbesCalc(*s.mesures);
    std::string sT;
    ajouteTexte(sT, 1, 1, phraseAcquisition(s));
    ajouteTexte(sT, 1, 2,
                std::to_string(plage.n()) + " points répartis sur " + dureeExportee(s) + "   " + std::to_string(nv)
                    + (nv < 2 ? " série mesurée " : " séries mesurées "));
    ajouteTexte(sT, 1, 3, "t");
    for (int c = 0; c < nv; ++c)
        ajouteTexte(sT, c + 2, 3, sansCrochets(s.mesures->voiesMesurees[std::size_t(c)].sEnteteVM));
    ajouteTexte(sT, 1, 4, "s");
    for (int c = 0; c < nv; ++c)
        ajouteTexte(sT, c + 2, 4, "V");
    return sT;
}

void ajouteEnregistrementsPoint(std::string& sT, const TMesures& mesures, int64_t k, int64_t rang, int nv)
{
    ajouteNombre(sT, 1, rang, tempsExporte(mesures, k));
    for (int c = 0; c < nv; ++c) {
        const std::vector<float>& valeurs = mesures.tv2[std::size_t(c)];
        const double echantillon = k >= 0 && k < int64_t(valeurs.size()) ? valeurs[std::size_t(k)] : 0.0;
        ajouteNombre(sT, c + 2, rang, echantillon);
    }
}

std::string versPageCodeSysteme(const std::string& texteUtf8)
{
    const bool ascii = std::all_of(texteUtf8.begin(), texteUtf8.end(), [](char c) { return (unsigned char)c < 0x80; });
    if (ascii)
        return texteUtf8;
    QStringEncoder encodeur(QStringEncoder::System);
    const QByteArray octets = encodeur.encode(QString::fromStdString(texteUtf8));
    return std::string(octets.constData(), std::size_t(octets.size()));
}

std::string blocPressePapiers(const std::string& sT)
{
    std::string bloc;
    bloc.reserve(sT.size() + 23);
    bloc += "ID;PSCALC3\r\n";
    bloc += sT;
    bloc += "\"\"\"\"\"\"\"\"\xEE\xFE";
    bloc.push_back('\0');
    return bloc;
}

#include "display/EcritAvecExposant.h"

#include "display/Couleurs.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace {

// Font of the given size in the unit the font was set with.
QFont policeDeTaille(const QFont& base, int taille, bool enPixels)
{
    QFont f(base);
    if (taille < 1)
        taille = 1;
    if (enPixels)
        f.setPixelSize(taille);
    else
        f.setPointSize(taille);
    return f;
}

struct TPolices {
    QFont normale;
    QFont petite;
};

TPolices polices(const QFont& base)
{
    bool enPixels = base.pixelSize() > 0;
    int S = enPixels ? base.pixelSize() : std::abs(base.pointSize());
    if (S <= 0)
        S = static_cast<int>(std::lround(std::fabs(base.pointSizeF())));
    return {policeDeTaille(base, S, enPixels), policeDeTaille(base, S * 3 / 4, enPixels)};
}

int largeurMorceaux(const TPolices& p, const std::vector<TMorceauTexte>& morceaux)
{
    QFontMetrics mN(p.normale), mP(p.petite);
    int w = 0;
    for (const auto& m : morceaux) {
        QString s = QString::fromUtf8(m.texte.c_str(), static_cast<qsizetype>(m.texte.size()));
        w += (m.hauteur == THauteurMorceau::normale ? mN : mP).horizontalAdvance(s);
    }
    return w;
}

THauteurMorceau hauteurDeMarque(char c, THauteurMorceau courante, bool& estMarque)
{
    estMarque = true;
    switch (c) {
    case '(':
    case 9:
        return THauteurMorceau::haute;
    case '[':
    case 11:
        return THauteurMorceau::basse;
    case ')':
    case ']':
    case 10:
    case 12:
        return THauteurMorceau::normale;
    default:
        estMarque = false;
        return courante;
    }
}

} // namespace

std::vector<TMorceauTexte> decoupeExposant(const std::string& texte)
{
    std::vector<TMorceauTexte> morceaux;
    TMorceauTexte courant;
    auto termine = [&](THauteurMorceau suivante) {
        if (!courant.texte.empty())
            morceaux.push_back(courant);
        courant.texte.clear();
        courant.hauteur = suivante;
    };
    for (size_t i = 0; i < texte.size(); ++i) {
        char c = texte[i];
        if (c == '/' && i + 2 < texte.size() && texte[i + 1] == '/' && (texte[i + 2] == '1' || texte[i + 2] == '2')) {
            courant.texte += static_cast<char>(texte[i + 2] == '1' ? 7 : 8);
            i += 2;
            continue;
        }
        bool estMarque = false;
        THauteurMorceau h = hauteurDeMarque(c, courant.hauteur, estMarque);
        if (!estMarque) {
            courant.texte += c;
            continue;
        }
        bool crochet = c == '(' || c == ')' || c == '[' || c == ']';
        if (crochet && i + 1 < texte.size() && texte[i + 1] == c) {
            courant.texte += c; // a doubled bracket is the bracket itself
            ++i;
            continue;
        }
        termine(h);
    }
    termine(THauteurMorceau::normale);
    return morceaux;
}

int largeurAvecExposant(const QFont& police, const std::string& texte)
{
    return largeurMorceaux(polices(police), decoupeExposant(texte));
}

void ecritAvecExposant(QPainter& canvas, int x, int y, int limiteDroite, int limiteBas, int ancrage,
                       int effet, int clTexte, int clFond, int clHalo, const std::string& texte)
{
    canvas.save();
    TPolices p = polices(canvas.font());
    auto morceaux = decoupeExposant(texte);
    int w = largeurMorceaux(p, morceaux);
    QFontMetrics mN(p.normale), mP(p.petite);
    int h = mN.height();
    int r = h / 4;

    switch (ancrage) {
    case ancrageBasDroite:
        x = x - w - 2 * r;
        y = y - h;
        break;
    case ancrageHautDroite:
        x = x - w - 2 * r;
        break;
    case ancrageBasGauche:
        y = y - h;
        break;
    case ancrageCentre:
        x = x + (limiteDroite - x - w - 2 * r) / 2;
        break;
    default:
        break;
    }
    if (limiteDroite > 0) {
        x = std::min(x, limiteDroite - w - 2 * r);
        y = std::min(y, limiteBas - 2 * r);
    }
    if (limiteBas > 0) {
        x = std::max(x, 0);
        y = std::max(y, 0);
    }

    if (clFond >= -999) {
        canvas.setPen(Qt::NoPen);
        canvas.setBrush(qcouleur(clFond));
        canvas.drawRect(QRect(QPoint(x, y), QPoint(x + w + 2 * r - 1, y + h + 1)));
    }
    canvas.setBrush(Qt::NoBrush);

    auto dessineTout = [&](int dx, int dy, const QColor& couleur) {
        canvas.setPen(couleur);
        int xPlume = x + r - 1 + (clHalo > couleurAbsente ? 2 : 0) + dx;
        for (const auto& m : morceaux) {
            QString s = QString::fromUtf8(m.texte.c_str(), static_cast<qsizetype>(m.texte.size()));
            bool normale = m.hauteur == THauteurMorceau::normale;
            const QFontMetrics& fm = normale ? mN : mP;
            canvas.setFont(normale ? p.normale : p.petite);
            int haut = y + dy + (m.hauteur == THauteurMorceau::basse ? h / 2 : 0);
            canvas.drawText(QPoint(xPlume, haut + fm.ascent()), s);
            xPlume += fm.horizontalAdvance(s);
        }
    };

    if (effet == effetHalo) {
        QColor halo = qcouleur(clHalo);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                dessineTout(dx, dy, halo);
    } else if (effet == effetRelief) {
        static constexpr int noirs[4][2] = {{1, 1}, {0, 1}, {1, 0}, {1, -1}};
        static constexpr int blancs[3][2] = {{-1, -1}, {-1, 0}, {0, -1}};
        for (const auto& d : noirs)
            dessineTout(d[0], d[1], Qt::black);
        for (const auto& d : blancs)
            dessineTout(d[0], d[1], Qt::white);
    }
    dessineTout(0, 0, qcouleur(clTexte));
    canvas.restore();
}

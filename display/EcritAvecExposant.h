#pragma once
// Labels with raised and lowered parts: "(" opens a superscript and ")"
// closes it, "[" opens a subscript and "]" closes it; a doubled bracket is
// the bracket itself; the characters 9, 10, 11 and 12 (as formatValeur's
// power-of-ten style writes them) stand for the four brackets; "//1" and
// "//2" stand for the characters 7 and 8.
#include <QFont>
#include <QPainter>
#include <string>
#include <vector>

enum class THauteurMorceau { normale, haute, basse };

struct TMorceauTexte {
    THauteurMorceau hauteur = THauteurMorceau::normale;
    std::string texte;
};

// Splits a marked-up text into runs of normal, raised and lowered characters.
std::vector<TMorceauTexte> decoupeExposant(const std::string& texte);

// Anchors of ecritAvecExposant.
enum : int {
    ancrageHautGauche = 0,
    ancrageBasDroite = 1,
    ancrageHautDroite = 2,
    ancrageBasGauche = 4,
    ancrageCentre = 5,
};
// Effects.
enum : int { effetAucun = 0, effetHalo = 1, effetRelief = 2 };
// A background colour below this is transparent; a halo colour above it
// shifts the text 2 pixels right.
inline constexpr int couleurAbsente = -1000;

// Width of the marked-up text at the painter's font, without the margins.
int largeurAvecExposant(const QFont& police, const std::string& texte);

// Draws a marked-up text. Colours are red + 256 × green + 65536 × blue; a
// limit of 0 or less means none. The painter's state is restored.
void ecritAvecExposant(QPainter& canvas, int x, int y, int limiteDroite, int limiteBas, int ancrage,
                       int effet, int clTexte, int clFond, int clHalo, const std::string& texte);

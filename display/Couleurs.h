#pragma once
// Colours of the screen and the default colours of the inputs' curves.
#include "display/DonneesCourbes.h"

#include <QColor>
#include <QRgb>
#include <array>

// Background of the margins and of the small images.
inline constexpr TColor clFondEcran = 240 + 256 * 240 + 65536 * 240;

// Default colour of each input's curves (clsV0).
std::array<TColor, 8> couleursDefautVoies();

inline QColor qcouleur(TColor c)
{
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

inline QRgb qrgbDe(TColor c)
{
    return qRgb(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

#include "display/Couleurs.h"

#include "model/UniteBaseCouleurs.h"

std::array<TColor, 8> couleursDefautVoies()
{
    return {
        0x02000090,
        0x02854200,
        assombrirCouleur(0x0228AB34, 30),
        0x028F8F8F,
        0x020000D0,
        0x02EF7E00,
        assombrirCouleur(0x0287FFBB, 30),
        0x02363636,
    };
}

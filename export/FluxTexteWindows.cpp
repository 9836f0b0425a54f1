#include "export/FluxTexteWindows.h"

#include "export/FichierTexteWindows.h"

#include <cstring>

namespace {
// Large enough that the disk sees few writes, small enough to stay in cache.
const std::size_t kTailleTampon = 1 << 18;
} // namespace

TFluxTexteWindows::TFluxTexteWindows(const QString& chemin) : fichier_(chemin)
{
}

bool TFluxTexteWindows::ouvre()
{
    tampon_.resize(qsizetype(kTailleTampon));
    rempli_ = 0;
    echec_ = !fichier_.open(QIODevice::WriteOnly);
    return !echec_;
}

void TFluxTexteWindows::vide()
{
    if (!echec_ && rempli_ > 0 && fichier_.write(tampon_.constData(), qint64(rempli_)) != qint64(rempli_))
        echec_ = true;
    rempli_ = 0;
}

char* TFluxTexteWindows::place(std::size_t taille)
{
    if (rempli_ + taille + 2 > std::size_t(tampon_.size())) {
        vide();
        if (taille + 2 > std::size_t(tampon_.size()))
            tampon_.resize(qsizetype(taille + 2));
    }
    return tampon_.data() + rempli_;
}

void TFluxTexteWindows::finLigne(char* fin)
{
    *fin++ = '\r';
    *fin++ = '\n';
    rempli_ = std::size_t(fin - tampon_.data());
}

void TFluxTexteWindows::ligne(const QString& texte)
{
    // octetsWindows1252 ends the line itself.
    const QByteArray octets = octetsWindows1252({texte});
    char* debut = place(std::size_t(octets.size()));
    std::memcpy(debut, octets.constData(), std::size_t(octets.size()));
    rempli_ += std::size_t(octets.size());
}

bool TFluxTexteWindows::termine(QString* erreur)
{
    vide();
    // flush() first: commit() puts a file whose buffered end could not be
    // written in place all the same.
    const bool ecrit = !echec_ && fichier_.flush() && fichier_.commit();
    if (!ecrit) {
        if (erreur != nullptr)
            *erreur = fichier_.errorString();
        fichier_.cancelWriting();
    }
    return ecrit;
}

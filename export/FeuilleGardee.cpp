#include "export/FeuilleGardee.h"

#include <QDir>

namespace {
// Rows gathered before a write to the disk, and read back at once.
const std::size_t kLignesParBloc = 4096;
} // namespace

TFeuilleGardee::TFeuilleGardee(TEnteteFeuille entete, int nbColonnes)
    : entete_(std::move(entete)), nbColonnes_(std::max(nbColonnes, 1))
{
}

bool TFeuilleGardee::ouvre()
{
    fichier_ = std::make_unique<QTemporaryFile>(QDir::tempPath() + QStringLiteral("/galvora-feuille-XXXXXX"));
    tampon_.clear();
    tampon_.reserve(kLignesParBloc * std::size_t(nbColonnes_));
    nbLignes_ = 0;
    echec_ = !fichier_->open();
    return !echec_;
}

bool TFeuilleGardee::vide()
{
    const qint64 octets = qint64(tampon_.size() * sizeof(double));
    if (!echec_ && octets > 0 && fichier_->write(reinterpret_cast<const char*>(tampon_.data()), octets) != octets)
        echec_ = true;
    tampon_.clear();
    return !echec_;
}

void TFeuilleGardee::ajoute(const double* valeurs)
{
    tampon_.insert(tampon_.end(), valeurs, valeurs + nbColonnes_);
    ++nbLignes_;
    if (tampon_.size() >= kLignesParBloc * std::size_t(nbColonnes_))
        vide();
}

bool TFeuilleGardee::termine()
{
    return vide() && fichier_->flush();
}

bool TFeuilleGardee::relit(const std::function<void(const double*)>& ligne)
{
    if (echec_ || !fichier_ || !fichier_->seek(0))
        return false;
    std::vector<double> bloc(kLignesParBloc * std::size_t(nbColonnes_));
    int64_t restantes = nbLignes_;
    while (restantes > 0) {
        const int64_t n = std::min<int64_t>(restantes, int64_t(kLignesParBloc));
        const qint64 octets = qint64(n) * nbColonnes_ * qint64(sizeof(double));
        if (fichier_->read(reinterpret_cast<char*>(bloc.data()), octets) != octets)
            return false;
        for (int64_t r = 0; r < n; ++r)
            ligne(bloc.data() + r * nbColonnes_);
        restantes -= n;
    }
    // Rows may be added after a reading.
    return fichier_->seek(fichier_->size());
}

#include "display/ModeleTableau.h"

#include <algorithm>

namespace {

QString texte(const std::string& s)
{
    return QString::fromStdString(s);
}

} // namespace

TModeleTableau::TModeleTableau(const TMesures& mesures, QObject* parent)
    : QAbstractTableModel(parent), mesures_(mesures)
{
}

void TModeleTableau::remplit()
{
    TContenuTableau c;
    const TMesures& m = mesures_;
    c.NC = std::clamp<int>(m.nbVoiesMesurees, 0, static_cast<int>(m.voiesMesurees.size()));
    c.N = c.NC > 0 ? std::max<int64_t>(m.nbPtsAffAX, 0) : 0;
    c.uniteT = uniteTemps(m.dureeTotaleAX);
    c.dtAX = m.dtAX;
    c.t0 = m.t0;
    for (int i = 0; i < c.NC; ++i) {
        const TVoieMesuree& vm = m.voiesMesurees[std::size_t(i)];
        c.sEnteteVM.push_back(vm.sEnteteVM);
        c.sUniteVM.push_back(vm.sUniteVM);
        c.multVM.push_back(vm.multVM);
    }
    beginResetModel();
    contenu_ = std::move(c);
    endResetModel();
}

QString TModeleTableau::texteCellule(int colonne, int64_t k) const
{
    const TContenuTableau& c = contenu_;
    if (k < 0 || k >= c.N)
        return {};
    if (colonne == 0)
        return QString::number(k);
    if (colonne == 1)
        return texte(texteTemps(k, c.dtAX, c.t0, c.uniteT.multT));
    const int i = colonne - 2;
    // A run that does not add its curves drops the kept ones (their count
    // falls to 0) and a deletion moves them: until the table is filled
    // again, the columns of curves that are gone stay empty.
    if (i < 0 || i >= c.NC || i >= mesures_.nbVoiesMesurees || std::size_t(i) >= mesures_.tv2.size())
        return {};
    const std::vector<float>& u = mesures_.tv2[std::size_t(i)];
    if (std::size_t(k) >= u.size())
        return {};
    return texte(texteValeur(u[std::size_t(k)], c.multVM[std::size_t(i)], c.dtAX));
}

QString TModeleTableau::texteTitre(int colonne) const
{
    if (colonne == 0)
        return QString::fromUtf8(marqueCoin);
    if (colonne == 1)
        return QStringLiteral("t");
    const int i = colonne - 2;
    return i >= 0 && i < contenu_.NC ? texte(contenu_.sEnteteVM[std::size_t(i)]) : QString();
}

QString TModeleTableau::texteUnite(int colonne) const
{
    if (colonne == 0)
        return QStringLiteral("Unités");
    if (colonne == 1)
        return QString::fromUtf8(contenu_.uniteT.sUniteT);
    const int i = colonne - 2;
    return i >= 0 && i < contenu_.NC ? texte(contenu_.sUniteVM[std::size_t(i)]) : QString();
}

int TModeleTableau::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(contenu_.N);
}

int TModeleTableau::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() || contenu_.NC == 0 ? 0 : contenu_.NC + 2;
}

QVariant TModeleTableau::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::AccessibleTextRole))
        return {};
    return texteCellule(index.column(), index.row());
}

QVariant TModeleTableau::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Vertical)
        return role == Qt::DisplayRole ? QVariant(section) : QVariant();
    switch (role) {
    case roleLigneTitre:
        return texteTitre(section);
    case roleLigneUnite:
        return texteUnite(section);
    case Qt::DisplayRole:
    case Qt::AccessibleTextRole:
        // Read out as one heading: the name and its unit.
        return section == 0 ? texteTitre(section) : texteTitre(section) + QStringLiteral(" (") + texteUnite(section) +
                                                         QStringLiteral(")");
    default:
        return {};
    }
}

Qt::ItemFlags TModeleTableau::flags(const QModelIndex& index) const
{
    // Readable, never selectable nor editable.
    return index.isValid() ? Qt::ItemIsEnabled : Qt::NoItemFlags;
}

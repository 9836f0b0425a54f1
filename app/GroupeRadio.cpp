#include "app/GroupeRadio.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TGroupeRadio::TGroupeRadio(const QString& titre, QWidget* parent, int colonnes)
    : QGroupBox(titre, parent)
    , groupe_(new QButtonGroup(this))
    , grille_(new QGridLayout(this))
    , colonnes_(std::max(colonnes, 1))
{
    groupe_->setExclusive(true);
    grille_->setContentsMargins(3, 1, 3, 1);
    grille_->setSpacing(0);
    connect(groupe_, &QButtonGroup::idClicked, this, &TGroupeRadio::itemClique);
}

void TGroupeRadio::setItems(const QStringList& items)
{
    for (QRadioButton* bouton : boutons_) {
        groupe_->removeButton(bouton);
        delete bouton;
    }
    boutons_.clear();
    for (int i = 0; i < items.size(); ++i) {
        auto* bouton = new QRadioButton(items[i], this);
        groupe_->addButton(bouton, i);
        grille_->addWidget(bouton, i / colonnes_, i % colonnes_);
        boutons_.push_back(bouton);
    }
}

QString TGroupeRadio::itemText(int index) const
{
    return index >= 0 && index < count() ? boutons_[size_t(index)]->text() : QString();
}

int TGroupeRadio::itemIndex() const
{
    return groupe_->checkedId();
}

void TGroupeRadio::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        boutons_[size_t(index)]->setChecked(true);
        return;
    }
    // No item: the exclusive group would keep the checked one.
    groupe_->setExclusive(false);
    for (QRadioButton* bouton : boutons_)
        bouton->setChecked(false);
    groupe_->setExclusive(true);
}

QRadioButton* TGroupeRadio::bouton(int index) const
{
    return index >= 0 && index < count() ? boutons_[size_t(index)] : nullptr;
}

#include "app/GroupeRadio.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGridLayout>
#include <QRadioButton>

TGroupeRadio::TGroupeRadio(const QString& titre, QWidget* parent, int colonnes)
    : QGroupBox(titre, parent)
    , groupe_(new QButtonGroup(this))
    , grille_(new QGridLayout(this))
    , colonnes_(std::max(colonnes, 1))
{
    groupe_->setExclusive(true);
    grille_->setContentsMargins(3, 0, 3, 0);
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
        bouton->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
        groupe_->addButton(bouton, i);
        grille_->addWidget(bouton, i / colonnes_, i % colonnes_);
        boutons_.push_back(bouton);
    }
    compacteItems();
}

void TGroupeRadio::compacteItems()
{
    // Compact rows: a channel panel holds four calibres per input.
    QFont police = font();
    police.setPixelSize(std::max(6, QFontInfo(font()).pixelSize() * 9 / 10));
    const int hauteur = QFontMetrics(police).height() + 1;
    for (QRadioButton* bouton : boutons_) {
        bouton->setFont(police);
        bouton->setFixedHeight(hauteur);
    }
}

void TGroupeRadio::changeEvent(QEvent* event)
{
    QGroupBox::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        compacteItems();
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

QSize TCaseCompacte::sizeHint() const
{
    const QSize normale = QCheckBox::sizeHint();
    return {normale.width(), std::min(normale.height(), fontMetrics().height() + 2)};
}

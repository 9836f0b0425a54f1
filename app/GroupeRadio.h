#pragma once
// A captioned group of exclusive radio buttons with an item index, as the
// calibre and edge choices of the panels use it. Only a user's click emits
// itemClique; setting the index from the program is silent.
#include <QGroupBox>
#include <QStringList>
#include <vector>

class QButtonGroup;
class QGridLayout;
class QRadioButton;

class TGroupeRadio : public QGroupBox {
    Q_OBJECT
public:
    explicit TGroupeRadio(const QString& titre, QWidget* parent = nullptr, int colonnes = 1);

    void setItems(const QStringList& items);
    void clear() { setItems({}); }
    int count() const { return static_cast<int>(boutons_.size()); }
    QString itemText(int index) const;
    // -1 when no item is checked.
    int itemIndex() const;
    void setItemIndex(int index);
    QRadioButton* bouton(int index) const;

signals:
    void itemClique(int index);

private:
    QButtonGroup* groupe_;
    QGridLayout* grille_;
    int colonnes_;
    std::vector<QRadioButton*> boutons_;
};

#pragma once
// A captioned group of exclusive radio buttons with an item index, as the
// calibre and edge choices of the panels use it. Only a user's click emits
// itemClique; setting the index from the program is silent.
#include <QCheckBox>
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

protected:
    void changeEvent(QEvent* event) override;

private:
    void compacteItems();

    QButtonGroup* groupe_;
    QGridLayout* grille_;
    int colonnes_;
    std::vector<QRadioButton*> boutons_;
};

// A check box only as high as its text: the channel panel stacks several.
class TCaseCompacte : public QCheckBox {
public:
    using QCheckBox::QCheckBox;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
};

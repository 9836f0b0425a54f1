#include "display/PanelMesuresSurEcran.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLineEdit* lecture(QWidget* parent)
{
    auto* e = new QLineEdit(parent);
    e->setReadOnly(true);
    return e;
}

} // namespace

TPanelMesuresSurEcran::TPanelMesuresSurEcran(TEcran& ecran, QWidget* parent) : QWidget(parent), ecran_(ecran)
{
    auto* grille = new QGridLayout(this);
    CBAxes = new QComboBox(this);
    EditT0M = lecture(this);
    EditTFM = lecture(this);
    EditDTM = lecture(this);
    EditUmaxM = lecture(this);
    EditUMinM = lecture(this);
    EditDUM = lecture(this);
    BFermerMesuresSurEcran = new QPushButton(QStringLiteral("Fermer"), this);
    int ligne = 0;
    grille->addWidget(new QLabel(QStringLiteral("Axe"), this), ligne, 0);
    grille->addWidget(CBAxes, ligne++, 1);
    const std::pair<const char*, QLineEdit*> lignes[] = {
        {"t1", EditT0M}, {"t2", EditTFM}, {"t2 - t1", EditDTM},
        {"U1", EditUmaxM}, {"U2", EditUMinM}, {"|U1 - U2|", EditDUM},
    };
    for (auto [texte, edit] : lignes) {
        grille->addWidget(new QLabel(QString::fromUtf8(texte), this), ligne, 0);
        grille->addWidget(edit, ligne++, 1);
    }
    grille->addWidget(BFermerMesuresSurEcran, ligne, 0, 1, 2);

    connect(CBAxes, &QComboBox::currentIndexChanged, this, [this](int axe) {
        if (!bloque_ && axe >= 0)
            ecran_.choisitAxeMesures(axe);
    });
}

void TPanelMesuresSurEcran::MAJAxes()
{
    bloque_ = true;
    CBAxes->clear();
    for (const std::string& libelle : ecran_.libellesAxes())
        CBAxes->addItem(QString::fromStdString(libelle));
    CBAxes->setCurrentIndex(ecran_.geometrie.axeQuadrilleX);
    bloque_ = false;
    MAJLectures();
}

void TPanelMesuresSurEcran::MAJLectures()
{
    auto montre = [](QLineEdit* e, const std::string& t) {
        e->setText(QString::fromStdString(t));
        e->repaint();
    };
    montre(EditT0M, ecran_.EditT0M);
    montre(EditTFM, ecran_.EditTFM);
    montre(EditDTM, ecran_.EditDTM);
    montre(EditUmaxM, ecran_.EditUmaxM);
    montre(EditUMinM, ecran_.EditUMinM);
    montre(EditDUM, ecran_.EditDUM);
    bloque_ = true;
    if (CBAxes->currentIndex() != ecran_.geometrie.axeQuadrilleX)
        CBAxes->setCurrentIndex(ecran_.geometrie.axeQuadrilleX);
    bloque_ = false;
}

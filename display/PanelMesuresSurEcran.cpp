#include "display/PanelMesuresSurEcran.h"

#include <QGridLayout>
#include <QLabel>

namespace {

QLineEdit* lecture(QWidget* parent, const char* nom, const char* bulle)
{
    auto* e = new QLineEdit(parent);
    e->setObjectName(QString::fromUtf8(nom));
    e->setAccessibleName(QString::fromUtf8(nom));
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::NoFocus);
    e->setToolTip(QString::fromUtf8(bulle));
    return e;
}

} // namespace

TPanelMesuresSurEcran::TPanelMesuresSurEcran(TEcran& ecran, QWidget* parent) : QWidget(parent), ecran_(ecran)
{
    setObjectName(QStringLiteral("PanelMesuresSurEcran"));
    setAutoFillBackground(true);
    auto* grille = new QGridLayout(this);
    const char* bulleAxes = "Sélection de l'axe vertical sur lequel  \nportent les mesures de tension";
    CBAxes = new QComboBox(this);
    CBAxes->setObjectName(QStringLiteral("CBAxes"));
    CBAxes->setAccessibleName(QStringLiteral("CBAxes"));
    CBAxes->setToolTip(QString::fromUtf8(bulleAxes));
    const char* bulleT1 = "Indique l'instant correspondant à la position\ndu curseur vertical de gauche";
    EditT0M = lecture(this, "EditT0M", bulleT1);
    EditTFM = lecture(this, "EditTFM", "Indique l'instant correspondant à la position\ndu curseur vertical de droite");
    EditDTM = lecture(this, "EditDTM", "Indique l'intervalle de temps entre les deux\ncurseurs verticaux");
    EditUmaxM = lecture(this, "EditUmaxM", "Indique la valeur correspondant à la position\ndu curseur horizontal du haut");
    EditUMinM = lecture(this, "EditUMinM", "Indique la valeur correspondant à la position\ndu curseur horizontal du bas");
    EditDUM = lecture(this, "EditDUM", "Indique l'intervalle de tension entre les \ndeux curseurs horizontaux");
    BFermerMesuresSurEcran = new QPushButton(QStringLiteral("Fermer"), this);
    BFermerMesuresSurEcran->setObjectName(QStringLiteral("BFermerMesuresSurEcran"));
    BFermerMesuresSurEcran->setAccessibleName(QStringLiteral("BFermerMesuresSurEcran"));
    int ligne = 0;
    auto* libelleAxes = new QLabel(QStringLiteral("Axe"), this);
    libelleAxes->setToolTip(QString::fromUtf8(bulleAxes));
    grille->addWidget(libelleAxes, ligne, 0);
    grille->addWidget(CBAxes, ligne++, 1);
    const std::pair<const char*, QLineEdit*> lignes[] = {
        {"t1", EditT0M}, {"t2", EditTFM}, {"t2 - t1", EditDTM},
        {"U1", EditUmaxM}, {"U2", EditUMinM}, {"|U1 - U2|", EditDUM},
    };
    for (auto [texte, edit] : lignes) {
        auto* libelle = new QLabel(QString::fromUtf8(texte), this);
        // The second instant's label carries the first instant's hint.
        libelle->setToolTip(edit == EditTFM ? QString::fromUtf8(bulleT1) : edit->toolTip());
        grille->addWidget(libelle, ligne, 0);
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

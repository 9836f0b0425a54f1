#include "app/TFicheGVChoixCentrale.h"

#include "app/Messages.h"

#include <QFrame>
#include <QLabel>
#include <QPushButton>

namespace {
const int largeurBouton = 160;
const int hauteurBouton = 60;
const int largeurDescription = 470;
} // namespace

TFicheGVChoixCentrale::TFicheGVChoixCentrale(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Choix de la centrale"));
    PanelChoix = new QFrame(this);
    PanelChoix->setFrameShape(QFrame::StyledPanel);
    PanelChoix->move(10, 10);
    LabelTitre = new QLabel(QStringLiteral("Plusieurs centrales sont connectées à l'ordinateur.\r\n"
                                           "Veuillez choisir celle qui doit être utilisée.")
                                .replace(QStringLiteral("\r\n"), QStringLiteral("\n")),
                            PanelChoix);
    QFont police = LabelTitre->font();
    police.setBold(true);
    LabelTitre->setFont(police);
    LabelTitre->setGeometry(20, 20, largeurBouton + 20 + largeurDescription, 40);

    const char* const noms[3] = {"SYSAM SP5", "SYSAM V6", "SYSAM CAMPUS"};
    const char* const descriptions[3] = {
        "- Fréquence d'échantillonnage maximale 10 MHz, 500 kHz si mode différentiel \n\r- Mode différentiel "
        "indépendant par canal\n\r- 8 entrées (sur 4 canaux), 4 calibres par voie\n\r- Capteurs non reconnus "
        "automatiquement",
        "- Fréquence d'échantillonnage maximale 100 kHz sur une voie,\n\r  50 kHz si deux voies activées, 33 kHz si "
        "trois voies activées  \n\r- 3 entrées analogiques différentielles de tension, 4 calibres\n\r  virtuels par "
        "voie\n\r- Capteurs non reconnus automatiquement",
        "- Fréquence d'échantillonnage maximale 10 MHz \n\r- 4 entrées différentielles de tension, 4 calibres par "
        "voie\n\r- Capteurs non reconnus automatiquement"};
    QPushButton** boutons[3] = {&BSP5, &BV6, &BCampus};
    QLabel** labels[3] = {&LSP5, &LV6, &LCampus};
    for (int i = 0; i < 3; ++i) {
        auto* bouton = new QPushButton(QString::fromUtf8(noms[i]), PanelChoix);
        bouton->setCheckable(true);
        // Space chooses a unit; Enter is OK's.
        bouton->setAutoDefault(false);
        bouton->setProperty("tag", i + 1);
        QFont policeBouton = bouton->font();
        policeBouton.setBold(true);
        bouton->setFont(policeBouton);
        connect(bouton, &QPushButton::clicked, this, [this, bouton] { BOKChoixCentraleClick(bouton); });
        *boutons[i] = bouton;
        *labels[i] = new QLabel(gv::texteAffichable(QString::fromUtf8(descriptions[i])), PanelChoix);
    }
    BOK = new QPushButton(QStringLiteral("OK"), PanelChoix);
    BAbandonner = new QPushButton(QStringLiteral("Abandonner"), PanelChoix);
    // Enter gives OK, Escape abandons as "Abandonner" does.
    BOK->setDefault(true);
    BAbandonner->setAutoDefault(false);
    connect(BOK, &QPushButton::clicked, this, [this] { done(resultatOK); });
    connect(BAbandonner, &QPushButton::clicked, this, [this] { done(resultatAbandon); });
    PrepareChoixCentrale({1, 2, 3});
}

QPushButton* TFicheGVChoixCentrale::boutonDuType(int type) const
{
    switch (type) {
    case 1:
        return BSP5;
    case 2:
        return BV6;
    case 3:
        return BCampus;
    default:
        return nullptr;
    }
}

void TFicheGVChoixCentrale::PrepareChoixCentrale(const std::set<int>& ListeTypesCentrales)
{
    int y = LabelTitre->geometry().bottom() + 1 + 40;
    int basDernier = y;
    int dernierType = 0;
    QLabel* const labels[3] = {LSP5, LV6, LCampus};
    for (int type = 1; type <= 3; ++type) {
        QPushButton* bouton = boutonDuType(type);
        QLabel* label = labels[type - 1];
        const bool montre = ListeTypesCentrales.count(type) > 0;
        bouton->setVisible(montre);
        label->setVisible(montre);
        if (!montre)
            continue;
        bouton->setGeometry(20, y, largeurBouton, hauteurBouton);
        label->setGeometry(20 + largeurBouton + 20, y - 10, largeurDescription, 90);
        basDernier = y + hauteurBouton;
        dernierType = type;
        y += 100;
    }
    // OK comes 100 pixels under the last SP5 or V6 button, 40 pixels under
    // the CAMPUS button (whose description is shorter).
    const int yBoutons = dernierType == 3 ? basDernier + 40 : basDernier - hauteurBouton + 100;
    BOK->setGeometry(20 + largeurBouton + 20, yBoutons, 120, 30);
    BAbandonner->setGeometry(20 + largeurBouton + 20 + 140, yBoutons, 120, 30);
    PanelChoix->resize(20 + largeurBouton + 20 + largeurDescription + 20, yBoutons + 30 + 20);
    setFixedSize(PanelChoix->width() + 20, PanelChoix->height() + 20);
}

void TFicheGVChoixCentrale::FormShow(int typeCentraleActive)
{
    for (int type = 1; type <= 3; ++type)
        boutonDuType(type)->setChecked(type == typeCentraleActive);
    typeCentraleAActiver1 = typeCentraleActive > 0 ? typeCentraleActive : -1;
    BOK->setEnabled(typeCentraleActive > 0);
}

void TFicheGVChoixCentrale::BOKChoixCentraleClick(QPushButton* bouton)
{
    // One exclusive group that may be all up.
    for (int type = 1; type <= 3; ++type)
        if (boutonDuType(type) != bouton)
            boutonDuType(type)->setChecked(false);
    if (bouton->isChecked()) {
        typeCentraleAActiver1 = bouton->property("tag").toInt();
        BOK->setEnabled(true);
    } else {
        typeCentraleAActiver1 = -1;
        BOK->setEnabled(false);
    }
}

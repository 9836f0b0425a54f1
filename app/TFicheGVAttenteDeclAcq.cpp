#include "app/TFicheGVAttenteDeclAcq.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TFicheGVAttenteDeclAcq::TFicheGVAttenteDeclAcq(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FicheGVAttenteDeclAcq"));
    setWindowTitle(QStringLiteral("Attente de déclenchement un peu longue..."));
    setModal(false);
    auto* colonne = new QVBoxLayout(this);
    LMessage = new QLabel(QStringLiteral("Le déclenchement se fait attendre... Que faut-il faire ?"), this);
    colonne->addWidget(LMessage);
    // The buttons carry no action: the run is stopped from the main window.
    BContinuer = new QPushButton(QStringLiteral("Continuer d'attendre"), this);
    BVerifier = new QPushButton(QStringLiteral("Vérifier la connexion de la centrale "), this);
    BArreter = new QPushButton(QStringLiteral("Arrêter l'acquisition"), this);
    for (QPushButton* bouton : {BContinuer, BVerifier, BArreter}) {
        bouton->setAutoDefault(false);
        colonne->addWidget(bouton);
    }
}

void TFicheGVAttenteDeclAcq::montre()
{
    if (isVisible())
        return;
    adjustSize();
    if (QWidget* fiche = parentWidget()) {
        const QRect cadre = fiche->frameGeometry();
        move(cadre.center() - rect().center());
    }
    show();
}

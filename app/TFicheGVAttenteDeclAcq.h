#pragma once
// Shown, without waiting for an answer, when the trigger of a run is slow to
// come. The run goes on behind it until the trigger comes, the user presses
// "Arrêter" on the main window, or the unit is found absent.
#include <QDialog>

class QLabel;
class QPushButton;

class TFicheGVAttenteDeclAcq : public QDialog {
    Q_OBJECT
public:
    explicit TFicheGVAttenteDeclAcq(QWidget* parent = nullptr);

    // Shows the dialog centred on its parent; nothing changes when it is
    // already visible.
    void montre();

    QLabel* LMessage = nullptr;
    QPushButton* BContinuer = nullptr;
    QPushButton* BVerifier = nullptr;
    QPushButton* BArreter = nullptr;
};

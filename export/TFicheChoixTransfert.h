#pragma once
// What the three transfer choice dialogs (Excel, REGRESSI, Calc) share: a
// sentence, two exclusive choices separated by "ou bien", OK enabled only
// once a choice is made, Cancel, a picture, and a background that fades from
// light grey-green on the left to white on the right.
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QRadioButton;

class TFicheChoixTransfert : public QDialog {
    Q_OBJECT
public:
    // The answer of demandeChoix: the first choice (new workbook, new
    // document), the second (new sheet, new page), or nothing (Cancel).
    enum : int { choixAnnule = -1, choixPremier = 0, choixSecond = 1 };

    // Shows the dialog with neither choice checked and OK disabled (through
    // gv::executeDialogue, so that a test can answer it); returns choix()
    // after OK, choixAnnule after Cancel.
    int demandeChoix();

    // 0 or 1 when a radio button is checked, -1 otherwise.
    int choix() const;

    // The colour of column i of a client area `largeur` pixels wide:
    // RGB(224, 228, 224) lightened by i / (largeur - 1) × 100 %, as
    // red + 256 × green + 65536 × blue.
    static int couleurColonne(int i, int largeur);

    enum class TImage { tableur, regressi };

protected:
    struct TTextes {
        QString titre;     // caption
        QString texte;     // the sentence before the choices
        QString choix1, choix2;
        QString nomChoix1, nomChoix2, nomOK, nomAnnuler; // object names
    };
    TFicheChoixTransfert(const TTextes& textes, TImage image, QWidget* parent);

    QRadioButton* choixUn = nullptr;
    QRadioButton* choixDeux = nullptr;
    QPushButton* boutonOK = nullptr;
    QPushButton* boutonAnnuler = nullptr;
    QLabel* image = nullptr;

    void paintEvent(QPaintEvent* evenement) override;

private:
    void choixClique();
    void reinitialise();
};

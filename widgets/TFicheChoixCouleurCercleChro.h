#pragma once
// The colour chooser: a painted colour circle on the left, on which the
// colour under the pointer is taken as it moves and kept for 5 s after a
// click; three boxes and gauges for its red, green and blue components on
// the right; a sample of the colour on black and on white below them.
// The circle is computed once, at the first activation, and then only
// stretched when the window is resized.
#include <QDialog>
#include <QImage>
#include <QTimer>
#include <cstdint>

class QFrame;
class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QStatusBar;

class TFicheChoixCouleurCercleChro : public QDialog {
    Q_OBJECT
public:
    explicit TFicheChoixCouleurCercleChro(QWidget* parent = nullptr);

    // Paints the sample: with option 0 its black and white halves first,
    // then on each half a rectangle of the chosen colour.
    void echantillon(int option);

    // The left part and the circle.
    QFrame* Panel5 = nullptr;
    QLabel* LPanel5 = nullptr; // its caption, until the circle is ready
    QWidget* pbC = nullptr;
    // The components.
    QFrame* PanelReglages = nullptr;
    QProgressBar* GBleu = nullptr;
    QProgressBar* GVert = nullptr;
    QProgressBar* GRouge = nullptr;
    QSpinBox* SEBleu = nullptr;
    QSpinBox* SEVert = nullptr;
    QSpinBox* SERouge = nullptr;
    // The sample and the buttons.
    QFrame* PanelEchantillon = nullptr;
    QWidget* pbE = nullptr;
    QPushButton* ButtonOK = nullptr;
    QPushButton* ButtonAide = nullptr;
    QPushButton* ButtonAnnuler = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    // While it runs, moving over the circle changes nothing.
    QTimer TimerMM;

    QImage bm2;               // the painted circle
    uint32_t clChoisie = 0;   // red + 256 × green + 65536 × blue
    float rayon = 0;          // radius of the circle, pixels
    bool ajustage = false;    // a colour has been clicked
    bool premierActivate = true;
    uint8_t r1 = 0, v1 = 0, b1 = 0;

    // What the image shows (its picture), and the sample's picture.
    const QImage& imageCercle() const { return imagePbC_; }
    const QImage& imageEchantillon() const { return imagePbE_; }

    // The handlers, by their roles.
    void FormResize();
    void FormActivate();
    void pbCPaint(QWidget* sender);
    void pbCMouseMove(QPoint point);
    void pbCMouseDown(QPoint point);
    void FormMouseMove();
    void SERougeChange();
    void ButtonOKClick(QObject* sender);

protected:
    void showEvent(QShowEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void construit();
    void FormCreate();
    void prendCouleur(QPoint point);
    void afficheComposantes(uint8_t rouge, uint8_t vert, uint8_t bleu);
    void afficheJauges();

    QImage imagePbC_;
    QImage imagePbE_;
    bool bloque_ = false;
};

#pragma once
// The title window: shown while the program starts (its memo follows the
// detection of the units), then fading out; shown again by "about".
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;

class TFicheGVMixteTitre : public QWidget {
    Q_OBJECT
public:
    // What the unit page needs to know about the active unit.
    struct TEtatCentrale {
        bool estSP5 = false;
        bool installeeEtPresente = false;
    };

    explicit TFicheGVMixteTitre(const QString& version, QWidget* parent = nullptr);

    void ajouteLigneMemo(const QString& ligne);

    // Fading: each tick of TimerFicheTitre lowers the opacity by 5 of 255.
    void demarreFondu();
    void TimerFicheTitreTimer();
    void ButtonFermerFicheTitreClick();
    void PageControl1Change(int index);
    void afficheCaracteristiques();
    void prepareGuideLire();
    // The unit page ("Centrale en cours d'utilisation") shown or hidden.
    void afficheUnitePage(bool visible);
    void afficheNumeroSerie(const QString& numero);
    // "about": full opacity, the close button reads "Sysam, ferme-toi !".
    void montrePourAPropos();
    void setNombreUtilisations(int nombre);

    int alpha() const { return alpha_; }

    std::function<TEtatCentrale()> etatCentrale;

    QTimer TimerFicheTitre;
    QPushButton* ButtonFermerFicheTitre = nullptr;
    QTabWidget* PageControl1 = nullptr;
    QWidget* TSProgramme = nullptr;
    QWidget* TSInterface = nullptr;
    QLabel* LabelTitreFicheTitre = nullptr;
    QLabel* LabelVersion = nullptr;
    QLabel* LabelCreation = nullptr;
    QLabel* LabelObjectif = nullptr;
    QLabel* LabelNumUtilisation = nullptr;
    QLabel* LVorelia = nullptr;
    QPlainTextEdit* MemoDemarrage = nullptr;
    QLineEdit* EditNumeroSerie = nullptr;
    QLabel* LabelNonDisponible = nullptr;
    int hau = 0;
    int lar = 0;
    bool premiereFois = true;
    bool deuxiemeFois = false;

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* objet, QEvent* event) override;

private:
    void placeControles();
    // The memo hidden; the first time the pages lose its height.
    void retireMemo();
    // The end of the first fade: the window and the memo smaller, the close
    // button shown.
    void reduitPremiereFois();
    void setAlpha(int alpha);
    void centre();

    int alpha_ = 255;
    bool memoRetire_ = false;
};

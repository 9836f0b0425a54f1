#pragma once
// The non-visual component through which a caller lets the user pick a
// colour on the colour circle: it is given the colour and a title, shows the
// chooser modally and hands back the colour chosen with OK.
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QDialog;
class QWidget;

class TComposantChoixCouleurCercleChro : public QObject {
    Q_OBJECT
    Q_PROPERTY(uint couleur READ couleur WRITE setCouleur)
    Q_PROPERTY(uint rouge READ rouge WRITE setRouge)
    Q_PROPERTY(uint vert READ vert WRITE setVert)
    Q_PROPERTY(uint bleu READ bleu WRITE setBleu)
    Q_PROPERTY(QString titre READ titre WRITE setTitre)
public:
    // The chooser opens over `proprietaire`.
    explicit TComposantChoixCouleurCercleChro(QWidget* proprietaire = nullptr);

    // Always red + 256 × green + 65536 × blue of the three components.
    uint32_t couleur() const { return fCouleur; }
    uint8_t rouge() const { return fRouge; }
    uint8_t vert() const { return fVert; }
    uint8_t bleu() const { return fBleu; }
    QString titre() const { return fTitre; }
    // Takes the three components of c (its high byte is dropped).
    void setCouleur(uint32_t c);
    void setRouge(uint8_t v);
    void setVert(uint8_t v);
    void setBleu(uint8_t v);
    void setTitre(const QString& t) { fTitre = t; }

    // Shows the chooser on `couleur` with the caption `titre`; true when it
    // was closed with OK, and `couleur` is then the colour chosen. With
    // Annuler (or Escape) false, and nothing changes.
    bool execute();

    // How the chooser is shown modally; QDialog::exec when empty. The
    // program passes its own (which a test can operate).
    std::function<int(QDialog&)> executeur;

private:
    void recalculeCouleur();

    uint32_t fCouleur = 0;
    uint8_t fRouge = 0;
    uint8_t fVert = 0;
    uint8_t fBleu = 0;
    QString fTitre;
    QWidget* proprietaire_;
};

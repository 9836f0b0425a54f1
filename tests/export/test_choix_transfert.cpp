// The three transfer choice dialogs, operated as a user would: nothing
// chosen at first, OK only once a choice is made, the answer returned, and
// the background fading to white.
#include "app/Messages.h"
#include "export/TFicheGVMixteChoixTE.h"
#include "export/TFicheGVMixteChoixTOO.h"
#include "export/TFicheGVMixteChoixTR.h"
#include "model/UniteBaseCouleurs.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

#include <functional>
#include <memory>

namespace {

struct Modele {
    const char* titre;
    const char* texte;
    const char* choix1;
    const char* choix2;
    const char* noms[4]; // the two radio buttons, OK, Cancel
    std::function<std::unique_ptr<TFicheChoixTransfert>()> cree;
    std::function<int()> demande;
};

const std::vector<Modele>& modeles()
{
    static const std::vector<Modele> liste = {
        {"Transfert vers EXCEL...",
         "Lors du transfert vers EXCEL que vous souhaitez, vous pouvez, dans l'état actuel des choses, ",
         "créer un nouveau classeur EXCEL",
         "créer une nouvelle feuille dans le classeur EXCEL actif",
         {"RBNouveauClasseur", "RBNouvelleFeuille", "BChoixTEOK", "BChoixTEAnnuler"},
         [] { return std::make_unique<TFicheGVMixteChoixTE>(); },
         [] { return TFicheGVMixteChoixTE::demande(); }},
        {"Transfert vers REGRESSI...",
         "Lors du transfert vers REGRESSI que vous souhaitez, vous pouvez, dans l'état actuel des choses, ",
         "créer un nouveau document REGRESSI",
         "créer une nouvelle page dans REGRESSI actuellement en cours",
         {"RBNouveauFichier", "RBNouvellePage", "BChoixTROK", "BChoixTRAnnuler"},
         [] { return std::make_unique<TFicheGVMixteChoixTR>(); },
         [] { return TFicheGVMixteChoixTR::demande(); }},
        {"Transfert vers OpenOffice.org Calc",
         "Lors du transfert vers OpenOffice.org Calc que vous souhaitez, vous pouvez, dans l'état actuel des "
         "choses, ",
         "créer un nouveau classeur OpenOffice.org Calc",
         "créer une nouvelle feuille dans le classeur OpenOffice.org Calc actif",
         {"RBNouveauClasseurOO", "RBNouvelleFeuilleOO", "BChoixTOOOK", "BChoixTOOAnnuler"},
         [] { return std::make_unique<TFicheGVMixteChoixTOO>(); },
         [] { return TFicheGVMixteChoixTOO::demande(); }},
    };
    return liste;
}

template <typename T>
T* enfant(QDialog& d, const char* nom)
{
    return d.findChild<T*>(QString::fromUtf8(nom));
}

bool montreTexte(QDialog& d, const QString& texte)
{
    for (QLabel* l : d.findChildren<QLabel*>())
        if (l->text() == texte)
            return true;
    return false;
}

// What the user does in the dialog once it is on screen.
using Geste = std::function<void(QDialog&)>;

// Runs `demande` with the dialog shown and operated by `geste`; records
// what the dialog looked like when it appeared.
struct Passage {
    bool okActifAuDebut = true;
    bool unCocheAuDebut = true;
    int resultat = -2;
};

Passage passe(const Modele& m, const Geste& geste)
{
    Passage p;
    gv::installeIntercepteurDialogues([&](QDialog& d) {
        d.show();
        if (!QTest::qWaitForWindowExposed(&d))
            return int(QDialog::Rejected);
        p.okActifAuDebut = enfant<QPushButton>(d, m.noms[2])->isEnabled();
        p.unCocheAuDebut = enfant<QRadioButton>(d, m.noms[0])->isChecked()
            || enfant<QRadioButton>(d, m.noms[1])->isChecked();
        geste(d);
        const int r = d.isVisible() ? int(QDialog::Rejected) : d.result();
        d.hide();
        return r;
    });
    p.resultat = m.demande();
    gv::installeIntercepteurDialogues({});
    return p;
}

} // namespace

class TestChoixTransfert : public QObject {
    Q_OBJECT
private slots:
    void textesEtNoms()
    {
        for (const Modele& m : modeles()) {
            auto d = m.cree();
            QCOMPARE(d->windowTitle(), QString::fromUtf8(m.titre));
            QVERIFY(montreTexte(*d, QString::fromUtf8(m.texte)));
            QVERIFY(montreTexte(*d, QStringLiteral("ou bien")));
            QVERIFY(montreTexte(*d, QStringLiteral("Choisissez en cochant ci-dessus, puis cliquez sur -->")));
            QVERIFY(montreTexte(*d, QStringLiteral("Sinon: -->")));
            auto* rb1 = enfant<QRadioButton>(*d, m.noms[0]);
            auto* rb2 = enfant<QRadioButton>(*d, m.noms[1]);
            auto* ok = enfant<QPushButton>(*d, m.noms[2]);
            auto* annuler = enfant<QPushButton>(*d, m.noms[3]);
            QVERIFY(rb1 && rb2 && ok && annuler);
            QCOMPARE(rb1->text(), QString::fromUtf8(m.choix1));
            QCOMPARE(rb2->text(), QString::fromUtf8(m.choix2));
            QCOMPARE(ok->text(), QStringLiteral("OK"));
            QCOMPARE(annuler->text(), QStringLiteral("Annuler"));
            for (QWidget* w : {static_cast<QWidget*>(rb1), static_cast<QWidget*>(rb2), static_cast<QWidget*>(ok),
                               static_cast<QWidget*>(annuler)})
                QVERIFY2(!w->accessibleName().isEmpty(), qPrintable(w->objectName()));
            // A picture beside the choices.
            bool image = false;
            for (QLabel* l : d->findChildren<QLabel*>())
                image = image || !l->pixmap().isNull();
            QVERIFY(image);
        }
    }

    // Each choice by the mouse, and Cancel after a choice.
    void choixALaSouris()
    {
        for (const Modele& m : modeles()) {
            for (int choix : {0, 1}) {
                const Passage p = passe(m, [&](QDialog& d) {
                    auto* ok = enfant<QPushButton>(d, m.noms[2]);
                    QTest::mouseClick(enfant<QRadioButton>(d, m.noms[choix]), Qt::LeftButton);
                    QVERIFY(ok->isEnabled());
                    QTest::mouseClick(ok, Qt::LeftButton);
                });
                QVERIFY(!p.okActifAuDebut);
                QVERIFY(!p.unCocheAuDebut);
                QCOMPARE(p.resultat, choix);
            }
            const Passage annule = passe(m, [&](QDialog& d) {
                QTest::mouseClick(enfant<QRadioButton>(d, m.noms[1]), Qt::LeftButton);
                QTest::mouseClick(enfant<QPushButton>(d, m.noms[3]), Qt::LeftButton);
            });
            QCOMPARE(annule.resultat, -1);
        }
    }

    // OK stays disabled without a choice: clicking it or pressing Enter does
    // nothing; Escape cancels.
    void sansChoixPasDeOK()
    {
        const Modele& m = modeles()[0];
        const Passage p = passe(m, [&](QDialog& d) {
            QTest::mouseClick(enfant<QPushButton>(d, m.noms[2]), Qt::LeftButton);
            QTest::keyClick(&d, Qt::Key_Return);
            QVERIFY(d.isVisible());
            QTest::keyClick(&d, Qt::Key_Escape);
        });
        QCOMPARE(p.resultat, -1);
    }

    // From the keyboard: the focus starts on the first choice, the arrow
    // moves to the second, Space checks it, Enter is OK.
    void choixAuClavier()
    {
        for (const Modele& m : modeles()) {
            const Passage p = passe(m, [&](QDialog& d) {
                auto* rb1 = enfant<QRadioButton>(d, m.noms[0]);
                QTRY_VERIFY(rb1->hasFocus());
                QTest::keyClick(rb1, Qt::Key_Space);
                QVERIFY(rb1->isChecked());
                QTest::keyClick(rb1, Qt::Key_Down);
                QVERIFY(enfant<QRadioButton>(d, m.noms[1])->isChecked());
                QVERIFY(enfant<QPushButton>(d, m.noms[2])->isEnabled());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            });
            QCOMPARE(p.resultat, 1);
        }
    }

    // A dialog kept and shown again starts again with nothing chosen.
    void reutiliseSansChoix()
    {
        TFicheGVMixteChoixTE d;
        bool okActif = true, coche = true;
        int tour = 0;
        gv::installeIntercepteurDialogues([&](QDialog& dlg) {
            okActif = d.BChoixTEOK->isEnabled();
            coche = d.RBNouveauClasseur->isChecked() || d.RBNouvelleFeuille->isChecked();
            if (tour++ == 0) {
                d.RBNouvelleFeuille->click();
                d.BChoixTEOK->click();
            } else {
                d.BChoixTEAnnuler->click();
            }
            return dlg.result();
        });
        QCOMPARE(d.demandeChoix(), 1);
        QCOMPARE(d.demandeChoix(), -1);
        gv::installeIntercepteurDialogues({});
        QVERIFY(!okActif);
        QVERIFY(!coche);
    }

    void degrade()
    {
        QCOMPARE(TFicheChoixTransfert::couleurColonne(0, 401), couleurRGB(224, 228, 224));
        QCOMPARE(TFicheChoixTransfert::couleurColonne(400, 401), couleurRGB(255, 255, 255));
        // Half way: each component half way to 255, truncated.
        QCOMPARE(TFicheChoixTransfert::couleurColonne(200, 401), couleurRGB(239, 241, 239));

        for (const Modele& m : modeles()) {
            auto d = m.cree();
            d->show();
            QVERIFY(QTest::qWaitForWindowExposed(d.get()));
            const QImage image = d->grab().toImage();
            const int w = image.width();
            const int y = image.height() - 2; // the bottom margin: background only
            for (int x : {0, w / 3, w / 2, w - 1}) {
                const int attendu = TFicheChoixTransfert::couleurColonne(x, w);
                const QColor vu = image.pixelColor(x, y);
                QCOMPARE(couleurRGB(vu.red(), vu.green(), vu.blue()), attendu);
            }
        }
    }
};

QTEST_MAIN(TestChoixTransfert)
#include "test_choix_transfert.moc"

// Saves simulated measurements (three curves) as a text file and transfers
// them "to Excel" as a user's window would, with real message boxes, the
// choice dialog and the desktop's program for the workbook; to look at the
// files in the programs that open them.
// demo_export <documents folder> <optionTransfertEXCEL> [transfers]
#include "export/TexteTXT.h"
#include "export/TransfertExcel.h"
#include "mesures/TMesures.h"
#include "model/UniteBaseChaines.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <QWidget>

#include <cmath>

namespace {

TMesures mesuresSimulees(double phase)
{
    TMesures m;
    const int n = 1001;
    m.dtAX = 2e-5;
    m.nbPtsAX = n;
    m.dureeTotaleAX = n * m.dtAX;
    m.t0 = 0.0;
    m.tFin = (n - 1) * m.dtAX;
    const char* noms[3] = {"u[EA0]", "u[EA1]", "u[EA2-EA3]"};
    for (int i = 0; i < 3; ++i) {
        std::vector<float> v(static_cast<std::size_t>(n));
        for (int k = 0; k < n; ++k)
            v[std::size_t(k)] = float((3 - i) * std::sin(2 * M_PI * 100 * k * m.dtAX + phase + i));
        m.tv2.push_back(v);
        TVoieMesuree vm;
        vm.sEnteteVM = noms[i];
        m.voiesMesurees.push_back(vm);
    }
    m.nbVoiesMesurees = 3;
    return m;
}

// The window's side: its message box and progress bar.
class TFenetreDemo : public QWidget, public THoteTransfertExcelQt {
public:
    TFenetreDemo() : THoteTransfertExcelQt(this)
    {
        auto* l = new QVBoxLayout(this);
        EditMessageX = new QLabel(this);
        PBarExcel = new QProgressBar(this);
        l->addWidget(EditMessageX);
        l->addWidget(PBarExcel);
        resize(420, 80);
    }
    void debutTransfert() override { setEnabled(false); }
    void message(const QString& texte) override { EditMessageX->setText(texte); }
    void progression(int pourcent) override
    {
        PBarExcel->setValue(pourcent);
        QApplication::processEvents();
    }
    void finTransfert() override
    {
        PBarExcel->setValue(0);
        setEnabled(true);
    }

    QLabel* EditMessageX;
    QProgressBar* PBarExcel;
};

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    setSeparateurDecimal(',');
    const QString documents = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QDir::homePath();
    const int option = argc > 2 ? std::atoi(argv[2]) : 0;
    const int transferts = argc > 3 ? std::atoi(argv[3]) : 1;
    TFenetreDemo fenetre;
    fenetre.show();
    TEtatTransfertExcel etat;
    std::vector<std::string> aSupprimer;
    TOuvreurBureau bureau;
    for (int i = 0; i < transferts; ++i) {
        const TMesures m = mesuresSimulees(i);
        const QDateTime heure(QDate(2025, 12, 8), QTime(14, 3 + i, 27));
        TSourceTexte texte {&m, QStringLiteral("0.1.0.0"), QStringLiteral("SYSAM SP5"), heure,
                            QLocale(QLocale::French, QLocale::France)};
        if (i == 0)
            EnregistrerTXT(texte, QDir(documents).filePath(QStringLiteral("Galvora 001.txt")));
        TSourceClasseur classeur {&m, texte.nomCentrale, heure,
                                  QStringLiteral("08 déc. 25 - 14h 0%1mn").arg(3 + i),
                                  QStringLiteral("08 déc. 25 - 14h 0%1mn 27s").arg(3 + i), texte.locale};
        TransfertExcel(classeur, option, documents, etat, aSupprimer, fenetre, bureau);
    }
    return 0;
}

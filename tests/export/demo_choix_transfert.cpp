// Shows one of the transfer choice dialogs (TE, TR or TOO, first argument)
// for a few seconds, to look at it on a real display.
#include "export/TFicheGVMixteChoixTE.h"
#include "export/TFicheGVMixteChoixTOO.h"
#include "export/TFicheGVMixteChoixTR.h"

#include <QApplication>
#include <QRadioButton>
#include <QTimer>

#include <memory>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString genre = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("TE");
    std::unique_ptr<TFicheChoixTransfert> d;
    if (genre == QLatin1String("TR"))
        d = std::make_unique<TFicheGVMixteChoixTR>();
    else if (genre == QLatin1String("TOO"))
        d = std::make_unique<TFicheGVMixteChoixTOO>();
    else
        d = std::make_unique<TFicheGVMixteChoixTE>();
    // A second argument "1" checks the second choice, as after a click.
    if (argc > 2 && QByteArray(argv[2]) == "1")
        d->findChildren<QRadioButton*>().last()->click();
    d->show();
    QTimer::singleShot(argc > 3 ? atoi(argv[3]) : 4000, &app, &QApplication::quit);
    return app.exec();
}

// One copy per user: a second start ends at once.
#include "EnvironnementTest.h"
#include "app/InstanceUnique.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QtTest>
#include <filesystem>
#include <fstream>

class TestInstance : public QObject {
    Q_OBJECT
private slots:
    void unSeulVerrouParUtilisateur()
    {
        auto premier = gv::verrouInstance();
        QVERIFY(premier);
        QVERIFY(gv::cheminVerrouInstance().startsWith(QString::fromLocal8Bit(qgetenv("XDG_RUNTIME_DIR"))));
        QVERIFY(!gv::verrouInstance());
        premier.reset();
        QVERIFY(gv::verrouInstance());
    }

    void verrouDUnProgrammeArreteRepris()
    {
        // A copy that crashed left its lock behind: its process is gone.
        QProcess mort;
        mort.start(QStringLiteral("/bin/true"), {});
        QVERIFY(mort.waitForStarted());
        const qint64 pid = mort.processId();
        QVERIFY(mort.waitForFinished());
        {
            std::ofstream verrou(gv::cheminVerrouInstance().toStdString());
            verrou << pid << "\n" << QCoreApplication::applicationName().toStdString() << "\n"
                   << QSysInfo::machineHostName().toStdString() << "\n";
        }
        QVERIFY(gv::verrouInstance());
    }

    void secondDemarrageSeTermineSansFenetre()
    {
        auto premier = gv::verrouInstance();
        QVERIFY(premier);
        QProcess second;
        QElapsedTimer chrono;
        chrono.start();
        second.start(QStringLiteral(GALVORA_EXECUTABLE), {});
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(chrono.elapsed() < 10000);
    }
};

int main(int argc, char* argv[])
{
    const std::string racine = testgv::prepareEnvironnement("instance");
    QApplication application(argc, argv);
    TestInstance test;
    const int resultat = QTest::qExec(&test, argc, argv);
    std::filesystem::remove_all(racine);
    return resultat;
}

#include "test_instance.moc"

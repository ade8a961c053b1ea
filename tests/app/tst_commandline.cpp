// The program's command line, run as a user runs it from a terminal.
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

class TestCommandLine : public QObject
{
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
};

void TestCommandLine::answers_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("display"); // false: no display and no platform chosen
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("--help") << QStringList{"--help"} << false << 0 << "使い方: marvo"
                            << "";
    QTest::newRow("-h after a file") << QStringList{"some.qlm", "-h"} << false << 0 << "--version"
                                     << "";
    QTest::newRow("--version") << QStringList{"--version"} << false << 0 << "marvo 1.5.0\n"
                               << "";
    QTest::newRow("-- ends the options") << QStringList{"--", "--help"} << true << 1 << ""
                                         << "--help を開けません";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << true << 2 << ""
                                    << "不明なオプション --bogus";
    QTest::newRow("missing file") << QStringList{"nowhere/missing.qlm"} << true << 1 << ""
                                  << "missing.qlm を開けません";
}

void TestCommandLine::answers()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, display);
    QFETCH(int, status);
    QFETCH(QString, out);
    QFETCH(QString, err);
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (display)
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), home.path());
    env.insert(QStringLiteral("MARVO_SERVER_NAME"), home.filePath(QStringLiteral("socket")));
    QProcess marvo;
    marvo.setProcessEnvironment(env);
    marvo.setWorkingDirectory(home.path());
    marvo.start(QStringLiteral(MARVO_BIN), arguments);
    QVERIFY(marvo.waitForFinished(30000));
    QCOMPARE(marvo.exitStatus(), QProcess::NormalExit);
    const QString stdOut = QString::fromUtf8(marvo.readAllStandardOutput());
    const QString stdErr = QString::fromUtf8(marvo.readAllStandardError());
    QVERIFY2(stdOut.contains(out), qPrintable(stdOut));
    QVERIFY2(stdErr.contains(err), qPrintable(stdErr));
    QCOMPARE(stdOut.isEmpty(), out.isEmpty());
    QCOMPARE(stdErr.isEmpty(), err.isEmpty());
    QCOMPARE(marvo.exitCode(), status);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"

// The manual's pictures: the picture tool, run as `docs-pictures` runs it, makes every picture
// its list names, each a real window's picture, so none can show a window that is gone.

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>

class TestDocPictures : public QObject
{
    Q_OBJECT
private slots:
    void makesEveryListedPicture();
};

void TestDocPictures::makesEveryListedPicture()
{
    QFile list(QStringLiteral(PICTURES_LIST));
    QVERIFY(list.open(QIODevice::ReadOnly | QIODevice::Text));
    QStringList names;
    for (const QByteArray& line : list.readAll().split('\n'))
        if (!line.trimmed().isEmpty() && !line.startsWith('#'))
            names << QString::fromUtf8(line.split('\t').constFirst());
    QVERIFY(!names.isEmpty());

    QTemporaryDir out;
    QProcess tool;
    tool.start(QStringLiteral(DOCPICTURES_BIN), {list.fileName(), out.path()});
    QVERIFY(tool.waitForFinished(60000));
    QCOMPARE(tool.exitCode(), 0);
    for (const QString& name : names) {
        const QImage picture(out.filePath(name));
        QVERIFY2(picture.width() >= 300 && picture.height() >= 200, qPrintable(name));
        // Not blank: a window's picture has text, frames and icons in many colours.
        QSet<QRgb> colours;
        for (int y = 0; y < picture.height(); y += 7)
            for (int x = 0; x < picture.width(); x += 7)
                colours.insert(picture.pixel(x, y));
        QVERIFY2(colours.size() >= 16, qPrintable(name));
    }
}

QTEST_GUILESS_MAIN(TestDocPictures)
#include "tst_docpictures.moc"

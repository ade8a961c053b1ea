// qlmtool render: the picture holds the board model's dots, and the command line is checked.

#include "boardfont.h"
#include "boardrender.h"
#include "boardsample.h"

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Board;
using Samples::Hm;

namespace {

struct ToolRun
{
    int status = -1;
    QString err;
};

ToolRun Tool(const QStringList& args, const QString& font = {})
{
    QProcess p;
    if (!font.isEmpty()) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("MARVO_BOARD_FONT"), font);
        p.setProcessEnvironment(env);
    }
    p.start(QStringLiteral(QLMTOOL_PATH), args);
    EXPECT_TRUE(p.waitForFinished(60000));
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

class Render : public testing::Test
{
protected:
    void SetUp() override
    {
        CQLMDoc doc = Samples::Board();
        doc.m_TrainInfo.ElementAt(3).wAssortment = 2; // lit in its own colour
        QByteArray bytes;
        ASSERT_TRUE(doc.SaveFile(&bytes));
        QFile file(Path("board.qlm"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        m_doc = doc;
    }
    QString Path(const char* name) const { return m_dir.filePath(QString::fromUtf8(name)); }

    QTemporaryDir m_dir;
    CQLMDoc m_doc;
};

TEST_F(Render, ScaleOneHoldsTheModelsDots)
{
    ASSERT_EQ(Tool({"render", Path("board.qlm"), Path("out.png"), "--at", "07:00", "--sub",
                    "--rows", "3"})
                  .status,
              0);
    QString error;
    const auto font = CBoardFont::Shared(&error);
    ASSERT_TRUE(font) << error.toStdString();
    const CDotMatrix dots = RenderBoard(m_doc, *font, {Hm(7, 0), Display::Sub, 3, 0});
    const QImage png(Path("out.png"));
    ASSERT_EQ(png.size(), QSize(dots.Width(), dots.Height()));
    int differing = 0;
    for (int y = 0; y < dots.Height(); ++y)
        for (int x = 0; x < dots.Width(); ++x)
            differing += png.pixel(x, y) != dots.At(x, y);
    EXPECT_EQ(differing, 0);

    // Larger scales draw LEDs, scale pixels a dot.
    ASSERT_EQ(Tool({"render", Path("board.qlm"), Path("big.png"), "--scale", "3"}).status, 0);
    EXPECT_EQ(QImage(Path("big.png")).size(), QSize(528 * 3, 4 * 16 * 3));
}

TEST_F(Render, RefusesBadCommandLinesAndInputs)
{
    const struct
    {
        QStringList args;
        int status;
        const char* says;
    } cases[] = {
        {{"render", Path("board.qlm")}, 2, "two files"},
        {{"render", Path("board.qlm"), Path("out.jpg")}, 2, "expected .png"},
        {{"render", Path("board.qlm"), Path("out.png"), "--at", "24:00"}, 2, "--at 24:00"},
        {{"render", Path("board.qlm"), Path("out.png"), "--rows", "5"}, 2, "--rows 5"},
        {{"render", Path("board.qlm"), Path("out.png"), "--scale", "0"}, 2, "--scale 0"},
        {{"info", Path("board.qlm"), "--sub"}, 2, "--sub belongs to the render command"},
        {{"render", Path("missing.qlm"), Path("out.png")}, 1, "missing.qlm"},
        {{"render", Path("board.qlm"), Path("nofolder/out.png")}, 1, "out.png"},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.status, c.status) << c.says;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(c.says))) << run.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(Path("out.png")));

    const ToolRun noFont = Tool({"render", Path("board.qlm"), Path("out.png")}, Path("none.hex"));
    EXPECT_EQ(noFont.status, 1);
    EXPECT_TRUE(noFont.err.contains(QStringLiteral("the board font is missing")))
        << noFont.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.png")));
}

} // namespace

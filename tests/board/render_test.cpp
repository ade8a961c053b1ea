// qlmtool render: the picture holds the board model's dots, and the command line is checked.

#include "../qlmtool/toolrun.h"
#include "boardfont.h"
#include "boardrender.h"
#include "boardsample.h"

#include <QImage>

using namespace Board;
using Samples::Hm;
using ToolTests::Tool;
using ToolTests::ToolRun;

namespace {

class Render : public ToolTests::InTempDir
{
protected:
    void SetUp() override
    {
        m_doc = Samples::Board();
        m_doc.m_TrainInfo.ElementAt(3).wAssortment = 2; // lit in its own colour
        ToolTests::WriteFile(Path("board.qlm"), Samples::Bytes(m_doc));
    }

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

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MARVO_BOARD_FONT"), Path("none.hex"));
    const ToolRun noFont = Tool({"render", Path("board.qlm"), Path("out.png")}, env);
    EXPECT_EQ(noFont.status, 1);
    EXPECT_TRUE(noFont.err.contains(QStringLiteral("the board font is missing")))
        << noFont.err.toStdString();
    EXPECT_FALSE(QFile::exists(Path("out.png")));
}

} // namespace

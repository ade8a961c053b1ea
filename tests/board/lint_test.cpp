// qlmtool lint run as a process: GNU-style lines, JSON, and the exit status.

#include "../qlmtool/toolrun.h"
#include "boardchecks.h"
#include "boardsample.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <set>

using ToolTests::Tool;

namespace {

const QString kAllProblems = QStringLiteral(CHECKS_TEST_DATA "/allproblems.qlm");

class Lint : public ToolTests::InTempDir
{
};

TEST_F(Lint, EveryProblemOnceInLinesAndJson)
{
    // The file holds one of each problem the checks know: the lines and the JSON list as many
    // findings as the checks give in-process, every check among them.
    CQLMDoc doc;
    ASSERT_TRUE(doc.LoadFile(ToolTests::ReadFile(kAllProblems)));
    const std::vector<Board::Finding> expected = Board::RunChecks(doc, CBoardFont::Shared().get());

    const ToolTests::ToolRun text = Tool({QStringLiteral("lint"), kAllProblems});
    EXPECT_EQ(text.status, 1) << text.err.toStdString();
    const QStringList lines = text.out.split(u'\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), static_cast<qsizetype>(expected.size()));
    const QString file = QRegularExpression::escape(kAllProblems);
    const QRegularExpression onTrain(u'^' + file +
                                     QStringLiteral(":(\\d+):(\\d+): (warning|note): "));
    const QRegularExpression elsewhere(u'^' + file + QStringLiteral(": (warning|note): [^:]+: "));
    for (size_t i = 0; i < expected.size(); ++i) {
        const Board::Finding& f = expected[i];
        const QString& line = lines[static_cast<qsizetype>(i)];
        if (f.place.kind == Board::CheckPlace::Kind::Train) {
            const QRegularExpressionMatch m = onTrain.match(line);
            ASSERT_TRUE(m.hasMatch()) << line.toStdString();
            EXPECT_EQ(m.captured(1).toInt(), f.place.index);
            EXPECT_EQ(m.captured(2).toInt(), f.place.column);
        } else {
            EXPECT_TRUE(elsewhere.match(line).hasMatch()) << line.toStdString();
        }
    }
    // The destination too wide names its text, its width and the part's.
    EXPECT_TRUE(text.out.contains(
        kAllProblems + QStringLiteral(":4:6: warning: destination \"八王子方面行き\" on the main "
                                      "display is 112 dots wide, wider than the part's 96")));

    const ToolTests::ToolRun json =
        Tool({QStringLiteral("lint"), QStringLiteral("--json"), kAllProblems});
    EXPECT_EQ(json.status, 1);
    const QJsonObject report =
        QJsonDocument::fromJson(json.out.toUtf8()).object()[u"files"].toArray()[0].toObject();
    const QJsonArray findings = report[u"findings"].toArray();
    EXPECT_EQ(findings.size(), static_cast<qsizetype>(expected.size()));
    std::set<QString> checks;
    for (const QJsonValue& f : findings)
        checks.insert(f[u"check"].toString());
    EXPECT_EQ(checks.size(), 15u);
    EXPECT_EQ(report[u"warnings"].toInt() + report[u"notes"].toInt(), findings.size());
    const QJsonObject first = findings[0].toObject();
    EXPECT_EQ(first[u"place"][u"row"].toInt(), 1);
    EXPECT_EQ(first[u"place"][u"column"].toInt(), 8);
    EXPECT_FALSE(first[u"message_ja"].toString().isEmpty());
}

TEST_F(Lint, StatusByLevelAndUnreadableFiles)
{
    // Notes alone leave the status 0; a file that cannot be read makes it 2, the others are
    // still linted.
    ToolTests::WriteFile(Path("notes.qlm"), Samples::Bytes(Samples::Board()));
    ToolTests::WriteFile(Path("broken.qlm"), "QL3");
    const ToolTests::ToolRun notes = Tool({QStringLiteral("lint"), Path("notes.qlm")});
    EXPECT_EQ(notes.status, 0);
    EXPECT_TRUE(notes.out.contains(QStringLiteral(": note: ")));
    EXPECT_FALSE(notes.out.contains(QStringLiteral(": warning: ")));

    const ToolTests::ToolRun mixed =
        Tool({QStringLiteral("lint"), QStringLiteral("--json"), Path("broken.qlm"), kAllProblems});
    EXPECT_EQ(mixed.status, 2);
    EXPECT_TRUE(mixed.err.contains(Path("broken.qlm"))) << mixed.err.toStdString();
    const QJsonArray files =
        QJsonDocument::fromJson(mixed.out.toUtf8()).object()[u"files"].toArray();
    ASSERT_EQ(files.size(), 2);
    EXPECT_FALSE(files[0][u"readable"].toBool());
    EXPECT_GT(files[1][u"warnings"].toInt(), 0);

    EXPECT_EQ(Tool({QStringLiteral("lint")}).status, 2);
    EXPECT_EQ(Tool({QStringLiteral("check"), QStringLiteral("--json"), kAllProblems}).status, 2);
}

} // namespace

#include "lintcommand.h"

#include "boardchecks.h"
#include "boardfont.h"
#include "commands.h"
#include "qlmdoc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace QlmTool {

namespace {

using Board::CheckPlace;
using Board::Finding;
using Board::Language;

QString KindName(CheckPlace::Kind kind)
{
    switch (kind) {
    case CheckPlace::Kind::Train:
        return QStringLiteral("train");
    case CheckPlace::Kind::Sign:
        return QStringLiteral("sign");
    case CheckPlace::Kind::Layout:
        return QStringLiteral("layout");
    case CheckPlace::Kind::Type:
        return QStringLiteral("type");
    case CheckPlace::Kind::Destination:
        return QStringLiteral("destination");
    case CheckPlace::Kind::GuideMessage:
        return QStringLiteral("guide-message");
    case CheckPlace::Kind::ExtKey:
        return QStringLiteral("extension-key");
    }
    return QString();
}

QJsonObject PlaceJson(const CheckPlace& p)
{
    QJsonObject place{{QStringLiteral("kind"), KindName(p.kind)}};
    const QString display =
        p.display == Board::Display::Sub ? QStringLiteral("sub") : QStringLiteral("main");
    switch (p.kind) {
    case CheckPlace::Kind::Train:
        place.insert(QStringLiteral("row"), p.index);
        place.insert(QStringLiteral("column"), p.column);
        break;
    case CheckPlace::Kind::Sign:
        place.insert(QStringLiteral("row"), p.index + 1);
        place.insert(QStringLiteral("display"), display);
        place.insert(QStringLiteral("part"), p.part);
        break;
    case CheckPlace::Kind::Layout:
        // 0: the document's layout; otherwise the type whose own layout it is.
        place.insert(QStringLiteral("type"), p.index);
        place.insert(QStringLiteral("display"), display);
        place.insert(QStringLiteral("part"), p.part);
        break;
    default:
        place.insert(QStringLiteral("index"), p.index);
        break;
    }
    return place;
}

QJsonObject FindingJson(const Finding& f)
{
    return {{QStringLiteral("level"), Board::LevelText(f.level, Language::English)},
            {QStringLiteral("check"), Board::CheckName(f.check)},
            {QStringLiteral("place"), PlaceJson(f.place)},
            {QStringLiteral("where"), Board::PlaceText(f, Language::English)},
            {QStringLiteral("message"), Board::MessageText(f, Language::English)},
            {QStringLiteral("message_ja"), Board::MessageText(f, Language::Japanese)}};
}

QString FindingLine(const QString& file, const Finding& f)
{
    const QString level = Board::LevelText(f.level, Language::English);
    const QString message = Board::MessageText(f, Language::English);
    if (f.place.kind == CheckPlace::Kind::Train)
        return QStringLiteral("%1:%2:%3: %4: %5")
            .arg(file)
            .arg(f.place.index)
            .arg(f.place.column)
            .arg(level, message);
    return QStringLiteral("%1: %2: %3: %4")
        .arg(file, level, Board::PlaceText(f, Language::English), message);
}

} // namespace

int Lint(const QStringList& files, bool json)
{
    QString fontError;
    const std::shared_ptr<const CBoardFont> font = CBoardFont::Shared(&fontError);
    if (!font)
        PrintErr(QStringLiteral("qlmtool: text widths are not checked: ") + fontError);

    bool unreadable = false;
    bool warned = false;
    QJsonArray reports;
    for (const QString& path : files) {
        CQLMDoc doc;
        QStringList loadWarnings; // the checks report the same, by place
        if (!OpenTimetable(path, &doc, &loadWarnings)) {
            unreadable = true;
            reports.append(
                QJsonObject{{QStringLiteral("file"), path}, {QStringLiteral("readable"), false}});
            continue;
        }
        const std::vector<Finding> findings = Board::RunChecks(doc, font.get());
        int warnings = 0;
        QJsonArray list;
        for (const Finding& f : findings) {
            warnings += f.level == Board::CheckLevel::Warning;
            if (json)
                list.append(FindingJson(f));
            else
                PrintOut(FindingLine(path, f));
        }
        warned = warned || warnings > 0;
        reports.append(
            QJsonObject{{QStringLiteral("file"), path},
                        {QStringLiteral("readable"), true},
                        {QStringLiteral("warnings"), warnings},
                        {QStringLiteral("notes"), static_cast<int>(findings.size()) - warnings},
                        {QStringLiteral("findings"), list}});
    }
    if (json) {
        const QByteArray text =
            QJsonDocument(QJsonObject{{QStringLiteral("files"), reports}}).toJson();
        std::fwrite(text.constData(), 1, static_cast<size_t>(text.size()), stdout);
    }
    if (unreadable)
        return kLintUnreadable;
    return warned ? kLintWarnings : kLintClean;
}

} // namespace QlmTool

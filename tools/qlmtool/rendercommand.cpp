#include "rendercommand.h"

#include "boardfont.h"
#include "boardpicture.h"
#include "boardrender.h"
#include "commands.h"
#include "qlmdoc.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRegularExpression>

namespace QlmTool {

std::optional<int> ParseClockTime(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral("^(\\d{1,2}):(\\d{2})$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const int hour = match.captured(1).toInt();
    const int minute = match.captured(2).toInt();
    if (hour > 23 || minute > 59)
        return std::nullopt;
    return hour * 60 + minute;
}

int Render(const QString& board, const QString& out, const RenderOptions& options)
{
    CQLMDoc doc;
    QStringList warnings;
    if (!OpenTimetable(board, &doc, &warnings))
        return kExitBadInput;
    PrintWarnings(board, warnings);

    QString fontError;
    const std::shared_ptr<const CBoardFont> font = CBoardFont::Shared(&fontError);
    if (!font) {
        PrintErr(out + QStringLiteral(": cannot draw the board: ") + fontError);
        return kExitBadInput;
    }

    Board::BoardRequest request;
    request.time =
        options.time >= 0 ? options.time : doc.m_wDisplayStartTime % Board::kMinutesPerDay;
    request.display = options.sub ? Board::Display::Sub : Board::Display::Main;
    request.trainRows = options.rows;
    const QImage picture =
        Board::BoardPicture(Board::RenderBoard(doc, *font, request), options.scale);

    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (picture.isNull() || !writer.write(picture)) {
        PrintErr(out + QStringLiteral(": cannot make the picture: ") + writer.errorString());
        return kExitBadInput;
    }
    return WriteBytes(out, png) ? kExitOk : kExitBadInput;
}

} // namespace QlmTool

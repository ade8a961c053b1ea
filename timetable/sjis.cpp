#include "sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Sjis {
namespace {

constexpr const char kCodec[] = "windows-31j";

bool IsAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (static_cast<quint8>(c) >= 0x80)
            return false;
    return true;
}

// Length of the character starting at i: 2 for a lead byte followed by another byte, else 1.
qsizetype CharLength(QByteArrayView bytes, qsizetype i)
{
    return (IsLeadByte(static_cast<quint8>(bytes[i])) && i + 1 < bytes.size()) ? 2 : 1;
}

} // namespace

bool IsLeadByte(quint8 b)
{
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

QString Decode(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return QString::fromLatin1(bytes);
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (!decoder.hasError())
        return text;
    // Some bytes are not valid: decode character by character so that each bad one shows as
    // a replacement character instead of vanishing.
    text.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = CharLength(bytes, i);
        QStringDecoder one(kCodec, QStringConverter::Flag::Stateless);
        const QString piece = one.decode(bytes.sliced(i, n));
        text += (one.hasError() || piece.isEmpty()) ? QString(QChar::ReplacementCharacter) : piece;
        i += n;
    }
    return text;
}

std::optional<QByteArray> Encode(const QString& text, QString* unencodable)
{
    QStringEncoder encoder(kCodec, QStringConverter::Flag::Stateless);
    QByteArray bytes = encoder.encode(text);
    if (!encoder.hasError())
        return bytes;
    if (unencodable) {
        unencodable->clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            QStringEncoder one(kCodec, QStringConverter::Flag::Stateless);
            const QByteArray piece = one.encode(QStringView(text).sliced(i, n));
            Q_UNUSED(piece);
            if (one.hasError()) {
                *unencodable = text.sliced(i, n);
                break;
            }
            i += n;
        }
    }
    return std::nullopt;
}

bool RoundTrips(QByteArrayView bytes)
{
    if (IsAscii(bytes))
        return true;
    QStringDecoder decoder(kCodec, QStringConverter::Flag::Stateless);
    const QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return false;
    const std::optional<QByteArray> again = Encode(text);
    return again && QByteArrayView(*again) == bytes;
}

QByteArray Truncate(QByteArrayView bytes, qsizetype maxBytes)
{
    if (bytes.size() <= maxBytes)
        return bytes.toByteArray();
    qsizetype end = 0;
    while (end < bytes.size()) {
        const qsizetype n = CharLength(bytes, end);
        if (end + n > maxBytes)
            break;
        end += n;
    }
    return bytes.first(end).toByteArray();
}

QByteArray FromUtf8(const char* utf8)
{
    const std::optional<QByteArray> bytes = Encode(QString::fromUtf8(utf8));
    Q_ASSERT(bytes);
    return bytes.value_or(QByteArray());
}

} // namespace Sjis

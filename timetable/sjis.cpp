#include "sjis.h"

#include <QStringDecoder>
#include <QStringEncoder>

namespace Sjis {
namespace {

constexpr const char kCodec[] = "windows-31j";

// Bytes that code page 932 maps to the same code point, so that decoding may skip the converter.
// 0x1A, 0x1C and 0x7F are not among them: the converter swaps their control characters.
bool IsPlainAscii(QByteArrayView bytes)
{
    for (char c : bytes) {
        const quint8 b = static_cast<quint8>(c);
        if (b >= 0x7F || b == 0x1A || b == 0x1C)
            return false;
    }
    return true;
}

// Opening a converter by name costs more than converting a short text, so each thread keeps
// one of each. A converter's error flag cannot be cleared: one that has seen an error is
// destroyed and made anew in place.
template <typename Converter> Converter& Cached(std::optional<Converter>& slot)
{
    if (!slot)
        slot.emplace(kCodec, QStringConverter::Flag::Stateless);
    return *slot;
}

bool DecodeChecked(QByteArrayView bytes, QString* text)
{
    thread_local std::optional<QStringDecoder> slot;
    QStringDecoder& decoder = Cached(slot);
    *text = decoder.decode(bytes);
    if (!decoder.hasError())
        return true;
    slot.reset();
    return false;
}

bool EncodeChecked(QStringView text, QByteArray* bytes)
{
    thread_local std::optional<QStringEncoder> slot;
    QStringEncoder& encoder = Cached(slot);
    *bytes = encoder.encode(text);
    if (!encoder.hasError())
        return true;
    slot.reset();
    return false;
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
    if (IsPlainAscii(bytes))
        return QString::fromLatin1(bytes);
    QString text;
    if (DecodeChecked(bytes, &text))
        return text;
    // Some bytes are not valid: decode character by character so that each bad one shows as
    // a replacement character instead of vanishing.
    text.clear();
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype n = CharLength(bytes, i);
        QString piece;
        const bool ok = DecodeChecked(bytes.sliced(i, n), &piece);
        text += (!ok || piece.isEmpty()) ? QString(QChar::ReplacementCharacter) : piece;
        i += n;
    }
    return text;
}

std::optional<QByteArray> Encode(const QString& text, QString* unencodable)
{
    QByteArray bytes;
    if (EncodeChecked(text, &bytes))
        return bytes;
    if (unencodable) {
        unencodable->clear();
        for (qsizetype i = 0; i < text.size();) {
            const qsizetype n = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
            QByteArray piece;
            if (!EncodeChecked(QStringView(text).sliced(i, n), &piece)) {
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
    if (IsPlainAscii(bytes))
        return true;
    QString text;
    QByteArray again;
    return DecodeChecked(bytes, &text) && EncodeChecked(text, &again) &&
           QByteArrayView(again) == bytes;
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

std::optional<QByteArray> EncodeEdited(const QString& text, const QByteArray& original,
                                       QString* unencodable)
{
    if (text == Decode(original))
        return original;
    return Encode(text, unencodable);
}

} // namespace Sjis

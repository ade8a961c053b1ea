#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// Conversion between the stored Shift-JIS (code page 932) bytes and text for display.
// Decode for display only: many byte sequences do not survive decode + encode, so a text the
// user did not change must keep its original bytes.
namespace Sjis {

// True when b starts a double-byte character.
bool IsLeadByte(quint8 b);

// Text for display. Invalid bytes become U+FFFD.
QString Decode(QByteArrayView bytes);

// The bytes of text, or nothing when a character cannot be held by code page 932; then
// *unencodable (if given) receives the first such character (a whole surrogate pair).
std::optional<QByteArray> Encode(const QString& text, QString* unencodable = nullptr);

// The bytes to store for a text field the user may have edited: the original bytes when the
// text still reads as they do (so bytes that would not survive decode + encode are kept),
// otherwise the text encoded, or nothing (with *unencodable set) as for Encode.
std::optional<QByteArray> EncodeEdited(const QString& text, const QByteArray& original,
                                       QString* unencodable = nullptr);

// True when Decode followed by Encode gives back exactly these bytes.
bool RoundTrips(QByteArrayView bytes);

// The longest prefix of bytes of at most maxBytes bytes that does not cut a double-byte
// character in half.
QByteArray Truncate(QByteArrayView bytes, qsizetype maxBytes);

// Shorthand for literals in code and tests: the bytes of a UTF-8 literal in code page 932.
// The literal must be encodable.
QByteArray FromUtf8(const char* utf8);

} // namespace Sjis

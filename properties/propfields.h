#pragma once

#include "qlmdoc.h"

#include <QByteArray>
#include <QString>

#include <optional>
#include <span>
#include <vector>

// The document's properties as one table: every field the property pages edit, what kind of
// value it holds and which CQLMDoc member holds it. Pages name the fields they show; filling
// and applying a page is the same loop for all of them.

enum class DocField
{
    StationId,
    StationName,
    StationNameEn,
    PrevStation,
    PrevStationEn,
    NextStation,
    NextStationEn,
    Platform,
    LineColor,
    LineColor2Used,
    LineColor2,
    LineName,
    LineNameEn,
    Guide,
    GuideEn,
    SubLine,
    SubLineColor,
    SubLineColor2Used,
    SubLineColor2,
    SubLineName,
    SubLineNameEn,
    SubGuide,
    SubGuideEn,
    GuideMessage,
    Unlit,
    Lit,
    DateChangeTime,
    DisplayStartTime,
};

enum class FieldKind
{
    Text,     // Shift-JIS bytes
    Colour,   // 0x00BBGGRR
    Flag,     // 32-bit, normally 0 or 1
    Platform, // 16-bit number typed as text
    Time,     // 16-bit minutes after 00:00
};

FieldKind KindOf(DocField field);
// The member's name as the document spells it ("m_strStationId").
const char* MemberName(DocField field);

// One field's value: texts in text, everything else in number.
struct FieldValue
{
    QByteArray text;
    quint32 number = 0;
    friend bool operator==(const FieldValue&, const FieldValue&) = default;
};

FieldValue ReadField(const CQLMDoc& doc, DocField field);
void WriteField(CQLMDoc& doc, DocField field, const FieldValue& value);

// The values of one page's fields, in the page's order.
struct PageValues
{
    std::vector<DocField> fields;
    std::vector<FieldValue> values;

    const FieldValue& operator[](DocField field) const;
    FieldValue& operator[](DocField field);
};

PageValues FillPage(const CQLMDoc& doc, std::span<const DocField> fields);
void ApplyPage(const PageValues& page, CQLMDoc& doc);

// The pages' fields, in the order the document holds them.
inline constexpr DocField kGeneralFields[] = {
    DocField::StationId,      DocField::StationName,   DocField::StationNameEn,
    DocField::PrevStation,    DocField::PrevStationEn, DocField::NextStation,
    DocField::NextStationEn,  DocField::Platform,      DocField::LineColor,
    DocField::LineColor2Used, DocField::LineColor2,    DocField::LineName,
    DocField::LineNameEn,     DocField::Guide,         DocField::GuideEn,
    DocField::SubLine,        DocField::SubLineColor,  DocField::SubLineColor2Used,
    DocField::SubLineColor2,  DocField::SubLineName,   DocField::SubLineNameEn,
    DocField::SubGuide,       DocField::SubGuideEn};
inline constexpr DocField kDisplayFields[] = {DocField::Unlit, DocField::Lit};
inline constexpr DocField kAdvancedFields[] = {DocField::GuideMessage, DocField::DateChangeTime,
                                               DocField::DisplayStartTime};

// True when the two timetables differ in anything the property sheet can change (everything
// but the trains, types and destinations). One that cannot be written (a text or a list beyond
// what the file holds) counts as changed: its changes are kept, and saving says what is wrong,
// rather than dropped unseen.
bool PropertiesDiffer(const CQLMDoc& before, const CQLMDoc& after);

// ---- Reading what the user typed ------------------------------------------------------------

// A text field: the bytes to store, or why the typed text cannot be stored.
struct TakenText
{
    std::optional<QByteArray> bytes;
    QString refusal; // a message for the user when bytes is empty
};

// Text the user left as it was shown keeps its original bytes (many byte sequences do not
// survive decode + encode); changed text is encoded, and refused when code page 932 cannot
// hold a character or the file cannot hold its length.
TakenText TakeText(const QByteArray& original, const QString& shown, const QString& now,
                   qsizetype maxBytes = kMaxFileString);

// The message for a character code page 932 cannot hold.
QString UnencodableMessage(const QString& character);

// A time as the hour and minute fields show it. The fields offer 00:00 to 23:59 only, so a
// stored time outside that range is shown at the nearest end.
struct ShownTime
{
    int hour = 0;
    int minute = 0;
    friend bool operator==(const ShownTime&, const ShownTime&) = default;
};
ShownTime ShowTime(qint64 minutes);
// The time to store: the original when the fields still show what they were given, so that a
// stored 25:00 survives a page the user did not touch.
qint64 TakeTime(qint64 original, ShownTime shown, ShownTime now);

// The platform number as its two-character edit shows it (a stored value above 99 shows 99).
QString PlatformText(quint16 platform);
// Reads the number at the start of the edit's first two characters: leading blanks, an optional
// '+', then digits up to the first other character; no leading digits give 0. A minus sign is
// refused (empty result): the field has no negative numbers.
std::optional<quint16> ParsePlatform(const QString& text);

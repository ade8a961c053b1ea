#pragma once

#include "records.h"

#include <QString>
#include <QStringList>

class CQLMDoc;

// The time-bound guide messages as the advanced page lists and changes them. Rows count from 0
// and show element row + 1; every change writes the document at once.
namespace GuideMessages {

// "%02d:%02d" of minutes / 60 and minutes % 60; hours are not reduced modulo 24.
QString TimeText(qint32 minutes);
// The four columns of a row: start, end, "はい"/"いいえ", the message.
QStringList RowTexts(const GUIDEMESSAGE& message);

// What "追加" offers: 01:00 to 02:00, not exclusive, a text to replace.
GUIDEMESSAGE NewMessage();

// False when the list already holds as many messages as the file can count.
bool CanAdd(const CQLMDoc& doc);
// Appends message; false (nothing changed) when the list is full.
bool Add(CQLMDoc& doc, const GUIDEMESSAGE& message);
// Removes row; the rows below move up.
void Remove(CQLMDoc& doc, int row);
GUIDEMESSAGE& At(CQLMDoc& doc, int row);

QString TooManyMessage();

} // namespace GuideMessages

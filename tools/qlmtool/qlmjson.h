#pragma once

#include "qlmdoc.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <QString>

// The JSON form of a timetable: one object whose fields are the CQLMDoc members by name.
// It is lossless: a timetable read from JSON saves to exactly the bytes the original saves to.
// docs/qlmtool.md describes every field and the rules for texts, colours and times.
namespace QlmJson {

QJsonObject ToJson(const CQLMDoc& doc);

// Fills a freshly constructed timetable from json. On a malformed document returns false and
// sets *error to one English line that starts with the path of the offending field, e.g.
// "m_TrainInfo[3].wTime: expected \"HH:MM\" or a number 0..65535"; *doc is then unspecified.
bool FromJson(const QJsonObject& json, CQLMDoc* doc, QString* error);

// ToJson as indented UTF-8 text.
QByteArray ToJsonText(const CQLMDoc& doc);
// Parses JSON text and runs FromJson; syntax errors are reported with their byte offset.
bool FromJsonText(QByteArrayView text, CQLMDoc* doc, QString* error);

} // namespace QlmJson

#pragma once

#include "messages.h"
#include "samples.h"

#include <QApplication>
#include <QFile>
#include <QList>
#include <QPointer>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Records every message box and answers it with the next queued answer (Ok when none).
struct MessageRecorder
{
    QList<Msg::Record> records;
    QList<QMessageBox::StandardButton> answers;

    MessageRecorder()
    {
        Msg::SetMessageHook([this](const Msg::Record& record) {
            records.append(record);
            return answers.isEmpty() ? QMessageBox::Ok : answers.takeFirst();
        });
    }
    ~MessageRecorder() { Msg::SetMessageHook({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;
};

// Keeps the settings of a test run (the recent-file list) and its recovery copies in a
// directory of its own; programs the test starts inherit the recovery folder.
inline void UseTemporarySettings(const QTemporaryDir& dir)
{
    QSettings::setDefaultFormat(QSettings::IniFormat);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    qputenv("XDG_STATE_HOME", QFile::encodeName(dir.filePath(QStringLiteral("state"))));
}

// Writes timetable into dir as name: its path, or empty when it cannot be written.
inline QString WriteTimetable(const QTemporaryDir& dir, const QString& name,
                              const CQLMDoc& timetable)
{
    const QString path = dir.filePath(name);
    return Samples::WriteFile(path, Samples::Bytes(timetable)) ? path : QString();
}

// A key pressed and released apart, with the events between, as a user's: when the press opens
// or closes a window, the release goes to whatever has the focus then.
inline void PressKey(QWidget* target, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    const QPointer<QWidget> pressed(target);
    QTest::keyPress(target, key, modifiers);
    QApplication::processEvents();
    QWidget* focus = QApplication::focusWidget();
    if (focus || pressed)
        QTest::keyRelease(focus ? focus : pressed.data(), key, modifiers);
    QApplication::processEvents();
}

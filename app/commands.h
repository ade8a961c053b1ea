#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// Command ids of menus, accelerators and tool bars. The numbers are the program's command ids
// and stay fixed so that tests and code can name a command by them.
enum CommandId : int
{
    ID_FILE_NEW = 57600,
    ID_FILE_OPEN = 57601,
    ID_FILE_CLOSE = 57602,
    ID_FILE_SAVE = 57603,
    ID_FILE_SAVE_AS = 57604,
    ID_FILE_MRU_FIRST = 57616, // recent files 57616..57631
    ID_FILE_MRU_LAST = 57631,
    ID_EDIT_COPY = 57634,
    ID_EDIT_CUT = 57635,
    ID_EDIT_PASTE = 57637,
    ID_EDIT_UNDO = 57643,
    ID_EDIT_REDO = 57644,
    ID_WINDOW_NEW = 57648,
    ID_WINDOW_ARRANGE = 57649,
    ID_WINDOW_CASCADE = 57650,
    ID_WINDOW_TILE_HORZ = 57651,
    ID_APP_ABOUT = 57664,
    ID_APP_EXIT = 57665,
    ID_NEXT_PANE = 57680,
    ID_PREV_PANE = 57681,
    ID_VIEW_TOOLBAR = 59392,
    ID_VIEW_STATUS_BAR = 59393,
    ID_EDIT_BASICDATA = 32771,
    ID_BASICDATA = 32777, // tool bar button of the same command
    ID_EDIT_DESTINATION = 32780,
    ID_EDIT_ASSORTMENT = 32781,
    ID_EDIT_REPLACE = 32784,
    ID_EDIT_INSERT = 32785,
    ID_EDIT_DELETE = 32788,
    ID_HELP_FILE = 32792,
    ID_PATTERNDIA = 32794,
    ID_EDIT_COPY_TABLE = 32800,    // trains to a spreadsheet
    ID_EDIT_PASTE_TABLE = 32801,   // trains from a spreadsheet
    ID_VIEW_BOARD_PREVIEW = 32810, // the departure board preview window
    ID_VIEW_CHECKS = 32811,        // the problems panel
};

// One command: its menu text (the part after a tab is the shortcut text shown in the menu),
// its keys, its prompt ("status bar text\ntool tip") and its tool bar icon.
struct CommandInfo
{
    int id = 0;
    QString text;
    QList<QKeySequence> keys;
    QString prompt;
    QString icon; // resource path, empty when the command has no button
    bool checkable = false;
};

// Every command the program knows, menu items and accelerator-only keys alike.
const QList<CommandInfo>& CommandTable();
// The entry of id, or nullptr.
const CommandInfo* FindCommand(int id);

// The two halves of a prompt.
QString StatusTextOf(const QString& prompt);
QString ToolTipOf(const QString& prompt);

// The message pane's idle text.
QString IdleMessage();

#pragma once

#include <QStringList>

// qlmtool lint: what the departure board would show wrong, found by the same checks as the
// editor's problems panel.
namespace QlmTool {

enum LintStatus
{
    kLintClean = 0,      // nothing at warning level
    kLintWarnings = 1,   // a finding at warning level
    kLintUnreadable = 2, // a file could not be read (or the command line was wrong)
};

// Prints one line a finding, GNU style: "FILE:ROW:COLUMN: warning: message" for a train (row
// and column as the grid numbers them), "FILE: note: place: message" for anything else; with
// json, one JSON document for all files instead. Returns a LintStatus.
int Lint(const QStringList& files, bool json);

} // namespace QlmTool

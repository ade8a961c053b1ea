#pragma once

#include <QDialog>

class QLabel;

// The version box.
class CAboutDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget* parent = nullptr);

    // The version line shown in the box, e.g. " 1.05.00" for version 1.5.0.
    static QString VersionLine(int major, int minor, int patch);
    // The version line of this program.
    static QString ProgramVersionLine();

    QLabel* VersionLabel() const { return m_pVersion; }

private:
    QLabel* m_pVersion;
};

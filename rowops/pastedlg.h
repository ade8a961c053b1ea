#pragma once

#include "rowlogic.h"

#include <QDialog>

class QRadioButton;

// "貼り付け": asks whether the copy source overwrites the current row or goes in before it.
class CPasteDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CPasteDlg(QWidget* parent = nullptr);

    // The mode chosen at OK.
    PasteMode Mode() const { return m_mode; }

    QRadioButton* m_pOverwrite; // 現在の行に上書き
    QRadioButton* m_pInsert;    // 現在の行とその上の行の間に挿入

public slots:
    void accept() override;

private:
    PasteMode m_mode = PasteMode::Insert;
};

#pragma once

#include "rowcontext.h"

#include <QDialog>

class CNumberBox;
class QRadioButton;

// "列車の挿入": inserts blank trains or copies of a row at the current row or at the end. OK
// closes the dialog only when the trains were inserted.
class CAddItemDlg : public QDialog
{
    Q_OBJECT
public:
    CAddItemDlg(const RowContext& context, QWidget* parent = nullptr);

    QRadioButton* m_pAtCurrent; // 現在位置から挿入
    QRadioButton* m_pAtEnd;     // 末尾に追加
    CNumberBox* m_pCount;       // 1..255
    QRadioButton* m_pNew;       // 新規
    QRadioButton* m_pCopy;      // 指定行からｺﾋﾟｰ
    CNumberBox* m_pCopyRow;     // 1..N

public slots:
    void accept() override;

private:
    void OnAtCurrent();
    void UpdateCopyRowEnabled();
    void Refuse(const QString& text, const QString& caption, CNumberBox* box);

    RowContext m_context;
    int m_nCurrentRow;
};

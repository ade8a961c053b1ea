#pragma once

#include <QDialog>

class QRadioButton;

// "書式の変更": chooses the alignment of one display part. The caller sets the value before
// running the dialog and reads it afterwards, whichever way the dialog was closed.
class CAlignSelectDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAlignSelectDlg(QWidget* parent = nullptr);

    // The alignment: 0 left aligned, 1 spread evenly, 2 centred. A value no button stands for
    // shows no button checked and survives the dialog unless the user checks one.
    void SetValue(int value);
    int Value() const { return m_nValue; }

    QRadioButton* m_pLeft;    // 左揃え
    QRadioButton* m_pSpread;  // 均等に配置
    QRadioButton* m_pCentred; // 中央揃え: shows a stored value, cannot be chosen

public slots:
    void accept() override;

private:
    int m_nValue = 0;
};

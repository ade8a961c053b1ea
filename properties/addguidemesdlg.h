#pragma once

#include "propfields.h"
#include "records.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QTimeEdit;

// "ｶﾞｲﾄﾞﾒｯｾｰｼﾞの追加": edits one time-bound guide message, for adding and for changing. OK
// writes the user's values into the record; Cancel leaves it as it was.
class CAddGuideMesDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAddGuideMesDlg(GUIDEMESSAGE* message, QWidget* parent = nullptr);

    QTimeEdit* m_pStart;
    QTimeEdit* m_pEnd;
    QLineEdit* m_pMessage;
    QCheckBox* m_pExclusive;

public slots:
    void accept() override;

private:
    GUIDEMESSAGE* m_pRecord;
    ShownTime m_shownStart;
    ShownTime m_shownEnd;
    QString m_shownMessage;
};

#pragma once

#include "records.h"

#include <QDialog>

class QLineEdit;

// "行先の編集": the two names of one destination. OK writes them into the record; Cancel leaves
// it untouched.
class CDestinationEditDlg : public QDialog
{
    Q_OBJECT
public:
    CDestinationEditDlg(DESTINATION& record, QWidget* parent = nullptr);

    QLineEdit* m_pName;   // 行先名
    QLineEdit* m_pNameEn; // 行先名(副)

    void accept() override;

private:
    DESTINATION& m_record;
};

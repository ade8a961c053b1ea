#pragma once

#include "records.h"

#include <QDialog>

class QLabel;
class QLineEdit;

// "ｴｸｽﾃﾝｼｮﾝｷｰの追加": the path (letters turn into capitals as typed or shown) and the value of a
// new key. OK writes both into the record as shown; a path over 63 bytes is refused and the
// dialog stays open.
class CAddExtKeyDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CAddExtKeyDlg(EXTKEY* key, QWidget* parent = nullptr);

    QLineEdit* m_pPath;
    QLineEdit* m_pValue;

public slots:
    void accept() override;

private:
    EXTKEY* m_pRecord;
    QString m_shownPath; // the record's path as read, before the field turned it into capitals
    QString m_shownValue;
};

// "ｴｸｽﾃﾝｼｮﾝｷｰの編集": shows the path and edits the value; OK writes the value only.
class CExtKeyDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CExtKeyDlg(EXTKEY* key, QWidget* parent = nullptr);

    QLabel* m_pPath;
    QLineEdit* m_pValue;

public slots:
    void accept() override;

private:
    EXTKEY* m_pRecord;
    QString m_shownValue;
};

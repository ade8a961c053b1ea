#pragma once

#include "rowcontext.h"

#include <QDialog>

class QComboBox;
class QListWidget;
class QPushButton;
class QRadioButton;

// "置換": changes every train of the selected types into one type. Stays open after a
// replacement so that several can follow; the destination section is present but inactive.
class CReplaceDlg : public QDialog
{
    Q_OBJECT
public:
    CReplaceDlg(const RowContext& context, QWidget* parent = nullptr);

    QPushButton* m_pReplaceAll; // 全て置換, the default button
    QPushButton* m_pClose;      // 閉じる
    QListWidget* m_pSourceTypes;
    QComboBox* m_pTargetType;
    QListWidget* m_pSourceDestinations; // disabled, empty
    QComboBox* m_pTargetDestination;    // disabled, empty

public slots:
    void OnReplaceAll();

private:
    RowContext m_context;
};

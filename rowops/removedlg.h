#pragma once

#include "rowcontext.h"
#include "rowlogic.h"

#include <QDialog>

class CNumberBox;
class QRadioButton;

// "削除": removes a block of trains downward or upward from the current row, or upward from the
// end. OK closes the dialog only when rows were removed.
class CRemoveDlg : public QDialog
{
    Q_OBJECT
public:
    CRemoveDlg(const RowContext& context, QWidget* parent = nullptr);

    QRadioButton* m_pDown;    // 選択されている行から下方向
    QRadioButton* m_pUp;      // 選択されている行から上方向
    QRadioButton* m_pFromEnd; // 末尾から上方向
    CNumberBox* m_pCount;

public slots:
    void accept() override;

private:
    DeleteDirection Direction() const;
    void OnFromCurrent(DeleteDirection direction);
    void SetCountRange(DeleteDirection direction);

    RowContext m_context;
    int m_nCurrentRow;
};

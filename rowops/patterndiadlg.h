#pragma once

#include "rowcontext.h"

#include <QDialog>

class CNumberBox;
class QComboBox;
class QPushButton;

// "ﾊﾟﾀｰﾝﾀﾞｲﾔの構築": repeats a block of trains at a fixed interval. OK is enabled only while the
// four inputs are within their ranges; it builds the copies and closes.
class CPatternDiaDlg : public QDialog
{
    Q_OBJECT
public:
    CPatternDiaDlg(const RowContext& context, QWidget* parent = nullptr);

    CNumberBox* m_pFirst;       // 最初の行, 1..N
    CNumberBox* m_pCount;       // 行数, 1..N - first + 1
    QComboBox* m_pCycle;        // ｻｲｸﾙ, minutes, any number may be typed
    CNumberBox* m_pRepetitions; // 回, 1..200
    QPushButton* m_pOk;

    // The decoration at the left of the dialog.
    static QPixmap DecorationPixmap();

public slots:
    void accept() override;
    // Re-reads the four texts, sets the arrows' ranges and enables OK.
    void Validate();

private:
    RowContext m_context;
};

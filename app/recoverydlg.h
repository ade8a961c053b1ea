#pragma once

#include "recoverystore.h"

#include <QDialog>

class QTreeWidget;

// "文書の復元": the copies a MARVO that ended abnormally left behind, each with its document's
// name, folder, the time of the copy and what stands in the way (its own file changed later,
// the copy cannot be read). 復元 is the default; 破棄 asks first; 後で and Escape keep them for
// the next start.
class CRecoveryDlg : public QDialog
{
    Q_OBJECT
public:
    CRecoveryDlg(const QList<CRecoveryStore::Copy>& copies, QWidget* parent = nullptr);
    RecoveryAnswer GetAnswer() const { return m_answer; }
    QTreeWidget* List() const { return m_pList; }

    // The text of the state column for a copy.
    static QString StateText(const CRecoveryStore::Copy& copy);

private:
    void OnDiscard();

    QTreeWidget* m_pList;
    RecoveryAnswer m_answer = RecoveryAnswer::Later;
};

#pragma once

#include <QDialog>

class MasterSession;
class QListWidget;
class QPushButton;

// The shape the type list and the destination list share: a picture at the left, the names in a
// list, and 閉じる (the default button), add, delete and change. Every button works on the
// selected entry; without one it only beeps.
class CMasterListDlg : public QDialog
{
    Q_OBJECT
public:
    QListWidget* m_pList;
    QPushButton* m_pClose;
    QPushButton* m_pNew;
    QPushButton* m_pRemove;
    QPushButton* m_pChange;

protected:
    CMasterListDlg(MasterSession& session, const QString& title, const QString& listLabel,
                   const QString& newText, const QString& picture, QWidget* parent);

    // Shows names and selects the first.
    void FillList(const QStringList& names);
    // The selected entry, 1-based; 0 when none is selected.
    int SelectedIndex() const;
    void AppendAndSelect(const QString& name);
    void RenameSelected(int i, const QString& name);
    void RemoveItem(int i);

    virtual void OnNew() = 0;
    virtual void OnRemove() = 0;
    virtual void OnChange() = 0;

    MasterSession& m_session;
};

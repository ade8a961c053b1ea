#pragma once

#include "boardchecks.h"

#include <QDockWidget>
#include <QLabel>
#include <QPointer>

#include <memory>

class CBoardFont;
class CFindingsModel;
class CVeldenDoc;
class QTimer;
class QTreeView;

// 問題点: what the active document would make the departure board show wrong, as a sortable
// list. The checks run again a moment after the document stops changing, never inside a
// keystroke; the counts stand in the status bar. Double-click or Enter on a finding asks for it
// to be shown (findingActivated); the panel itself changes nothing.
class CChecksDock : public QDockWidget
{
    Q_OBJECT
public:
    // How long the document must stay unchanged before the checks run again.
    static constexpr int kPauseMs = 300;

    explicit CChecksDock(QWidget* parent = nullptr);
    ~CChecksDock() override;

    // The document to check; null shows nothing.
    void SetDocument(CVeldenDoc* doc);
    CVeldenDoc* Document() const;

    QTreeView* List() const { return m_pList; }
    CFindingsModel* Model() const { return m_pModel; }
    // "警告 3  情報 5", for the status bar; empty without a document.
    QLabel* CountsLabel() const { return m_pCounts; }
    // True while a change waits for the pause before the checks run.
    bool IsPending() const;

signals:
    void findingActivated(const Board::Finding& finding);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Recheck();
    void Activate(int row);

    QPointer<CVeldenDoc> m_pDoc;
    QMetaObject::Connection m_docConnection;
    std::shared_ptr<const CBoardFont> m_font;
    CFindingsModel* m_pModel = nullptr;
    QTreeView* m_pList = nullptr;
    QLabel* m_pFontNote = nullptr;
    QPointer<QLabel> m_pCounts;
    QTimer* m_pTimer = nullptr;
};

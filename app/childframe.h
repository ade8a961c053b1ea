#pragma once

#include <QMdiSubWindow>

class CFrameOwner;
class CVeldenDoc;
class CVeldenView;

// A document window: shows exactly one grid view of one document.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    // owner is asked before the window closes and told when it is destroyed.
    CChildFrame(CVeldenDoc* doc, CFrameOwner* owner, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CVeldenDoc* GetDocument() const { return m_pDoc; }
    CVeldenView* GetView() const { return m_pView; }

    // Sets the title from the document's title; number > 0 adds ":number" for the windows of
    // a document shown in more than one window.
    void UpdateTitle(int number);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CVeldenDoc* m_pDoc;
    CFrameOwner* m_pOwner;
    CVeldenView* m_pView;
};

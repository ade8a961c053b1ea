#pragma once

#include <QMdiSubWindow>

class CDocManager;
class CVeldenDoc;
class CVeldenView;

// A document window: shows exactly one grid view of one document.
class CChildFrame : public QMdiSubWindow
{
    Q_OBJECT
public:
    CChildFrame(CVeldenDoc* doc, CDocManager* manager, QWidget* parent = nullptr);
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
    CDocManager* m_pManager;
    CVeldenView* m_pView;
};

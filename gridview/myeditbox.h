#pragma once

#include "fieldcontrol.h"

#include <QByteArray>
#include <QLineEdit>

class CEditField;
class CVeldenView;

// The text box of the in-place editor. Every change is handed to the view at once.
class CMyEditBox : public QLineEdit, public CFieldControl
{
    Q_OBJECT
public:
    // A single-line box inside the editor over rect, scrolling horizontally; no length limit.
    CMyEditBox(CEditField* field, const QRect& rect, CVeldenView* view);

    EditRules::EditorKind Kind() const override { return EditRules::EditorKind::TextBox; }
    void RequestValue() override { SendValue(); }

    // Loads the text, remembers the input format of the Enter check and selects all.
    void SetTextAndFormat(const QString& text, const QByteArray& format);
    // Hands the text to the view.
    void SendValue();
    const QByteArray& Format() const { return m_format; }

protected:
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    CVeldenView* m_pView;
    QByteArray m_format; // at most 31 characters
};

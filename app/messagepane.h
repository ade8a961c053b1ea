#pragma once

#include <QLabel>

// The status bar's message pane. It shows the prompt of the command under the mouse while a
// menu or tool bar is pointed at, otherwise the last note (a file opened with values out of
// range, a character the file cannot hold) until the user's next key or click, otherwise
// "Ready...". Prompts and notes share the pane, so nothing is ever drawn over another text.
class CMessagePane : public QLabel
{
    Q_OBJECT
public:
    // Takes the prompts that window's menus and tool bars send.
    CMessagePane(QWidget* window, QWidget* parent = nullptr);
    ~CMessagePane() override;

    void ShowNote(const QString& text);
    QString Note() const { return m_strNote; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowIdle();

    QWidget* m_pWindow;
    QString m_strNote;
    QString m_strPrompt;
    // The input event that last ended a note: one key or click passing to the parents of the
    // widget that ignored it is still the same action.
    const QEvent* m_pLastInput = nullptr;
    quint64 m_nLastInputTime = 0;
};

#include "messagepane.h"

#include "commands.h"

#include <QApplication>
#include <QInputEvent>
#include <QStatusTipEvent>

CMessagePane::CMessagePane(QWidget* window, QWidget* parent)
    : QLabel(IdleMessage(), parent), m_pWindow(window)
{
    window->installEventFilter(this);
    qApp->installEventFilter(this);
}

CMessagePane::~CMessagePane()
{
    qApp->removeEventFilter(this);
}

void CMessagePane::ShowNote(const QString& text)
{
    m_strNote = text;
    if (m_strPrompt.isEmpty())
        ShowIdle();
}

void CMessagePane::ShowIdle()
{
    setText(m_strNote.isEmpty() ? IdleMessage() : m_strNote);
}

bool CMessagePane::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::StatusTip:
        // The window's own status tips (menus, tool bars) come here instead of being drawn
        // over the pane; an empty tip ends the prompt and brings the note back.
        if (watched == m_pWindow) {
            m_strPrompt = static_cast<QStatusTipEvent*>(event)->tip();
            if (m_strPrompt.isEmpty())
                ShowIdle();
            else
                setText(m_strPrompt);
            return true;
        }
        break;
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress: {
        // The user's next action, seen before any widget handles it, ends the note; a note
        // that action causes comes after.
        const quint64 time = static_cast<QInputEvent*>(event)->timestamp();
        if (!event->spontaneous() || (event == m_pLastInput && time == m_nLastInputTime))
            break;
        m_pLastInput = event;
        m_nLastInputTime = time;
        if (!m_strNote.isEmpty()) {
            m_strNote.clear();
            if (m_strPrompt.isEmpty())
                ShowIdle();
        }
        break;
    }
    default:
        break;
    }
    return QLabel::eventFilter(watched, event);
}

#include "editfield.h"

#include "destinationcombobox.h"
#include "fonts.h"
#include "myeditbox.h"
#include "sjis.h"
#include "trainassortmentcombobox.h"

#include <QKeyEvent>
#include <QPainter>

using EditRules::EditorKind;

namespace {
// The margin around a text box; the lists fill the editor.
constexpr int kTextMargin = 2;
} // namespace

CEditField::CEditField(QWidget* parent) : QWidget(parent), m_font(Fonts::GridFont())
{
    setObjectName(QStringLiteral("EditField"));
    setCursor(Qt::IBeamCursor);
    hide();
}

CEditField::~CEditField()
{
    DestroyControl();
}

QWidget* CEditField::Control() const
{
    return dynamic_cast<QWidget*>(m_pControl);
}

QRect CEditField::ControlRect(EditorKind kind) const
{
    return kind == EditorKind::TextBox
               ? rect().adjusted(kTextMargin, kTextMargin, -kTextMargin, -kTextMargin)
               : rect();
}

void CEditField::EditValue(const EditRules::EditorSetup& value)
{
    if (value.kind == EditorKind::None)
        return;
    if (!m_pControl || m_pControl->Kind() != value.kind) {
        DestroyControl();
        const QRect r = ControlRect(value.kind);
        QWidget* widget = nullptr;
        switch (value.kind) {
        case EditorKind::TextBox: {
            auto* box = new CMyEditBox(this, r);
            // Only what the user types counts: loading a text reports nothing.
            connect(box, &QLineEdit::textEdited, this, &CEditField::textEdited);
            connect(box, &CMyEditBox::valueConfirmed, this, &CEditField::textEdited);
            widget = box;
            m_pControl = box;
            break;
        }
        case EditorKind::TypeList:
        case EditorKind::DestinationList: {
            CListComboBox* list = value.kind == EditorKind::TypeList
                                      ? static_cast<CListComboBox*>(
                                            new CTrainAssortmentComboBox(this, r, value.entries))
                                      : new CDestinationComboBox(this, r, value.entries);
            connect(list, &QComboBox::currentIndexChanged, this, [this](int index) {
                if (!m_bGuard && index >= 0)
                    emit entryChosen(index + 1);
            });
            widget = list;
            m_pControl = list;
            break;
        }
        case EditorKind::None:
            break;
        }
        widget->setFont(m_font);
        widget->installEventFilter(this);
        // A click on the margin gives the control the focus instead of the grid behind.
        setFocusProxy(widget);
        setFocusPolicy(Qt::ClickFocus);
        update();
    }

    m_bGuard = true;
    if (auto* box = dynamic_cast<CMyEditBox*>(m_pControl)) {
        box->SetTextAndFormat(Sjis::Decode(value.text), value.format);
        box->setFocus();
    } else if (auto* list = dynamic_cast<CListComboBox*>(m_pControl)) {
        // Index 0 (or one beyond the list) selects nothing.
        const int entry = value.listIndex - 1;
        list->setCurrentIndex(entry >= 0 && entry < list->count() ? entry : -1);
        list->setFocus();
    }
    m_bGuard = false;
}

void CEditField::DestroyControl()
{
    if (m_pControl) {
        QWidget* widget = Control();
        m_pControl = nullptr;
        setFocusProxy(nullptr);
        setFocusPolicy(Qt::NoFocus);
        delete widget;
    }
}

void CEditField::keyPressEvent(QKeyEvent* event)
{
    // Keys the control leaves alone end here, so that they never reach the grid.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && m_pControl)
        QMetaObject::invokeMethod(this, &CEditField::closeRequested, Qt::QueuedConnection);
    event->accept();
}

void CEditField::mousePressEvent(QMouseEvent* event)
{
    // The margin belongs to the editor: a press there must not reach the grid behind it.
    event->accept();
}

namespace {

// An Alt combination the editor's controls do not use: it belongs to the menus. Alt+Up and
// Alt+Down open a list's drop-down; AltGr is no Alt here (X11 reports it as its own key).
bool IsMenuKey(const QKeyEvent* key)
{
    const Qt::KeyboardModifiers mods = key->modifiers() & ~Qt::KeypadModifier;
    if (!(mods & Qt::AltModifier) || (mods & (Qt::ControlModifier | Qt::MetaModifier)))
        return false;
    switch (key->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Shift:
        return false;
    default:
        return true;
    }
}

} // namespace

bool CEditField::eventFilter(QObject* watched, QEvent* event)
{
    // While the editor has the focus its keys are its own: the main window's shortcuts
    // (Ctrl+Shift+C, ...) do not act, and Ctrl+C and Ctrl+V copy and paste the box's text rather
    // than rows. Undo and Redo do act: they close the editor first. Alt combinations open the
    // menus, and one no menu takes types nothing: a stray letter must never reach a train.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const QKeyCombination combo = key->keyCombination();
        const bool undoRedo =
            key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
            combo == (Qt::ALT | Qt::Key_Backspace) || combo == (Qt::CTRL | Qt::Key_Y) ||
            combo == (Qt::CTRL | Qt::SHIFT | Qt::Key_Z);
        // Unaccepted, the override lets the main window's shortcut act instead of the box.
        event->setAccepted(!undoRedo && !IsMenuKey(key));
        return true;
    }
    if (event->type() == QEvent::KeyPress && IsMenuKey(static_cast<QKeyEvent*>(event)))
        return true; // no shortcut took it
    return QWidget::eventFilter(watched, event);
}

bool CEditField::focusNextPrevChild(bool)
{
    return true; // Tab stays in the editor
}

void CEditField::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Base));
    if (m_pControl && m_pControl->Kind() == EditorKind::TextBox) {
        // A thin border around the text box, inside the margin.
        p.setPen(palette().color(QPalette::Dark));
        p.drawRect(rect().adjusted(kTextMargin - 1, kTextMargin - 1, -kTextMargin, -kTextMargin));
    }
}

void CEditField::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (m_pControl)
        Control()->setGeometry(ControlRect(m_pControl->Kind()));
}

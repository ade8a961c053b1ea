#include "focusselect.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QFocusEvent>
#include <QLineEdit>
#include <QPointer>

namespace {

// Set on a dialog when it is shown, cleared by the first focus it gives a field.
constexpr char kOpening[] = "marvoFocusOpening";

void SelectText(QWidget* widget)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->selectAll();
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->lineEdit())
            combo->lineEdit()->selectAll();
    } else if (auto* spin = qobject_cast<QAbstractSpinBox*>(widget)) {
        // Time edits select their first section themselves; the whole text would not take
        // typing as one value.
        if (!qobject_cast<QDateTimeEdit*>(spin))
            spin->selectAll();
    }
}

class FocusSelector : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QDialog*>(watched))
                dialog->setProperty(kOpening, true);
        } else if (event->type() == QEvent::FocusIn && watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            QWidget* window = widget->window();
            // The dialog itself takes the focus for a moment as it opens; that is no field.
            if (widget == window || !qobject_cast<QDialog*>(window))
                return false;
            // Only the focus the dialog gives as it opens; when the user comes back to it, the
            // caret stays where it was left.
            const bool opening = window->property(kOpening).toBool();
            if (opening)
                window->setProperty(kOpening, false);
            const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
            if ((opening && reason == Qt::ActiveWindowFocusReason) ||
                reason == Qt::ShortcutFocusReason)
                SelectText(widget);
        }
        return false;
    }
};

} // namespace

namespace FocusSelect {

void Install()
{
    static QPointer<FocusSelector> installed;
    if (installed || !qApp)
        return;
    installed = new FocusSelector(qApp);
    qApp->installEventFilter(installed);
}

} // namespace FocusSelect

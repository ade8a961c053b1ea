#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// The number box of the row dialogs: an edit that keeps the digits exactly as typed, with up and
// down arrows (buttons and the arrow keys) that step within a range. Nothing is corrected while
// the user types or when the box loses the focus or Enter is pressed: the dialog reads the text
// on OK and takes or refuses that number.
class CNumberBox : public QWidget
{
    Q_OBJECT
public:
    explicit CNumberBox(QWidget* parent = nullptr);

    // The range the arrows step in; the text is left as it is.
    void SetRange(int minimum, int maximum);
    int Minimum() const { return m_nMinimum; }
    int Maximum() const { return m_nMaximum; }

    QString Text() const;
    // Shows value, as a step of the arrows does.
    void SetValue(int value);
    void Clear();

    // The arrows alone; the edit stays open for typing.
    void SetArrowsEnabled(bool enabled);
    bool ArrowsEnabled() const { return m_bArrowsEnabled; }
    // One step of the arrows: the number shown moves by steps and stays within the range.
    void StepBy(int steps);

    QLineEdit* Edit() const { return m_pEdit; }
    QToolButton* UpButton() const { return m_pUp; }
    QToolButton* DownButton() const { return m_pDown; }

    // As wide as a spin box: room for a few digits.
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    void textChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* m_pEdit;
    QToolButton* m_pUp;
    QToolButton* m_pDown;
    int m_nMinimum = 0;
    int m_nMaximum = 0;
    bool m_bArrowsEnabled = true;
};

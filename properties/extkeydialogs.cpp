#include "extkeydialogs.h"

#include "extkeys.h"
#include "messages.h"
#include "propfields.h"
#include "sjis.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QValidator>

#include <limits>

namespace {

// Key paths are typed in capitals: ASCII letters turn upper case as they are typed.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& input, int&) const override
    {
        for (QChar& c : input)
            if (c >= u'a' && c <= u'z')
                c = QChar(c.unicode() - u'a' + u'A');
        return Acceptable;
    }
};

// Values live in the key block, which has no 16-bit length field.
constexpr qsizetype kAnyLength = std::numeric_limits<qsizetype>::max();

// OK and ｷｬﾝｾﾙ at the end of the dialog's layout.
void AddOkCancel(QDialog* dialog, QBoxLayout* layout)
{
    auto* buttons = new QDialogButtonBox(Qt::Vertical);
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    buttons->addButton(QStringLiteral("ｷｬﾝｾﾙ"), QDialogButtonBox::RejectRole);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    ok->setDefault(true); // once in the dialog, which must know its default button
}

void Refuse(QWidget* parent, const QString& why, QWidget* field)
{
    Msg::Beep();
    Msg::Show(parent, why, Msg::ErrorCaption(), QMessageBox::Warning);
    field->setFocus();
}

QLineEdit* ValueEdit()
{
    auto* edit = new QLineEdit;
    edit->setMaxLength(std::numeric_limits<int>::max());
    edit->setMinimumWidth(edit->fontMetrics().horizontalAdvance(u'M') * 24);
    return edit;
}

} // namespace

CAddExtKeyDlg::CAddExtKeyDlg(EXTKEY* key, QWidget* parent) : QDialog(parent), m_pRecord(key)
{
    setWindowTitle(QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰの追加"));
    m_pPath = ValueEdit();
    m_pPath->setValidator(new UpperCaseValidator(m_pPath));
    m_pValue = ValueEdit();
    auto* pathLabel = new QLabel(QStringLiteral("追加するｴｸｽﾃﾝｼｮﾝｷｰのﾊﾟｽ(&P):"));
    pathLabel->setBuddy(m_pPath);
    auto* valueLabel = new QLabel(QStringLiteral("ｷｰﾃﾞｰﾀ(&D):"));
    valueLabel->setBuddy(m_pValue);

    auto* fields = new QGridLayout;
    fields->addWidget(pathLabel, 0, 0);
    fields->addWidget(m_pPath, 0, 1);
    fields->addWidget(valueLabel, 1, 0);
    fields->addWidget(m_pValue, 1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    AddOkCancel(this, layout);

    // The field shows a proposed lower-case path in capitals; what it shows is what OK stores,
    // so the stored bytes are kept only when they read as the field shows them.
    m_shownPath = Sjis::Decode(key->Key());
    m_pPath->setText(m_shownPath);
    m_pValue->setText(Sjis::Decode(key->strValue));
    m_shownValue = m_pValue->text();
}

void CAddExtKeyDlg::accept()
{
    const TakenText path = TakeText(m_pRecord->Key(), m_shownPath, m_pPath->text(), kAnyLength);
    if (!path.bytes)
        return Refuse(this, path.refusal, m_pPath);
    if (path.bytes->size() > ExtKeys::kMaxPathBytes)
        return Refuse(this, ExtKeys::PathTooLongMessage(path.bytes->size()), m_pPath);
    const TakenText value =
        TakeText(m_pRecord->strValue, m_shownValue, m_pValue->text(), kAnyLength);
    if (!value.bytes)
        return Refuse(this, value.refusal, m_pValue);
    m_pRecord->SetKey(*path.bytes);
    m_pRecord->strValue = *value.bytes;
    QDialog::accept();
}

CExtKeyDlg::CExtKeyDlg(EXTKEY* key, QWidget* parent) : QDialog(parent), m_pRecord(key)
{
    setWindowTitle(QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰの編集"));
    m_pPath = new QLabel(Sjis::Decode(key->Key()));
    m_pPath->setTextFormat(Qt::PlainText);
    m_pPath->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    m_pPath->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_pValue = ValueEdit();
    auto* valueLabel = new QLabel(QStringLiteral("ｷｰﾃﾞｰﾀ(&D):"));
    valueLabel->setBuddy(m_pValue);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel(QStringLiteral("ｴｸｽﾃﾝｼｮﾝｷｰ:")), 0, 0);
    fields->addWidget(m_pPath, 0, 1);
    fields->addWidget(valueLabel, 1, 0);
    fields->addWidget(m_pValue, 1, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(fields, 1);
    AddOkCancel(this, layout);

    m_pValue->setText(Sjis::Decode(key->strValue));
    m_shownValue = m_pValue->text();
}

void CExtKeyDlg::accept()
{
    const TakenText value =
        TakeText(m_pRecord->strValue, m_shownValue, m_pValue->text(), kAnyLength);
    if (!value.bytes)
        return Refuse(this, value.refusal, m_pValue);
    m_pRecord->strValue = *value.bytes;
    QDialog::accept();
}

#include "assortmentdlg.h"

#include "assortmenteditdlg.h"
#include "masterlogic.h"
#include "messages.h"
#include "sjis.h"

CAssortmentDlg::CAssortmentDlg(MasterSession& session, QWidget* parent)
    : CMasterListDlg(session, QStringLiteral("列車種別の追加･編集"), QStringLiteral("種別:"),
                     QStringLiteral("新規(&N)"), QStringLiteral(":/masterdata/typelist.png"),
                     parent)
{
    QStringList names;
    for (const tagTRAINASSORTMENT& type : session.Types().Items())
        names.append(Sjis::Decode(type.strName));
    FillList(names);
}

void CAssortmentDlg::OnNew()
{
    if (m_session.Types().m_nSize >= kMaxCollection) {
        Msg::Show(this, MasterText::TooManyTypes(), Msg::ErrorCaption(), QMessageBox::Warning);
        return;
    }
    tagTRAINASSORTMENT type = m_session.NewTrainType();
    CAssortmentEditDlg dlg(type, QStringLiteral("列車種別の追加"), this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_session.AddType(type);
    AppendAndSelect(Sjis::Decode(type.strName));
}

void CAssortmentDlg::OnChange()
{
    const int i = SelectedIndex();
    if (i == 0) {
        Msg::Beep();
        return;
    }
    tagTRAINASSORTMENT type = m_session.Types().ElementAt(i);
    CAssortmentEditDlg dlg(type, QStringLiteral("列車種別の内容の編集"), this);
    if (dlg.exec() == QDialog::Accepted)
        m_session.ReplaceType(i, type);
    RenameSelected(i, Sjis::Decode(m_session.Types().ElementAt(i).strName));
}

void CAssortmentDlg::OnRemove()
{
    const int i = SelectedIndex();
    if (i == 0) {
        Msg::Beep();
        return;
    }
    const QByteArray name = m_session.Types().ElementAt(i).strName;
    switch (m_session.CheckRemoveType(i)) {
    case MasterSession::Removal::LastOne:
        Msg::Show(this, MasterText::LastType(), Msg::ErrorCaption(), QMessageBox::Critical);
        return;
    case MasterSession::Removal::InUse:
        Msg::Show(this, MasterText::TypeInUse(name), Msg::ErrorCaption(), QMessageBox::Warning);
        return;
    case MasterSession::Removal::Allowed:
        break;
    }
    if (Msg::Show(this, MasterText::ConfirmRemoveType(name), MasterText::RemoveTypeCaption(),
                  QMessageBox::Question, QMessageBox::Ok | QMessageBox::Cancel,
                  QMessageBox::Ok) != QMessageBox::Ok)
        return;
    m_session.RemoveType(i);
    RemoveItem(i);
}

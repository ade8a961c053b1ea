#include "destinationdlg.h"

#include "destinationeditdlg.h"
#include "masterlogic.h"
#include "messages.h"
#include "sjis.h"

CDestinationDlg::CDestinationDlg(MasterSession& session, QWidget* parent)
    : CMasterListDlg(session, QStringLiteral("行先の追加･編集"), QStringLiteral("行先:"),
                     QStringLiteral("追加(&A)"), QStringLiteral(":/masterdata/destinationlist.png"),
                     parent)
{
    QStringList names;
    for (const DESTINATION& destination : session.Destinations().Items())
        names.append(Sjis::Decode(destination.strName));
    FillList(names);
}

void CDestinationDlg::OnNew()
{
    if (m_session.Destinations().m_nSize >= kMaxCollection) {
        Msg::Show(this, MasterText::TooManyDestinations(), Msg::ErrorCaption(),
                  QMessageBox::Warning);
        return;
    }
    DESTINATION destination = MasterSession::NewDestination();
    CDestinationEditDlg dlg(destination, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    m_session.AddDestination(destination);
    AppendAndSelect(Sjis::Decode(destination.strName));
}

void CDestinationDlg::OnChange()
{
    const int i = SelectedIndex();
    if (i == 0) {
        Msg::Beep();
        return;
    }
    DESTINATION destination = m_session.Destinations().ElementAt(i);
    CDestinationEditDlg dlg(destination, this);
    if (dlg.exec() == QDialog::Accepted)
        m_session.ReplaceDestination(i, destination);
    RenameSelected(i, Sjis::Decode(m_session.Destinations().ElementAt(i).strName));
}

void CDestinationDlg::OnRemove()
{
    const int i = SelectedIndex();
    if (i == 0) {
        Msg::Beep();
        return;
    }
    const QByteArray name = m_session.Destinations().ElementAt(i).strName;
    switch (m_session.CheckRemoveDestination(i)) {
    case MasterSession::Removal::LastOne:
        Msg::Show(this, MasterText::LastDestination(), Msg::ErrorCaption(), QMessageBox::Critical);
        return;
    case MasterSession::Removal::InUse:
        Msg::Show(this, MasterText::DestinationInUse(name), Msg::ErrorCaption(),
                  QMessageBox::Warning);
        return;
    case MasterSession::Removal::Allowed:
        break;
    }
    if (Msg::Show(this, MasterText::ConfirmRemoveDestination(name),
                  MasterText::RemoveDestinationCaption(), QMessageBox::Question,
                  QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Ok) != QMessageBox::Ok)
        return;
    m_session.RemoveDestination(i);
    RemoveItem(i);
}

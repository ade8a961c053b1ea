#include "masterlogic.h"

#include "masterlists.h"
#include "sjis.h"

namespace {

template <typename T> bool Append(CMyArray<T>& list, const T& entry)
{
    if (list.m_nSize >= kMaxCollection)
        return false;
    list.Items().push_back(entry);
    list.SyncSize();
    return true;
}

template <typename T>
MasterSession::Removal CheckRemove(const CMyArray<T>& list, const std::vector<quint16>& column,
                                   int i)
{
    if (list.m_nSize <= 1)
        return MasterSession::Removal::LastOne;
    if (MasterLists::InUse(column, i))
        return MasterSession::Removal::InUse;
    return MasterSession::Removal::Allowed;
}

template <typename T> bool SameItems(const CMyArray<T>& a, const CMyArray<T>& b)
{
    return a.Items() == b.Items();
}

} // namespace

MasterSession::MasterSession(const CQLMDoc& doc)
    : m_types(doc.m_TrainAssortment), m_destinations(doc.m_Destination),
      m_trainTypes(MasterLists::TrainTypes(doc)),
      m_trainDestinations(MasterLists::TrainDestinations(doc)), m_crLit(doc.m_crLit),
      m_crUnlit(doc.m_crUnlit), m_layoutMain(doc.m_LayoutMain), m_layoutSub(doc.m_LayoutSub)
{
}

tagTRAINASSORTMENT MasterSession::NewTrainType() const
{
    tagTRAINASSORTMENT type;
    type.strName = Sjis::FromUtf8("新規種別");
    type.strNameSub = "Newitem";
    type.bDefaultColor = 1;
    type.bLightBackground = 0;
    // The colours the first type of a new document gets, so that the pickers show defined
    // values even while the standard colour is in use.
    type.crText = m_crLit;
    type.crBack = m_crUnlit;
    type.bCustomLayout = 0;
    type.layoutMain = m_layoutMain;
    type.layoutSub = m_layoutSub;
    return type;
}

DESTINATION MasterSession::NewDestination()
{
    return DESTINATION{Sjis::FromUtf8("新規行先"), "New destination"};
}

bool MasterSession::AddType(const tagTRAINASSORTMENT& type)
{
    return Append(m_types, type);
}

bool MasterSession::AddDestination(const DESTINATION& destination)
{
    return Append(m_destinations, destination);
}

void MasterSession::ReplaceType(int i, const tagTRAINASSORTMENT& type)
{
    m_types.ElementAt(i) = type;
}

void MasterSession::ReplaceDestination(int i, const DESTINATION& destination)
{
    m_destinations.ElementAt(i) = destination;
}

MasterSession::Removal MasterSession::CheckRemoveType(int i) const
{
    return CheckRemove(m_types, m_trainTypes, i);
}

MasterSession::Removal MasterSession::CheckRemoveDestination(int i) const
{
    return CheckRemove(m_destinations, m_trainDestinations, i);
}

void MasterSession::RemoveType(int i)
{
    Q_ASSERT(CheckRemoveType(i) == Removal::Allowed);
    MasterLists::RemoveAt(m_types, i);
    MasterLists::RenumberAfterRemoval(m_trainTypes, i);
}

void MasterSession::RemoveDestination(int i)
{
    Q_ASSERT(CheckRemoveDestination(i) == Removal::Allowed);
    MasterLists::RemoveAt(m_destinations, i);
    MasterLists::RenumberAfterRemoval(m_trainDestinations, i);
}

TimetableEdit MasterSession::ToEdit(const CQLMDoc& doc) const
{
    std::optional<std::vector<quint16>> types;
    std::optional<std::vector<quint16>> destinations;
    if (m_trainTypes != MasterLists::TrainTypes(doc))
        types = m_trainTypes;
    if (m_trainDestinations != MasterLists::TrainDestinations(doc))
        destinations = m_trainDestinations;
    TimetableEdit edit;
    if (types || destinations || !SameItems(m_types, doc.m_TrainAssortment) ||
        !SameItems(m_destinations, doc.m_Destination))
        edit.SetLists(m_types, m_destinations, std::move(types), std::move(destinations));
    return edit;
}

namespace MasterText {

QString TypesStep()
{
    return QStringLiteral("種別の編集");
}

QString DestinationsStep()
{
    return QStringLiteral("行先の編集");
}

QString LastType()
{
    return QStringLiteral("列車種別は最低1つ必要です\n削除はできません");
}

QString TypeInUse(const QByteArray& name)
{
    return QStringLiteral("'%1'は使用されています\n確当する列車を全て削除するか他の種別に置換して"
                          "からこの種別を削除してください")
        .arg(Sjis::Decode(name));
}

QString ConfirmRemoveType(const QByteArray& name)
{
    return QStringLiteral("種別'%1'を削除します").arg(Sjis::Decode(name));
}

QString RemoveTypeCaption()
{
    return QStringLiteral("種別の削除");
}

QString LastDestination()
{
    return QStringLiteral("行先は最低1つ必要です\n削除はできません");
}

QString DestinationInUse(const QByteArray& name)
{
    return QStringLiteral("'%1'は使用されています\n確当する列車を全て削除するか他の行先に置換して"
                          "からこの行先を削除してください")
        .arg(Sjis::Decode(name));
}

QString ConfirmRemoveDestination(const QByteArray& name)
{
    return QStringLiteral("行先'%1'を削除します").arg(Sjis::Decode(name));
}

QString RemoveDestinationCaption()
{
    return QStringLiteral("行先の削除");
}

QString TooManyTypes()
{
    return QStringLiteral("列車種別は%1件までしか登録できません").arg(kMaxCollection);
}

QString TooManyDestinations()
{
    return QStringLiteral("行先は%1件までしか登録できません").arg(kMaxCollection);
}

QString Unencodable(const QString& character)
{
    return QStringLiteral("「%1」は保存できない文字です").arg(character);
}

} // namespace MasterText

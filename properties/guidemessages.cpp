#include "guidemessages.h"

#include "qlmdoc.h"
#include "sjis.h"

namespace GuideMessages {

QString TimeText(qint32 minutes)
{
    return QString::asprintf("%02d:%02d", minutes / 60, minutes % 60);
}

QStringList RowTexts(const GUIDEMESSAGE& message)
{
    return {TimeText(message.nStartTime), TimeText(message.nEndTime),
            message.bExclusive ? QStringLiteral("はい") : QStringLiteral("いいえ"),
            Sjis::Decode(message.strMessage)};
}

GUIDEMESSAGE NewMessage()
{
    GUIDEMESSAGE message;
    message.nStartTime = 60;
    message.nEndTime = 120;
    message.bExclusive = 0;
    message.strMessage = Sjis::FromUtf8("ここに新規ｶﾞｲﾄﾞﾒｯｾｰｼﾞを入力します");
    return message;
}

bool CanAdd(const CQLMDoc& doc)
{
    return doc.m_wGuideMessageCount < kMaxCollection;
}

bool Add(CQLMDoc& doc, const GUIDEMESSAGE& message)
{
    if (!CanAdd(doc))
        return false;
    doc.SetGuideMessageCount(doc.m_wGuideMessageCount + 1);
    doc.m_GuideMessage.ElementAt(doc.m_wGuideMessageCount) = message;
    return true;
}

void Remove(CQLMDoc& doc, int row)
{
    Q_ASSERT(row >= 0 && row < doc.m_wGuideMessageCount);
    auto& items = doc.m_GuideMessage.Items();
    items.erase(items.begin() + row);
    doc.m_GuideMessage.SyncSize();
    doc.m_wGuideMessageCount = static_cast<quint16>(items.size());
}

GUIDEMESSAGE& At(CQLMDoc& doc, int row)
{
    return doc.m_GuideMessage.ElementAt(row + 1);
}

QString TooManyMessage()
{
    return QStringLiteral("ｶﾞｲﾄﾞﾒｯｾｰｼﾞは%1件までしか登録できません").arg(kMaxCollection);
}

} // namespace GuideMessages

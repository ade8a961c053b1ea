// The property pages' rules without widgets: the field table, what the user typed, guide
// messages, the key tree, the block list and the dump.
#include "extkeys.h"
#include "guidemessages.h"
#include "propfields.h"
#include "qlmdoc.h"
#include "samples.h"
#include "sjis.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>

namespace {

using Samples::J;

const std::span<const DocField> kPages[] = {kGeneralFields, kDisplayFields, kAdvancedFields};

// Every field of every page, once.
std::vector<DocField> AllFields()
{
    std::vector<DocField> all;
    for (auto page : kPages)
        all.insert(all.end(), page.begin(), page.end());
    return all;
}

FieldValue Distinct(DocField field)
{
    const int n = static_cast<int>(field) + 1;
    if (KindOf(field) == FieldKind::Text)
        return {QByteArray("text") + QByteArray::number(n), 0};
    return {{}, static_cast<quint32>(n)};
}

TEST(FieldTable, EveryFieldHasItsOwnMemberAndPagesTouchOnlyTheirOwn)
{
    CQLMDoc source;
    for (DocField field : AllFields())
        WriteField(source, field, Distinct(field));
    for (DocField field : AllFields())
        EXPECT_EQ(ReadField(source, field), Distinct(field)) << MemberName(field);

    // Applying one page copies its fields and leaves the others' as they were.
    for (auto page : kPages) {
        CQLMDoc target;
        ApplyPage(FillPage(source, page), target);
        for (DocField field : AllFields()) {
            const bool onPage = std::find(page.begin(), page.end(), field) != page.end();
            EXPECT_EQ(ReadField(target, field), onPage ? Distinct(field) : FieldValue{})
                << MemberName(field);
        }
    }
}

TEST(FieldTable, NeighboursColoursAndFlagsReachTheRightMembers)
{
    // The pairs that are easiest to swap.
    const std::pair<DocField, std::function<quint32(const CQLMDoc&)>> numbers[] = {
        {DocField::Platform, [](const CQLMDoc& d) { return quint32(d.m_wPlatform); }},
        {DocField::LineColor2Used, [](const CQLMDoc& d) { return d.m_bLineColor2; }},
        {DocField::LineColor2, [](const CQLMDoc& d) { return d.m_crLineColor2; }},
        {DocField::SubLine, [](const CQLMDoc& d) { return d.m_bSubLine; }},
        {DocField::Lit, [](const CQLMDoc& d) { return d.m_crLit; }},
        {DocField::Unlit, [](const CQLMDoc& d) { return d.m_crUnlit; }},
        {DocField::DateChangeTime, [](const CQLMDoc& d) { return quint32(d.m_wDateChangeTime); }},
    };
    for (const auto& [field, read] : numbers) {
        CQLMDoc doc;
        WriteField(doc, field, {{}, 77});
        EXPECT_EQ(read(doc), 77u) << MemberName(field);
    }
    CQLMDoc doc;
    WriteField(doc, DocField::PrevStation, {"prev", 0});
    WriteField(doc, DocField::NextStationEn, {"next", 0});
    EXPECT_EQ(doc.m_strPrevStation, "prev");
    EXPECT_EQ(doc.m_strNextStationEn, "next");
}

// What the basic-data command compares before it makes an undo step. A timetable the file
// cannot hold (a text over 65,535 bytes) counts as changed, so its changes are never dropped.
TEST(FieldTable, PropertiesDifferOnlyInWhatTheSheetChanges)
{
    CQLMDoc before = Samples::Timetable();
    CQLMDoc unwritable = before;
    unwritable.m_strLineName = QByteArray(70000, 'x');
    const struct
    {
        const char* name;
        std::function<void(CQLMDoc&)> change;
        bool differ;
    } cases[] = {
        {"nothing", [](CQLMDoc&) {}, false},
        {"a station name", [](CQLMDoc& d) { d.m_strStationName = J("新宿"); }, true},
        {"a key", [](CQLMDoc& d) { d.m_ExtKey.AddTail(EXTKEY{}); }, true},
        {"a train only", [](CQLMDoc& d) { d.SetTrainCount(1); }, false},
        {"a text too long to write", [](CQLMDoc& d) { d.m_strGuide = QByteArray(70000, 'x'); },
         true},
    };
    for (const auto& c : cases) {
        CQLMDoc after = before;
        c.change(after);
        EXPECT_EQ(PropertiesDiffer(before, after), c.differ) << c.name;
    }
    EXPECT_TRUE(PropertiesDiffer(unwritable, unwritable));
}

TEST(Platform, ReadLikeAtoiFromTwoCharacters)
{
    const std::pair<const char*, std::optional<quint16>> cases[] = {
        {"7", 7},
        {"12", 12},
        {"05", 5},
        {"", 0},
        {"x1", 0},
        {"1x", 1},
        {" 7", 7},
        {"+5", 5},
        {"123", 12},
        {"-1", std::nullopt},
        {" -", std::nullopt},
        {"99", 99},
        {"\t3", 3},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(ParsePlatform(QString::fromUtf8(text)), expected) << text;
    EXPECT_EQ(PlatformText(0), "0");
    EXPECT_EQ(PlatformText(99), "99");
    EXPECT_EQ(PlatformText(200), "99");
}

TEST(TypedText, UnchangedKeepsBytesChangedIsEncodedOrRefused)
{
    // 0x80 is no character in code page 932: it does not survive decode + encode.
    const QByteArray odd("A\x80"
                         "B",
                         3);
    const QString shown = Sjis::Decode(odd);
    EXPECT_EQ(TakeText(odd, shown, shown).bytes, odd);

    EXPECT_EQ(TakeText(odd, shown, QString::fromUtf8("東京")).bytes, J("東京"));

    const TakenText euro = TakeText(odd, shown, QString::fromUtf8("A€"));
    EXPECT_FALSE(euro.bytes);
    EXPECT_TRUE(euro.refusal.contains(QString::fromUtf8("€")));

    const TakenText tooLong = TakeText({}, {}, QString::fromUtf8("あい"), 3);
    EXPECT_FALSE(tooLong.bytes);
    EXPECT_EQ(TakeText({}, {}, QString::fromUtf8("あ"), 3).bytes, J("あ"));
}

TEST(Times, ShownWithinOneDayAndKeptWhenUntouched)
{
    const std::pair<qint64, ShownTime> shown[] = {{0, {0, 0}},      {1439, {23, 59}},
                                                  {135, {2, 15}},   {1440, {23, 59}},
                                                  {1500, {23, 59}}, {-5, {0, 0}}};
    for (const auto& [minutes, expected] : shown) {
        EXPECT_EQ(ShowTime(minutes), expected) << minutes;
        EXPECT_EQ(TakeTime(minutes, ShowTime(minutes), ShowTime(minutes)), minutes) << minutes;
    }
    EXPECT_EQ(TakeTime(1500, {23, 59}, {22, 59}), 22 * 60 + 59);
    EXPECT_EQ(TakeTime(1500, {23, 59}, {0, 0}), 0);
}

// ---- Guide messages ---------------------------------------------------------------------------

CQLMDoc WithMessages(std::initializer_list<const char*> texts)
{
    CQLMDoc doc;
    for (const char* text : texts) {
        GUIDEMESSAGE m;
        m.strMessage = text;
        GuideMessages::Add(doc, m);
    }
    return doc;
}

TEST(GuideMessageList, RowsAddRemove)
{
    EXPECT_EQ(GuideMessages::TimeText(1500), "25:00");
    EXPECT_EQ(GuideMessages::TimeText(59), "00:59");
    EXPECT_EQ(GuideMessages::RowTexts(GuideMessages::NewMessage()),
              QStringList({"01:00", "02:00", QString::fromUtf8("いいえ"),
                           QString::fromUtf8("ここに新規ｶﾞｲﾄﾞﾒｯｾｰｼﾞを入力します")}));
    GUIDEMESSAGE late{1380, 60, 1, "x"}; // ends before it starts: listed as entered
    EXPECT_EQ(GuideMessages::RowTexts(late),
              QStringList({"23:00", "01:00", QString::fromUtf8("はい"), "x"}));

    CQLMDoc doc = WithMessages({"a", "b", "c"});
    GuideMessages::Remove(doc, 0);
    ASSERT_EQ(doc.m_wGuideMessageCount, 2);
    ASSERT_EQ(doc.m_GuideMessage.m_nSize, 2);
    EXPECT_EQ(doc.m_GuideMessage.ElementAt(1).strMessage, "b");
    EXPECT_EQ(doc.m_GuideMessage.ElementAt(2).strMessage, "c");
    GuideMessages::Remove(doc, 1);
    EXPECT_EQ(GuideMessages::At(doc, 0).strMessage, "b");
    EXPECT_EQ(doc.m_wGuideMessageCount, 1);
}

TEST(GuideMessageList, AddingBeyondTheCountIsRefused)
{
    CQLMDoc doc;
    doc.SetGuideMessageCount(kMaxCollection - 1);
    EXPECT_TRUE(GuideMessages::Add(doc, GuideMessages::NewMessage()));
    EXPECT_EQ(doc.m_wGuideMessageCount, kMaxCollection);
    EXPECT_FALSE(GuideMessages::CanAdd(doc));
    EXPECT_FALSE(GuideMessages::Add(doc, GuideMessages::NewMessage()));
    EXPECT_EQ(doc.m_wGuideMessageCount, kMaxCollection);
    EXPECT_EQ(doc.m_GuideMessage.m_nSize, kMaxCollection);
}

// ---- Key tree ---------------------------------------------------------------------------------

CExtKeyList Keys(std::initializer_list<std::pair<const char*, const char*>> keys)
{
    CExtKeyList list;
    for (const auto& [path, value] : keys) {
        EXTKEY key;
        key.SetKey(path);
        key.strValue = value;
        list.AddTail(key);
    }
    return list;
}

// "text#key{children}" at every level, in order.
QByteArray Spell(const std::vector<ExtKeys::TreeItem>& items)
{
    QByteArray out;
    for (const auto& item : items) {
        out += item.text + '#' + QByteArray::number(item.key);
        if (!item.children.empty())
            out += '{' + Spell(item.children) + '}';
        out += ';';
    }
    return out;
}

TEST(KeyTree, BuiltInListOrderWithKeysAsParents)
{
    const std::pair<CExtKeyList, QByteArray> cases[] = {
        {Keys({{"MADEBY", "me"}, {"STANDARD/COMPANY", "c"}, {"STANDARD/COMPANY/URL", "u"}}),
         "MADEBY :(me)#0;STANDARD#-1{COMPANY :(c)#1{URL :(u)#2;};};"},
        {Keys({{"MADEBY", "me"}, {"STANDARD/COMPANY/URL", "u"}, {"STANDARD/COMPANY", "c"}}),
         "MADEBY :(me)#0;STANDARD#-1{COMPANY#-1{URL :(u)#1;};COMPANY :(c)#2;};"},
        // Not sorted; the comparison is exact, so case matters.
        {Keys({{"B/x", "1"}, {"A", "2"}, {"b/y", "3"}, {"B/z", "4"}}),
         "B#-1{x :(1)#0;z :(4)#3;};A :(2)#1;b#-1{y :(3)#2;};"},
        // A key without '/' is named "" for the lookup, so an empty first segment finds it.
        {Keys({{"TOP", "t"}, {"/X", "x"}}), "TOP :(t)#0{X :(x)#1;};"},
        {Keys({{"A/", "v"}, {"", ""}}), "A#-1{ :(v)#0;}; :()#1;"},
        {Keys({}), ""},
    };
    for (const auto& [keys, expected] : cases)
        EXPECT_EQ(Spell(ExtKeys::BuildTree(keys)), expected) << expected.constData();
}

TEST(KeyTree, ProposedPath)
{
    const CExtKeyList keys = Keys({{"MADEBY", ""}, {"STANDARD/COMPANY/URL", ""}, {"/X", ""}});
    EXPECT_EQ(ExtKeys::ProposedPath(keys, 1), "STANDARD/");
    EXPECT_EQ(ExtKeys::ProposedPath(keys, 0), "");
    EXPECT_EQ(ExtKeys::ProposedPath(keys, 2), "/");
    EXPECT_EQ(ExtKeys::ProposedPath(keys, -1), "");
}

// ---- Blocks -----------------------------------------------------------------------------------

CQLMDoc WithBlocks()
{
    CQLMDoc doc;
    doc.SetExtDataCount(2);
    doc.m_ExtData.ElementAt(1).SetName("B");
    doc.m_ExtData.ElementAt(1).SetData("123");
    doc.m_ExtData.ElementAt(2).SetName("A%1");
    doc.m_ExtData.ElementAt(2).SetData(QByteArray("\0\x01\xFF\n", 4));
    return doc;
}

TEST(Blocks, LinesInDocumentOrder)
{
    EXPECT_EQ(ExtKeys::BlockLines(WithBlocks()),
              QStringList(
                  {QString::fromUtf8("B : ｻｲｽﾞ(3ﾊﾞｲﾄ)"), QString::fromUtf8("A%1 : ｻｲｽﾞ(4ﾊﾞｲﾄ)")}));
    EXPECT_EQ(ExtKeys::DumpDoneMessage(WithBlocks().m_ExtData.ElementAt(2)),
              QString::fromUtf8("ﾃﾞｰﾀﾌﾞﾛｯｸ'A%1' 4 ﾊﾞｲﾄ\nﾌｧｲﾙへの書き出しを完了しました"));
}

TEST(Blocks, DumpWritesExactlyTheBytesOrNothing)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.bin");
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("an older and longer file");
    }
    QString error;
    ASSERT_TRUE(ExtKeys::DumpBlock(WithBlocks().m_ExtData.ElementAt(2), path, &error));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("\0\x01\xFF\n", 4));

    const QString missing = dir.filePath("no/such/folder/b.bin");
    EXPECT_FALSE(ExtKeys::DumpBlock(WithBlocks().m_ExtData.ElementAt(1), missing, &error));
    EXPECT_TRUE(error.contains("b.bin")) << error.toStdString();
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files).contains("a.bin"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

} // namespace

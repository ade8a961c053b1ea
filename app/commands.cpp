#include "commands.h"

namespace {

QList<CommandInfo> BuildTable()
{
    QList<CommandInfo> table = {
        {ID_FILE_NEW,
         QStringLiteral("新規作成(&N)\tCtrl+N"),
         {QKeySequence(Qt::CTRL | Qt::Key_N)},
         QStringLiteral("新規にﾌｧｲﾙを作成\n新規ﾌｧｲﾙ"),
         QStringLiteral(":/icons/new.png")},
        {ID_FILE_OPEN,
         QStringLiteral("開く(&O)...\tCtrl+O"),
         {QKeySequence(Qt::CTRL | Qt::Key_O)},
         QStringLiteral("既存のﾌｧｲﾙを開く\n開く"),
         QStringLiteral(":/icons/open.png")},
        {ID_FILE_CLOSE,
         QStringLiteral("閉じる(&C)"),
         {},
         QStringLiteral("作業中のﾌｧｲﾙを閉じる\n閉じる"),
         {}},
        {ID_FILE_SAVE,
         QStringLiteral("上書き保存(&S)\tCtrl+S"),
         {QKeySequence(Qt::CTRL | Qt::Key_S)},
         QStringLiteral("作業中のﾌｧｲﾙを保存\n保存"),
         QStringLiteral(":/icons/save.png")},
        {ID_FILE_SAVE_AS,
         QStringLiteral("名前を付けて保存(&A)..."),
         {},
         QStringLiteral("作業中のﾌｧｲﾙに名前を付けて保存\n名前をつけて保存"),
         {}},
        {ID_FILE_MRU_FIRST,
         QStringLiteral("最新のﾌｧｲﾙ"),
         {},
         QStringLiteral("指定のﾌｧｲﾙを開く"),
         {}},
        {ID_EDIT_COPY,
         QStringLiteral("ｺﾋﾟｰ(&C)\tCtrl+Shift+C"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
         QStringLiteral("現在の行をｺﾋﾟｰ元にする\nｺﾋﾟ-"),
         QStringLiteral(":/icons/copy.png")},
        {ID_EDIT_CUT,
         QStringLiteral("切り取り(&T)\tCtrl+Shift+X"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)},
         QStringLiteral("現在の行を切り取り元にする\n切り取り"),
         QStringLiteral(":/icons/cut.png")},
        {ID_EDIT_PASTE,
         QStringLiteral("貼り付け(&P)\tCtrl+Shift+V"),
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)},
         QStringLiteral("ｺﾋﾟｰ/切り取り元の行を貼り付け\n貼り付け"),
         QStringLiteral(":/icons/paste.png")},
        {ID_WINDOW_NEW,
         QStringLiteral("新しいｳｨﾝﾄﾞｳを開く(&N)"),
         {},
         QStringLiteral("作業中のｳｨﾝﾄﾞｳを複写して表示\n新規ｳｨﾝﾄﾞｳ"),
         {}},
        {ID_WINDOW_ARRANGE,
         QStringLiteral("ｱｲｺﾝの整列(&A)"),
         {},
         QStringLiteral("ｳｨﾝﾄﾞｳの下部にｱｲｺﾝを整列\nｱｲｺﾝの整列"),
         {}},
        {ID_WINDOW_CASCADE,
         QStringLiteral("重ねて表示(&C)"),
         {},
         QStringLiteral("ｳｨﾝﾄﾞｳを重ねて表示\n重ねて表示"),
         {}},
        {ID_WINDOW_TILE_HORZ,
         QStringLiteral("並べて表示(&T)"),
         {},
         QStringLiteral("ｳｨﾝﾄﾞｳを上下に並べて表示\n上下に並べて表示"),
         {}},
        {ID_APP_ABOUT,
         QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報(&A)..."),
         {},
         QStringLiteral("ﾌﾟﾛｸﾞﾗﾑの情報、ﾊﾞｰｼﾞｮﾝそして著作権を表示\nﾊﾞｰｼﾞｮﾝ情報"),
         QStringLiteral(":/icons/about.png")},
        {ID_APP_EXIT,
         QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)"),
         {},
         QStringLiteral("ｱﾌﾟﾘｹｰｼｮﾝを終了し、ﾌｧｲﾙの保存を指示\n終了"),
         {}},
        {ID_VIEW_TOOLBAR,
         QStringLiteral("ﾂｰﾙ ﾊﾞｰ(&T)"),
         {},
         QStringLiteral("ﾂｰﾙ ﾊﾞｰの表示/非表示\nﾂｰﾙ ﾊﾞｰの表示/非表示"),
         {},
         true},
        {ID_VIEW_STATUS_BAR,
         QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰ(&S)"),
         {},
         QStringLiteral("ｽﾃｰﾀｽ ﾊﾞｰの表示/非表示\nｽﾃｰﾀｽ ﾊﾞｰの表示/非表示"),
         {},
         true},
        {ID_VIEW_BOARD_PREVIEW,
         QStringLiteral("発車標プレビュー(&B)"),
         {},
         QStringLiteral("発車標の表示を時刻を指定して確認します\n発車標プレビュー"),
         QStringLiteral(":/icons/boardpreview.png"),
         true},
        {ID_VIEW_CHECKS,
         QStringLiteral("問題点(&P)"),
         {},
         QStringLiteral("発車標に出る問題点の一覧の表示/非表示\n問題点"),
         {},
         true},
        {ID_EDIT_BASICDATA, QStringLiteral("基本ﾃﾞｰﾀ(D)..."), {}, {}, {}},
        {ID_BASICDATA,
         {},
         {},
         QStringLiteral("基本ﾃﾞｰﾀの編集\n基本ﾃﾞｰﾀ"),
         QStringLiteral(":/icons/basicdata.png")},
        {ID_EDIT_DESTINATION, QStringLiteral("行先の追加･編集(&E)..."), {}, {}, {}},
        {ID_EDIT_ASSORTMENT, QStringLiteral("種別の追加･編集(&A)..."), {}, {}, {}},
        {ID_EDIT_REPLACE,
         QStringLiteral("置換(&R)...\tCtrl+H"),
         {QKeySequence(Qt::CTRL | Qt::Key_H)},
         QStringLiteral("置換: 列車種別/行先をまとめて変更します"),
         {}},
        {ID_EDIT_INSERT,
         QStringLiteral("挿入(&I)...\tCtrl+Insert"),
         {QKeySequence(Qt::CTRL | Qt::Key_Insert)},
         {},
         {}},
        {ID_EDIT_DELETE,
         QStringLiteral("削除(R)\tCtrl+Del"),
         {QKeySequence(Qt::CTRL | Qt::Key_Delete)},
         {},
         {}},
        {ID_HELP_FILE, QStringLiteral("ﾍﾙﾌﾟ(&H)..."), {QKeySequence(Qt::Key_F1)}, {}, {}},
        {ID_PATTERNDIA,
         QStringLiteral("ﾊﾟﾀｰﾝﾀﾞｲﾔ(&N)..."),
         {},
         QStringLiteral("ﾊﾟﾀｰﾝﾀﾞｲﾔを構築します\nﾊﾟﾀｰﾝﾀﾞｲﾔ"),
         {}},
        {ID_EDIT_COPY_TABLE,
         QStringLiteral("表としてコピー(&O)\tCtrl+C"),
         {QKeySequence(Qt::CTRL | Qt::Key_C)},
         QStringLiteral("選択した行を表計算ｿﾌﾄ用の表としてｺﾋﾟｰ\n表としてコピー"),
         {}},
        {ID_EDIT_PASTE_TABLE,
         QStringLiteral("表から貼り付け(&V)\tCtrl+V"),
         {QKeySequence(Qt::CTRL | Qt::Key_V)},
         QStringLiteral("表計算ｿﾌﾄからｺﾋﾟｰした表を列車として挿入\n表から貼り付け"),
         {}},
        {ID_EDIT_UNDO,
         QStringLiteral("元に戻す(&U)\tCtrl+Z"),
         {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)},
         QStringLiteral("直前の操作を元に戻します\n元に戻す"),
         QStringLiteral(":/icons/undo.png")},
        {ID_EDIT_REDO,
         QStringLiteral("やり直し(&R)\tCtrl+Y"),
         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)},
         QStringLiteral("元に戻した操作をやり直します\nやり直し"),
         QStringLiteral(":/icons/redo.png")},
        // Keys bound to commands nobody handles: they are swallowed and do nothing.
        {ID_NEXT_PANE, {}, {QKeySequence(Qt::Key_F6)}, {}, {}},
        {ID_PREV_PANE, {}, {QKeySequence(Qt::SHIFT | Qt::Key_F6)}, {}, {}},
    };
    return table;
}

} // namespace

const QList<CommandInfo>& CommandTable()
{
    static const QList<CommandInfo> table = BuildTable();
    return table;
}

const CommandInfo* FindCommand(int id)
{
    for (const CommandInfo& info : CommandTable())
        if (info.id == id)
            return &info;
    return nullptr;
}

QString StatusTextOf(const QString& prompt)
{
    return prompt.section(QLatin1Char('\n'), 0, 0);
}

QString ToolTipOf(const QString& prompt)
{
    const qsizetype at = prompt.indexOf(QLatin1Char('\n'));
    return at < 0 ? QString() : prompt.mid(at + 1);
}

QString IdleMessage()
{
    return QStringLiteral("Ready...");
}

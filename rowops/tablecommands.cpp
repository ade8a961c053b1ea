#include "tablecommands.h"

#include "messages.h"
#include "rowlogic.h"
#include "tablelogic.h"
#include "tableproblemdlg.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>

#include <vector>

namespace {

// The trains behind the text this program last put on the clipboard: pasted back, they keep
// bytes and list entries that their text alone cannot carry.
struct LastCopy
{
    QString text;
    std::vector<tagTRAININFO> trains;
};

LastCopy& Remembered()
{
    static LastCopy copy;
    return copy;
}

QString NothingToPaste()
{
    return QStringLiteral("ｸﾘｯﾌﾟﾎﾞｰﾄﾞに貼り付けられる列車がありません");
}

} // namespace

void OnEditCopyTable(CVeldenView& view)
{
    view.EndEdit();
    const CQLMDoc& doc = view.Timetable();
    const TableLogic::Rows rows = TableLogic::CopyRows(doc, view.State());
    if (rows.IsEmpty()) {
        Msg::Show(&view, RowText::NoCellSelected(), Msg::AppTitle(), QMessageBox::Warning);
        return;
    }
    TableLogic::Copied copied = TableLogic::CopyTable(doc, rows);
    const auto begin = doc.m_TrainInfo.Items().begin();
    Remembered() = {copied.text,
                    std::vector<tagTRAININFO>(begin + (rows.first - 1), begin + rows.last)};

    auto* mime = new QMimeData;
    mime->setText(copied.text);
    mime->setHtml(copied.html);
    QApplication::clipboard()->setMimeData(mime);
}

void OnEditPasteTable(CVeldenView& view)
{
    view.EndEdit();
    const QString text = QApplication::clipboard()->text();
    CVeldenDoc* doc = view.GetDocument();
    const LastCopy& last = Remembered();
    const std::span<const tagTRAININFO> remembered =
        text == last.text ? std::span<const tagTRAININFO>(last.trains)
                          : std::span<const tagTRAININFO>();

    TableLogic::Paste paste = TableLogic::ReadPaste(doc->Timetable(), text, false, remembered);
    if (!paste.read.ok()) {
        const bool offerAdd = TableLogic::CanAddNames(doc->Timetable(), paste.read);
        CTableProblemDlg dlg(paste.read, offerAdd, &view);
        if (dlg.exec() != QDialog::Accepted || !offerAdd)
            return;
        paste = TableLogic::ReadPaste(doc->Timetable(), text, true, remembered);
        if (!paste.read.ok()) {
            CTableProblemDlg again(paste.read, false, &view);
            again.exec();
            return;
        }
    }
    const int count = static_cast<int>(paste.read.trains.size());
    if (count == 0) {
        Msg::Show(&view, NothingToPaste(), Msg::AppTitle(), QMessageBox::Warning);
        return;
    }
    const int row = TableLogic::PasteRow(doc->Timetable(), view.State());
    doc->Apply(TableLogic::PasteEdit(std::move(paste), row), TableLogic::PasteStep());
    view.SelectRows(row, row + count - 1);
}

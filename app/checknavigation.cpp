#include "checknavigation.h"

#include "assortmenteditdlg.h"
#include "basicdatacommand.h"
#include "docproppagea.h"
#include "docproppageb.h"
#include "docproppagec.h"
#include "docproppaged.h"
#include "docpropsheet.h"
#include "fieldeditors.h"
#include "gridcolumn.h"
#include "mastercommands.h"
#include "masterlistdlg.h"
#include "panelviewdatadlg.h"
#include "veldendoc.h"
#include "veldenview.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QUndoStack>

#include <functional>

using Board::CheckPlace;
using Board::Finding;

namespace {

// The checks number the grid's columns as the grid does.
constexpr bool SameColumn(int cell, int column)
{
    return cell == column;
}
static_assert(SameColumn(Board::kCellTrainNo, GridColumn::TrainNo) &&
              SameColumn(Board::kCellType, GridColumn::Type) &&
              SameColumn(Board::kCellName, GridColumn::Name) &&
              SameColumn(Board::kCellNameEn, GridColumn::NameEn) &&
              SameColumn(Board::kCellTime, GridColumn::Time) &&
              SameColumn(Board::kCellDestination, GridColumn::Destination) &&
              SameColumn(Board::kCellPlatform, GridColumn::Platform) &&
              SameColumn(Board::kCellGuide, GridColumn::Guide) &&
              SameColumn(Board::kCellNote, GridColumn::Note));

// Runs then on the modal dialog of type Dialog that the caller is about to open, once it is up.
template <typename Dialog> void WhenOpen(std::function<void(Dialog&)> then)
{
    QTimer::singleShot(0, [then] {
        if (auto* dialog = qobject_cast<Dialog*>(QApplication::activeModalWidget()))
            then(*dialog);
    });
}

// Opens the layout editor with a button of the dialog that is up, on the finding's part.
void OpenLayoutEditor(QPushButton* button, int part)
{
    WhenOpen<CPanelViewDataDlg>([part](CPanelViewDataDlg& editor) {
        editor.m_pPartList->setCurrentIndex(part);
        editor.m_pPartList->setFocus();
    });
    button->click();
}

void SelectInList(CMasterListDlg& dialog, int index)
{
    dialog.m_pList->setCurrentRow(index - 1);
    dialog.m_pList->setFocus();
}

void ShowInSheet(CVeldenView& view, const Finding& f)
{
    const CheckPlace place = f.place;
    WhenOpen<CDocPropSheet>([place](CDocPropSheet& sheet) {
        switch (place.kind) {
        case CheckPlace::Kind::Sign: {
            const bool sub = place.display == Board::Display::Sub;
            const bool second = place.index == 1;
            DocField field = DocField::LineName;
            if (place.part == Board::kSignLineName)
                field = second ? (sub ? DocField::SubLineNameEn : DocField::SubLineName)
                               : (sub ? DocField::LineNameEn : DocField::LineName);
            else if (place.part == Board::kSignDirection)
                field = second ? (sub ? DocField::SubGuideEn : DocField::SubGuide)
                               : (sub ? DocField::GuideEn : DocField::Guide);
            sheet.m_pTabs->setCurrentWidget(sheet.m_pPageA);
            QWidget* edit = place.part == Board::kSignPlatform
                                ? static_cast<QWidget*>(sheet.m_pPageA->m_pPlatform)
                                : static_cast<QWidget*>(sheet.m_pPageA->Text(field));
            edit->setFocus();
            break;
        }
        case CheckPlace::Kind::Layout:
            sheet.m_pTabs->setCurrentWidget(sheet.m_pPageB);
            OpenLayoutEditor(sheet.m_pPageB->m_pLayout, place.part);
            break;
        case CheckPlace::Kind::GuideMessage:
            sheet.m_pTabs->setCurrentWidget(sheet.m_pPageC);
            if (QTreeWidgetItem* item = sheet.m_pPageC->m_pList->topLevelItem(place.index - 1))
                sheet.m_pPageC->m_pList->setCurrentItem(item);
            sheet.m_pPageC->m_pList->setFocus();
            break;
        case CheckPlace::Kind::ExtKey: {
            sheet.m_pTabs->setCurrentWidget(sheet.m_pPageD);
            QTreeWidget* tree = sheet.m_pPageD->m_pTree;
            // A key's item holds the key's index in the list (from 0) as its user data.
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                if ((*it)->data(0, Qt::UserRole).toInt() != place.index - 1)
                    continue;
                for (QTreeWidgetItem* up = (*it)->parent(); up; up = up->parent())
                    up->setExpanded(true);
                tree->setCurrentItem(*it);
                tree->scrollToItem(*it);
                break;
            }
            tree->setFocus();
            break;
        }
        default:
            break;
        }
    });
    // The sheet counts as a change even when cancelled; looking at it from here does not.
    CVeldenDoc& doc = *view.GetDocument();
    const bool wasModified = doc.IsModified();
    const int steps = doc.UndoStack()->index();
    RunBasicData(doc, &view);
    if (!wasModified && doc.UndoStack()->index() == steps)
        doc.SetModifiedFlag(false);
}

} // namespace

void ShowFinding(CVeldenView& view, const Finding& f)
{
    view.EndEdit();
    const CheckPlace place = f.place;
    switch (place.kind) {
    case CheckPlace::Kind::Train:
        view.ShowCell(place.column, place.index);
        view.setFocus();
        return;
    case CheckPlace::Kind::Type:
        WhenOpen<CMasterListDlg>(
            [place](CMasterListDlg& list) { SelectInList(list, place.index); });
        OnEditAssortment(*view.GetDocument(), &view);
        return;
    case CheckPlace::Kind::Destination:
        WhenOpen<CMasterListDlg>(
            [place](CMasterListDlg& list) { SelectInList(list, place.index); });
        OnEditDestination(*view.GetDocument(), &view);
        return;
    case CheckPlace::Kind::Layout:
        if (place.index > 0) {
            // A type's own layout: the type list, the type's editor, its layout editor.
            WhenOpen<CMasterListDlg>([place](CMasterListDlg& list) {
                SelectInList(list, place.index);
                WhenOpen<CAssortmentEditDlg>([place](CAssortmentEditDlg& editor) {
                    OpenLayoutEditor(editor.m_pChangeLayout, place.part);
                });
                list.m_pChange->click();
            });
            OnEditAssortment(*view.GetDocument(), &view);
            return;
        }
        ShowInSheet(view, f);
        return;
    case CheckPlace::Kind::Sign:
    case CheckPlace::Kind::GuideMessage:
    case CheckPlace::Kind::ExtKey:
        ShowInSheet(view, f);
        return;
    }
}

#pragma once

#include "records.h"

#include <QDialog>

class CPanelViewEdit;
class QCheckBox;
class QComboBox;
class QPushButton;

// "LED情報表示設定": places the seven display parts on the main and the sub panel row. The
// dialog works on its own copies of the two layouts; after OK the caller reads them back.
class CPanelViewDataDlg : public QDialog
{
    Q_OBJECT
public:
    CPanelViewDataDlg(const PanelLayout& layoutMain, const PanelLayout& layoutSub,
                      QWidget* parent = nullptr);

    const PanelLayout& LayoutMain() const { return m_LayoutMain; }
    const PanelLayout& LayoutSub() const { return m_LayoutSub; }

    QComboBox* m_pPartList;   // 表示ﾊﾟｰﾂ
    CPanelViewEdit* m_pMain;  // 日本語/主 表示
    CPanelViewEdit* m_pSub;   // 英語/副 表示
    QCheckBox* m_pShowGrid;   // ｸﾞﾘｯﾄﾞを表示: the grid is always drawn
    QPushButton* m_pCopyDown; // ▽ｺﾋﾟｰ: has no action

private:
    void OnSelChangePart(int part);

    PanelLayout m_LayoutMain;
    PanelLayout m_LayoutSub;
};

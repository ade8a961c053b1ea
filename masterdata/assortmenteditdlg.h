#pragma once

#include "records.h"

#include <QDialog>

class CColorComboBox;
class QCheckBox;
class QLineEdit;
class QPushButton;

// "新規種別" (titled by its caller): the names, LED colours and own panel layouts of one train
// type. OK writes everything into the record; Cancel leaves it untouched.
class CAssortmentEditDlg : public QDialog
{
    Q_OBJECT
public:
    CAssortmentEditDlg(tagTRAINASSORTMENT& record, const QString& title, QWidget* parent = nullptr);

    QLineEdit* m_pName;            // 種別名
    QLineEdit* m_pNameSub;         // 種別名(ｻﾌﾞ)
    QCheckBox* m_pDefaultColor;    // ﾃﾞﾌｫﾙﾄ
    CColorComboBox* m_pTextColor;  // the LED colour
    QCheckBox* m_pLightBackground; // 背景を発光
    CColorComboBox* m_pBackColor;  // the background colour
    QCheckBox* m_pCustomLayout;    // 表示ｽﾀｲﾙを変更
    QPushButton* m_pChangeLayout;  // 変更(&S)...

    // The layouts as the layout dialog left them; they reach the record with OK.
    const PanelLayout& LayoutMain() const { return m_layoutMain; }
    const PanelLayout& LayoutSub() const { return m_layoutSub; }

    void accept() override;

private:
    void UpdateEnabling();
    void OnChangeLayout();

    tagTRAINASSORTMENT& m_record;
    PanelLayout m_layoutMain;
    PanelLayout m_layoutSub;
};

#pragma once

#include "masterlistdlg.h"

// "列車種別の追加･編集": the train types of a list session, added, changed and removed.
class CAssortmentDlg : public CMasterListDlg
{
    Q_OBJECT
public:
    explicit CAssortmentDlg(MasterSession& session, QWidget* parent = nullptr);

protected:
    void OnNew() override;
    void OnRemove() override;
    void OnChange() override;
};

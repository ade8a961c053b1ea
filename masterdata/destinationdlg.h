#pragma once

#include "masterlistdlg.h"

// "行先の追加･編集": the destinations of a list session, added, changed and removed.
class CDestinationDlg : public CMasterListDlg
{
    Q_OBJECT
public:
    explicit CDestinationDlg(MasterSession& session, QWidget* parent = nullptr);

protected:
    void OnNew() override;
    void OnRemove() override;
    void OnChange() override;
};

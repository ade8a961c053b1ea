#pragma once

#include "docproppage.h"

#include <functional>

class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

// "ｴｸｽﾃﾝｼｮﾝ": the extension keys as a tree (edit, add, delete, each written into the timetable
// at once) and the list of data blocks, one of which can be written to a file.
class CDocPropPageD : public CDocPropPage
{
    Q_OBJECT
public:
    explicit CDocPropPageD(CQLMDoc& doc, QWidget* parent = nullptr);

    // Asks where to write a block; an empty answer cancels. Tests replace it; nullptr restores
    // the file dialog.
    using SavePrompt = std::function<QString(QWidget* parent)>;
    static void SetSavePrompt(SavePrompt prompt);

    QTreeWidget* m_pTree;
    QPushButton* m_pEditKey;
    QPushButton* m_pAddKey;
    QPushButton* m_pDeleteKey;
    QListWidget* m_pBlocks;
    QPushButton* m_pEditBlock; // never enabled
    QPushButton* m_pDump;

protected:
    void OnInitialFill() override;

private:
    void RebuildTree();
    // The key index of the selected tree item; -1 for none or a folder.
    int SelectedKey() const;
    void OnEditKey();
    void OnAddKey();
    void OnDeleteKey();
    void OnDump();
};

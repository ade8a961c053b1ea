#pragma once

#include "propfields.h"

#include <QWidget>

#include <span>
#include <utility>
#include <vector>

class CQLMDoc;
class FieldEditor;

// What every page of the property sheet shares: its fields are filled from the timetable on the
// page's first activation only (later activations keep what the user typed), read back in one
// step that may refuse, and written into the timetable on the sheet's OK or Apply.
class CDocPropPage : public QWidget
{
    Q_OBJECT
public:
    bool IsInitialised() const { return m_bInitialised; }

    // Fills the page the first time it becomes the current page.
    void OnSetActive();
    // Reads every field. On a refusal beeps, tells why, focuses the field and returns false.
    bool Collect(PageValues* values);
    // Writes what Collect read.
    void OnApply(const PageValues& values);

signals:
    // The user changed a field since the page was filled: there is something to apply. (The
    // lists and the layout editor write at once and have nothing to apply.)
    void fieldChanged();

protected:
    CDocPropPage(CQLMDoc& doc, std::span<const DocField> fields, QWidget* parent);
    template <typename Editor> Editor* AddEditor(DocField field, Editor* editor)
    {
        m_editors.emplace_back(field, editor);
        return editor;
    }
    // Fills what the page shows beyond its fields (lists, enabling).
    virtual void OnInitialFill() {}

    CQLMDoc& m_doc;

private:
    void WatchFields();

    std::vector<DocField> m_fields;
    std::vector<std::pair<DocField, FieldEditor*>> m_editors;
    bool m_bInitialised = false;
};

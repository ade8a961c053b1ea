#pragma once

// ==== Stand-ins for widgets built elsewhere ======================================================
// The colour picker (CColorComboBox) and the panel layout editor (CPanelViewDataDlg) are not in
// the tree yet. The pages reach them only through these four functions; swapping in the real
// widgets changes pendingwidgets.cpp alone.

#include "records.h"

#include <QtGlobal>

#include <span>

class QWidget;

// A drop-down colour box with one item per preset and a last, custom item.
QWidget* CreateColorBox(std::span<const quint32> presets, QWidget* parent);
// Selects the first preset equal to colour, else puts colour into the custom item.
void SelectColor(QWidget* box, quint32 colour);
// The colour of the selected item.
quint32 GetSelectedColor(const QWidget* box);

// Runs the layout editor modally on the two layouts; true (and the layouts changed) on OK.
bool EditPanelLayout(QWidget* parent, PanelLayout& main, PanelLayout& sub);

#pragma once

// Typing replaces a default text: a text field that receives the focus as its dialog opens, or
// by a label's mnemonic, shows its whole text selected, as the platform's dialogs always did.
// (Qt selects it on Tab already.) Installed once on the application, it covers every dialog;
// the grid's cell editor, which is no dialog, selects its own text.
namespace FocusSelect {

// Call once after the application object exists; later calls do nothing.
void Install();

} // namespace FocusSelect

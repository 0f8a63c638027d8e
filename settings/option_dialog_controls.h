// The controls of the options dialog TfrmOption with the state the dialog has when created. The
// Qt dialog uses the same names for its widgets. The pseudo control "frmOption" holds the
// dialog's caption.
#pragma once

#include <memory>

#include "engine/base/headless_form.h"

inline constexpr int kExtensionCount = 2;  // cmbExtension: "htm", "html"

// Adds every control of the options dialog with its initial state to form.
void AddOptionDialogControls(THeadlessForm& form);

// A headless options dialog as it is created.
std::unique_ptr<THeadlessForm> MakeHeadlessOptionDialog();

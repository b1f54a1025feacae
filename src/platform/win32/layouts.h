#pragma once
#include <memory>

#include "platform/win32/form_window.h"

namespace tavrin {
class FormCount30;
class FormEasyLogin;
class FormKeyOff;
class FormKeyVol;
class FormShutdown;
class frmSync;
}  // namespace tavrin

namespace tavrin::win32 {

// Where each form's controls lie. Only placement lives here: the captions,
// states and behaviour all come from the form models.
std::unique_ptr<FormWindow> MakeCountdownDialog(FormCount30& form);

// The panes of the main window, in twips from the pane's top-left corner.
void LayOutEasyLogin(FormWindow& pane, FormEasyLogin& form);
void LayOutKeyOff(FormWindow& pane, FormKeyOff& form);
void LayOutKeyVol(FormWindow& pane, FormKeyVol& form);
void LayOutShutdown(FormWindow& pane, FormShutdown& form);
void LayOutSync(FormWindow& pane, frmSync& form);

}  // namespace tavrin::win32

#pragma once
#include <memory>

#include "platform/win32/form_window.h"

namespace tavrin {
class FormCount30;
class FormEasyLogin;
}  // namespace tavrin

namespace tavrin::win32 {

// Where each form's controls lie. Only placement lives here: the captions,
// states and behaviour all come from the form models.
std::unique_ptr<FormWindow> MakeCountdownDialog(FormCount30& form);

// The panes of the main window, in twips from the pane's top-left corner.
void LayOutEasyLogin(FormWindow& pane, FormEasyLogin& form);

}  // namespace tavrin::win32

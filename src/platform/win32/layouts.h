#pragma once
#include <memory>

#include "platform/win32/form_window.h"

namespace tavrin {
class FormCount30;
}

namespace tavrin::win32 {

// Where each form's controls lie. Only placement lives here: the captions,
// states and behaviour all come from the form models.
std::unique_ptr<FormWindow> MakeCountdownDialog(FormCount30& form);

}  // namespace tavrin::win32

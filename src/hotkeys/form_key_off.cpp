#include "hotkeys/form_key_off.h"

namespace tavrin {

void FormKeyOff::OnLoad() { Move(0, 0); }

}  // namespace tavrin

#include "hotkeys/form_key_vol.h"

namespace tavrin {

void FormKeyVol::OnLoad() { Move(0, 0); }

}  // namespace tavrin

#include "hotkeys/hidden_start.h"

#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"

namespace tavrin {

void RegisterAllAfterHiddenLoad(FormKeyOff& powerWindow, FormKeyVol& volumeWindow) {
    if (powerWindow.Loaded() && !powerWindow.KeysRenewed()) powerWindow.RegisterPowerKeys();
    if (volumeWindow.Loaded() && !volumeWindow.KeysRenewed()) volumeWindow.RegisterVolumeKeys();
}

}  // namespace tavrin

#include "hotkeys/form_key_off.h"
#include "hotkeys/form_key_vol.h"
#include "platform/win32/layouts.h"

namespace tavrin::win32 {

// The positions the windows were drawn with, widened so the longer captions
// fit the system's message font on one line. The key sets come first in the
// tab order, as one group.
void LayOutKeyOff(FormWindow& w, FormKeyOff& f) {
    w.Add(f.Frame1, {120, 120, 8400, 3255});
    w.Add(f.Option1, {360, 1200, 7800, 375}, true);
    w.Add(f.Option2, {360, 1560, 7800, 375}, false);
    w.Add(f.Option3, {360, 2040, 7800, 375}, false);
    w.Add(f.Label1, {360, 840, 6000, 255});
    w.Add(f.Check1, {240, 360, 3600, 255});
    w.Add(f.Check2, {360, 2520, 5400, 375});
    w.Add(f.LabelKeysTaken, {360, 2880, 7800, 255});
}

void LayOutKeyVol(FormWindow& w, FormKeyVol& f) {
    w.Add(f.Frame1, {120, 120, 8400, 2295});
    w.Add(f.Option1, {360, 1200, 7800, 375}, true);
    w.Add(f.Option2, {360, 1560, 7800, 375}, false);
    w.Add(f.Label1, {360, 840, 6000, 375});
    w.Add(f.Check1, {240, 360, 3600, 255});
    w.Add(f.LabelKeysTaken, {360, 1920, 7800, 255});
}

}  // namespace tavrin::win32

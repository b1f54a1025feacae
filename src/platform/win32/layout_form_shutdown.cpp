#include "platform/win32/layouts.h"
#include "schedule/form_shutdown.h"

namespace tavrin::win32 {

void LayOutShutdown(FormWindow& w, FormShutdown& f) {
    w.Add(f.FrameOnTimeClose, {120, 60, 8700, 5040});
    w.Add(f.ComboCloseTime, {360, 420, 2400, 360});

    w.Add(f.Frame13, {360, 960, 8220, 1860});
    w.Add(f.OptionCloseTime, {600, 1290, 1860, 330}, true);
    w.Add(f.DTPickerCloseData, {2520, 1260, 3000, 360});
    w.Add(f.DTPickerCloseTime, {5640, 1260, 1800, 360});
    w.Add(f.OptionCloseCountTime, {600, 1800, 1860, 330}, false);
    w.Add(f.DTPickerCloseCountTime, {2520, 1770, 3000, 360});
    w.Add(f.OptionAllDay, {600, 2310, 1860, 330}, false);
    w.Add(f.DTPickerAllDayTime, {2520, 2280, 3000, 360});

    w.Add(f.DTPickerClose30Count, {360, 3060, 5160, 360});
    w.Add(f.CheckStartCloseTask, {360, 3600, 5160, 330});
    w.Add(f.CommandCloseTime, {3600, 4260, 1800, 450});
    w.Add(f.Timer1);
}

}  // namespace tavrin::win32

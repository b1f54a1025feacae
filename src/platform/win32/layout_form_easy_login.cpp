#include "platform/win32/layouts.h"
#include "tweaks/form_easy_login.h"

namespace tavrin::win32 {

void LayOutEasyLogin(FormWindow& w, FormEasyLogin& f) {
    w.Add(f.Frame15, {120, 60, 8700, 5220});

    w.Add(f.Frame1, {300, 240, 4140, 3120});
    w.Add(f.OptionCancle, {480, 480, 3780, 330}, true);
    w.Add(f.OptionLogin, {480, 840, 3780, 330}, false);
    w.Add(f.OptionLock, {480, 1200, 3780, 330}, false);
    w.Add(f.Label2, {480, 1800, 1020, 300});
    w.Add(f.TextUserName, {1500, 1740, 2760, 360});
    w.Add(f.Label3, {480, 2400, 1020, 300});
    w.Add(f.TextUserPassWord, {1500, 2340, 2760, 360});

    w.Add(f.Frame3, {4620, 240, 4020, 780});
    w.Add(f.CheckShareMode, {4800, 510, 3720, 330});
    w.Add(f.Frame4, {4620, 1140, 4020, 780});
    w.Add(f.Check2003, {4800, 1410, 3720, 330});
    w.Add(f.Frame6, {4620, 2040, 4020, 1320});
    w.Add(f.OptionAutoPlay, {4800, 2310, 3720, 330}, true);
    w.Add(f.OptionAllButCD, {4800, 2640, 3720, 330}, false);
    w.Add(f.OptionAllDisk, {4800, 2970, 3720, 330}, false);

    w.Add(f.CommandSave, {3780, 3720, 1440, 450});
    w.Add(f.LabelOutcome, {300, 4320, 8340, 780});
}

}  // namespace tavrin::win32

#include "platform/win32/layouts.h"
#include "timesync/frm_sync.h"

namespace tavrin::win32 {

void LayOutSync(FormWindow& w, frmSync& f) {
    w.Add(f.Frame1, {120, 60, 6000, 1020});
    w.Add(f.lInfo1, {360, 420, 1560, 300});
    w.Add(f.lLocalTime, {1980, 420, 1800, 300});
    w.Add(f.cSyncro, {3960, 330, 1920, 450});
    w.Add(f.cmbServer, {360, 3000, 5400, 360});  // the model keeps both lists out of sight
    w.Add(f.cmbGMT, {360, 3360, 2400, 360});
    w.Add(f.timeLocal);

    w.Add(f.Frame2, {120, 1260, 6000, 1440});
    w.Add(f.Option1, {360, 1560, 5400, 330}, true);
    w.Add(f.Option2, {360, 1920, 5400, 330}, false);
    w.Add(f.Option3, {360, 2280, 5400, 330}, false);
    w.Add(f.lStartUp, {120, 2820, 6000, 600});
}

}  // namespace tavrin::win32

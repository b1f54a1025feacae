#include "timesync/frm_sync.h"

namespace tavrin {

void frmSync::OnLoad() { Move(0, 0); }

}  // namespace tavrin

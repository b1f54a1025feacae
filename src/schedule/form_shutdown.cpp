#include "schedule/form_shutdown.h"

namespace tavrin {

void FormShutdown::OnLoad() { Move(0, 0); }

}  // namespace tavrin

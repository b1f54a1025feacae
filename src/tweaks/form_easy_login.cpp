#include "tweaks/form_easy_login.h"

namespace tavrin {

void FormEasyLogin::OnLoad() { Move(0, 0); }

}  // namespace tavrin

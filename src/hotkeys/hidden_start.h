#pragma once

namespace tavrin {

class FormKeyOff;
class FormKeyVol;

// Without the main window shown no pane is activated, and activation is what
// registers the keys. Called once both panes are loaded: each group that no
// activation or handler has renewed yet is registered now, so a start with
// "/run" has working hotkeys. After a shown start it changes nothing.
void RegisterAllAfterHiddenLoad(FormKeyOff& powerWindow, FormKeyVol& volumeWindow);

}  // namespace tavrin

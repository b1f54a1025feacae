#include "countdown/form_count30.h"
#include "platform/win32/layouts.h"

namespace tavrin::win32 {

std::unique_ptr<FormWindow> MakeCountdownDialog(FormCount30& f) {
    auto w = std::make_unique<FormWindow>(f, FormWindow::Kind::Dialog, nullptr, 5400, 2160);
    w->Add(f.Label1, {360, 300, 4680, 900});      // room for the reminder's message, an empty line and the count
    w->Add(f.Command2, {3600, 1440, 1440, 450});  // first in the tab order: a stray Tab lands on "取消"
    w->Add(f.Command1, {360, 1440, 1440, 450});
    w->Add(f.Command3, {1980, 1440, 1440, 450});
    w->Add(f.Timer1);
    return w;
}

}  // namespace tavrin::win32

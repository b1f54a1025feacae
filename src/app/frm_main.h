#pragma once
#include <functional>
#include <string>
#include <string_view>

#include "toolkit/bars.h"
#include "toolkit/form.h"

namespace tavrin {

class Application;
class Browser;
class Clock;
class DateTimeText;

// The five feature windows, as the main window loads them.
struct FeatureWindows {
    Form& FormShutdown;
    Form& FormKeyOff;
    Form& FormKeyVol;
    Form& FormEasyLogin;
    Form& frmSync;
};

// The one top-level window: hosts the feature windows as stacked children,
// switches between them from its toolbar, and only hides when closed.
class frmMain : public Form, public FormHost {
public:
    frmMain(FeatureWindows children, Browser& browser, Application& app, const Clock& clock,
            const DateTimeText& dateTimeText);
    ~frmMain() override;

    Toolbar tbToolBar;
    StatusBar sbStatusBar;
    // Keeps the date and time panels current, just after each second.
    Timer ClockTimer{*this};

    // True from the end of the load until the first activation has shown the children.
    bool FirstActivation = false;

    // Told when a close request hid the shown window, and just before "退出"
    // ends the process.
    std::function<void()> onClosedToHidden;
    std::function<void()> onEnding;
    // A command that another start of the program handed over, from a
    // script; returns the encoded reply. Unset until the start-up is over.
    std::function<std::string(std::string_view)> onRequest;
    // Whether scripts started with fewer rights may hand commands over: only
    // a copy with full rights admits them, since a limited copy would admit
    // sandboxed programs too.
    bool AdmitsCommandsFromBelow = false;

    void ToolbarButtonClick(std::string_view key);
    // The end of the Windows session is never held up.
    static bool QueryEndSession() { return true; }

    // Where "作者主页" leads: a page shipped beside the program.
    std::string HomePage() const;

protected:
    void OnLoad() override;
    void OnActivate() override;
    bool OnCloseRequest() override;

private:
    void ShowDateAndTime();

    FeatureWindows children_;
    Browser& browser_;
    Application& app_;
    const Clock& clock_;
    const DateTimeText& dateTimeText_;
    bool ending_ = false;
};

}  // namespace tavrin

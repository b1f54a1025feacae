#include "app/frm_main.h"

#include <array>

#include "common/identity.h"
#include "ports/application.h"
#include "ports/browser.h"
#include "ports/clock.h"
#include "ports/date_time_text.h"

namespace tavrin {

namespace {

constexpr std::string_view kExit = "退出";
constexpr std::string_view kSchedule = "定时关机";
constexpr std::string_view kPowerKeys = "一键关机";
constexpr std::string_view kVolumeKeys = "一键静音";
constexpr std::string_view kAutoLogon = "开机自动登录";
constexpr std::string_view kTimeSync = "网络自动校时";
constexpr std::string_view kHomePage = "作者主页";

std::vector<Toolbar::Button> ToolbarButtons() {
    std::vector<Toolbar::Button> buttons;
    for (std::string_view key : {kExit, kSchedule, kPowerKeys, kVolumeKeys, kAutoLogon, kTimeSync, kHomePage})
        buttons.push_back({std::string(key), std::string(key)});
    return buttons;
}

}  // namespace

frmMain::frmMain(FeatureWindows children, Browser& browser, Application& app, const Clock& clock,
                 const DateTimeText& dateTimeText)
    : tbToolBar(ToolbarButtons()),
      sbStatusBar({{StatusBar::PanelStyle::Text, "状态"},
                   {StatusBar::PanelStyle::Date, {}},
                   {StatusBar::PanelStyle::Time, {}}}),
      children_(children),
      browser_(browser),
      app_(app),
      clock_(clock),
      dateTimeText_(dateTimeText) {
    for (Form* child : {&children_.FormShutdown, &children_.FormKeyOff, &children_.FormKeyVol, &children_.FormEasyLogin,
                        &children_.frmSync})
        child->SetHost(this);
    tbToolBar.onButtonClick = [this](std::string_view key) { ToolbarButtonClick(key); };
    ClockTimer.alignToSecond = true;
    ClockTimer.onTick = [this] { ShowDateAndTime(); };
}

// The children are built first and so outlive this window; they must not
// report to a host that is gone.
frmMain::~frmMain() {
    for (Form* child : {&children_.FormShutdown, &children_.FormKeyOff, &children_.FormKeyVol, &children_.FormEasyLogin,
                        &children_.frmSync})
        if (child->Host() == this) child->SetHost(nullptr);
}

std::string frmMain::HomePage() const {
    std::string dir = app_.ExeDirectory();
    if (dir.empty() || dir.back() != '\\') dir += '\\';
    return dir + "Tavrin.html";
}

void frmMain::OnLoad() {
    Center();
    SetCaption(MainWindowCaption());
    for (Form* child : {&children_.FormShutdown, &children_.FormKeyOff, &children_.FormKeyVol, &children_.FormEasyLogin,
                        &children_.frmSync})
        child->Load();
    sbStatusBar.SetPanelText(1, std::string(kSchedule));
    ShowDateAndTime();
    ClockTimer.SetEnabled(true);
    FirstActivation = true;
}

void frmMain::ShowDateAndTime() {
    const OleDate now = clock_.Now();
    const auto& panels = sbStatusBar.Panels();
    for (std::size_t i = 0; i < panels.size(); ++i) {
        const auto style = panels[i].style;
        if (style == StatusBar::PanelStyle::Text) continue;
        const auto text =
            style == StatusBar::PanelStyle::Date ? dateTimeText_.ShortDate(now) : dateTimeText_.TimeOfDay(now);
        sbStatusBar.SetPanelText(static_cast<int>(i) + 1, text.value_or(""));
    }
}

void frmMain::OnActivate() {
    if (!FirstActivation) return;
    // Shown back to front, so the schedule ends up in front.
    for (Form* child : {&children_.frmSync, &children_.FormEasyLogin, &children_.FormKeyVol, &children_.FormKeyOff,
                        &children_.FormShutdown})
        child->Show();
    FirstActivation = false;
}

bool frmMain::OnCloseRequest() {
    const bool wasVisible = Visible();
    Hide();
    if (wasVisible && !ending_ && onClosedToHidden) onClosedToHidden();
    return false;
}

void frmMain::ToolbarButtonClick(std::string_view key) {
    const std::array<std::pair<std::string_view, Form*>, 5> panes{{
        {kSchedule, &children_.FormShutdown},
        {kPowerKeys, &children_.FormKeyOff},
        {kVolumeKeys, &children_.FormKeyVol},
        {kAutoLogon, &children_.FormEasyLogin},
        {kTimeSync, &children_.frmSync},
    }};
    for (const auto& [paneKey, pane] : panes) {
        if (key != paneKey) continue;
        pane->SetFocus();
        sbStatusBar.SetPanelText(1, std::string(paneKey));
        return;
    }
    if (key == kHomePage) {
        (void)browser_.Open(HomePage());  // a failure leaves everything as it was
        return;
    }
    if (key == kExit) {
        for (Form* child : {&children_.frmSync, &children_.FormEasyLogin, &children_.FormKeyVol, &children_.FormKeyOff,
                            &children_.FormShutdown})
            child->Unload();
        ending_ = true;
        RequestClose();
        if (onEnding) onEnding();
        app_.End();
    }
}

}  // namespace tavrin

#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The notification-area icon's twin. None of these may call back; each
// says whether the shell took it.
class NotifyIconView {
public:
    virtual ~NotifyIconView() = default;
    // Adds the icon with this tip, or removes it.
    virtual bool ShowIcon(bool shown, const std::string& tip) = 0;
    virtual bool ShowTip(const std::string& tip) = 0;
    virtual bool ShowNotice(const std::string& title, const std::string& text) = 0;
};

// An icon in the notification area: a tooltip, a click, a menu of texts and
// notices that pop up beside it. The menu offers what MenuItems holds when
// it opens; a choice reaches onMenuItem only if the menu holds it.
class NotifyIcon {
public:
    std::function<void()> onClick;
    std::function<void(std::string_view item)> onMenuItem;

    bool Visible() const { return visible_; }
    // Visible, and the shell has it. A shell that was not ready or was busy
    // gets the icon again at the next change of the tip, and whenever a
    // new taskbar appears.
    bool Shown() const { return shown_; }
    void SetVisible(bool on);
    void TaskbarCreated();
    void SetTip(std::string tip);  // only a change reaches the twin
    const std::vector<std::string>& MenuItems() const { return menu_; }
    void SetMenuItems(std::vector<std::string> items) { menu_ = std::move(items); }
    // Only while the icon is shown; true when the shell took the notice.
    bool Notify(const std::string& title, const std::string& text);

    void Click();
    void ChooseMenuItem(std::string_view item);
    // Attaches the twin and shows it the whole state; nullptr detaches.
    void Bind(NotifyIconView* view);

private:
    void Add();

    bool visible_ = false;
    bool shown_ = false;
    std::string tip_;
    std::vector<std::string> menu_;
    NotifyIconView* view_ = nullptr;
};

}  // namespace tavrin

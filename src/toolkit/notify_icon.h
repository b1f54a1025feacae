#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tavrin {

// The notification-area icon's twin. None of these may report back.
class NotifyIconView {
public:
    virtual ~NotifyIconView() = default;
    virtual void ShowIcon(bool shown) = 0;
    virtual void ShowTip(const std::string& tip) = 0;
    virtual void ShowNotice(const std::string& title, const std::string& text) = 0;
};

// An icon in the notification area: a tooltip, a click, a menu of texts and
// notices that pop up beside it. The menu offers what MenuItems holds when
// it opens; a choice reaches onMenuItem only if the menu holds it.
class NotifyIcon {
public:
    std::function<void()> onClick;
    std::function<void(std::string_view item)> onMenuItem;

    bool Visible() const { return visible_; }
    void SetVisible(bool on);
    const std::string& Tip() const { return tip_; }
    void SetTip(std::string tip);  // only a change reaches the twin
    const std::vector<std::string>& MenuItems() const { return menu_; }
    void SetMenuItems(std::vector<std::string> items) { menu_ = std::move(items); }
    // Only while the icon is shown.
    void Notify(const std::string& title, const std::string& text);

    void Click();
    void ChooseMenuItem(std::string_view item);
    // Attaches the twin and shows it the whole state; nullptr detaches.
    void Bind(NotifyIconView* view);

private:
    bool visible_ = false;
    std::string tip_;
    std::vector<std::string> menu_;
    NotifyIconView* view_ = nullptr;
};

}  // namespace tavrin

#pragma once
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/controls.h"

namespace tavrin {

// A row of buttons, each known by its key; a click reports the key.
class Toolbar : public Control {
public:
    struct Button {
        std::string key;
        std::string caption;
    };
    explicit Toolbar(std::vector<Button> buttons) : buttons_(std::move(buttons)) {}
    std::function<void(std::string_view key)> onButtonClick;

    const std::vector<Button>& Buttons() const { return buttons_; }
    void Click(std::string_view key) {
        if (Enabled() && onButtonClick) onButtonClick(key);
    }

private:
    std::vector<Button> buttons_;
};

// Panels along the bottom edge. The form fills its date and time panels.
class StatusBar : public Control {
public:
    enum class PanelStyle { Text, Date, Time };
    struct Panel {
        PanelStyle style;
        std::string text;
    };
    explicit StatusBar(std::vector<Panel> panels) : panels_(std::move(panels)) {}

    const std::vector<Panel>& Panels() const { return panels_; }
    // Panels are counted from 1; a panel that is not there is ignored.
    const std::string& PanelText(int panel) const;
    void SetPanelText(int panel, std::string text);

    // The twin of a status bar is told a panel's new text through ShowItems.
protected:
    void ShowState(ControlView& view) const override;

private:
    std::vector<std::string> Texts() const;
    std::vector<Panel> panels_;
};

}  // namespace tavrin

#include "toolkit/bars.h"

namespace tavrin {

const std::string& StatusBar::PanelText(int panel) const {
    static const std::string kNone;
    return panel >= 1 && panel <= static_cast<int>(panels_.size()) ? panels_[static_cast<std::size_t>(panel - 1)].text
                                                                   : kNone;
}

void StatusBar::SetPanelText(int panel, std::string text) {
    if (panel < 1 || panel > static_cast<int>(panels_.size())) return;
    std::string& shown = panels_[static_cast<std::size_t>(panel - 1)].text;
    if (shown == text) return;
    shown = std::move(text);
    if (view_ != nullptr) view_->ShowItems(Texts());
}

void StatusBar::ShowState(ControlView& view) const {
    Control::ShowState(view);
    view.ShowItems(Texts());
}

std::vector<std::string> StatusBar::Texts() const {
    std::vector<std::string> texts;
    for (const Panel& p : panels_) texts.push_back(p.text);
    return texts;
}

}  // namespace tavrin

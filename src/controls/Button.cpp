#include "controls/Button.h"

namespace galemend {

Button::Button(std::string caption) : caption_(std::move(caption)) {}

void Button::SetEnabled(bool enabled) {
    if (enabled != enabled_) {
        enabled_ = enabled;
        changed_.Notify();
    }
}

void Button::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        changed_.Notify();
    }
}

void Button::SetToolTip(std::string toolTip) {
    if (toolTip != toolTip_) {
        toolTip_ = std::move(toolTip);
        changed_.Notify();
    }
}

}  // namespace galemend

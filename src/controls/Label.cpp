#include "controls/Label.h"

namespace galemend {

Label::Label(std::string caption, bool visible) : caption_(std::move(caption)), visible_(visible) {}

void Label::SetCaption(std::string caption) {
    if (caption != caption_) {
        caption_ = std::move(caption);
        changed_.Notify();
    }
}

void Label::SetVisible(bool visible) {
    if (visible != visible_) {
        visible_ = visible;
        changed_.Notify();
    }
}

void Label::SetToolTip(std::string toolTip) {
    if (toolTip != toolTip_) {
        toolTip_ = std::move(toolTip);
        changed_.Notify();
    }
}

}  // namespace galemend

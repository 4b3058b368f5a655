#include "controls/Controls.h"

namespace galemend {

Busy::Scope::~Scope() {
    if (busy_ != nullptr) {
        busy_->running_ = false;
        busy_->changed_.Notify();
    }
}

std::optional<Busy::Scope> Busy::TryStart() {
    if (running_) {
        return std::nullopt;
    }
    running_ = true;
    changed_.Notify();
    return Scope(*this);
}

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

void TextBox::SetText(std::string text) {
    if (text != text_) {
        text_ = std::move(text);
        changed_.Notify();
    }
}

void TextBox::AppendText(std::string_view more) {
    if (!more.empty()) {
        text_.append(more);
        changed_.Notify();
    }
}

}  // namespace galemend

#pragma once

#include <functional>
#include <string>

#include "controls/ChangeSignal.h"

namespace galemend {

// A push button of the window: fixed caption, enabled state, visibility and tool tip.
// Enabled and visible unless set otherwise.
class Button {
  public:
    explicit Button(std::string caption);

    const std::string& Caption() const { return caption_; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(std::string toolTip);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
    ChangeSignal changed_;
};

}  // namespace galemend

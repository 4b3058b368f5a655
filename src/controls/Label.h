#pragma once

#include <functional>
#include <string>

#include "controls/ChangeSignal.h"

namespace galemend {

// A label of the window: caption, visibility and tool tip.
class Label {
  public:
    explicit Label(std::string caption, bool visible = true);

    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& ToolTip() const { return toolTip_; }
    void SetToolTip(std::string toolTip);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string caption_;
    bool visible_;
    std::string toolTip_;
    ChangeSignal changed_;
};

}  // namespace galemend

#pragma once

#include <windows.h>

#include <string>

namespace galemend {

// The window's tool-tip control: one tool per control that has a tip. The control is owned
// by the main window and goes with it.
class ToolTips {
  public:
    explicit ToolTips(HWND owner);

    HWND Handle() const { return tips_; }
    // Shows text when the mouse rests on the control; an empty text shows nothing.
    void Set(HWND control, const std::string& text);
    // The tip now set for the control ("" when none).
    std::string Get(HWND control) const;

  private:
    HWND owner_;
    HWND tips_;
};

}  // namespace galemend

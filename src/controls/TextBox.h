#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "controls/ChangeSignal.h"

namespace galemend {

// A multi-line text box of the window. Line ends are part of the text (CR LF).
class TextBox {
  public:
    TextBox() = default;

    const std::string& Text() const { return text_; }
    void SetText(std::string text);
    // Adds to the end of the text; one notification for the whole piece.
    void AppendText(std::string_view more);

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::string text_;
    ChangeSignal changed_;
};

}  // namespace galemend

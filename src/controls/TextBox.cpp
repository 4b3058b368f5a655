#include "controls/TextBox.h"

namespace galemend {

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

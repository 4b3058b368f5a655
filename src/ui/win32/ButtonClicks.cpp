#include "ui/win32/ButtonClicks.h"

#include <array>

#include "ui/win32/ControlIds.h"
#include "ui/win32/ControlModels.h"

namespace galemend {

bool ClickButton(Form1& form, int id) {
    using Handler = void (*)(Form1&);
    static constexpr std::array<Handler, 7> kHandlers{
        Command1_Click, Command2_Click, Command3_Click, Command4_Click,
        Command5_Click, Command6_Click, Command7_Click,
    };
    const int n = id - control_id::kCommandBase;
    const Button* button = CommandModel(form.controls, n);
    if (button == nullptr || !button->Enabled()) {
        return false;
    }
    kHandlers[static_cast<size_t>(n - 1)](form);
    return true;
}

}  // namespace galemend

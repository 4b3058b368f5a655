#include "ui/win32/ControlModels.h"

#include <array>

namespace galemend {

Button* CommandModel(Form1Controls& c, int n) {
    const std::array buttons{&c.Command1, &c.Command2, &c.Command3, &c.Command4,
                             &c.Command5, &c.Command6, &c.Command7};
    return n >= 1 && n <= static_cast<int>(buttons.size()) ? buttons[static_cast<size_t>(n - 1)]
                                                           : nullptr;
}

Label* LabelModel(Form1Controls& c, int n) {
    const std::array labels{&c.Label1,  &c.Label2,  &c.Label3,  &c.Label4,  &c.Label5,
                            &c.Label6,  &c.Label7,  &c.Label8,  &c.Label9,  &c.Label10,
                            &c.Label11, &c.Label12, &c.Label13, &c.Label14, &c.Label15,
                            &c.Label16, &c.Label17, &c.Label18, &c.Label19};
    return n >= 1 && n <= static_cast<int>(labels.size()) ? labels[static_cast<size_t>(n - 1)]
                                                          : nullptr;
}

}  // namespace galemend

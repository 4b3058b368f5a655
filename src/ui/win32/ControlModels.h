#pragma once

#include "controls/Form1Controls.h"

namespace galemend {

// The model of a control by its number: Command1 .. Command7, Label1 .. Label19. Numbers
// outside those ranges give nullptr.
Button* CommandModel(Form1Controls& controls, int n);
Label* LabelModel(Form1Controls& controls, int n);

}  // namespace galemend

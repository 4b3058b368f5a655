#pragma once

#include "ui/Form1.h"

namespace galemend {

// Runs the click handler of the button with this child-window identifier (Command1 ..
// Command7). A disabled button runs nothing, whoever sent the click; so does any other
// identifier. Returns whether a handler ran.
bool ClickButton(Form1& form, int id);

}  // namespace galemend

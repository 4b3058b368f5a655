#pragma once

#include <memory>

#include "ui/Form1.h"
#include "ui/win32/WindowViews.h"

namespace galemend {

// Shows every model's current state in its control.
void ShowAllModels(Form1Controls& controls, WindowViews& views);

// From now on every change of a model shows in its control, for as long as the views live.
void BindModels(Form1Controls& controls, const std::shared_ptr<WindowViews>& views);

}  // namespace galemend

#include "ui/win32/WindowViews.h"

#include <utility>

#include "ui/win32/ControlIds.h"

namespace galemend {

WindowViews::WindowViews(HWND window, ChildWindows childWindows)
    : main(window),
      children(std::move(childWindows)),
      tips(window),
      dir1(children.Get(control_id::kDir1)),
      drive1(children.Get(control_id::kDrive1)) {}

}  // namespace galemend

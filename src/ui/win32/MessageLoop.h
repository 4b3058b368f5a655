#pragma once

#include <windows.h>

namespace galemend {

// Dispatches the thread's messages until the quit message, with keyboard navigation
// (Tab, Shift+Tab, arrows, Enter) among the window's controls. Returns the quit code.
int RunMessageLoop(HWND window);

}  // namespace galemend

#include "ui/win32/ScreenDpi.h"

#include "ui/win32/UniqueHandles.h"

namespace galemend {

int SystemDpi() {
    const WindowDc screen;
    const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

}  // namespace galemend

#include "ui/win32/MessageLoop.h"

namespace galemend {

int RunMessageLoop(HWND window) {
    MSG message{};
    while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageA(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace galemend

#include "ui/win32/TabLeavesTextBox.h"

#include <commctrl.h>

namespace galemend {

namespace {

LRESULT CALLBACK WithoutAllKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                UINT_PTR id, DWORD_PTR) {
    if (message == WM_GETDLGCODE) {
        return ::DefSubclassProc(window, message, wParam, lParam) & ~DLGC_WANTALLKEYS;
    }
    if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(window, WithoutAllKeys, id);
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
}

}  // namespace

void LetTabLeave(HWND textBox) {
    ::SetWindowSubclass(textBox, WithoutAllKeys, 1, 0);
}

}  // namespace galemend

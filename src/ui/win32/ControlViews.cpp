#include "ui/win32/ControlViews.h"

#include <string>

#include "ui/win32/UniqueHandles.h"

namespace galemend {

namespace {

// Focus on a control that is about to be disabled or hidden moves on in tab order, so
// that the keyboard still reaches the window.
void LeaveIfFocused(HWND control) {
    if (::GetFocus() != control) {
        return;
    }
    const HWND parent = ::GetParent(control);
    const HWND next = ::GetNextDlgTabItem(parent, control, FALSE);
    ::SetFocus(next != nullptr && next != control ? next : parent);
}

void ShowState(HWND control, bool enabled, bool visible) {
    if (!enabled || !visible) {
        LeaveIfFocused(control);
    }
    ::EnableWindow(control, enabled);
    ::ShowWindow(control, visible ? SW_SHOWNA : SW_HIDE);
}

void ShowText(HWND control, const std::string& text) {
    std::string shown(static_cast<size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    shown.resize(static_cast<size_t>(
        ::GetWindowTextA(control, shown.data(), static_cast<int>(shown.size()))));
    if (shown != text) {
        ::SetWindowTextA(control, text.c_str());
    }
}

void FitToText(HWND control, const std::string& text) {
    const WindowDc dc(control);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    // An empty caption keeps the height of one line.
    const std::string measured = text.empty() ? " " : text;
    ::GetTextExtentPoint32A(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &size);
    ::SetWindowPos(control, nullptr, 0, 0, text.empty() ? 0 : size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ShowButton(HWND control, const Button& button, ToolTips& tips) {
    ShowText(control, button.Caption());
    ShowState(control, button.Enabled(), button.Visible());
    tips.Set(control, button.ToolTip());
}

void ShowLabel(HWND control, const Label& label, bool sizesToText, ToolTips& tips) {
    ShowText(control, label.Caption());
    if (sizesToText) {
        FitToText(control, label.Caption());
    }
    ShowState(control, true, label.Visible());
    tips.Set(control, label.ToolTip());
}

void ShowTextBox(HWND control, const TextBox& box) {
    ShowText(control, box.Text());
}

void ShowFileList(HWND control, const FileList& list) {
    ::SendMessageA(control, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(control, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < list.ListCount(); ++i) {
        ::SendMessageA(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list.List(i).c_str()));
    }
    ::SendMessageA(control, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(control, nullptr, TRUE);
}

}  // namespace galemend

#include "ui/win32/ChildWindows.h"

#include <stdexcept>
#include <string>

#include "ui/win32/FolderListView.h"
#include "ui/win32/FormDesign.h"
#include "ui/win32/TabLeavesTextBox.h"

namespace galemend {

namespace {

constexpr int kDropDownRows = 12;  // rows of the open drive list

struct WindowKind {
    const char* className;
    DWORD style;
    DWORD exStyle;
};

DWORD LabelAlignment(Alignment alignment) {
    switch (alignment) {
        case Alignment::Centre:
            return SS_CENTER;
        case Alignment::Right:
            return SS_RIGHT;
        case Alignment::Left:
            break;
    }
    return SS_LEFT;
}

WindowKind KindOf(const ControlDesign& design) {
    constexpr DWORD kList = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP;
    switch (design.kind) {
        case ControlKind::DriveList:
            return {"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::FileList:
            return {"LISTBOX", kList, WS_EX_CLIENTEDGE};
        case ControlKind::FolderList:
            return {"LISTBOX", kList | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {"STATIC", LabelAlignment(design.alignment) | SS_NOPREFIX | SS_NOTIFY, 0};
    }
    throw std::logic_error("unknown control kind");
}

// A drop-down list's height covers its open list; its closed field is made the designed
// height by sizing the field.
void FitClosedHeight(HWND combo, int designedHeight) {
    RECT closed{};
    ::GetWindowRect(combo, &closed);
    const int excess = static_cast<int>(closed.bottom - closed.top) - designedHeight;
    const LRESULT field = ::SendMessageA(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (excess != 0 && field != CB_ERR && field - excess > 0) {
        ::SendMessageA(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - excess);
    }
}

}  // namespace

ChildWindows ChildWindows::Create(HWND parent, FontSet& fonts, int dpi) {
    ChildWindows children;
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    for (const ControlDesign& design : Form1Design()) {
        const WindowKind kind = KindOf(design);
        const PixelRect at = ToPixels(design.rect, dpi);
        const HFONT font = fonts.Get(design.font);
        int height = at.height;
        if (design.kind == ControlKind::DriveList) {
            height += kDropDownRows * FolderListView::RowHeight(font);
        }
        const HWND control = ::CreateWindowExA(
            kind.exStyle, kind.className, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
            at.left, at.top, at.width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create the control " + std::string(design.name));
        }
        ::SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (design.kind == ControlKind::DriveList) {
            FitClosedHeight(control, at.height);
        } else if (design.kind == ControlKind::FolderList) {
            ::SendMessageA(control, LB_SETITEMHEIGHT, 0, FolderListView::RowHeight(font));
        } else if (design.kind == ControlKind::TextBox) {
            ::SendMessageA(control, EM_SETLIMITTEXT, 0, 0);  // as much text as memory holds
            LetTabLeave(control);
        }
        children.windows_[design.id] = control;
    }
    return children;
}

HWND ChildWindows::Get(int id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : found->second;
}

}  // namespace galemend

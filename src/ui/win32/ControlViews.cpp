#include "ui/win32/ControlViews.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Win32Support.h"
#include "ui/Form1.h"
#include "ui/WindowDesign.h"
#include "ui/win32/ListViews.h"
#include "ui/win32/MainWindow.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

namespace {

// The tool record as both the classic and the themed common controls read it.
TTTOOLINFOW ToolFor(HWND owner, HWND control) {
    TTTOOLINFOW tool{};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    return tool;
}

}  // namespace

ToolTips::ToolTips(HWND owner)
    : owner_(owner),
      tips_(::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                              WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr, nullptr, nullptr)) {
    if (tips_ == nullptr) {
        throw std::runtime_error("cannot create the tool tips");
    }
}

void ToolTips::Set(HWND control, const std::string& text) {
    TTTOOLINFOW tool = ToolFor(owner_, control);
    std::wstring buffer = WideFromUtf8(text);
    tool.lpszText = buffer.data();
    TTTOOLINFOW existing = ToolFor(owner_, control);
    const bool known =
        ::SendMessageW(tips_, TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&existing)) != 0;
    ::SendMessageW(tips_, known ? TTM_UPDATETIPTEXTW : TTM_ADDTOOLW, 0,
                   reinterpret_cast<LPARAM>(&tool));
}

std::string ToolTips::Get(HWND control) const {
    std::vector<wchar_t> buffer(1024, L'\0');  // as much as the control keeps of a tip
    TTTOOLINFOW tool = ToolFor(owner_, control);
    tool.lpszText = buffer.data();
    ::SendMessageW(tips_, TTM_GETTEXTW, buffer.size(), reinterpret_cast<LPARAM>(&tool));
    return Utf8FromWide(buffer.data());
}

namespace {

constexpr int kDropDownRows = 12;  // rows of the open drive list

struct WindowKind {
    const wchar_t* className;
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
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case ControlKind::FileList:
            return {L"LISTBOX", kList, WS_EX_CLIENTEDGE};
        case ControlKind::FolderList:
            return {L"LISTBOX", kList | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS, WS_EX_CLIENTEDGE};
        case ControlKind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
        case ControlKind::TextBox:
            return {L"EDIT", ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_TABSTOP,
                    WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            return {L"STATIC", LabelAlignment(design.alignment) | SS_NOPREFIX | SS_NOTIFY, 0};
    }
    throw std::logic_error("unknown control kind");
}

// A drop-down list's height covers its open list; its closed field is made the designed
// height by sizing the field.
void FitClosedHeight(HWND combo, int designedHeight) {
    RECT closed{};
    ::GetWindowRect(combo, &closed);
    const int excess = static_cast<int>(closed.bottom - closed.top) - designedHeight;
    const LRESULT field = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
    if (excess != 0 && field != CB_ERR && field - excess > 0) {
        ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field - excess);
    }
}

}  // namespace

ChildWindows ChildWindows::Create(HWND parent, FontSet& fonts, int dpi) {
    ChildWindows children;
    const auto instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(parent, GWLP_HINSTANCE));
    for (const ControlDesign& design : Form1Design()) {
        const WindowKind kind = KindOf(design);
        const PixelRect at = ToPixels(design.rect, dpi);
        const HFONT font = fonts.Get(design.font);
        int height = at.height;
        if (design.kind == ControlKind::DriveList) {
            height += kDropDownRows * FolderListView::RowHeight(font);
        }
        const HWND control = ::CreateWindowExW(
            kind.exStyle, kind.className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style,
            at.left, at.top, at.width, height, parent,
            reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)), instance, nullptr);
        if (control == nullptr) {
            throw std::runtime_error("cannot create the control " + std::string(design.name));
        }
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (design.kind == ControlKind::DriveList) {
            FitClosedHeight(control, at.height);
        } else if (design.kind == ControlKind::FolderList) {
            ::SendMessageW(control, LB_SETITEMHEIGHT, 0, FolderListView::RowHeight(font));
        } else if (design.kind == ControlKind::TextBox) {
            ::SendMessageW(control, EM_SETLIMITTEXT, 0, 0);  // as much text as memory holds
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

}  // namespace

void SetText(HWND window, const std::string& text) {
    const std::wstring wide = WideFromUtf8(text);
    std::wstring shown(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    shown.resize(static_cast<size_t>(
        ::GetWindowTextW(window, shown.data(), static_cast<int>(shown.size()))));
    if (shown != wide) {
        ::SetWindowTextW(window, wide.c_str());
    }
}

namespace {

void FitToText(HWND control, const std::string& text) {
    const WindowDc dc(control);
    const SelectedObject font(dc.Get(),
                              reinterpret_cast<HGDIOBJ>(::SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE size{};
    // An empty caption keeps the height of one line.
    const std::wstring measured = WideFromUtf8(text.empty() ? " " : text);
    ::GetTextExtentPoint32W(dc.Get(), measured.c_str(), static_cast<int>(measured.size()), &size);
    ::SetWindowPos(control, nullptr, 0, 0, text.empty() ? 0 : size.cx, size.cy,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void ShowButton(HWND control, const Button& button, ToolTips& tips) {
    SetText(control, button.Caption());
    ShowState(control, button.Enabled(), button.Visible());
    tips.Set(control, button.ToolTip());
}

void ShowLabel(HWND control, const Label& label, bool sizesToText, ToolTips& tips) {
    SetText(control, label.Caption());
    if (sizesToText) {
        FitToText(control, label.Caption());
    }
    ShowState(control, true, label.Visible());
    tips.Set(control, label.ToolTip());
}

void ShowTextBox(HWND control, const TextBox& box) {
    SetText(control, box.Text());
}

void ShowFileList(HWND control, const FileList& list) {
    ::SendMessageW(control, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(control, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < list.ListCount(); ++i) {
        const std::wstring name = WideFromUtf8(list.List(i));
        ::SendMessageW(control, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    }
    ::SendMessageW(control, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(control, nullptr, TRUE);
}

WindowViews::WindowViews(HWND window, ChildWindows childWindows)
    : main(window),
      children(std::move(childWindows)),
      tips(window),
      dir1(children.Get(control_id::kDir1)),
      drive1(children.Get(control_id::kDrive1)) {}

namespace {

constexpr int kButtons = 7;
constexpr int kLabels = 19;

bool SizesToText(int id) {
    const ControlDesign* design = FindDesign(id);
    return design != nullptr && design->sizesToText;
}

void ShowCommand(Form1Controls& controls, WindowViews& views, int n) {
    const int id = control_id::Command(n);
    ShowButton(views.children.Get(id), *CommandModel(controls, n), views.tips);
}

void ShowLabelNumber(Form1Controls& controls, WindowViews& views, int n) {
    const int id = control_id::Label(n);
    ShowLabel(views.children.Get(id), *LabelModel(controls, n), SizesToText(id), views.tips);
}

// Calls show(views) after each change of the model while the views live.
template <typename Model, typename Show>
void Observe(Model& model, const std::shared_ptr<WindowViews>& views, Show show) {
    model.OnChange([weak = std::weak_ptr<WindowViews>(views), show] {
        if (const auto alive = weak.lock()) {
            show(*alive);
        }
    });
}

}  // namespace

void ShowAllModels(Form1Controls& controls, WindowViews& views) {
    SetText(views.main, controls.Caption.Caption());
    for (int n = 1; n <= kButtons; ++n) {
        ShowCommand(controls, views, n);
    }
    for (int n = 1; n <= kLabels; ++n) {
        ShowLabelNumber(controls, views, n);
    }
    ShowTextBox(views.children.Get(control_id::kText1), controls.Text1);
    ShowTextBox(views.children.Get(control_id::kText2), controls.Text2);
    ShowFileList(views.children.Get(control_id::kFile1), controls.File1);
    views.dir1.Show(MakeFolderRows(controls.Dir1));
}

void BindModels(Form1Controls& controls, const std::shared_ptr<WindowViews>& views) {
    Form1Controls* c = &controls;
    Observe(controls.Caption, views,
            [c](WindowViews& v) { SetText(v.main, c->Caption.Caption()); });
    for (int n = 1; n <= kButtons; ++n) {
        Observe(*CommandModel(controls, n), views,
                [c, n](WindowViews& v) { ShowCommand(*c, v, n); });
    }
    for (int n = 1; n <= kLabels; ++n) {
        Observe(*LabelModel(controls, n), views,
                [c, n](WindowViews& v) { ShowLabelNumber(*c, v, n); });
    }
    Observe(controls.Text1, views,
            [c](WindowViews& v) { ShowTextBox(v.children.Get(control_id::kText1), c->Text1); });
    Observe(controls.Text2, views,
            [c](WindowViews& v) { ShowTextBox(v.children.Get(control_id::kText2), c->Text2); });
    Observe(controls.File1, views,
            [c](WindowViews& v) { ShowFileList(v.children.Get(control_id::kFile1), c->File1); });
    Observe(controls.Dir1, views, [c](WindowViews& v) { v.dir1.Show(MakeFolderRows(c->Dir1)); });
}

}  // namespace galemend

#include "ui/win32/MainWindow.h"

#include <commctrl.h>

#include <stdexcept>

#include "platform/win32/Win32Support.h"
#include "ui/Form1.h"
#include "ui/WindowDesign.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/ListViews.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

int SystemDpi() {
    const WindowDc screen;
    const int dpi = ::GetDeviceCaps(screen.Get(), LOGPIXELSY);
    return dpi > 0 ? dpi : 96;
}

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

int RunMessageLoop(HWND window) {
    MSG message{};
    while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!::IsDialogMessageW(window, &message)) {
            ::TranslateMessage(&message);
            ::DispatchMessageW(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

namespace {

constexpr const wchar_t* kClassName = L"galemendForm1";
// A fixed frame: the controls keep their designed places, so the window is not resized.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

void RegisterWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (::GetClassInfoExW(instance, kClassName, &existing)) {
        return;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (::RegisterClassExW(&windowClass) == 0) {
        throw std::runtime_error("cannot register the window class");
    }
}

// Grows or shrinks the window so that its client area has exactly this size.
void FitClientArea(HWND window, int width, int height) {
    RECT client{};
    ::GetClientRect(window, &client);
    RECT frame{};
    ::GetWindowRect(window, &frame);
    const int dx = width - static_cast<int>(client.right);
    const int dy = height - static_cast<int>(client.bottom);
    if (dx != 0 || dy != 0) {
        ::SetWindowPos(window, nullptr, 0, 0, static_cast<int>(frame.right - frame.left) + dx,
                       static_cast<int>(frame.bottom - frame.top) + dy,
                       SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

}  // namespace

MainWindow::MainWindow(Form1& form, HINSTANCE instance, int iconId)
    : form_(form), dpi_(SystemDpi()), fonts_(dpi_) {
    RegisterWindowClass(instance, Procedure);
    const int width = TwipsToPixels(kClientWidthTwips, dpi_);
    const int height = TwipsToPixels(kClientHeightTwips, dpi_);
    RECT frame{0, 0, width, height};
    ::AdjustWindowRectEx(&frame, kStyle, FALSE, 0);
    window_.reset(::CreateWindowExW(
        0, kClassName, WideFromUtf8(form.controls.Caption.Caption()).c_str(), kStyle, CW_USEDEFAULT,
        CW_USEDEFAULT, static_cast<int>(frame.right - frame.left),
        static_cast<int>(frame.bottom - frame.top), nullptr, nullptr, instance, this));
    if (!window_) {
        throw std::runtime_error("cannot create the main window");
    }
    FitClientArea(Handle(), width, height);
    ::SendMessageW(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(fonts_.Get(kDefaultFont)), 0);

    views_ = std::make_shared<WindowViews>(Handle(), ChildWindows::Create(Handle(), fonts_, dpi_));
    views_->drive1.Fill(DriveEntries(), DriveOfFolder(form.probe.CurrentFolder()));
    ShowAllModels(form_.controls, *views_);
    BindModels(form_.controls, views_);
    LoadIcons(instance, iconId);
}

MainWindow::~MainWindow() {
    views_.reset();
    ::SetWindowLongPtrW(Handle(), GWLP_USERDATA, 0);
}

void MainWindow::LoadIcons(HINSTANCE instance, int iconId) {
    if (iconId == 0) {
        return;
    }
    const auto load = [&](int size) {
        return static_cast<HICON>(
            ::LoadImageW(instance, MAKEINTRESOURCEW(iconId), IMAGE_ICON, size, size, 0));
    };
    bigIcon_.reset(load(::GetSystemMetrics(SM_CXICON)));
    smallIcon_.reset(load(::GetSystemMetrics(SM_CXSMICON)));
    ::SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon_.get()));
    ::SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));
}

void MainWindow::Show(int showCommand) {
    ::ShowWindow(Handle(), showCommand);
    ::UpdateWindow(Handle());
    if (const HWND first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
        ::SetFocus(first);
    }
}

LRESULT CALLBACK MainWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        ::SetWindowLongPtrW(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr && message == WM_MEASUREITEM) {
        // Asked while the folder list is being made, before the views exist.
        auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        item->itemHeight =
            static_cast<UINT>(FolderListView::RowHeight(self->fonts_.Get(kDefaultFont)));
        return TRUE;
    }
    if (self == nullptr || !self->views_) {
        return ::DefWindowProcW(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_DRAWITEM:
            if (wParam == static_cast<WPARAM>(control_id::kDir1)) {
                views_->dir1.Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
                return TRUE;
            }
            break;
        case WM_CTLCOLORSTATIC: {
            LRESULT brush = 0;
            if (OnColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam), brush)) {
                return brush;
            }
            break;
        }
        case WM_SETCURSOR:
            // The window stays usable during a search; the cursor says that work goes on.
            if (form_.busy.Running() && LOWORD(lParam) == HTCLIENT) {
                ::SetCursor(::LoadCursorA(nullptr, IDC_APPSTARTING));
                return TRUE;
            }
            break;
        case WM_ACTIVATE:
            if (LOWORD(wParam) == WA_INACTIVE) {
                lastFocus_ = ::GetFocus();
            }
            break;
        case WM_SETFOCUS:
            if (lastFocus_ != nullptr && ::IsChild(Handle(), lastFocus_)) {
                ::SetFocus(lastFocus_);
            } else if (const HWND first = ::GetNextDlgTabItem(Handle(), nullptr, FALSE)) {
                ::SetFocus(first);
            }
            return 0;
        case WM_CLOSE:
            form_.host.Terminate(static_cast<unsigned>(ExitStatus::Normal));
        default:
            break;
    }
    return ::DefWindowProcW(Handle(), message, wParam, lParam);
}

void MainWindow::OnCommand(int id, int code, HWND) {
    if (code == BN_CLICKED && CommandModel(form_.controls, id - control_id::kCommandBase)) {
        Run([&] { ClickButton(form_, id); });
    } else if (id == IDOK) {
        OnEnter();
    } else if (id == control_id::kDrive1) {
        OnDriveList(code);
    } else if (id == control_id::kDir1 && code == LBN_DBLCLK) {
        OpenFolderRow(views_->dir1.Selected());
    }
}

// Enter opens the selected folder of the folder list, or presses the focused button.
void MainWindow::OnEnter() {
    const HWND focus = ::GetFocus();
    if (focus == nullptr || ::GetParent(focus) != Handle()) {
        return;
    }
    const int id = ::GetDlgCtrlID(focus);
    if (id == control_id::kDir1) {
        OpenFolderRow(views_->dir1.Selected());
    } else if (CommandModel(form_.controls, id - control_id::kCommandBase)) {
        Run([&] { ClickButton(form_, id); });
    }
}

// A drive counts as chosen when the list is closed: the arrow keys on the closed list, or
// the pick that closes it.
void MainWindow::OnDriveList(int code) {
    const HWND combo = views_->children.Get(control_id::kDrive1);
    const bool dropped = ::SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != 0;
    if (code != CBN_SELENDOK && !(code == CBN_SELCHANGE && !dropped)) {
        return;
    }
    const auto entry = views_->drive1.Chosen();
    if (!entry) {
        return;
    }
    Run([&] {
        if (Drive1_Change(form_, *entry)) {
            views_->drive1.Accept();
        } else {
            views_->drive1.Revert();
        }
    });
}

void MainWindow::OpenFolderRow(int row) {
    const std::string path = views_->dir1.PathAt(row);
    if (path.empty()) {
        return;
    }
    Run([&] {
        if (!OpenFolder(form_, path)) {
            views_->dir1.Show(MakeFolderRows(form_.controls.Dir1));
        }
    });
}

// The read-only text boxes keep a text box's white ground.
bool MainWindow::OnColour(HDC dc, HWND control, LRESULT& brush) const {
    if (control != views_->children.Get(control_id::kText1) &&
        control != views_->children.Get(control_id::kText2)) {
        return false;
    }
    ::SetTextColor(dc, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_WINDOW));
    brush = reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_WINDOW));
    return true;
}

void MainWindow::Run(const std::function<void()>& handler) {
    RunReportingErrors(form_.host, handler);
}

}  // namespace galemend

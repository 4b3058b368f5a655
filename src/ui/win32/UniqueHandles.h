#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace galemend {

// Owners of the window system's handles: each frees its handle the one right way.
struct WindowDestroyer {
    void operator()(HWND window) const { ::DestroyWindow(window); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { ::DeleteObject(object); }
};
struct IconDestroyer {
    void operator()(HICON icon) const { ::DestroyIcon(icon); }
};

using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, WindowDestroyer>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, GdiObjectDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDestroyer>;

// A window's device context (the screen's for no window), released when the object goes.
class WindowDc {
  public:
    explicit WindowDc(HWND window = nullptr) : window_(window), dc_(::GetDC(window)) {}
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    ~WindowDc() { ::ReleaseDC(window_, dc_); }

    HDC Get() const { return dc_; }

  private:
    HWND window_;
    HDC dc_;
};

// A GDI object selected into a device context until the object goes.
class SelectedObject {
  public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(::SelectObject(dc, object)) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() { ::SelectObject(dc_, previous_); }

  private:
    HDC dc_;
    HGDIOBJ previous_;
};

}  // namespace galemend

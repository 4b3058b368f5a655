#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "ui/Form1.h"
#include "ui/win32/ControlViews.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

// The system's dots per inch (96 unless the user chose larger text).
int SystemDpi();

// A multi-line text box keeps every key for itself, so Tab would never leave it. Made read
// only, it has no use for Tab or Enter: from now on both go to keyboard navigation.
void LetTabLeave(HWND textBox);

// Dispatches the thread's messages until the quit message, with keyboard navigation
// (Tab, Shift+Tab, arrows, Enter) among the window's controls. Returns the quit code.
int RunMessageLoop(HWND window);

// The real Form1: a top-level window with the designed controls, made from the models'
// current state and kept in step with them. Clicks run the handlers; an error escaping a
// handler is reported and ends the program. Closing the window ends the program at once.
class MainWindow {
  public:
    // Created hidden. iconId names the window icon among the program's resources (0: none).
    MainWindow(Form1& form, HINSTANCE instance, int iconId = 0);
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;
    ~MainWindow();

    HWND Handle() const { return window_.get(); }
    // Shows the window and puts the keyboard on the first control in tab order.
    void Show(int showCommand);
    const WindowViews& Views() const { return *views_; }
    // The face used for a designed font.
    std::string FaceOf(const FontDesign& design) { return fonts_.FaceOf(design); }

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void OnCommand(int id, int code, HWND control);
    void OnEnter();
    void OnDriveList(int code);
    void OpenFolderRow(int row);
    bool OnColour(HDC dc, HWND control, LRESULT& brush) const;
    // Runs a handler; whatever error escapes it ends the program after its report.
    void Run(const std::function<void()>& handler);
    void LoadIcons(HINSTANCE instance, int iconId);

    Form1& form_;
    int dpi_;
    FontSet fonts_;
    UniqueIcon bigIcon_;
    UniqueIcon smallIcon_;
    UniqueWindow window_;
    std::shared_ptr<WindowViews> views_;
    HWND lastFocus_ = nullptr;
};

}  // namespace galemend

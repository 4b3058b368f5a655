#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <string>

#include "controls/Controls.h"
#include "controls/Lists.h"
#include "ui/Form1.h"
#include "ui/win32/Fonts.h"
#include "ui/win32/ListViews.h"

namespace galemend {

// The window's tool-tip control: one tool per control that has a tip. The control is owned
// by the main window and goes with it.
class ToolTips {
  public:
    explicit ToolTips(HWND owner);

    HWND Handle() const { return tips_; }
    // Shows text when the mouse rests on the control; an empty text shows nothing.
    void Set(HWND control, const std::string& text);
    // The tip now set for the control ("" when none).
    std::string Get(HWND control) const;

  private:
    HWND owner_;
    HWND tips_;
};

// The main window's controls by identifier. The main window owns them: they go with it.
class ChildWindows {
  public:
    // Creates every control of the design in tab order, sized and placed at dpi, each with
    // its font; texts and states are left to the models' views.
    static ChildWindows Create(HWND parent, FontSet& fonts, int dpi);

    // The control with this identifier, or nullptr.
    HWND Get(int id) const;

  private:
    std::map<int, HWND> windows_;
};

// Sets a window's text (UTF-8) when it differs from what the window shows.
void SetText(HWND window, const std::string& text);

// Each shows a model's current state in its control.
void ShowButton(HWND control, const Button& button, ToolTips& tips);
// A label that sizes to its text takes the size of its caption in its font, keeping its
// top left corner.
void ShowLabel(HWND control, const Label& label, bool sizesToText, ToolTips& tips);
void ShowTextBox(HWND control, const TextBox& box);
void ShowFileList(HWND control, const FileList& list);

// The main window's controls and the views that keep them showing the models. The models
// hold their observers only weakly to this, so a model changed after the window has gone
// reaches no dead control.
struct WindowViews {
    WindowViews(HWND window, ChildWindows childWindows);

    HWND main;
    ChildWindows children;
    ToolTips tips;
    FolderListView dir1;
    DriveListView drive1;
};

// Shows every model's current state in its control.
void ShowAllModels(Form1Controls& controls, WindowViews& views);

// From now on every change of a model shows in its control, for as long as the views live.
void BindModels(Form1Controls& controls, const std::shared_ptr<WindowViews>& views);

}  // namespace galemend

#pragma once

#include <windows.h>

#include "ui/win32/ChildWindows.h"
#include "ui/win32/DriveListView.h"
#include "ui/win32/FolderListView.h"
#include "ui/win32/ToolTips.h"

namespace galemend {

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

}  // namespace galemend

#pragma once

#include <windows.h>

#include "controls/Button.h"
#include "controls/FileList.h"
#include "controls/Label.h"
#include "controls/TextBox.h"
#include "ui/win32/ToolTips.h"

namespace galemend {

// Each shows a model's current state in its control.
void ShowButton(HWND control, const Button& button, ToolTips& tips);
// A label that sizes to its text takes the size of its caption in its font, keeping its
// top left corner.
void ShowLabel(HWND control, const Label& label, bool sizesToText, ToolTips& tips);
void ShowTextBox(HWND control, const TextBox& box);
void ShowFileList(HWND control, const FileList& list);

}  // namespace galemend

#pragma once

#include <span>
#include <string_view>

#include "ui/win32/FontDesign.h"
#include "ui/win32/Twips.h"

namespace galemend {

enum class ControlKind { DriveList, FileList, FolderList, Button, TextBox, Label };
enum class Alignment { Left, Centre, Right };

// One control of the main window as designed: where it sits (twips from the client area's
// top left corner), its font and how its text is placed. Captions and states are the
// models' (Form1Controls).
struct ControlDesign {
    std::string_view name;
    int id;  // the child-window identifier, from ControlIds.h
    ControlKind kind;
    TwipRect rect;
    FontDesign font = kDefaultFont;
    Alignment alignment = Alignment::Left;
    bool sizesToText = false;  // the label grows and shrinks with its caption
};

// The client area's size in twips.
inline constexpr int kClientWidthTwips = 10215;
inline constexpr int kClientHeightTwips = 7440;

// Every control of the window, in tab order.
std::span<const ControlDesign> Form1Design();

// The design of the control with this identifier, or nullptr.
const ControlDesign* FindDesign(int id);

}  // namespace galemend

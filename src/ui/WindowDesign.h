#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "controls/Lists.h"

namespace galemend {

// Child-window identifiers of the main window's controls. The end-to-end test driver finds
// controls by these numbers, so they never change.
namespace control_id {

constexpr int kCommandBase = 100;  // Command1 .. Command7 are 101 .. 107
constexpr int kLabelBase = 200;    // Label1 .. Label19 are 201 .. 219
constexpr int kText1 = 301;
constexpr int kText2 = 302;
constexpr int kDrive1 = 401;
constexpr int kDir1 = 402;
constexpr int kFile1 = 403;

constexpr int Command(int n) {
    return kCommandBase + n;
}
constexpr int Label(int n) {
    return kLabelBase + n;
}

}  // namespace control_id

// The window is designed in twips: 1440 to the inch, 15 to the pixel at 96 dots per inch.
inline constexpr int kTwipsPerInch = 1440;

// A rectangle as designed: left, top, width and height in twips.
struct TwipRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The same rectangle in pixels at some number of dots per inch.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Twips to pixels at dpi, rounded to the nearest pixel.
int TwipsToPixels(int twips, int dpi);
PixelRect ToPixels(const TwipRect& rect, int dpi);

// A font's height in pixels (positive, the character height) for a size given in hundredths
// of a point, at dpi.
int PointsToPixels(int hundredthsOfPoint, int dpi);

// A font as the window was designed with it.
struct FontDesign {
    std::string_view face;
    int size = 825;  // hundredths of a point
    bool bold = false;
    bool italic = false;

    friend bool operator==(const FontDesign&, const FontDesign&) = default;
};

// The window's own font, used by every control without a font of its own.
inline constexpr FontDesign kDefaultFont{"MS Sans Serif", 825, false, false};

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

// One line of the folder list: a folder shown by name, indented by its depth.
struct FolderRow {
    std::string text;   // the drive root ("C:\") or the folder's name
    int depth = 0;      // 0 for the root
    std::string path;   // the folder's full path, to open on a double-click
    bool open = false;  // on the current folder's path (shown as an open folder)

    friend bool operator==(const FolderRow&, const FolderRow&) = default;
};

// What the folder list shows: the current folder's path from its root down, one row per
// folder, then the current folder's subfolders one level deeper.
struct FolderRows {
    std::vector<FolderRow> rows;
    int current = -1;  // the row of the current folder; -1 when no folder is set
};

// Rows for a current folder (as FolderList keeps it) and the full paths of its subfolders.
FolderRows MakeFolderRows(const std::string& folder, const std::vector<std::string>& subfolders);
FolderRows MakeFolderRows(const FolderList& dir1);

}  // namespace galemend

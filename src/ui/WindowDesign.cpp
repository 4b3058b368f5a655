#include "ui/WindowDesign.h"

#include <algorithm>
#include <array>

#include "text/Text.h"

namespace galemend {

namespace {
// a * b / c rounded to the nearest integer, halves away from zero.
int ScaleRounded(int a, int b, int c) {
    const long long product = static_cast<long long>(a) * b;
    const long long half = c / 2;
    return static_cast<int>(product >= 0 ? (product + half) / c : (product - half) / c);
}
}  // namespace

int TwipsToPixels(int twips, int dpi) {
    return ScaleRounded(twips, dpi, kTwipsPerInch);
}

PixelRect ToPixels(const TwipRect& rect, int dpi) {
    return {TwipsToPixels(rect.left, dpi), TwipsToPixels(rect.top, dpi),
            TwipsToPixels(rect.width, dpi), TwipsToPixels(rect.height, dpi)};
}

int PointsToPixels(int hundredthsOfPoint, int dpi) {
    return ScaleRounded(hundredthsOfPoint, dpi, 72 * 100);
}

namespace {

using control_id::Command;
using control_id::Label;

constexpr FontDesign kBold{"MS Sans Serif", 825, true, false};
constexpr FontDesign kExit{"MS Sans Serif", 1800, true, false};
constexpr FontDesign kNarrow{"Arial Narrow", 825, false, false};
constexpr FontDesign kLarge{"MS Sans Serif", 1350, true, false};
constexpr FontDesign kLargeItalic{"MS Sans Serif", 1350, true, true};
constexpr FontDesign kHeading{"MS Sans Serif", 975, true, false};

constexpr auto kLeft = Alignment::Left;
constexpr auto kCentre = Alignment::Centre;
constexpr auto kRight = Alignment::Right;
constexpr auto kButton = ControlKind::Button;
constexpr auto kLabel = ControlKind::Label;

// By tab index, 0 first.
constexpr std::array kDesign{
    ControlDesign{"Drive1", control_id::kDrive1, ControlKind::DriveList, {120, 1560, 3855, 315}},
    ControlDesign{"File1", control_id::kFile1, ControlKind::FileList, {120, 3840, 3855, 3405}},
    ControlDesign{"Dir1", control_id::kDir1, ControlKind::FolderList, {120, 1920, 3855, 1890}},
    ControlDesign{"Command1", Command(1), kButton, {120, 1200, 1335, 255}, kBold},
    ControlDesign{"Command2", Command(2), kButton, {1440, 1200, 1815, 255}, kBold},
    ControlDesign{"Command3", Command(3), kButton, {3240, 1080, 855, 375}, kExit},
    ControlDesign{"Command4", Command(4), kButton, {120, 480, 3855, 255}, kNarrow},
    ControlDesign{"Command5", Command(5), kButton, {120, 720, 3855, 255}, kNarrow},
    ControlDesign{"Text1", control_id::kText1, ControlKind::TextBox, {4200, 1680, 2895, 5535}},
    ControlDesign{"Label1", Label(1), kLabel, {7200, 600, 855, 375}, kLarge},
    ControlDesign{"Label2", Label(2), kLabel, {6240, 120, 3855, 375}, kLargeItalic, kCentre},
    ControlDesign{"Label3", Label(3), kLabel, {8520, 600, 735, 375}, kLarge},
    ControlDesign{"Label4", Label(4), kLabel, {5040, 1080, 615, 375}, kLarge, kRight},
    ControlDesign{"Label5", Label(5), kLabel, {5760, 1080, 2175, 375}, kLarge},
    ControlDesign{"Label6", Label(6), kLabel, {7800, 1080, 975, 375}, kLarge, kRight},
    ControlDesign{"Label7", Label(7), kLabel, {8880, 1080, 1215, 375}, kLarge},
    ControlDesign{"Label8", Label(8), kLabel, {8160, 600, 375, 375}, kLarge},
    ControlDesign{"Text2", control_id::kText2, ControlKind::TextBox, {7200, 1680, 2895, 5535}},
    ControlDesign{"Label9", Label(9), kLabel, {4200, 1440, 2775, 255}, kHeading, kCentre},
    ControlDesign{"Label10", Label(10), kLabel, {7200, 1440, 2895, 255}, kHeading, kCentre},
    ControlDesign{"Label11", Label(11), kLabel, {120, 240, 270, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label12", Label(12), kLabel, {120, 0, 660, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label13", Label(13), kLabel, {1560, 240, 600, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label14", Label(14), kLabel, {2400, 240, 495, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label15", Label(15), kLabel, {4080, 720, 465, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label16", Label(16), kLabel, {4080, 960, 480, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label17", Label(17), kLabel, {840, 240, 390, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label18", Label(18), kLabel, {4080, 480, 165, 195}, kDefaultFont, kLeft, true},
    ControlDesign{"Label19", Label(19), kLabel, {4920, 600, 1695, 375}, kDefaultFont, kCentre},
    ControlDesign{"Command6", Command(6), kButton, {120, 960, 1815, 255}},
    ControlDesign{"Command7", Command(7), kButton, {1920, 960, 1335, 255}},
};

}  // namespace

std::span<const ControlDesign> Form1Design() {
    return kDesign;
}

const ControlDesign* FindDesign(int id) {
    const auto found = std::find_if(kDesign.begin(), kDesign.end(),
                                    [id](const ControlDesign& design) { return design.id == id; });
    return found == kDesign.end() ? nullptr : &*found;
}

namespace {

// Length of the part of a path that names its root: "C:\", "\\server\share", "\", or for
// any other path its first element.
size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        return 3;
    }
    if (path.rfind("\\\\", 0) == 0) {
        const size_t server = path.find('\\', 2);
        const size_t share = server == std::string::npos ? server : path.find('\\', server + 1);
        return share == std::string::npos ? path.size() : share;
    }
    const size_t first = path.find('\\');
    return first == std::string::npos ? path.size() : std::max<size_t>(first, 1);
}

std::string NameOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

FolderRows MakeFolderRows(const std::string& folder, const std::vector<std::string>& subfolders) {
    FolderRows result;
    if (folder.empty()) {
        return result;
    }
    const size_t rootLength = RootLength(folder);
    std::string path = folder.substr(0, rootLength);
    result.rows.push_back({path, 0, path, true});

    size_t start = rootLength;
    while (start < folder.size()) {
        if (folder[start] == '\\') {
            ++start;
            continue;
        }
        size_t end = folder.find('\\', start);
        if (end == std::string::npos) {
            end = folder.size();
        }
        const std::string name = folder.substr(start, end - start);
        path = PathInFolder(path, name);
        result.rows.push_back({name, static_cast<int>(result.rows.size()), path, true});
        start = end;
    }
    result.current = static_cast<int>(result.rows.size()) - 1;

    const int depth = static_cast<int>(result.rows.size());
    for (const std::string& subfolder : subfolders) {
        result.rows.push_back({NameOf(subfolder), depth, subfolder, false});
    }
    return result;
}

FolderRows MakeFolderRows(const FolderList& dir1) {
    std::vector<std::string> subfolders;
    subfolders.reserve(static_cast<size_t>(dir1.ListCount()));
    for (int i = 0; i < dir1.ListCount(); ++i) {
        subfolders.push_back(dir1.List(i));
    }
    return MakeFolderRows(dir1.Path(), subfolders);
}

}  // namespace galemend

#include "ui/win32/ListViews.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cwchar>

#include "platform/win32/Win32Support.h"
#include "text/Text.h"
#include "ui/win32/UniqueHandles.h"

namespace galemend {

namespace {

std::string LowerDrive(char letter) {
    return {FoldCase(letter), ':'};
}

std::string VolumeLabel(const wchar_t* root) {
    if (::GetDriveTypeW(root) != DRIVE_FIXED) {
        return {};  // asking a removable or network drive may wait or fail
    }
    wchar_t label[MAX_PATH + 1] = {};
    if (!::GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr,
                                 0)) {
        return {};
    }
    return Utf8FromWide(label);
}

}  // namespace

std::vector<std::string> DriveEntries() {
    std::wstring roots(::GetLogicalDriveStringsW(0, nullptr) + 1, L'\0');
    roots.resize(::GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data()));
    std::vector<std::string> entries;
    for (const wchar_t* root = roots.c_str(); *root != L'\0'; root += std::wcslen(root) + 1) {
        std::string entry = LowerDrive(static_cast<char>(*root));  // a letter of ASCII
        if (const std::string label = VolumeLabel(root); !label.empty()) {
            entry += " [" + label + "]";
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

std::string DriveOfFolder(const std::string& folder) {
    return folder.size() >= 2 && folder[1] == ':' ? LowerDrive(folder[0]) : std::string();
}

namespace {

// The entry's drive, lower case: "c:".
std::string DriveOf(const std::string& entry) {
    return LowerCase(entry.substr(0, 2));
}

}  // namespace

void DriveListView::Fill(const std::vector<std::string>& entries, const std::string& currentDrive) {
    ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0);
    for (const std::string& entry : entries) {
        const std::wstring text = WideFromUtf8(entry);
        ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    current_ = DriveOf(currentDrive);
    Revert();
}

std::string DriveListView::EntryAt(LRESULT index) const {
    const LRESULT length = ::SendMessageW(combo_, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == CB_ERR) {
        return {};
    }
    std::vector<wchar_t> text(static_cast<size_t>(length) + 1, L'\0');
    ::SendMessageW(combo_, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.data()));
    return Utf8FromWide(text.data());
}

std::optional<std::string> DriveListView::Chosen() const {
    std::string entry = EntryAt(::SendMessageW(combo_, CB_GETCURSEL, 0, 0));
    if (entry.size() < 2 || DriveOf(entry) == current_) {
        return std::nullopt;
    }
    return entry;
}

void DriveListView::Accept() {
    current_ = DriveOf(EntryAt(::SendMessageW(combo_, CB_GETCURSEL, 0, 0)));
}

void DriveListView::Revert() {
    const LRESULT count = ::SendMessageW(combo_, CB_GETCOUNT, 0, 0);
    LRESULT selected = -1;
    for (LRESULT i = 0; i < count; ++i) {
        if (DriveOf(EntryAt(i)) == current_) {
            selected = i;
            break;
        }
    }
    ::SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
}

namespace {

constexpr int kIndent = 8;         // pixels per level
constexpr int kPictureWidth = 16;  // the folder picture and the gap after it
constexpr int kPictureHeight = 12;

// A folder picture at (x, y): a tab and a body, with a lighter flap when open.
void DrawFolder(HDC dc, int x, int y, bool open) {
    const UniquePen outline(::CreatePen(PS_SOLID, 1, RGB(128, 96, 0)));
    const UniqueBrush body(::CreateSolidBrush(RGB(240, 200, 80)));
    const UniqueBrush flap(::CreateSolidBrush(RGB(255, 236, 160)));
    const SelectedObject pen(dc, outline.get());
    {
        const SelectedObject brush(dc, body.get());
        ::Rectangle(dc, x, y, x + 6, y + 3);
        ::Rectangle(dc, x, y + 2, x + 13, y + kPictureHeight);
    }
    if (open) {
        const SelectedObject brush(dc, flap.get());
        const std::array<POINT, 4> corners{{{x + 3, y + 5},
                                            {x + 15, y + 5},
                                            {x + 12, y + kPictureHeight - 1},
                                            {x, y + kPictureHeight - 1}}};
        ::Polygon(dc, corners.data(), static_cast<int>(corners.size()));
    }
}

}  // namespace

void FolderListView::Show(FolderRows rows) {
    rows_ = std::move(rows);
    ::SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const FolderRow& row : rows_.rows) {
        const std::wstring text = WideFromUtf8(row.text);
        ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(rows_.current), 0);
    ::SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

std::string FolderListView::PathAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.rows.size())) {
        return {};
    }
    return rows_.rows[static_cast<size_t>(row)].path;
}

int FolderListView::Selected() const {
    const LRESULT selected = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

int FolderListView::RowHeight(HFONT font) {
    const WindowDc screen;
    const SelectedObject selected(screen.Get(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.Get(), &metrics);
    return std::max<int>(metrics.tmHeight + 2, kPictureHeight + 4);
}

void FolderListView::Draw(const DRAWITEMSTRUCT& item) const {
    const HDC dc = item.hDC;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    ::FillRect(dc, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const bool focused = (item.itemState & ODS_FOCUS) != 0;
    const int index = static_cast<int>(item.itemID);
    if (index < 0 || index >= static_cast<int>(rows_.rows.size())) {
        if (focused) {
            ::DrawFocusRect(dc, &item.rcItem);  // an empty list still shows its focus
        }
        return;
    }
    const FolderRow& row = rows_.rows[static_cast<size_t>(index)];
    const int x = item.rcItem.left + 2 + row.depth * kIndent;
    const int height = item.rcItem.bottom - item.rcItem.top;
    DrawFolder(dc, x, item.rcItem.top + (height - kPictureHeight) / 2, row.open);

    RECT text = item.rcItem;
    text.left = x + kPictureWidth + 2;
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    const std::wstring name = WideFromUtf8(row.text);
    ::DrawTextW(dc, name.c_str(), static_cast<int>(name.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (focused) {
        ::DrawFocusRect(dc, &item.rcItem);
    }
}

}  // namespace galemend

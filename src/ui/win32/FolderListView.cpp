#include "ui/win32/FolderListView.h"

#include <algorithm>
#include <array>

#include "ui/win32/UniqueHandles.h"

namespace galemend {

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
    ::SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
    ::SendMessageA(list_, LB_RESETCONTENT, 0, 0);
    for (const FolderRow& row : rows_.rows) {
        ::SendMessageA(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
    }
    ::SendMessageA(list_, LB_SETCURSEL, static_cast<WPARAM>(rows_.current), 0);
    ::SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list_, nullptr, TRUE);
}

std::string FolderListView::PathAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.rows.size())) {
        return {};
    }
    return rows_.rows[static_cast<size_t>(row)].path;
}

int FolderListView::Selected() const {
    const LRESULT selected = ::SendMessageA(list_, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

int FolderListView::RowHeight(HFONT font) {
    const WindowDc screen;
    const SelectedObject selected(screen.Get(), font);
    TEXTMETRICA metrics{};
    ::GetTextMetricsA(screen.Get(), &metrics);
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
    ::DrawTextA(dc, row.text.c_str(), static_cast<int>(row.text.size()), &text,
                DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
    if (focused) {
        ::DrawFocusRect(dc, &item.rcItem);
    }
}

}  // namespace galemend

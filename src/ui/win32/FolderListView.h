#pragma once

#include <windows.h>

#include <string>

#include "ui/win32/FolderRows.h"

namespace galemend {

// The folder list (an owner-drawn list box): each row is a folder name, indented by its
// depth behind a small folder picture, the current folder selected. The row texts are the
// plain names, so the list reads like any other list box.
class FolderListView {
  public:
    explicit FolderListView(HWND list) : list_(list) {}

    void Show(FolderRows rows);
    // The full path of a row; "" outside the rows.
    std::string PathAt(int row) const;
    // The selected row, or -1.
    int Selected() const;

    // Row height for the list's font: the text's height, and room for the picture.
    static int RowHeight(HFONT font);
    void Draw(const DRAWITEMSTRUCT& item) const;

  private:
    HWND list_;
    FolderRows rows_;
};

}  // namespace galemend

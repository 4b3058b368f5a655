#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/WindowDesign.h"

namespace galemend {

// The drive list's entries, one per drive in letter order: the lower-case letter and colon
// ("c:"), followed for a fixed drive by its volume label in brackets when it has one.
std::vector<std::string> DriveEntries();

// The drive of a folder ("c:"), or "" when it has none.
std::string DriveOfFolder(const std::string& folder);

// The drive list (a drop-down list combo box). It remembers the drive the user last moved
// to, so that choosing it again changes nothing and a drive that failed can be undone.
class DriveListView {
  public:
    explicit DriveListView(HWND combo) : combo_(combo) {}

    // Lists the entries and selects the one of the current drive ("c:").
    void Fill(const std::vector<std::string>& entries, const std::string& currentDrive);
    // The selected entry when it names a drive other than the current one.
    std::optional<std::string> Chosen() const;
    // The chosen drive becomes the current one.
    void Accept();
    // Selects the current drive's entry again.
    void Revert();

  private:
    std::string EntryAt(LRESULT index) const;  // "" when there is no such entry

    HWND combo_;
    std::string current_;  // "c:", lower case
};

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

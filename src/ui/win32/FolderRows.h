#pragma once

#include <string>
#include <vector>

#include "controls/FolderList.h"

namespace galemend {

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

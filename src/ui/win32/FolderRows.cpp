#include "ui/win32/FolderRows.h"

#include <algorithm>

#include "controls/FolderPath.h"

namespace galemend {

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

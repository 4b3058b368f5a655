#include "controls/FolderList.h"

#include "controls/FolderPath.h"
#include "controls/NameOrder.h"

namespace galemend {

void FolderList::SetPath(const std::string& path) {
    std::string normal = NormalFolderPath(path);
    if (normal.empty()) {
        throw RuntimeError(ErrorNumber::PathNotFound, path);
    }
    std::vector<std::string> names;
    try {
        names = fs_.ListFolders(normal);
    } catch (const RuntimeError& error) {
        throw FolderListingError(error, path);
    }
    SortNamesIgnoringCase(names);
    path_ = std::move(normal);
    names_ = std::move(names);
    changed_.Notify();
}

std::string FolderList::List(int i) const {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    return PathInFolder(path_, names_[static_cast<size_t>(i)]);
}

}  // namespace galemend

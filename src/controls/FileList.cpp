#include "controls/FileList.h"

#include "controls/FolderPath.h"
#include "controls/NameOrder.h"

namespace galemend {

std::vector<std::string> FileList::Listing(const std::string& folder,
                                           const std::string& pattern) const {
    std::vector<std::string> names;
    try {
        names = fs_.ListFiles(folder, pattern);
    } catch (const RuntimeError& error) {
        throw FolderListingError(error, folder);
    }
    SortNamesIgnoringCase(names);
    return names;
}

void FileList::SetPath(const std::string& path) {
    std::string normal = NormalFolderPath(path);
    if (normal.empty()) {
        throw RuntimeError(ErrorNumber::PathNotFound, path);
    }
    names_ = Listing(normal, pattern_);
    path_ = std::move(normal);
    changed_.Notify();
}

void FileList::SetPattern(std::string pattern) {
    if (pattern == pattern_) {
        return;
    }
    if (!path_.empty()) {
        names_ = Listing(path_, pattern);
    }
    pattern_ = std::move(pattern);
    changed_.Notify();
}

std::string FileList::List(int i) const {
    if (i < 0 || i >= ListCount()) {
        return {};
    }
    return names_[static_cast<size_t>(i)];
}

}  // namespace galemend

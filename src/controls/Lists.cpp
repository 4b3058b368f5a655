#include "controls/Lists.h"

#include "platform/RuntimeError.h"
#include "text/Text.h"

namespace galemend {

namespace {

// The error to report when a folder cannot be listed: Path not found when it does not
// exist, the listing's own error otherwise.
RuntimeError FolderListingError(const RuntimeError& error, const std::string& folder) {
    if (error.Code() == ErrorNumber::FileNotFound || error.Code() == ErrorNumber::PathNotFound) {
        return RuntimeError(ErrorNumber::PathNotFound, folder);
    }
    return error;
}

// Ascending as the file system orders names.
void SortNames(const FileSystem& fs, std::vector<std::string>& names) {
    SortNamesIgnoringCase(
        names, [&fs](std::string_view a, std::string_view b) { return fs.CompareNames(a, b); });
}

}  // namespace

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
    SortNames(fs_, names);
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

std::vector<std::string> FileList::Listing(const std::string& folder,
                                           const std::string& pattern) const {
    std::vector<std::string> names;
    try {
        names = fs_.ListFiles(folder, pattern);
    } catch (const RuntimeError& error) {
        throw FolderListingError(error, folder);
    }
    SortNames(fs_, names);
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

#include "controls/Lists.h"

#include <algorithm>

#include "platform/RuntimeError.h"
#include "text/Text.h"

namespace galemend {

namespace {

bool IsNotFound(const RuntimeError& error) {
    return error.Code() == ErrorNumber::FileNotFound || error.Code() == ErrorNumber::PathNotFound;
}

// Whether the path names an ordinary file, where no folder can be. Windows refuses to list
// such a path with an error of its own rather than "not found".
bool NamesAFile(const FileSystem& fs, const std::string& path) {
    return EqualIgnoringCase(FirstFile(fs, path), FileNamePart(path));
}

// Whether a folder whose listing answered "not found" is really not there: its parent lists
// without it, or is not there either. A folder its parent still lists exists, but the system
// cannot open it by that path (a name it alters, such as one ending in a dot, or a path too
// long for the call). Hidden folders are not listed, so they count as not there.
bool Missing(const FileSystem& fs, const std::string& folder) {
    const std::string parent = NormalFolderPath(ParentFolder(folder));
    if (parent.empty() || parent == folder) {
        return true;
    }
    std::vector<std::string> names;
    try {
        names = fs.ListFolders(parent);
    } catch (const RuntimeError& error) {
        return NamesAFile(fs, parent) || (IsNotFound(error) && Missing(fs, parent));
    }
    const std::string name = FileNamePart(folder);
    return std::none_of(names.begin(), names.end(),
                        [&](const std::string& listed) { return EqualIgnoringCase(listed, name); });
}

// The error to report when a folder cannot be listed: Path not found when it is not there
// (or is a file), Path/File access error when it is there but "not found" by its path, the
// listing's own error otherwise.
RuntimeError FolderListingError(const FileSystem& fs, const RuntimeError& error,
                                const std::string& folder) {
    const std::string normal = NormalFolderPath(folder);
    if (NamesAFile(fs, normal)) {
        return RuntimeError(ErrorNumber::PathNotFound, folder);
    }
    if (!IsNotFound(error)) {
        return error;
    }
    const ErrorNumber number =
        Missing(fs, normal) ? ErrorNumber::PathNotFound : ErrorNumber::PathFileAccessError;
    return RuntimeError(number, folder);
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
        throw FolderListingError(fs_, error, path);
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
        throw FolderListingError(fs_, error, folder);
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

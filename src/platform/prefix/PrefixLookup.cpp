#include "platform/prefix/PrefixLookup.h"

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "platform/prefix/WinePaths.h"

namespace galemend {

namespace {

// Unix allows no longer name, so Wine finds none.
constexpr size_t kMaxNameBytes = 255;

}  // namespace

ErrorNumber ErrorOfErrno(int error) {
    switch (error) {
        case ENOENT:
            return ErrorNumber::FileNotFound;
        case ENOTDIR:
            return ErrorNumber::PathNotFound;
        case EACCES:
        case EPERM:
        case EROFS:
        case EAGAIN:  // a sharing violation to Wine
        case ETXTBSY:
        case EBUSY:
        case EISDIR:
            return ErrorNumber::PermissionDenied;
        case ENOSPC:
            return ErrorNumber::DiskFull;
        case EEXIST:
            return ErrorNumber::FileAlreadyExists;
        case EIO:
            return ErrorNumber::DiskNotReady;
        default:
            return ErrorNumber::PathFileAccessError;
    }
}

std::pair<std::string, std::string> SplitFullPath(const std::string& fullPath) {
    const size_t slash = fullPath.rfind('\\');
    const size_t keep = slash <= 2 ? 3 : slash;
    return {fullPath.substr(0, keep), fullPath.substr(slash + 1)};
}

std::string PrefixLookup::Located::UnixPath() const {
    if (isRoot) {
        return folder->UnixPath();
    }
    return folder->UnixPath() + "/" + (entry != nullptr ? entry->name : name);
}

PrefixLookup::PrefixLookup(std::string prefix, std::string currentFolder)
    : drives_(std::move(prefix)), currentFolder_(std::move(currentFolder)) {
    if (currentFolder_.empty()) {
        currentFolder_ = drives_.WindowsPathOf("");
    }
    if (currentFolder_.empty() || currentFolder_.back() != '\\') {
        currentFolder_ += '\\';
    }
}

std::string PrefixLookup::FullPath(const std::string& path) const {
    std::optional<std::string> full;
    if (!path.empty() && path[0] == '/') {
        // Wine takes such a path as a Unix one and names it by its drive.
        std::string unixPath = path;
        std::replace(unixPath.begin(), unixPath.end(), '\\', '/');
        std::string windowsPath = drives_.WindowsPathOf(unixPath);
        if (windowsPath.size() >= 3 && windowsPath[1] == ':') {
            full = std::move(windowsPath);
        }
    } else {
        full = FullPathOf(path, currentFolder_);
    }
    if (!full) {
        throw RuntimeError(ErrorNumber::PathNotFound, path);
    }
    (*full)[0] = static_cast<char>(std::toupper(static_cast<unsigned char>((*full)[0])));
    return *full;
}

FolderListing& PrefixLookup::ListingFor(const std::string& unixPath, const FileIdentity& identity) {
    auto& listing = listings_[{identity.device, identity.inode}];
    if (!listing) {
        listing = std::make_unique<FolderListing>(unixPath, identity);
    }
    return *listing;
}

FolderListing& PrefixLookup::Loaded(FolderListing& folder) {
    if (!folder.Loaded()) {
        ++foldersListed_;
        if (const int error = folder.Load(drives_); error != 0) {
            throw RuntimeError(ErrorOfErrno(error), folder.UnixPath());
        }
    }
    return folder;
}

PrefixLookup::Folder PrefixLookup::FolderAt(const std::string& fullPath) {
    std::string fullFolder = fullPath;
    while (fullFolder.size() > 3 && fullFolder.back() == '\\') {
        fullFolder.pop_back();
    }
    if (const auto known = folders_.find(fullFolder); known != folders_.end()) {
        return {known->second};
    }
    if (IsRootPath(fullFolder)) {
        const char letter = fullFolder[0];
        const auto identity =
            drives_.HasDrive(letter) ? IdentityOf(drives_.RootOf(letter)) : std::nullopt;
        if (!identity) {
            return {nullptr, Reach::NoDrive};
        }
        FolderListing* root = &ListingFor(drives_.RootOf(letter), *identity);
        folders_[fullFolder] = root;
        return {root};
    }
    const auto [parentPath, name] = SplitFullPath(fullFolder);
    const Folder parent = FolderAt(parentPath);
    if (parent.reach == Reach::Unreadable) {
        return parent;
    }
    if (parent.reach != Reach::Reached) {
        const bool fileAbove =
            parent.reach == Reach::FileInTheWay || parent.reach == Reach::FileAbove;
        return {nullptr, fileAbove ? Reach::FileAbove : Reach::Missing};
    }
    FolderListing& in = *parent.listing;
    std::string actual;
    bool isFolder = false;
    struct stat info {};
    if (!in.Loaded() && name.size() <= kMaxNameBytes &&
        ::stat((in.UnixPath() + "/" + name).c_str(), &info) == 0) {
        // The name as written is there: no need to read the folder (Wine looks it up so too).
        actual = name;
        isFolder = S_ISDIR(info.st_mode);
    } else {
        if (!in.Loaded()) {
            ++foldersListed_;
            if (const int error = in.Load(drives_); error != 0) {
                return {nullptr, Reach::Unreadable, error};
            }
        }
        const FolderListing::Entry* entry = in.Find(name);
        if (entry == nullptr || entry->kind == EntryKind::Gone) {
            return {nullptr, Reach::Missing};
        }
        actual = entry->name;
        isFolder = entry->kind == EntryKind::Folder;
    }
    if (!isFolder) {
        return {nullptr, Reach::FileInTheWay};
    }
    const std::string unixPath = in.UnixPath() + "/" + actual;
    const auto identity = IdentityOf(unixPath);
    if (!identity) {
        return {nullptr, Reach::Missing};
    }
    FolderListing* folder = &ListingFor(unixPath, *identity);
    folders_[fullFolder] = folder;
    return {folder};
}

PrefixLookup::Located PrefixLookup::Locate(const std::string& fullPath) {
    Located located;
    if (IsRootPath(fullPath)) {
        const Folder root = FolderAt(fullPath);
        if (root.reach != Reach::Reached) {
            throw RuntimeError(ErrorNumber::PathNotFound, fullPath);
        }
        located.folder = root.listing;
        located.isRoot = true;
        return located;
    }
    if (HasInvalidElement(fullPath)) {
        throw RuntimeError(ErrorNumber::BadFileName, fullPath);
    }
    auto [folderPath, name] = SplitFullPath(fullPath);
    const Folder folder = FolderAt(folderPath);
    switch (folder.reach) {
        case Reach::Reached:
            break;
        case Reach::NoDrive:
            // The element itself is what Wine fails to find in a drive that is not there.
            throw RuntimeError(ErrorNumber::FileNotFound, fullPath);
        case Reach::Unreadable:
            throw RuntimeError(ErrorOfErrno(folder.error), fullPath);
        default:
            throw RuntimeError(ErrorNumber::PathNotFound, fullPath);
    }
    located.folder = &Loaded(*folder.listing);
    located.name = std::move(name);
    located.entry = located.folder->Find(located.name);
    return located;
}

void PrefixLookup::Forget() {
    folders_.clear();
    listings_.clear();
}

}  // namespace galemend

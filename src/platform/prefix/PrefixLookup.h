#pragma once

#include <sys/types.h>

#include <map>
#include <memory>
#include <string>
#include <unordered_map>
#include <utility>

#include "platform/RuntimeError.h"
#include "platform/prefix/FolderListing.h"
#include "platform/prefix/PrefixDrives.h"

namespace galemend {

// The error number the Win32 backend reports when Wine's call fails with this errno.
ErrorNumber ErrorOfErrno(int error);

// How Wine 8 finds the Unix file of a Windows path in a prefix: the drive's dosdevices link,
// then each element in its folder, the name as written first, else ignoring case (or by its
// 8.3 short name). Folders are remembered by their full Windows path and their listings by
// their identity, so each folder is read at most once.
class PrefixLookup {
  public:
    PrefixLookup(std::string prefix, std::string currentFolder);

    const PrefixDrives& Drives() const { return drives_; }
    const std::string& CurrentFolder() const { return currentFolder_; }
    size_t FoldersListed() const { return foldersListed_; }

    // The full Windows path ("X:\...", drive letter in upper case) of a program's path; a
    // path starting with "/" is a Unix path, as Wine takes it. Throws Path not found for a
    // path Wine cannot make full.
    std::string FullPath(const std::string& path) const;

    // Why a folder cannot be reached: its drive has no link, an element is missing, an
    // element is a file (the folder itself, or one above it), or a folder could not be read.
    enum class Reach { Reached, NoDrive, Missing, FileInTheWay, FileAbove, Unreadable };
    struct Folder {
        FolderListing* listing = nullptr;
        Reach reach = Reach::Reached;
        int error = 0;  // the errno of an unreadable folder
    };
    Folder FolderAt(const std::string& fullFolder);

    // The last element of a full path in its folder, the folder read.
    struct Located {
        FolderListing* folder = nullptr;        // null when it cannot be reached
        std::string name;                       // the element as written
        FolderListing::Entry* entry = nullptr;  // the entry Wine finds for it, if any
        bool isRoot = false;                    // the path is a drive's root
        std::string UnixPath() const;
    };
    // Throws the error Wine's file functions fail with when the folder cannot be reached
    // or the path holds a name no Windows name may be.
    Located Locate(const std::string& fullPath);

    // The folder's entries, reading them now if they have not been read.
    FolderListing& Loaded(FolderListing& folder);

    // Drops everything read so far (after a folder has moved).
    void Forget();

  private:
    FolderListing& ListingFor(const std::string& unixPath, const FileIdentity& identity);

    PrefixDrives drives_;
    std::string currentFolder_;  // "X:\...\" with its trailing backslash
    std::map<std::pair<dev_t, ino_t>, std::unique_ptr<FolderListing>> listings_;
    std::unordered_map<std::string, FolderListing*> folders_;  // by full Windows path
    size_t foldersListed_ = 0;
};

// The path split at its last backslash: "X:\a\b" gives "X:\a" and "b", "X:\b" gives "X:\".
std::pair<std::string, std::string> SplitFullPath(const std::string& fullPath);

}  // namespace galemend

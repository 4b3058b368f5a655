#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "platform/FileSystem.h"

namespace galemend {

// The window's folder list (Dir1): a current folder and its visible subfolders, read
// through the FileSystem each time the folder is set. Empty until a folder is set.
class FolderList {
  public:
    explicit FolderList(FileSystem& fs) : fs_(fs) {}

    // The current folder without a trailing "\" (a drive root keeps it: "C:\").
    const std::string& Path() const { return path_; }
    // Makes the folder current and lists it afresh; throws RuntimeError and then keeps the
    // previous folder. Path not found means the folder is not there; any other error means it
    // may be there but cannot be listed.
    void SetPath(const std::string& path);

    // Number of subfolders of the current folder.
    int ListCount() const { return static_cast<int>(names_.size()); }
    // Full path of subfolder i, by name ascending ignoring case as the file system orders
    // names (names equal but for case by their bytes); "" outside 0..ListCount()-1.
    std::string List(int i) const;

    // Told after every successful SetPath (the Change event).
    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    FileSystem& fs_;
    std::string path_;
    std::vector<std::string> names_;
    ChangeSignal changed_;
};

// The window's file list (File1): the files of one folder that match a pattern, read
// through the FileSystem whenever the folder or the pattern is set. Hidden and system files
// are left out. Empty until a folder is set.
class FileList {
  public:
    explicit FileList(FileSystem& fs, std::string pattern = "*.*")
        : fs_(fs), pattern_(std::move(pattern)) {}

    // The folder without a trailing "\" (a drive root keeps it: "C:\").
    const std::string& Path() const { return path_; }
    // Lists the folder afresh; throws RuntimeError as FolderList::SetPath does, and then keeps
    // the previous folder and names.
    void SetPath(const std::string& path);

    const std::string& Pattern() const { return pattern_; }
    // Lists the current folder again when the pattern differs from the one in use.
    void SetPattern(std::string pattern);

    int ListCount() const { return static_cast<int>(names_.size()); }
    // Name i, ascending ignoring case as the file system orders names, as stored on disk;
    // "" outside 0..ListCount()-1.
    std::string List(int i) const;

    void OnChange(std::function<void()> observer) { changed_.Connect(std::move(observer)); }

  private:
    std::vector<std::string> Listing(const std::string& folder, const std::string& pattern) const;

    FileSystem& fs_;
    std::string path_;
    std::string pattern_;
    std::vector<std::string> names_;
    ChangeSignal changed_;
};

}  // namespace galemend

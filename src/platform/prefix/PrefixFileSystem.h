#pragma once

#include <string>
#include <vector>

#include "platform/FileSystem.h"
#include "platform/prefix/PrefixLookup.h"

namespace galemend {

// FileSystem on a Wine prefix's own files with no Wine running, answering as Wine 8 answers
// galemend3.exe in that prefix (FindFirstFileW, CreateFileW, MoveFileW, DeleteFileW):
// drives from the prefix's dosdevices links, names matched ignoring case, hidden and system
// entries as Wine sees them, listings in Wine's order, 8.3 short names matching masks, and
// the error numbers the Win32 backend gives for the same failures.
//
// Each folder is read at most once: its listing is kept and updated by this object's own
// writes, renames and removals, so the object assumes nothing else changes the prefix's
// folders while it lives. There are no share modes: Wine keeps them in wineserver, which is
// not running, so no file is ever held by another program as Wine would see it.
class PrefixFileSystem : public FileSystem {
  public:
    // prefix: the folder holding dosdevices/. currentFolder: the Windows path relative paths
    // start from; empty for the process's current folder as Wine names it.
    explicit PrefixFileSystem(std::string prefix, std::string currentFolder = {});

    std::string ReadFile(const std::string& path) const override;
    void ReadFileInto(const std::string& path, std::string& bytes) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;

    // The Windows path Wine gives a Unix path ("/pfx/drive_c/x" is "C:\x").
    std::string WindowsPathOf(const std::string& unixPath) const;
    // The Unix path Wine opens for a Windows path, names matched ignoring case; the last
    // element need not exist. A path that cannot be reached throws RuntimeError.
    std::string UnixPathOf(const std::string& windowsPath) const;
    // The folder relative paths start from, "X:\...\".
    const std::string& CurrentFolder() const { return lookup_.CurrentFolder(); }

    // How many folders have been read in full so far.
    size_t FoldersListed() const { return lookup_.FoldersListed(); }

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;

  private:
    struct Found;
    Found Search(const std::string& pattern) const;

    mutable PrefixLookup lookup_;
};

}  // namespace galemend

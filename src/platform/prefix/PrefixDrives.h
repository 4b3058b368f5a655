#pragma once

#include <sys/types.h>

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The drives of a Wine prefix: each letter with a link in the prefix's dosdevices folder
// ("c:" -> "../drive_c", "z:" -> "/") is a drive whose root is where the link leads.
namespace galemend {

// A file or folder as the system knows it, whatever path reaches it.
struct FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    bool operator==(const FileIdentity&) const = default;
};
std::optional<FileIdentity> IdentityOf(const std::string& unixPath);

class PrefixDrives {
  public:
    // Reads the links once: the drives stay as they were for the object's life, as they do
    // for a program under Wine.
    explicit PrefixDrives(std::string prefix);

    const std::string& Prefix() const { return prefix_; }
    // The Unix path Wine looks a drive's names up under, "<prefix>/dosdevices/c:", whether
    // or not the link is there.
    std::string RootOf(char letter) const;
    bool HasDrive(char letter) const;

    // The Windows path Wine gives a Unix path: the drive whose root is the nearest folder
    // around it (the lowest letter when several share a root), "\" between the elements,
    // dots and blanks dropped as from a Windows path. A path no drive holds gets Wine's
    // "\\?\unix" form. A relative path starts at the process's current folder.
    std::string WindowsPathOf(std::string_view unixPath) const;

    // Folders Wine never lists: the prefix itself, /dev, /proc and /sys.
    bool IsIgnored(const FileIdentity& identity) const;
    // Whether a folder entry of this name may be one of them (only those need a look).
    bool MayBeIgnored(std::string_view name) const;

  private:
    std::string prefix_;
    std::array<std::optional<FileIdentity>, 26> roots_;
    std::vector<FileIdentity> ignored_;
    std::vector<std::string> ignoredNames_;
};

}  // namespace galemend

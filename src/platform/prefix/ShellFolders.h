#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "platform/SystemProbe.h"
#include "platform/prefix/ShellPathText.h"
#include "platform/prefix/WineEnvironment.h"
#include "platform/prefix/WineRegistry.h"

// The user's special folders as Wine 8's SHGetFolderPathW finds them in a prefix, and makes
// them when asked to.
namespace galemend {

// The Unix path Wine opens for a Windows path, names matched ignoring case; the last
// elements need not exist. Throws RuntimeError for a path no drive reaches.
using UnixPathMapper = std::function<std::string(const std::string& windowsPath)>;

// CSIDL values and flags of the folders answered here.
constexpr std::uint32_t kCsidlPersonal = 0x05;
constexpr std::uint32_t kCsidlAppData = 0x1A;
constexpr std::uint32_t kCsidlLocalAppData = 0x1C;
constexpr std::uint32_t kCsidlProfile = 0x28;
constexpr std::uint32_t kCsidlFlagDontVerify = 0x4000;
constexpr std::uint32_t kCsidlFlagCreate = 0x8000;

class ShellFolders {
  public:
    // home: the Unix home folder, where Wine links a new Documents folder.
    ShellFolders(const WineRegistry& registry, const ProcessEnvironment& environment,
                 UnixPathMapper unixPathOf, std::string home);

    // SHGetFolderPathW(NULL, folderId, NULL, 0, buffer) of a program with this environment:
    // the status and the whole 260-character buffer. A missing folder is created when the id
    // carries CSIDL_FLAG_CREATE (Documents as a link to the home's documents folder where
    // there is one, as Wine makes it). Answers the user folders above and every id past
    // Wine's table (0x80070057); throws std::invalid_argument for the other folders of it.
    FolderPathAnswer Answer(std::uint32_t folderId) const;

  private:
    struct Expanded;
    std::string UnexpandedPath(std::uint32_t folder) const;
    std::optional<std::string> ShellFolderValue(const RegistryKey* key,
                                                std::u16string_view name) const;
    Expanded ExpandShellPath(std::string text) const;
    std::optional<std::string> UnixPath(const std::string& path) const;
    bool Exists(const std::string& path) const;
    void LinkDocuments(const std::string& path) const;
    bool CreateFolders(const std::string& path) const;

    const WineRegistry& registry_;
    const ProcessEnvironment& environment_;
    UnixPathMapper unixPathOf_;
    std::string home_;
};

}  // namespace galemend

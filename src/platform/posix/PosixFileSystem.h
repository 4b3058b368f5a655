#pragma once

#include <map>
#include <string>

#include "platform/FileSystem.h"

namespace galemend {

// FileSystem on host folders, for native builds. Windows-style paths are mapped at the
// boundary: "\" becomes "/", and a drive prefix such as "C:" is replaced by the host folder
// registered for it; the UTF-8 names pass to the host as they are. Name patterns match
// ignoring case. The host has no system attribute: only names starting with "." are hidden.
class PosixFileSystem : public FileSystem {
  public:
    PosixFileSystem() = default;
    // Drive letters (upper case, e.g. 'C') mapped to host folders.
    explicit PosixFileSystem(std::map<char, std::string> drives);

    std::string ReadFile(const std::string& path) const override;
    void ReadFileInto(const std::string& path, std::string& bytes) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;

    // The host path a Windows-style path stands for.
    std::string HostPath(const std::string& path) const;

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;

  private:
    std::map<char, std::string> drives_;
};

}  // namespace galemend

#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

namespace galemend {

// A file system that reads through to another and keeps every change in memory, so that a
// whole conversion can run without writing anything: later reads, lookups and listings see
// the files written, renamed and removed so far. Paths are compared ignoring case, as the
// program's paths are.
class DryRunFileSystem : public FileSystem {
  public:
    explicit DryRunFileSystem(const FileSystem& disk) : disk_(disk) {}

    std::string ReadFile(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;
    int CompareNames(std::string_view a, std::string_view b) const override;

    // A file's bytes as the run left them, nothing when it is gone, and the disk's otherwise.
    std::optional<std::string> Contents(const std::string& path) const;
    // The paths the run wrote, in the order first written, as the run spelled them.
    const std::vector<std::string>& Written() const { return written_; }

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;

  private:
    struct Change {
        std::string path;                  // as the run spelled it
        std::optional<std::string> bytes;  // nothing: removed
    };
    const Change* ChangeOf(const std::string& path) const;
    bool Exists(const std::string& path) const;

    const FileSystem& disk_;
    std::map<std::string, Change> changes_;  // by path in lower case
    std::vector<std::string> written_;
};

}  // namespace galemend

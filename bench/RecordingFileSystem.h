#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/FileSystem.h"

namespace galemend {

// One call a run made on the file system, with all it needs to be made again.
struct FileOperation {
    enum class Kind { Lookup, ListFolders, ListFiles, Read, Write, Rename, Remove };
    Kind kind;
    std::string path;   // the file, the listed folder or the lookup pattern; a rename's source
    std::string other;  // a rename's target, or a listing's pattern
    std::string bytes;  // what a write wrote
    EntryKinds entries = EntryKinds::FilesOnly;
    bool failed = false;  // the call threw
};

// Forwards every call to another file system and logs it, in order: the file operations of a
// conversion, to be replayed without the conversion's own work.
class RecordingFileSystem : public FileSystem {
  public:
    explicit RecordingFileSystem(FileSystem& inner) : inner_(inner) {}

    const std::vector<FileOperation>& Log() const { return log_; }

    std::string ReadFile(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;

  private:
    // Logs the call, makes it, and marks it failed when it throws.
    template <typename Call>
    auto Logged(FileOperation operation, Call call) const;

    FileSystem& inner_;
    mutable std::vector<FileOperation> log_;
};

// A log moved onto another copy of the tree: paths under `from` are taken under `to`. The
// bytes stay in the log, which must outlive the plan.
class ReplayPlan {
  public:
    ReplayPlan(const std::vector<FileOperation>& log, std::string_view from, std::string_view to);

    // Makes every logged call again, in order, dropping what reads and lookups return.
    // Throws std::logic_error when a call fails that did not fail in the log, or the reverse.
    void Run(FileSystem& fs) const;

  private:
    struct Step {
        FileOperation::Kind kind;
        std::string path;
        std::string other;
        std::string_view bytes;
        EntryKinds entries;
        bool failed;
    };
    std::vector<Step> steps_;
};

}  // namespace galemend

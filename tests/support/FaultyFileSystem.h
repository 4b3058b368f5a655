#pragma once

#include <optional>
#include <set>
#include <string>
#include <utility>

#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"

namespace galemend::test {

// Passes every operation to another FileSystem and makes exactly one of them fail: the
// N-th, counted from 1 (0 fails none), or each of a set of them. A failing lookup finds
// nothing; a failing write leaves half of its bytes behind before it throws, as a full disk
// would. Besides, every listing of one folder can be made to fail with a chosen error, as a
// folder that is there but cannot be opened does.
class FaultyFileSystem : public FileSystem {
  public:
    FaultyFileSystem(FileSystem& inner, int failAt) : inner_(inner), failing_{failAt} {}
    FaultyFileSystem(FileSystem& inner, std::set<int> failing)
        : inner_(inner), failing_(std::move(failing)) {}

    int Operations() const { return count_; }
    // The folder is named as the listings receive it.
    void FailListings(std::string folder, ErrorNumber error) {
        unlistable_ = std::move(folder);
        listingError_ = error;
    }

    std::string ReadFile(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;
    // Never fails: ordering names is no disk operation.
    int CompareNames(std::string_view a, std::string_view b) const override {
        return inner_.CompareNames(a, b);
    }

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;

  private:
    // Counts an operation; true when this one is to fail.
    bool Fails() const { return failing_.contains(++count_); }
    [[noreturn]] static void Throw(const std::string& what);
    // Counts a listing and throws when it is to fail.
    void CheckListing(const std::string& folder) const;

    FileSystem& inner_;
    std::set<int> failing_;
    mutable int count_ = 0;
    std::optional<std::string> unlistable_;
    ErrorNumber listingError_ = ErrorNumber::PermissionDenied;
};

}  // namespace galemend::test

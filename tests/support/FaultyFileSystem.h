#pragma once

#include "platform/FileSystem.h"

namespace galemend::test {

// Passes every operation to another FileSystem and makes exactly one of them fail: the
// N-th, counted from 1 (0 fails none). A failing lookup finds nothing; a failing write
// leaves half of its bytes behind before it throws, as a full disk would.
class FaultyFileSystem : public FileSystem {
  public:
    FaultyFileSystem(FileSystem& inner, int failAt) : inner_(inner), failAt_(failAt) {}

    int Operations() const { return count_; }

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
    bool Fails() const { return ++count_ == failAt_; }
    [[noreturn]] static void Throw(const std::string& what);

    FileSystem& inner_;
    int failAt_;
    mutable int count_ = 0;
};

}  // namespace galemend::test

#pragma once

#include "platform/FileSystem.h"

namespace galemend {

// FileSystem on the Win32 file API, as on Windows and under Wine: the W functions, every
// path converted from UTF-8 and given in the \\?\ form when it is too long for the classic
// limit. Names are ordered as a sorted list box orders them.
class Win32FileSystem : public FileSystem {
  public:
    std::string ReadFile(const std::string& path) const override;
    void WriteFile(const std::string& path, std::string_view bytes) override;
    void Rename(const std::string& from, const std::string& to) override;
    void Remove(const std::string& path) override;
    std::vector<std::string> ListFolders(const std::string& folder) const override;
    std::vector<std::string> ListFiles(const std::string& folder,
                                       const std::string& pattern) const override;
    // CompareStringW for the user's locale, ignoring case.
    int CompareNames(std::string_view a, std::string_view b) const override;

  protected:
    std::string FindFirst(const std::string& pattern, EntryKinds kinds) const override;
};

}  // namespace galemend

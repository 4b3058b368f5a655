#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace galemend {

// The drive list (a drop-down list combo box). It remembers the drive the user last moved
// to, so that choosing it again changes nothing and a drive that failed can be undone.
class DriveListView {
  public:
    explicit DriveListView(HWND combo) : combo_(combo) {}

    // Lists the entries and selects the one of the current drive ("c:").
    void Fill(const std::vector<std::string>& entries, const std::string& currentDrive);
    // The selected entry when it names a drive other than the current one.
    std::optional<std::string> Chosen() const;
    // The chosen drive becomes the current one.
    void Accept();
    // Selects the current drive's entry again.
    void Revert();

  private:
    std::string EntryAt(LRESULT index) const;  // "" when there is no such entry

    HWND combo_;
    std::string current_;  // "c:", lower case
};

}  // namespace galemend

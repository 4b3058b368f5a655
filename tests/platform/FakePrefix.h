#pragma once

#include <string>
#include <string_view>

#include "support/ScopedTempDir.h"

namespace galemend::test {

// A Wine prefix made in a private folder, as wineboot lays out the part the file system uses:
// dosdevices/c: -> ../drive_c and dosdevices/z: -> /. Natively only.
class FakePrefix {
  public:
    FakePrefix();

    // The prefix folder.
    std::string Path() const;
    // A host path inside drive_c ("Maps/x.galaxy").
    std::string OnC(std::string_view relative) const;
    // Links dosdevices/<letter>: to a host folder.
    void AddDrive(char letter, const std::string& target) const;

    // Creating files and folders inside drive_c, as ScopedTempDir does.
    void Write(std::string_view relative, std::string_view bytes) const;
    void MakeFolder(std::string_view relative) const;
    bool Exists(std::string_view relative) const;
    std::string Read(std::string_view relative) const;
    // Stores Wine's DOS attributes text ("0x2") in the entry's user.DOSATTRIB. By hand that
    // is setfattr -v '"0x2"': setfattr reads an unquoted 0x2 as hex bytes.
    void SetDosAttributes(std::string_view relative, std::string_view value) const;

  private:
    ScopedTempDir dir_;
};

}  // namespace galemend::test

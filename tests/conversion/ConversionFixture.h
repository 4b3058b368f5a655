#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "conversion/FixGalaxies.h"
#include "platform/CodePages.h"
#include "support/HostFileSystem.h"
#include "support/ScopedCurrentFolder.h"
#include "support/ScopedTempDir.h"

namespace galemend::test {

// A private current folder with the templates of one edition (revision 4 converts to 5) and
// a folder of maps, plus the window parts the conversion writes.
class ConversionFixture {
  public:
    static constexpr const char* kOldMap = "X\r\nformat 4\r\nname Bob\r\nsize 12\r\nend\r\n";
    static constexpr const char* kConverted =
        "X\r\nformat 5\r\nname  Bob\r\nsize 12\r\narmor 0\r\nend\r\n";
    static constexpr const char* kFixed =
        "X\r\nformat 5\r\nname   Bob\r\nsize 12\r\narmor 1\r\nend\r\n";
    static constexpr const char* kCurrentMap = "X\r\nformat 5\r\nname Al\r\n";

    explicit ConversionFixture(const std::string& edition);

    std::optional<ConversionResult> Run(const std::vector<std::string>& relativeMaps,
                                        bool diagnosticMode = false);
    std::optional<ConversionResult> Run(FileSystem& fs,
                                        const std::vector<std::string>& relativeMaps,
                                        bool diagnosticMode = false);
    // Every file below the maps folder, by relative path, with its bytes.
    std::map<std::string, std::string> Snapshot() const;

    ScopedTempDir dir;
    ScopedCurrentFolder current{dir.Host()};
    std::unique_ptr<FileSystem> fs = MakeHostFileSystem();
    std::string edition;
    TemplateState state{SystemCodePage(kWesternCodePage)};
    Label Label4{"0"};
    Label Label8{"0"};
    TextBox Text2;
    Busy busy;
};

}  // namespace galemend::test

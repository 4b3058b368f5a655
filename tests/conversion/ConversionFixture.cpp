#include "ConversionFixture.h"

#include <filesystem>

namespace galemend::test {

ConversionFixture::ConversionFixture(const std::string& editionLetter) : edition(editionLetter) {
    dir.Write(edition + "oldstruct4.txt", "T\r\nfmt$1\r\nformat\r\nhull$2\r\nname\r\nsize\r\n");
    dir.Write(edition + "newstruct4.txt",
              "T\r\nfmt$1\r\nformat 5\r\nhull$3\r\nname &\r\nsize ##\r\narmor 0\r\n");
    dir.Write(edition + "newstruct0.txt", "N\r\nformat 5\r\n");
    if (edition == "u") {
        dir.Write("uoldstructfix5.txt", "F\r\ngrp$3\r\nname\r\nsize\r\narmor\r\n");
        dir.Write("unewstructfix5.txt", "F\r\ngrp$3\r\nname &\r\nsize ##\r\narmor 1\r\n");
    }
    dir.MakeFolder("maps");
}

std::optional<ConversionResult> ConversionFixture::Run(const std::vector<std::string>& maps,
                                                       bool diagnosticMode) {
    return Run(*fs, maps, diagnosticMode);
}

std::optional<ConversionResult> ConversionFixture::Run(FileSystem& through,
                                                       const std::vector<std::string>& maps,
                                                       bool diagnosticMode) {
    std::vector<std::string> galaxyList;
    for (const auto& map : maps) {
        galaxyList.push_back(dir.Path("maps\\" + map));
    }
    galaxyList.emplace_back();
    return FixGalaxies(through, state, ConversionSettings{edition, diagnosticMode}, galaxyList,
                       ConversionControls{Label4, Label8, Text2, busy});
}

std::map<std::string, std::string> ConversionFixture::Snapshot() const {
    std::map<std::string, std::string> files;
    const auto root = dir.Host() / "maps";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
        if (entry.is_regular_file()) {
            const std::string relative = entry.path().lexically_relative(root).generic_string();
            files[relative] = dir.Read("maps/" + relative);
        }
    }
    return files;
}

}  // namespace galemend::test

#pragma once

#include <string>
#include <string_view>

namespace galemend {

// File names of the structure templates, opened by bare name from the current folder.
// The revision text of a map goes into the name unchanged ("04" stays "04"); a target
// revision is written in its shortest decimal form.
std::string OldStructureName(std::string_view editionLetter, std::string_view revisionText);
std::string NewStructureName(std::string_view editionLetter, std::string_view revisionText);
std::string OldFixName(std::string_view editionLetter, double targetRevision);
std::string NewFixName(std::string_view editionLetter, double targetRevision);
std::string NewStructureZeroName(std::string_view editionLetter);

inline constexpr std::string_view kOriginalMapsName = "original corv galaxies.txt";

}  // namespace galemend

#pragma once

#include <string_view>

#include "conversion/TemplateState.h"
#include "platform/FileSystem.h"

namespace galemend {

// Load the old or new structure template of a map's revision text.
void loadold(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
             std::string_view revisionText);
void loadnew(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
             std::string_view revisionText);

// Load the old or new fix template of the target revision.
void loadoldfix(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
                double revision);
void loadnewfix(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
                double revision);

// Read the new-structure-0 file and take the target revision from the last two characters
// of its second line. A missing file gives target 0; one with fewer than two lines has no
// target at all and throws ConversionError naming it.
void initnew(TemplateState& state, const FileSystem& fs, std::string_view editionLetter);

// Load the list of the game's own maps, unless a data file is known to be missing.
void loadoriginalmaps(TemplateState& state, const FileSystem& fs, bool& dataFileMissing);

}  // namespace galemend

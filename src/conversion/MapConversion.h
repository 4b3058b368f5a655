#pragma once

#include <string>
#include <string_view>

#include "conversion/MapPasses.h"
#include "conversion/Templates.h"
#include "platform/FileSystem.h"
#include "text/Text.h"

namespace galemend {

// Names beside a map: its last three characters replaced (Big.galaxy -> Big.galold).
std::string OldCopyName(std::string_view mapPath);
std::string FixCopyName(std::string_view mapPath);
std::string TestFileName(std::string_view mapPath);

// The format revision a map's second line ends with: its last two characters (a double-byte
// character is one), or only the last one when the first of the two is a blank.
std::string MapRevisionText(std::string_view secondLine);

struct ConversionSettings {
    std::string editionLetter;  // "c", "u", or empty while no edition is chosen
    bool diagnosticMode = false;
};

struct MapOutcome {
    // GameMap: one of the game's own maps, which the conversion passes over.
    enum class Kind { Converted, Current, NotConverted, GameMap };
    Kind kind;
    std::string reason;  // why a map was not converted; for a current one, its format
};

// Converts one map in place: renames it to its old copy, writes the structure pass under
// its name and, for edition "u", keeps that as the fix copy and writes the fix pass. In
// diagnostic mode the result goes to the test file and the map keeps its name.
//
// A map is converted in full or not at all. The map, its templates' names and its copies'
// names are checked before it is touched. The templates are read and applied only after the
// map is renamed, so a template that cannot be read or does not fit the map fails a step
// then, as a failed write does: the map is renamed back (or, when that fails, its original
// bytes are written under its name from memory) and the copies this attempt made are
// removed. When the original cannot be put back either, it stays in the old copy, and the
// reason says so.
MapOutcome ConvertMap(FileSystem& fs, TemplateState& state, const ConversionSettings& settings,
                      const std::string& mapPath);

// The working storage of map conversions, kept from map to map so that converting one
// allocates next to nothing once the buffers have grown to the size of the largest map.
struct MapBuffers {
    std::string original;  // the map's bytes as read, for putting it back
    std::string decoded;   // its text, where the bytes are not all ASCII
    MapPasses passes;
};

MapOutcome ConvertMap(FileSystem& fs, TemplateState& state, const ConversionSettings& settings,
                      const std::string& mapPath, MapBuffers& buffers);

}  // namespace galemend

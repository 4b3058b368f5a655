#pragma once

#include <optional>
#include <string>
#include <vector>

#include "controls/Controls.h"
#include "conversion/MapConversion.h"
#include "conversion/Templates.h"
#include "platform/FileSystem.h"

namespace galemend {

// The window's parts that the conversion reads and writes.
struct ConversionControls {
    Label& Label4;   // number of maps converted
    Label& Label8;   // stage counter
    TextBox& Text2;  // converted map names, one per line; never cleared
    Busy& busy;      // shared with the search
};

struct NotConvertedMap {
    std::string path;
    std::string reason;
};

struct MapReport {
    std::string path;
    MapOutcome outcome;
};

struct ConversionResult {
    int converted = 0;
    std::vector<NotConvertedMap> notConverted;
    std::vector<MapReport> maps;  // every map of the list, in its order
    // Set when the run could not start at all; no map was touched then.
    std::optional<std::string> runError;

    bool Complete() const { return notConverted.empty() && !runError; }
};

// Converts every old map of galaxyList (all entries but its empty spare), skipping the
// game's own maps and the current ones. Converted names go to Text2, followed by one marked
// line for each map that could not be converted. Returns nothing when a search or
// conversion is already running.
std::optional<ConversionResult> FixGalaxies(FileSystem& fs, TemplateState& state,
                                            const ConversionSettings& settings,
                                            const std::vector<std::string>& galaxyList,
                                            const ConversionControls& controls);

// The marker that starts a line about a map that was not converted.
inline constexpr std::string_view kNotConvertedMark = "NOT CONVERTED: ";

}  // namespace galemend

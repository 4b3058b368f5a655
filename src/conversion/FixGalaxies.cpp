#include "conversion/FixGalaxies.h"

#include "conversion/MapConversion.h"
#include "conversion/Templates.h"
#include "platform/FileSystem.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace galemend {

namespace {

bool IsOriginalMap(const LineList& originalMaps, const std::string& path) {
    for (const auto& name : originalMaps) {
        if (FileNameMatches(path, name)) {
            return true;
        }
    }
    return false;
}

std::string MarkedLine(std::string_view what, std::string_view why) {
    std::string text;
    AppendLine(text, std::string(kNotConvertedMark) + std::string(what) + " - " + std::string(why));
    return text;
}

}  // namespace

std::optional<ConversionResult> FixGalaxies(FileSystem& fs, TemplateState& state,
                                            const ConversionSettings& settings,
                                            const std::vector<std::string>& galaxyList,
                                            const ConversionControls& controls) {
    auto running = controls.busy.TryStart();
    if (!running) {
        return std::nullopt;
    }
    ConversionResult result;
    try {
        initnew(state, fs, settings.editionLetter);
    } catch (const ConversionError& error) {
        result.runError = error.what();
        controls.Text2.AppendText(MarkedLine("no map was touched", error.what()));
        return result;
    }
    controls.Label8.SetCaption(SignedNumberText(LeadingNumber(controls.Label8.Caption()) + 1));

    // The last entry is the search's empty spare.
    const size_t maps = galaxyList.empty() ? 0 : galaxyList.size() - 1;
    MapBuffers buffers;
    for (size_t i = 0; i < maps; ++i) {
        const std::string& path = galaxyList[i];
        controls.Label4.SetCaption(SignedNumberText(result.converted));
        if (IsOriginalMap(state.originalMaps, path)) {
            result.maps.push_back(
                {path, {MapOutcome::Kind::GameMap, "one of the game's own maps"}});
            continue;
        }
        result.maps.push_back({path, ConvertMap(fs, state, settings, path, buffers)});
        const MapOutcome& outcome = result.maps.back().outcome;
        if (outcome.kind == MapOutcome::Kind::Converted) {
            ++result.converted;
            std::string line = FileNamePart(path);
            AppendLine(line, "");
            controls.Text2.AppendText(line);
        } else if (outcome.kind == MapOutcome::Kind::NotConverted) {
            result.notConverted.push_back({path, outcome.reason});
        }
    }
    controls.Label4.SetCaption(SignedNumberText(result.converted));
    for (const auto& failure : result.notConverted) {
        controls.Text2.AppendText(MarkedLine(failure.path, failure.reason));
    }
    return result;
}

}  // namespace galemend

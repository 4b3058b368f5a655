#include "conversion/MapConversion.h"

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/FileSystem.h"
#include "platform/RuntimeError.h"
#include "text/Numbers.h"

namespace galemend {

namespace {
std::string Replaced(std::string_view mapPath, std::string_view ending) {
    const size_t keep = mapPath.size() >= 3 ? mapPath.size() - 3 : 0;
    return std::string(mapPath.substr(0, keep)) + std::string(ending);
}
}  // namespace

std::string OldCopyName(std::string_view mapPath) {
    return Replaced(mapPath, "old");
}
std::string FixCopyName(std::string_view mapPath) {
    return Replaced(mapPath, "fix");
}
std::string TestFileName(std::string_view mapPath) {
    return Replaced(mapPath, "tst");
}

std::string MapRevisionText(std::string_view secondLine) {
    std::string_view last = LastCharacters(secondLine, 2);
    if (last.size() == 2 && last[0] == ' ') {
        last.remove_prefix(1);
    }
    return std::string(last);
}

namespace {

MapOutcome NotConverted(std::string reason) {
    return {MapOutcome::Kind::NotConverted, std::move(reason)};
}

// A template that vanished or became unreadable after the checks must not drive a pass.
void RequireRead(const LineList& lines, const std::string& name) {
    if (!CameFromFile(lines)) {
        throw ConversionError(name + " could not be read");
    }
}

// What one attempt has changed on disk, so that a failure can undo exactly that.
class Attempt {
  public:
    Attempt(FileSystem& fs, std::string mapPath, std::string original)
        : fs_(fs), map_(std::move(mapPath)), original_(std::move(original)) {}

    void RenameMapTo(const std::string& copy) {
        fs_.Rename(map_, copy);
        renamed_.push_back(copy);
    }
    void Write(const std::string& path, const std::string& bytes) {
        written_.push_back(path);  // a failed write may still leave part of a file
        fs_.WriteFile(path, bytes);
    }

    // Puts the original back under the map's name and removes what the attempt made.
    // Returns false only when the original could not be put back, which leaves it in the
    // old copy.
    bool Undo() {
        for (const auto& path : written_) {
            TryRemove(path);
        }
        if (renamed_.empty()) {
            return true;
        }
        for (size_t i = 1; i < renamed_.size(); ++i) {
            TryRemove(renamed_[i]);  // later copies hold pass output, not the original
        }
        const std::string& oldCopy = renamed_.front();
        try {
            fs_.Rename(oldCopy, map_);
            return true;
        } catch (const RuntimeError&) {
        }
        try {
            fs_.WriteFile(map_, original_);
        } catch (const RuntimeError&) {
            return false;
        }
        TryRemove(oldCopy);
        return true;
    }

  private:
    void TryRemove(const std::string& path) {
        try {
            fs_.Remove(path);
        } catch (const RuntimeError&) {
            // Not there (the step failed before creating it), or it stays: nothing else to do.
        }
    }

    FileSystem& fs_;
    std::string map_;
    std::string original_;
    std::vector<std::string> renamed_;
    std::vector<std::string> written_;
};

std::string MissingTemplate(const FileSystem& fs, const std::vector<std::string>& names) {
    for (const auto& name : names) {
        if (FirstFile(fs, name).empty()) {
            return name;
        }
    }
    return {};
}

}  // namespace

MapOutcome ConvertMap(FileSystem& fs, TemplateState& state, const ConversionSettings& settings,
                      const std::string& mapPath) {
    if (FirstFile(fs, mapPath).empty()) {
        return NotConverted("the map no longer exists");
    }
    std::string original;
    try {
        original = fs.ReadFile(mapPath);
    } catch (const RuntimeError& error) {
        return NotConverted(std::string("the map cannot be read: ") + error.what());
    }
    // The original bytes stay as they are for putting the map back.
    const CodePage& codePage = state.codePage;
    const LineList mapLines = SplitLines(codePage.Decode(original));
    if (mapLines.size() < 2) {
        return NotConverted("the map has no second line to read its format revision from");
    }
    const std::string revisionText = MapRevisionText(mapLines[1]);
    if (!(LeadingNumber(revisionText) < state.targetRevision)) {
        return {MapOutcome::Kind::Current, {}};
    }

    const bool fixPass = settings.editionLetter == "u";
    const std::string& letter = settings.editionLetter;
    std::vector<std::string> templates{OldStructureName(letter, revisionText),
                                       NewStructureName(letter, revisionText)};
    if (fixPass) {
        templates.push_back(OldFixName(letter, state.targetRevision));
        templates.push_back(NewFixName(letter, state.targetRevision));
    }
    if (const std::string missing = MissingTemplate(fs, templates); !missing.empty()) {
        return NotConverted("the template " + missing + " is missing");
    }
    const std::string oldCopy = OldCopyName(mapPath);
    const std::string fixCopy = FixCopyName(mapPath);
    if (!settings.diagnosticMode) {
        for (const auto& copy : fixPass ? std::vector{oldCopy, fixCopy} : std::vector{oldCopy}) {
            if (FolderExists(fs, copy)) {
                return NotConverted(copy + " exists already from an earlier run");
            }
        }
    }

    const std::string output = settings.diagnosticMode ? TestFileName(mapPath) : mapPath;
    Attempt attempt(fs, mapPath, original);
    try {
        if (!settings.diagnosticMode) {
            attempt.RenameMapTo(oldCopy);
        }
        loadold(state, fs, letter, revisionText);
        RequireRead(state.oldTemplate, state.oldTemplateName);
        loadnew(state, fs, letter, revisionText);
        RequireRead(state.newTemplate, state.newTemplateName);
        std::string structured;
        StructurePass(state, mapLines, structured);
        const std::string structuredBytes = codePage.Encode(structured);
        attempt.Write(output, structuredBytes);

        if (fixPass) {
            // The fix pass reads what the map holds now: the structure pass's bytes, or in
            // diagnostic mode the untouched map.
            const LineList current =
                settings.diagnosticMode ? mapLines : SplitLines(codePage.Decode(structuredBytes));
            if (!settings.diagnosticMode) {
                attempt.RenameMapTo(fixCopy);
            }
            loadoldfix(state, fs, letter, state.targetRevision);
            RequireRead(state.oldTemplate, state.oldTemplateName);
            loadnewfix(state, fs, letter, state.targetRevision);
            RequireRead(state.newTemplate, state.newTemplateName);
            std::string fixed;
            FixPass(state, current, fixed);
            attempt.Write(output, codePage.Encode(fixed));
        }
    } catch (const std::exception& error) {
        std::string reason = error.what();
        if (!attempt.Undo()) {
            reason += "; the original is kept in " + oldCopy;
        }
        return NotConverted(reason);
    }
    return {MapOutcome::Kind::Converted, {}};
}

}  // namespace galemend

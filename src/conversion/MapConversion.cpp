#include "conversion/MapConversion.h"

#include "conversion/MapPasses.h"
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
    Attempt(FileSystem& fs, const std::string& mapPath, std::string_view original)
        : fs_(fs), map_(mapPath), original_(original) {}

    void RenameMapTo(const std::string& copy) {
        fs_.Rename(map_, copy);
        renamed_.push_back(copy);
    }
    void Write(const std::string& path, std::string_view bytes) {
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
    const std::string& map_;
    std::string_view original_;
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
    MapBuffers buffers;
    return ConvertMap(fs, state, settings, mapPath, buffers);
}

MapOutcome ConvertMap(FileSystem& fs, TemplateState& state, const ConversionSettings& settings,
                      const std::string& mapPath, MapBuffers& buffers) {
    if (FirstFile(fs, mapPath).empty()) {
        return NotConverted("the map no longer exists");
    }
    const std::string& original = buffers.original;
    try {
        fs.ReadFileInto(mapPath, buffers.original);
    } catch (const RuntimeError& error) {
        return NotConverted(std::string("the map cannot be read: ") + error.what());
    }
    // The original bytes stay as they are for putting the map back.
    const CodePage& codePage = state.codePage;
    const std::string_view mapText = codePage.Decode(original, buffers.decoded);
    const std::optional<std::string_view> secondLine = SecondLine(mapText);
    if (!secondLine) {
        return NotConverted("the map has no second line to read its format revision from");
    }
    const std::string revisionText = MapRevisionText(*secondLine);
    if (!(LeadingNumber(revisionText) < state.targetRevision)) {
        return {MapOutcome::Kind::Current, "already format " + revisionText};
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
    MapPasses& passes = buffers.passes;
    passes.Start(codePage, mapText, settings.diagnosticMode);
    Attempt attempt(fs, mapPath, original);
    try {
        if (!settings.diagnosticMode) {
            attempt.RenameMapTo(oldCopy);
        }
        loadold(state, fs, letter, revisionText);
        RequireRead(state.oldTemplate->lines, state.oldTemplate->name);
        loadnew(state, fs, letter, revisionText);
        RequireRead(state.newTemplate->lines, state.newTemplate->name);
        attempt.Write(output, passes.Structured(state));

        if (fixPass) {
            if (!settings.diagnosticMode) {
                attempt.RenameMapTo(fixCopy);
            }
            loadoldfix(state, fs, letter, state.targetRevision);
            RequireRead(state.oldTemplate->lines, state.oldTemplate->name);
            loadnewfix(state, fs, letter, state.targetRevision);
            RequireRead(state.newTemplate->lines, state.newTemplate->name);
            attempt.Write(output, passes.Fixed(state));
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

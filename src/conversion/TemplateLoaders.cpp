#include "conversion/TemplateLoaders.h"

#include <string>

#include "conversion/ConversionError.h"
#include "conversion/LeadingNumber.h"
#include "conversion/LineFiles.h"
#include "conversion/TemplateNames.h"

namespace galemend {

namespace {

void LoadOld(TemplateState& state, const FileSystem& fs, const std::string& name) {
    AssignOldTemplate(state, name, ReadTextLines(fs, name));
}

void LoadNew(TemplateState& state, const FileSystem& fs, const std::string& name) {
    AssignNewTemplate(state, name, ReadTextLines(fs, name));
}

// The last two characters of a text, or the whole text when it is shorter.
std::string_view LastTwo(std::string_view text) {
    return text.size() <= 2 ? text : text.substr(text.size() - 2);
}

}  // namespace

void loadold(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
             std::string_view revisionText) {
    LoadOld(state, fs, OldStructureName(editionLetter, revisionText));
}

void loadnew(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
             std::string_view revisionText) {
    LoadNew(state, fs, NewStructureName(editionLetter, revisionText));
}

void loadoldfix(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
                double revision) {
    LoadOld(state, fs, OldFixName(editionLetter, revision));
}

void loadnewfix(TemplateState& state, const FileSystem& fs, std::string_view editionLetter,
                double revision) {
    LoadNew(state, fs, NewFixName(editionLetter, revision));
}

void initnew(TemplateState& state, const FileSystem& fs, std::string_view editionLetter) {
    const std::string name = NewStructureZeroName(editionLetter);
    AssignNewTemplate(state, {}, LineList{""});
    LineList lines = ReadTextLines(fs, name);
    if (lines.size() < 2) {
        throw ConversionError(name + " has no second line, so the target revision is unknown");
    }
    state.targetRevision = LeadingNumber(LastTwo(lines[1]));
    // Only the target revision is used; the sections list stays the single entry 0.
    state.newTemplate = std::move(lines);
    state.newTemplateName = name;
}

void loadoriginalmaps(TemplateState& state, const FileSystem& fs, bool& dataFileMissing) {
    const std::string name(kOriginalMapsName);
    // A found name is at least as long as this one; anything shorter means nothing was found.
    if (FirstFile(fs, name).size() < 10) {
        dataFileMissing = true;
    }
    state.originalMaps = dataFileMissing ? LineList{""} : ReadTextLines(fs, name);
}

}  // namespace galemend

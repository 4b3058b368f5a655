#include "conversion/Templates.h"

#include <algorithm>
#include <string>

#include "platform/FileSystem.h"
#include "text/Numbers.h"

namespace galemend {

namespace {
constexpr uint32_t kNone = 0;  // the root is never anyone's child
}

TemplateIndex::TemplateIndex() : nodes_(1) {}

TemplateIndex::TemplateIndex(const LineList& lines) : nodes_(1) {
    for (size_t i = 0; i < lines.size(); ++i) {
        uint32_t node = 0;
        for (const char raw : lines[i]) {
            const auto c = static_cast<unsigned char>(raw);
            uint32_t next = Child(node, c);
            if (next == kNone) {
                next = static_cast<uint32_t>(nodes_.size());
                nodes_.emplace_back();
                nodes_[node].children.emplace_back(c, next);
            }
            node = next;
        }
        // Lines are added in increasing order, so the latest one ending here is the highest.
        nodes_[node].lastLine = static_cast<int64_t>(i);
    }
}

uint32_t TemplateIndex::Child(uint32_t node, unsigned char c) const {
    const auto& children = nodes_[node].children;
    for (const auto& [letter, child] : children) {
        if (letter == c) {
            return child;
        }
    }
    return kNone;
}

size_t TemplateIndex::LastPrefixLine(std::string_view text) const {
    int64_t best = nodes_[0].lastLine;
    uint32_t node = 0;
    for (const char raw : text) {
        node = Child(node, static_cast<unsigned char>(raw));
        if (node == kNone) {
            break;
        }
        best = std::max(best, nodes_[node].lastLine);
    }
    return best > 0 ? static_cast<size_t>(best) : 0;
}

std::vector<size_t> SectionHeads(const LineList& lines) {
    std::vector<size_t> heads;
    for (size_t i = 0; i < lines.size(); ++i) {
        const size_t dollar = lines[i].find('$');
        if (dollar != std::string::npos && dollar >= 1) {
            heads.push_back(i);
        }
    }
    if (heads.empty()) {
        heads.push_back(0);
    }
    return heads;
}

double HeadCount(std::string_view head) {
    const size_t dollar = head.find('$');
    return LeadingNumber(dollar == std::string_view::npos ? head : head.substr(dollar + 1));
}

void AssignOldTemplate(TemplateState& state, std::string name, LineList lines) {
    state.oldSections = SectionHeads(lines);
    state.oldIndex = TemplateIndex(lines);
    state.oldTemplate = std::move(lines);
    state.oldTemplateName = std::move(name);
}

void AssignNewTemplate(TemplateState& state, std::string name, LineList lines) {
    state.newSections = SectionHeads(lines);
    state.newTemplate = std::move(lines);
    state.newTemplateName = std::move(name);
}

namespace {
std::string Name(std::string_view letter, std::string_view kind, std::string_view revision) {
    std::string name(letter);
    name.append(kind).append(revision).append(".txt");
    return name;
}
}  // namespace

std::string OldStructureName(std::string_view editionLetter, std::string_view revisionText) {
    return Name(editionLetter, "oldstruct", revisionText);
}

std::string NewStructureName(std::string_view editionLetter, std::string_view revisionText) {
    return Name(editionLetter, "newstruct", revisionText);
}

std::string OldFixName(std::string_view editionLetter, double targetRevision) {
    return Name(editionLetter, "oldstructfix", PlainNumberText(targetRevision));
}

std::string NewFixName(std::string_view editionLetter, double targetRevision) {
    return Name(editionLetter, "newstructfix", PlainNumberText(targetRevision));
}

std::string NewStructureZeroName(std::string_view editionLetter) {
    return Name(editionLetter, "newstruct", "0");
}

namespace {

void LoadOld(TemplateState& state, const FileSystem& fs, const std::string& name) {
    AssignOldTemplate(state, name, ReadTextLines(fs, name, state.codePage));
}

void LoadNew(TemplateState& state, const FileSystem& fs, const std::string& name) {
    AssignNewTemplate(state, name, ReadTextLines(fs, name, state.codePage));
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
    LineList lines = ReadTextLines(fs, name, state.codePage);
    if (lines.size() < 2) {
        throw ConversionError(name + " has no second line, so the target revision is unknown");
    }
    state.targetRevision = LeadingNumber(LastCharacters(lines[1], 2));
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
    state.originalMaps = dataFileMissing ? LineList{""} : ReadTextLines(fs, name, state.codePage);
}

size_t FindTemplateLine(const TemplateState& state, std::string_view text) {
    return state.oldIndex.LastPrefixLine(text);
}

size_t FindSection(const TemplateState& state, size_t t) {
    // Heads are in increasing order: count those strictly before t.
    const auto& heads = state.oldSections;
    const auto before = std::lower_bound(heads.begin(), heads.end(), t) - heads.begin();
    return before > 0 ? static_cast<size_t>(before - 1) : 0;
}

}  // namespace galemend

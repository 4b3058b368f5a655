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

namespace {

std::vector<double> Counts(const std::vector<size_t>& sections, const LineList& lines) {
    std::vector<double> counts;
    for (const size_t head : sections) {
        counts.push_back(head < lines.size() ? HeadCount(lines[head]) : 0);
    }
    return counts;
}

std::shared_ptr<const ParsedTemplate> Parsed(std::string name, LineList lines, bool indexed) {
    auto parsed = std::make_shared<ParsedTemplate>();
    parsed->name = std::move(name);
    parsed->sections = SectionHeads(lines);
    parsed->counts = Counts(parsed->sections, lines);
    if (indexed) {
        parsed->index = TemplateIndex(lines);
    }
    parsed->lines = std::move(lines);
    return parsed;
}

}  // namespace

void AssignOldTemplate(TemplateState& state, std::string name, LineList lines) {
    state.oldTemplate = Parsed(std::move(name), std::move(lines), true);
}

void AssignNewTemplate(TemplateState& state, std::string name, LineList lines) {
    state.newTemplate = Parsed(std::move(name), std::move(lines), false);
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

// Reads the template and parses it, unless the same file in the same role gave the same
// bytes last time.
std::shared_ptr<const ParsedTemplate> Load(
    TemplateState& state, std::map<std::string, TemplateState::Cached, std::less<>>& cache,
    const FileSystem& fs, const std::string& name, bool indexed) {
    auto found = cache.find(name);
    if (found == cache.end()) {
        found = cache.emplace(name, TemplateState::Cached{}).first;
    }
    TemplateState::Cached& entry = found->second;
    if (auto unread = ReadTextBytes(fs, name, state.readBuffer)) {
        entry.bytes.reset();
        entry.parsed = Parsed(name, std::move(*unread), indexed);
        return entry.parsed;
    }
    const unsigned page = state.codePage.Number();
    if (entry.parsed && entry.bytes && entry.codePage == page && *entry.bytes == state.readBuffer) {
        return entry.parsed;
    }
    std::string decoded;
    entry.parsed =
        Parsed(name, SplitLines(state.codePage.Decode(state.readBuffer, decoded)), indexed);
    entry.codePage = page;
    if (!entry.bytes) {
        entry.bytes.emplace();
    }
    entry.bytes->swap(state.readBuffer);
    return entry.parsed;
}

void LoadOld(TemplateState& state, const FileSystem& fs, const std::string& name) {
    state.oldTemplate = Load(state, state.oldCache, fs, name, true);
}

void LoadNew(TemplateState& state, const FileSystem& fs, const std::string& name) {
    state.newTemplate = Load(state, state.newCache, fs, name, false);
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
    state.newTemplate = std::make_shared<ParsedTemplate>();
    LineList lines = ReadTextLines(fs, name, state.codePage);
    if (lines.size() < 2) {
        throw ConversionError(name + " has no second line, so the target revision is unknown");
    }
    state.targetRevision = LeadingNumber(LastCharacters(lines[1], 2));
    // Only the target revision is used; the sections list stays the single entry 0.
    auto loaded = std::make_shared<ParsedTemplate>();
    loaded->name = name;
    loaded->lines = std::move(lines);
    loaded->counts = Counts(loaded->sections, loaded->lines);
    state.newTemplate = std::move(loaded);
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
    return state.oldTemplate->index.LastPrefixLine(text);
}

size_t FindSection(const TemplateState& state, size_t t) {
    // Heads are in increasing order: count those strictly before t.
    const auto& heads = state.oldTemplate->sections;
    const auto before = std::lower_bound(heads.begin(), heads.end(), t) - heads.begin();
    return before > 0 ? static_cast<size_t>(before - 1) : 0;
}

}  // namespace galemend

#include "conversion/Templates.h"

#include <algorithm>
#include <cstdint>
#include <string>

#include "platform/FileSystem.h"
#include "text/Numbers.h"

namespace galemend {

TemplateIndex::TemplateIndex() : table_(kHeader + 1, 0) {}

TemplateIndex::TemplateIndex(const LineList& lines) {
    // First a plain trie, one node per letter.
    struct Letter {
        int64_t lastLine = -1;
        std::vector<std::pair<unsigned char, uint32_t>> children;
    };
    std::vector<Letter> trie(1);
    for (size_t i = 0; i < lines.size(); ++i) {
        uint32_t node = 0;
        for (const char raw : lines[i]) {
            const auto c = static_cast<unsigned char>(raw);
            const auto& children = trie[node].children;
            const auto found = std::find_if(children.begin(), children.end(),
                                            [c](const auto& edge) { return edge.first == c; });
            if (found != children.end()) {
                node = found->second;
            } else {
                const auto next = static_cast<uint32_t>(trie.size());
                trie[node].children.emplace_back(c, next);
                trie.emplace_back();
                node = next;
            }
        }
        // Lines are added in increasing order, so the latest one ending here is the highest.
        trie[node].lastLine = static_cast<int64_t>(i);
    }
    size_t classes = 1;
    for (const auto& letter : trie) {
        for (const auto& [c, child] : letter.children) {
            if (classOf_[c] == 0) {
                classOf_[c] = static_cast<uint8_t>(classes++);
            }
        }
    }
    rowSize_ = kHeader + classes;

    // Then the merged trie: a row wherever the plain one branches or a line ends, or a run of
    // merged letters reaches the longest an edge holds.
    table_.assign(rowSize_, 0);
    table_[kBest] = static_cast<uint64_t>(std::max<int64_t>(trie[0].lastLine, 0));
    std::vector<std::pair<uint32_t, size_t>> pending{{0, 0}};  // (plain node, row)
    while (!pending.empty()) {
        const auto [plain, row] = pending.back();
        pending.pop_back();
        for (const auto& [c, first] : trie[plain].children) {
            const size_t restOffset = rests_.size();
            uint32_t end = first;
            while (trie[end].children.size() == 1 && trie[end].lastLine < 0 &&
                   rests_.size() - restOffset < kLongestRest) {
                rests_ += static_cast<char>(trie[end].children[0].first);
                end = trie[end].children[0].second;
            }
            const auto best = static_cast<uint64_t>(
                std::max(static_cast<int64_t>(table_[row + kBest]), trie[end].lastLine));
            const uint64_t restLength = rests_.size() - restOffset;
            const uint64_t place = uint64_t{restOffset} << 32 | restLength << 56;
            if (restOffset >= (size_t{1} << 24) || table_.size() + rowSize_ >= kLeaf ||
                lines.size() >= kLeaf) {
                throw ConversionError("the template is too large to index");
            }
            if (trie[end].children.empty()) {
                table_[row + kHeader + classOf_[c]] = (best | kLeaf) | place;
                continue;
            }
            const size_t child = table_.size();
            table_.resize(child + rowSize_, 0);
            table_[child + kBest] = best;
            table_[row + kHeader + classOf_[c]] = child | place;
            pending.emplace_back(end, child);
        }
    }
}

size_t TemplateIndex::Walk(std::string_view text) const {
    const uint64_t* const table = table_.data();
    size_t row = 0;
    size_t at = 0;
    while (at < text.size()) {
        const uint64_t edge = table[row + kHeader + classOf_[static_cast<unsigned char>(text[at])]];
        if (edge == 0) {
            break;
        }
        // No line ends inside a merged edge, so a text that leaves it keeps the row's best.
        // The letters are few: a plain loop beats a library comparison.
        const auto restLength = static_cast<size_t>(edge >> 56);
        if (text.size() - at - 1 < restLength) {
            break;
        }
        const char* const rest = rests_.data() + ((edge >> 32) & 0xFFFFFF);
        size_t same = 0;
        while (same < restLength && text[at + 1 + same] == rest[same]) {
            ++same;
        }
        if (same < restLength) {
            break;
        }
        const auto target = static_cast<uint32_t>(edge);
        if ((target & kLeaf) != 0) {
            return target & ~kLeaf;  // nothing can follow: its best is the answer
        }
        row = target;
        at += 1 + restLength;
    }
    return static_cast<size_t>(table[row + kBest]);
}

Marker MarkerOf(std::string_view line) {
    const auto keep = [&](size_t marker) { return static_cast<uint32_t>(line.size() - marker); };
    if (EndsWith(line, " #")) {
        return {Marker::Kind::LastCharacter, keep(1)};
    }
    if (EndsWith(line, "##")) {
        return {Marker::Kind::LastTwoCharacters, keep(2)};
    }
    if (EndsWith(line, " &")) {
        return {Marker::Kind::FromCharacter, keep(1), CharacterCount(line) - 2};
    }
    if (EndsWith(line, "&") || EndsWith(line, "#")) {
        return {Marker::Kind::Nothing};
    }
    return {Marker::Kind::Copy, static_cast<uint32_t>(line.size())};
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

// The number of lines a count stands for: a whole number of at least 1, or 0 when it is not
// one. Counts beyond any list's size behave alike, so they are kept in range for arithmetic.
size_t BlockLength(double count) {
    constexpr auto kLargest =
        static_cast<size_t>(std::min<uint64_t>(1'000'000'000'000'000, SIZE_MAX / 4));
    if (count >= 0x1p63) {
        return kLargest;  // every double this large is whole
    }
    if (count >= 1 && static_cast<double>(static_cast<uint64_t>(count)) == count) {
        return static_cast<size_t>(std::min<uint64_t>(static_cast<uint64_t>(count), kLargest));
    }
    return 0;
}

void SetCounts(ParsedTemplate& parsed) {
    parsed.counts.clear();
    parsed.blockLengths.clear();
    for (const size_t head : parsed.sections) {
        const double count = head < parsed.lines.size() ? HeadCount(parsed.lines[head]) : 0;
        parsed.counts.push_back(count);
        parsed.blockLengths.push_back(BlockLength(count));
    }
}

void SetMarkers(ParsedTemplate& parsed) {
    parsed.markers.clear();
    parsed.kept.clear();
    for (const auto& line : parsed.lines) {
        Marker marker = MarkerOf(line);
        marker.keptAt = parsed.kept.size();
        parsed.kept.append(line, 0, marker.keep);
        parsed.markers.push_back(marker);
    }
}

// The section each line lies in: the last head strictly before it, or section 0.
std::vector<uint32_t> SectionOfEachLine(const std::vector<size_t>& heads, size_t lines) {
    std::vector<uint32_t> sectionOf(lines, 0);
    size_t section = 0;
    for (size_t t = 0; t < lines; ++t) {
        while (section + 1 < heads.size() && heads[section + 1] < t) {
            ++section;
        }
        sectionOf[t] = static_cast<uint32_t>(section);
    }
    return sectionOf;
}

// An old template is indexed for lookups; a new one gets the markers of its lines.
std::shared_ptr<const ParsedTemplate> Parsed(std::string name, LineList lines, bool old) {
    auto parsed = std::make_shared<ParsedTemplate>();
    parsed->name = std::move(name);
    parsed->sections = SectionHeads(lines);
    if (old) {
        parsed->index = TemplateIndex(lines);
        parsed->sectionOf = SectionOfEachLine(parsed->sections, lines.size());
    }
    parsed->lines = std::move(lines);
    if (!old) {
        SetMarkers(*parsed);
    }
    SetCounts(*parsed);
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
    const FileSystem& fs, const std::string& name, bool old) {
    auto found = cache.find(name);
    if (found == cache.end()) {
        found = cache.emplace(name, TemplateState::Cached{}).first;
    }
    TemplateState::Cached& entry = found->second;
    if (auto unread = ReadTextBytes(fs, name, state.readBuffer)) {
        entry.bytes.reset();
        entry.parsed = Parsed(name, std::move(*unread), old);
        return entry.parsed;
    }
    const unsigned page = state.codePage.Number();
    if (entry.parsed && entry.bytes && entry.codePage == page && *entry.bytes == state.readBuffer) {
        return entry.parsed;
    }
    std::string decoded;
    entry.parsed = Parsed(name, SplitLines(state.codePage.Decode(state.readBuffer, decoded)), old);
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
    SetCounts(*loaded);
    SetMarkers(*loaded);
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

size_t FindSection(const PassTemplates& templates, size_t t) {
    const ParsedTemplate& old = *templates.old;
    if (t < old.sectionOf.size()) {
        return old.sectionOf[t];
    }
    // Heads are in increasing order: count those strictly before t.
    const auto before =
        std::lower_bound(old.sections.begin(), old.sections.end(), t) - old.sections.begin();
    return before > 0 ? static_cast<size_t>(before - 1) : 0;
}

}  // namespace galemend

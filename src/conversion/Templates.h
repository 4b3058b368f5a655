#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"
#include "text/CodePage.h"
#include "text/Text.h"

namespace galemend {

// A map that cannot be converted with the templates at hand. The message names the file
// and, where it applies, the template line and the map line (both counted from 1).
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// A trie over the lines of an old template. Each node keeps the highest line index that ends
// on the path to it, so the last template line that is a prefix of a text is found in one
// walk along the text instead of a comparison with every template line.
//
// Runs of letters without a branch or a line end are merged into one edge, so nodes are few
// (about two per line), and each node with children has a row of edges indexed by letter
// class. An edge holds its child and the merged letters' place, so a step reads one row, the
// part a large template is least likely to have in cache, and compares the letters.
class TemplateIndex {
  public:
    TemplateIndex();
    explicit TemplateIndex(const LineList& lines);

    // The highest index of a line that is a prefix of the text, or 0 when none is.
    size_t LastPrefixLine(std::string_view text) const {
        // Most texts that match nothing differ at their first letter: no walk for those.
        if (text.empty() || table_[kHeader + classOf_[static_cast<unsigned char>(text[0])]] == 0) {
            return static_cast<size_t>(table_[kBest]);
        }
        return Walk(text);
    }

  private:
    size_t Walk(std::string_view text) const;

    // A row of table_ is its best line (the highest line ending at the node or before it on
    // its path), then one edge per letter class: 0 for none, else the child's row (bits 0-31),
    // where the letters after the first lie in rests_ (bits 32-55) and how many (56-63). A
    // child without children has no row: the edge holds its best line, marked kLeaf.
    static constexpr size_t kBest = 0;
    static constexpr size_t kHeader = 1;
    static constexpr size_t kLongestRest = 255;
    static constexpr uint32_t kLeaf = 0x80000000;

    std::array<uint8_t, 256> classOf_{};  // 0: no edge starts with the letter
    size_t rowSize_ = kHeader + 1;
    std::vector<uint64_t> table_;
    std::string rests_;
};

// What a line of a new template writes: its text up to the marker, then the value the marker
// takes from the map; or the whole line; or nothing.
struct Marker {
    enum class Kind : uint8_t {
        Copy,               // no marker: the line as it stands
        LastCharacter,      // " #": the last character of the matching map line
        LastTwoCharacters,  // "##": its last two characters
        FromCharacter,      // " &": the block's first line from the marker's position on
        Nothing,            // any other line ending in "#" or "&"
    };
    Kind kind = Kind::Copy;
    uint32_t keep = 0;  // bytes of the template line written before the value
    size_t from = 0;    // for " &": the character the value starts at, counted from 0
    size_t keptAt = 0;  // where those bytes lie in ParsedTemplate::kept
};

// The marker of a new-template line.
Marker MarkerOf(std::string_view line);

// One template as parsed from its file: its lines, the line indexes of its section heads
// with their counts, and, for an old template, the index over its lines.
struct ParsedTemplate {
    std::string name;
    LineList lines{""};
    std::vector<size_t> sections{0};
    std::vector<double> counts{0};        // HeadCount of each section's head line
    std::vector<size_t> blockLengths{0};  // each count as a number of lines; 0: not usable
    // For a new template: MarkerOf each line, and the bytes each writes before its marker's
    // value, side by side, so that writing a section reads one small stretch of memory.
    std::vector<Marker> markers{Marker{}};
    std::string kept;
    std::vector<uint32_t> sectionOf{0};  // for an old template: FindSection of each line
    TemplateIndex index;
};

// The loaded structure templates and the list of the game's own maps. Every load replaces
// a whole pair; nothing is merged. The code page is the one every file of the conversion is
// read and written in: the templates, the list, and the maps.
//
// Templates are read from disk at every load, but parsed only when their bytes differ from
// those of the last read of the same file in the same role.
struct TemplateState {
    explicit TemplateState(CodePage page) : codePage(std::move(page)) {}

    CodePage codePage;

    std::shared_ptr<const ParsedTemplate> oldTemplate = std::make_shared<ParsedTemplate>();
    std::shared_ptr<const ParsedTemplate> newTemplate = std::make_shared<ParsedTemplate>();

    double targetRevision = 0;
    LineList originalMaps;

    // The bytes a parse came from, by file name; unset for a file that could not be read.
    struct Cached {
        std::optional<std::string> bytes;
        unsigned codePage = 0;
        std::shared_ptr<const ParsedTemplate> parsed;
    };
    std::map<std::string, Cached, std::less<>> oldCache, newCache;
    std::string readBuffer;  // reused by every template read
};

// Line indexes of the section heads: lines whose first "$" is their second character or
// later. A template without heads gives the single entry 0.
std::vector<size_t> SectionHeads(const LineList& lines);

// The count of a head: the leading number of the text after its first "$", or of the whole
// line when it has none.
double HeadCount(std::string_view head);

// Replace a template pair by these lines, as loaded from the named file.
void AssignOldTemplate(TemplateState& state, std::string name, LineList lines);
void AssignNewTemplate(TemplateState& state, std::string name, LineList lines);

// File names of the structure templates, opened by bare name from the current folder.
// The revision text of a map goes into the name unchanged ("04" stays "04"); a target
// revision is written in its shortest decimal form.
std::string OldStructureName(std::string_view editionLetter, std::string_view revisionText);
std::string NewStructureName(std::string_view editionLetter, std::string_view revisionText);
std::string OldFixName(std::string_view editionLetter, double targetRevision);
std::string NewFixName(std::string_view editionLetter, double targetRevision);
std::string NewStructureZeroName(std::string_view editionLetter);

inline constexpr std::string_view kOriginalMapsName = "original corv galaxies.txt";

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

// The two templates a pass rewrites a map with: the old one finds the blocks, the new one
// writes them. Held by sharing, as the state's cache holds them too.
struct PassTemplates {
    // The pair the state loaded last; implicit, as a state stands for it in a pass.
    PassTemplates(const TemplateState& state) : old(state.oldTemplate), fresh(state.newTemplate) {}
    PassTemplates(std::shared_ptr<const ParsedTemplate> oldTemplate,
                  std::shared_ptr<const ParsedTemplate> newTemplate)
        : old(std::move(oldTemplate)), fresh(std::move(newTemplate)) {}

    bool operator==(const PassTemplates&) const = default;

    std::shared_ptr<const ParsedTemplate> old;
    std::shared_ptr<const ParsedTemplate> fresh;
};

// The index of the last old-template line that is a prefix of the text, or 0. A match with
// line 0 cannot be told from no match; an empty template line matches every text.
inline size_t FindTemplateLine(const PassTemplates& templates, std::string_view text) {
    return templates.old->index.LastPrefixLine(text);
}

// The section of the old template that template line t lies in: the last head strictly
// before t, or section 0.
size_t FindSection(const PassTemplates& templates, size_t t);

}  // namespace galemend

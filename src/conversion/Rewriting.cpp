#include "conversion/Rewriting.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string_view>

#include "conversion/Templates.h"
#include "text/CodePage.h"
#include "text/Numbers.h"
#include "text/Text.h"

namespace galemend {

namespace {

[[noreturn]] void Fail(const std::string& file, size_t templateLine, size_t mapLine,
                       const std::string& what) {
    throw ConversionError(file + " line " + std::to_string(templateLine + 1) + ": " + what +
                          " (map line " + std::to_string(mapLine + 1) + ")");
}

// Building a message is kept out of the way of the checks that pass.
[[noreturn, gnu::cold, gnu::noinline]] void FailCount(const ParsedTemplate& parsed, size_t s,
                                                      size_t mapLine) {
    const size_t headLine = parsed.sections[s];
    Fail(parsed.name, headLine, mapLine,
         "section head \"" + parsed.lines.at(headLine) + "\" has count" +
             SignedNumberText(parsed.counts[s]) + ", not a whole number of at least 1");
}

[[noreturn, gnu::cold, gnu::noinline]] void FailMapLine(const PassTemplates& templates,
                                                        MapLines mapLines, size_t index,
                                                        size_t templateLine, size_t j) {
    Fail(templates.fresh->name, templateLine, j,
         "the marker needs map line " + std::to_string(index + 1) + ", but the map has " +
             std::to_string(mapLines.size()) + " lines");
}

// The lines a section's head count stands for, which must be a whole number of at least 1.
size_t CheckedCount(const ParsedTemplate& parsed, size_t s, size_t mapLine) {
    const size_t length = parsed.blockLengths.at(s);
    if (length == 0) {
        FailCount(parsed, s, mapLine);
    }
    return length;
}

std::string_view MapLine(const PassTemplates& templates, MapLines mapLines, size_t index,
                         size_t templateLine, size_t j) {
    if (index >= mapLines.size()) {
        FailMapLine(templates, mapLines, index, templateLine, j);
    }
    return mapLines[index];
}

}  // namespace

void LineWriter::Grow(size_t length) {
    // Half as much again as written so far: resizing fills the new room, so it must be rare.
    out_.resize(end_ + length + end_ / 2 + 256);
}

size_t ApplyStructure(const PassTemplates& templates, size_t s, size_t j, MapLines mapLines,
                      LineWriter& out) {
    const ParsedTemplate& old = *templates.old;
    const ParsedTemplate& fresh = *templates.fresh;
    const size_t nOld = CheckedCount(old, s, j);

    if (s >= fresh.sections.size() || fresh.sections[s] >= fresh.lines.size()) {
        throw ConversionError(fresh.name + ": no section head for section " + std::to_string(s) +
                              " of " + old.name + " (map line " + std::to_string(j + 1) + ")");
    }
    const size_t h = fresh.sections[s];
    const size_t nNew = CheckedCount(fresh, s, j);
    if (nNew > fresh.lines.size() - 1 - h) {
        Fail(fresh.name, h, j,
             "the section needs " + std::to_string(nNew) +
                 " lines after its head, but the file ends first");
    }

    for (size_t k = h + 1; k <= h + nNew; ++k) {
        const Marker& marker = fresh.markers[k];
        const std::string_view kept(fresh.kept.data() + marker.keptAt, marker.keep);
        const size_t m = k - h - 1;
        switch (marker.kind) {
            case Marker::Kind::Copy:
                out.Line(kept);
                break;
            case Marker::Kind::LastCharacter:
            case Marker::Kind::LastTwoCharacters:
                out.Line(kept, LastCharacters(MapLine(templates, mapLines, j + m, k, j),
                                              marker.kind == Marker::Kind::LastCharacter ? 1 : 2));
                break;
            case Marker::Kind::FromCharacter:
                // The value comes from the first line of the block, from the marker's position
                // on, counted in characters.
                out.Line(kept, FromCharacter(mapLines[j], marker.from));
                break;
            case Marker::Kind::Nothing:
                break;
        }
    }
    return nOld;
}

void StructurePass(const PassTemplates& templates, MapLines mapLines, std::string& text,
                   LineEnds* ends) {
    LineWriter out(text, ends);
    size_t j = 0;
    while (j < mapLines.size()) {
        const size_t t = FindTemplateLine(templates, mapLines[j]);
        if (t == 0) {
            out.Line(mapLines[j]);
            ++j;
        } else {
            // A block may run past the end of the map; the scan then simply ends.
            j += ApplyStructure(templates, FindSection(templates, t), j, mapLines, out);
        }
    }
}

void FixPass(const PassTemplates& templates, MapLines mapLines, std::string& text) {
    LineWriter out(text);
    // The window moves one line at a time over unmatched lines, so each line's lookup is kept
    // for the three windows it belongs to.
    struct Lookup {
        size_t line = SIZE_MAX;
        size_t templateLine = 0;
    };
    std::array<Lookup, 4> recent{};  // four, so that a line's slot is its two low bits
    const auto find = [&](size_t i) {
        Lookup& slot = recent[i & 3];
        if (slot.line != i) {
            slot = {i, FindTemplateLine(templates, mapLines[i])};
        }
        return slot.templateLine;
    };
    size_t j = 0;
    while (j + 2 < mapLines.size()) {
        const size_t t0 = find(j);
        if (t0 == 0 || find(j + 1) == 0 || find(j + 2) == 0) {
            out.Line(mapLines[j]);
            ++j;
        } else {
            j += ApplyStructure(templates, FindSection(templates, t0), j, mapLines, out);
        }
    }
    for (size_t tail = j; tail < j + 2 && tail < mapLines.size(); ++tail) {
        out.Line(mapLines[tail]);
    }
}

}  // namespace galemend

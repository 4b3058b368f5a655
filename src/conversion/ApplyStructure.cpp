#include "conversion/ApplyStructure.h"

#include <cmath>
#include <string_view>

#include "conversion/ConversionError.h"
#include "conversion/LineFiles.h"
#include "conversion/NumberText.h"

namespace galemend {

namespace {

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

// The last n characters of a text, or the whole text when it is shorter.
std::string_view Last(std::string_view text, size_t n) {
    return text.size() <= n ? text : text.substr(text.size() - n);
}

[[noreturn]] void Fail(const std::string& file, size_t templateLine, size_t mapLine,
                       const std::string& what) {
    throw ConversionError(file + " line " + std::to_string(templateLine + 1) + ": " + what +
                          " (map line " + std::to_string(mapLine + 1) + ")");
}

// A head count that can drive a section: a whole number of at least 1.
size_t CheckedCount(const std::string& file, size_t headLine, size_t mapLine,
                    const std::string& head) {
    const double count = HeadCount(head);
    if (!(count >= 1) || count != std::floor(count)) {
        Fail(file, headLine, mapLine,
             "section head \"" + head + "\" has count" + SignedNumberText(count) +
                 ", not a whole number of at least 1");
    }
    // Counts beyond any list's size behave alike; keep them in range for the arithmetic.
    return count > 1e15 ? static_cast<size_t>(1e15) : static_cast<size_t>(count);
}

const std::string& MapLine(const TemplateState& state, const LineList& mapLines, size_t index,
                           size_t templateLine, size_t j) {
    if (index >= mapLines.size()) {
        Fail(state.newTemplateName, templateLine, j,
             "the marker needs map line " + std::to_string(index + 1) + ", but the map has " +
                 std::to_string(mapLines.size()) + " lines");
    }
    return mapLines[index];
}

}  // namespace

size_t ApplyStructure(const TemplateState& state, size_t s, size_t j, const LineList& mapLines,
                      std::string& out) {
    const size_t oldHead = state.oldSections.at(s);
    const size_t nOld =
        CheckedCount(state.oldTemplateName, oldHead, j, state.oldTemplate.at(oldHead));

    if (s >= state.newSections.size() || state.newSections[s] >= state.newTemplate.size()) {
        throw ConversionError(state.newTemplateName + ": no section head for section " +
                              std::to_string(s) + " of " + state.oldTemplateName + " (map line " +
                              std::to_string(j + 1) + ")");
    }
    const size_t h = state.newSections[s];
    const size_t nNew = CheckedCount(state.newTemplateName, h, j, state.newTemplate[h]);
    if (nNew > state.newTemplate.size() - 1 - h) {
        Fail(state.newTemplateName, h, j,
             "the section needs " + std::to_string(nNew) +
                 " lines after its head, but the file ends first");
    }

    for (size_t k = h + 1; k <= h + nNew; ++k) {
        const std::string_view line = state.newTemplate[k];
        const size_t m = k - h - 1;
        if (EndsWith(line, " #")) {
            out.append(line.substr(0, line.size() - 1));
            AppendLine(out, Last(MapLine(state, mapLines, j + m, k, j), 1));
        } else if (EndsWith(line, "##")) {
            out.append(line.substr(0, line.size() - 2));
            AppendLine(out, Last(MapLine(state, mapLines, j + m, k, j), 2));
        } else if (EndsWith(line, " &")) {
            // The value comes from the first line of the block, from the marker's position on.
            const std::string_view first = mapLines[j];
            const size_t from = line.size() - 2;
            out.append(line.substr(0, line.size() - 1));
            AppendLine(out, from < first.size() ? first.substr(from) : std::string_view());
        } else if (!EndsWith(line, "&") && !EndsWith(line, "#")) {
            AppendLine(out, line);
        }
        // Any other line ending in "#" or "&" writes nothing.
    }
    return nOld;
}

}  // namespace galemend

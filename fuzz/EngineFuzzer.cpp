// A template pair and a map in, in a Western and a Japanese code page, both passes run as a
// conversion runs them. Every input must end without a crash, a hang or unbounded memory,
// and:
// - the conversion's passes give the bytes of the plain passes (the structure pass's text
//   encoded, decoded and split again for the fix pass), or fail as they do;
// - when no old-template line is a prefix of any map line, both passes write the map's lines
//   as they were, each ended by CR LF, down to the bytes no rule rewrites.
// Bad templates end in a ConversionError, which is fine.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "conversion/MapPasses.h"
#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"

namespace {

using namespace galemend;

// Splits the input into old template, new template and map at the first two NUL bytes.
std::string_view Part(std::string_view& rest) {
    const size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

using Bytes = std::optional<std::pair<std::string, std::string>>;  // nothing: a pass failed

Bytes PlainPasses(const CodePage& page, std::string_view mapText, const PassTemplates& templates) {
    try {
        LineViews lines;
        SplitLines(mapText, lines);
        std::string text, fixed;
        StructurePass(templates, lines, text);
        const std::string structured = page.Encode(text);
        const std::string current = page.Decode(structured);
        SplitLines(current, lines);
        FixPass(templates, lines, fixed);
        return std::pair{structured, page.Encode(fixed)};
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

Bytes ConversionPasses(MapPasses& passes, const CodePage& page, std::string_view mapText,
                       const PassTemplates& templates) {
    try {
        passes.Start(page, mapText, false);
        std::string structured(passes.Structured(templates));
        return std::pair{std::move(structured), std::string(passes.Fixed(templates))};
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

bool NoTemplateLineMatches(const LineList& oldLines, const LineViews& map) {
    for (const std::string_view line : map) {
        for (size_t t = 1; t < oldLines.size(); ++t) {
            if (line.starts_with(oldLines[t])) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view oldBytes = Part(rest);
    const std::string_view newBytes = Part(rest);
    const std::string_view mapBytes = rest;

    static MapPasses passes;  // reused from input to input, as from map to map
    for (const unsigned number : {kWesternCodePage, 932u}) {
        const CodePage page = SystemCodePage(number);
        TemplateState state{page};
        const LineList oldLines = SplitLines(page.Decode(oldBytes));
        AssignOldTemplate(state, "old", oldLines);
        AssignNewTemplate(state, "new", SplitLines(page.Decode(newBytes)));
        const std::string mapText = page.Decode(mapBytes);

        const Bytes plain = PlainPasses(page, mapText, state);
        Check(ConversionPasses(passes, page, mapText, state) == plain);

        LineViews map;
        SplitLines(mapText, map);
        if (NoTemplateLineMatches(oldLines, map)) {
            LineViews mapLines;
            SplitLines(mapBytes, mapLines);
            std::string unchanged;
            for (const std::string_view line : mapLines) {
                AppendLine(unchanged, line);
            }
            Check(plain && plain->first == unchanged && plain->second == unchanged);
        }
    }
    return 0;
}

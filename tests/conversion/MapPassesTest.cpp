#include "conversion/MapPasses.h"

#include <gtest/gtest.h>

#include <random>

#include "platform/CodePages.h"

namespace galemend {
namespace {

// The passes as a conversion runs them on their own: the structure pass on the map's lines,
// its bytes decoded and split again for the fix pass, the fix pass's bytes.
std::pair<std::string, std::string> PlainPasses(const CodePage& page, std::string_view mapText,
                                                const PassTemplates& structure,
                                                const PassTemplates& fix) {
    LineViews lines;
    SplitLines(mapText, lines);
    std::string text, fixed;
    StructurePass(structure, lines, text);
    const std::string bytes = page.Encode(text);
    const std::string current = page.Decode(bytes);
    SplitLines(current, lines);
    FixPass(fix, lines, fixed);
    return {bytes, page.Encode(fixed)};
}

PassTemplates Pair(TemplateState& state, LineList oldLines, LineList newLines) {
    AssignOldTemplate(state, "old", std::move(oldLines));
    AssignNewTemplate(state, "new", std::move(newLines));
    return state;
}

// The fix pass reads the structure pass's lines where they were written, not split again:
// the same lines, also where a written line holds a CR LF (a template line ending in CR
// meets a value starting with LF) or the output ends in empty lines.
TEST(MapPasses, TheFixPassReadsTheLinesASplitWouldGive) {
    const CodePage page = SystemCodePage(kWesternCodePage);
    TemplateState state(page);
    std::mt19937 random(12);
    const auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    const auto line = [&] {
        std::string text;
        for (int k = pick(6); k > 0; --k) {
            const std::string_view letters[] = {"a", "b", "\r", "\n", " #", "##", " &", "\xc3\xa9"};
            text += letters[pick(8)];
        }
        return text.find("\r\n") == std::string::npos ? text : std::string("a");
    };
    const auto lines = [&](LineList head) {
        for (int k = pick(6); k > 0; --k) {
            head.push_back(line());
        }
        return head;
    };
    struct Case {
        LineList structureOld, structureNew, fixOld, fixNew;
        std::string map;
    };
    // "y\r##" meets the LF that ends the map line's last two characters; the fix template's
    // empty line matches every line, so each line the fix pass reads shows.
    std::vector<Case> cases{{{"T", "h$1", "x"},
                             {"T", "h$2", "y\r##", ""},
                             {"F", "s$1", ""},
                             {"F", "s$1", "L ##"},
                             "x\nz\r\nx\r\n"}};
    for (int round = 0; round < 400; ++round) {
        const auto head = [&](const char* name) { return name + std::to_string(1 + pick(3)); };
        Case c{lines({"T", head("h$")}), lines({"T", head("h$")}), lines({"F", head("s$")}),
               lines({"F", head("s$")}), ""};
        for (int k = pick(8); k > 0; --k) {
            c.map += line() + (pick(4) == 0 ? "" : "\r\n");
        }
        cases.push_back(std::move(c));
    }
    int compared = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.map));
        const PassTemplates structure = Pair(state, c.structureOld, c.structureNew);
        const PassTemplates fix = Pair(state, c.fixOld, c.fixNew);
        std::pair<std::string, std::string> expected;
        try {
            expected = PlainPasses(page, c.map, structure, fix);
        } catch (const ConversionError&) {
            continue;  // a template that needs lines past the map's end
        }
        ++compared;
        MapPasses passes;
        passes.Start(page, c.map, false);
        EXPECT_EQ(passes.Structured(structure), expected.first);
        EXPECT_EQ(passes.Fixed(fix), expected.second);
    }
    EXPECT_GT(compared, 200);
}

}  // namespace
}  // namespace galemend

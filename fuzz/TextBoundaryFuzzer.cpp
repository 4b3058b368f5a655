// Any bytes, read in each tested code page: writing them back gives the same bytes, each line
// holds as many characters as a plain walk over its bytes counts (a lead byte takes the next
// byte unless it is a NUL), and a structure pass over them (with a template that holds a
// character of the code page) writes only whole characters, so its output reads back as
// exactly the text the pass produced.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"

namespace {

using namespace galemend;

struct Page {
    CodePage codePage;
    std::string letter;  // a character of the page, as the page writes it
    // The system's own conversion, for its lead bytes; UTF-8 needs none.
    std::shared_ptr<const CodePageSource> source =
        codePage.Number() == kUtf8CodePage ? nullptr : SystemCodePageSource(codePage.Number());
};

const std::vector<Page>& Pages() {
    static const std::vector<Page> pages{
        {SystemCodePage(1252), "\xE9"},    {SystemCodePage(1251), "\xEA"},
        {SystemCodePage(932), "\x83\x5C"}, {SystemCodePage(950), "\xB3\x5C"},
        {SystemCodePage(949), "\xBA\xB0"}, {SystemCodePage(kUtf8CodePage), "\xE3\x82\xBD"},
    };
    return pages;
}

// Old and new template of one page: sections that start at "o", at the page's letter and at
// "k", rewritten with every marker.
TemplateState TemplatesFor(const Page& page) {
    TemplateState state{page.codePage};
    const std::string letter = page.codePage.Decode(page.letter);
    AssignOldTemplate(state, "old", {"T", "a$2", "o", letter, "b$1", "k" + letter});
    AssignNewTemplate(state, "new",
                      {"T", "a$4", "o #", letter + "=##", "x &", letter + letter + " &", "b$2",
                       "k ##", letter + " #"});
    return state;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// The characters of a line of bytes as the system walks them.
size_t WalkedCharacters(const CodePageSource& source, std::string_view line) {
    size_t count = 0;
    for (size_t i = 0; i < line.size(); ++count) {
        const bool lead = source.PageKind() == CodePageSource::Kind::DoubleByte &&
                          source.IsLeadByte(static_cast<unsigned char>(line[i]));
        i += lead && i + 1 < line.size() && line[i + 1] != '\0' ? 2 : 1;
    }
    return count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    for (const Page& page : Pages()) {
        const std::string text = page.codePage.Decode(bytes);
        Check(page.codePage.Encode(text) == bytes);
        if (page.codePage.Number() != kUtf8CodePage) {
            LineViews byteLines, textLines;
            SplitLines(bytes, byteLines);
            SplitLines(text, textLines);
            Check(byteLines.size() == textLines.size());
            for (size_t i = 0; i < byteLines.size(); ++i) {
                Check(CharacterCount(textLines[i]) == WalkedCharacters(*page.source, byteLines[i]));
            }
        }

        const TemplateState state = TemplatesFor(page);
        std::string out;
        LineViews lines;
        SplitLines(text, lines);
        try {
            StructurePass(state, lines, out);
        } catch (const ConversionError&) {
            continue;  // a block that needs lines past the map's end
        }
        Check(page.codePage.Decode(page.codePage.Encode(out)) == out);
    }
    return 0;
}

// A template pair and a map in, both passes run: every input must end without a crash, a
// hang or unbounded memory. Bad templates end in a ConversionError, which is fine.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "conversion/Rewriting.h"
#include "conversion/Templates.h"
#include "platform/CodePages.h"
#include "platform/FileSystem.h"

namespace {
// Splits the input into old template, new template and map at the first two NUL bytes.
std::string_view Part(std::string_view& rest) {
    const size_t end = rest.find('\0');
    const std::string_view part = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    return part;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    const std::string_view oldText = Part(rest);
    const std::string_view newText = Part(rest);
    galemend::LineViews map;
    galemend::SplitLines(rest, map);

    galemend::TemplateState state{galemend::SystemCodePage(galemend::kWesternCodePage)};
    galemend::AssignOldTemplate(state, "old", galemend::SplitLines(oldText));
    galemend::AssignNewTemplate(state, "new", galemend::SplitLines(newText));
    for (const bool fix : {false, true}) {
        std::string out;
        try {
            if (fix) {
                galemend::FixPass(state, map, out);
            } else {
                galemend::StructurePass(state, map, out);
            }
        } catch (const galemend::ConversionError&) {
        }
    }
    return 0;
}

// Steam's KeyValues reader on any bytes: it gives entries or an error on a line of the text,
// never a crash. Whatever it reads must be written the way Steam writes it and read back to
// the same entries (and written again to the same text), also behind a byte order mark. No
// section nests deeper than 64: the written entries still read inside as many more sections
// as reach that depth, and give the nesting error inside one more.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "linux/prefixes/KeyValues.h"

namespace {

using namespace galemend;

void Require(bool holds) {
    if (!holds) {
        std::abort();
    }
}

// How deep the sections nest: 0 for pairs only.
std::size_t Depth(const std::vector<KeyValue>& entries) {
    std::size_t depth = 0;
    for (const KeyValue& entry : entries) {
        // A section holds no value and a pair no children, so that writing loses nothing.
        Require(entry.section ? entry.value.empty() : entry.children.empty());
        if (entry.section) {
            depth = std::max(depth, 1 + Depth(entry.children));
        }
    }
    return depth;
}

// The text inside `count` more sections.
std::string Nested(const std::string& text, std::size_t count) {
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += "\"k\"\n{\n";
    }
    out += text;
    for (std::size_t i = 0; i < count; ++i) {
        out += "}\n";
    }
    return out;
}

std::size_t LineCount(std::string_view text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    auto result = ParseKeyValues(text);
    if (const auto* error = std::get_if<KeyValuesError>(&result)) {
        Require(error->line >= 1 && error->line <= LineCount(text) && !error->reason.empty());
        return 0;
    }
    const auto& entries = std::get<std::vector<KeyValue>>(result);
    const std::size_t depth = Depth(entries);
    Require(depth <= kKeyValuesMaxDepth);

    const std::string written = WriteKeyValues(entries);
    const auto again = ParseKeyValues(written);
    Require(std::holds_alternative<std::vector<KeyValue>>(again));
    Require(std::get<std::vector<KeyValue>>(again) == entries);
    Require(WriteKeyValues(std::get<std::vector<KeyValue>>(again)) == written);

    const auto marked = ParseKeyValues("\xEF\xBB\xBF" + written);
    Require(std::holds_alternative<std::vector<KeyValue>>(marked) &&
            std::get<std::vector<KeyValue>>(marked) == entries);

    const std::size_t room = kKeyValuesMaxDepth - depth;
    Require(std::holds_alternative<std::vector<KeyValue>>(ParseKeyValues(Nested(written, room))));
    const auto tooDeep = ParseKeyValues(Nested(written, room + 1));
    Require(std::holds_alternative<KeyValuesError>(tooDeep) &&
            std::get<KeyValuesError>(tooDeep).reason == "sections nested deeper than 64");
    return 0;
}

#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

// Steam's text KeyValues files (steamapps/libraryfolders.vdf, config/config.vdf): keys with a
// value or with a section of further pairs in braces. The text is bytes and stays bytes.
namespace galemend {

struct KeyValue {
    std::string key;
    std::string value;               // for a pair; empty for a section
    std::vector<KeyValue> children;  // for a section
    bool section = false;

    // The first child whose key equals `key` without regard to ASCII case, or nullptr.
    const KeyValue* Find(std::string_view key) const;

    bool operator==(const KeyValue&) const = default;
};

// Why a text is no KeyValues text: the 1-based line and what was wrong there.
struct KeyValuesError {
    std::size_t line = 0;
    std::string reason;
};

// Sections nest at most this deep; a deeper one is an error.
constexpr std::size_t kKeyValuesMaxDepth = 64;

// The top-level entries of the text in their order, repeated keys included, or the first
// error. Reads:
// - "quoted" strings, with \\ \" \n \t as escapes (any other backslash pair is kept as it is);
//   unquoted tokens, a run of bytes up to white space, a quote or a brace, taken literally;
// - a key followed by a value or by a section in braces;
// - // comments to the end of a line, between tokens;
// - a condition such as [$WIN32] or [!$X360] right after a key or a value, skipped with the
//   pair kept;
// - #include "file" and #base "file" at top level, skipped;
// - a UTF-8 byte order mark at the start, skipped.
std::variant<std::vector<KeyValue>, KeyValuesError> ParseKeyValues(std::string_view text);

// The entries as Steam writes them: every key and value quoted and escaped, pairs as
// key, two tabs, value; each section's braces on lines of their own, its pairs indented by
// one more tab. ParseKeyValues reads it back to the same entries. A section's value and a
// pair's children are not written.
std::string WriteKeyValues(const std::vector<KeyValue>& entries);

}  // namespace galemend

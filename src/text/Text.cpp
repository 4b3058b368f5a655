#include "text/Text.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

namespace galemend {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

bool IsBareDrive(std::string_view path) {
    return path.size() == 2 && path[1] == ':' && FoldCase(path[0]) >= 'a' &&
           FoldCase(path[0]) <= 'z';
}

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

}  // namespace

size_t PositionAfterLast(std::string_view text, std::string_view needle) {
    size_t result = 1;
    if (needle.size() >= text.size()) {
        return result;
    }
    // Occurrences may start at 0-based offsets 0 .. Len(text) - Len(needle) - 1.
    const size_t found = text.rfind(needle, text.size() - needle.size() - 1);
    if (found != std::string_view::npos) {
        result = found + 2;
    }
    return result;
}

std::string FileNamePart(std::string_view path) {
    return std::string(path.substr(PositionAfterLast(path, "\\") - 1));
}

bool FileNameMatches(std::string_view path, std::string_view name) {
    return EqualIgnoringCase(FileNamePart(path), name);
}

bool IsDriveRoot(std::string_view path) {
    return path.size() == 3 && path[2] == '\\' && IsBareDrive(path.substr(0, 2));
}

std::string NormalFolderPath(std::string_view path) {
    std::string normal(path);
    while (normal.size() > 1 && normal.back() == '\\' && !IsDriveRoot(normal)) {
        normal.pop_back();
    }
    if (IsBareDrive(normal)) {
        normal += '\\';
    }
    return normal;
}

std::string PathInFolder(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (path.empty() || path.back() != '\\') {
        path += '\\';
    }
    path.append(name);
    return path;
}

std::string ParentFolder(std::string_view folder) {
    const auto slash = folder.rfind('\\');
    return std::string(slash == std::string_view::npos ? folder : folder.substr(0, slash + 1));
}

std::string FolderOfModule(std::string_view modulePath) {
    const std::size_t slash = modulePath.rfind('\\');
    if (slash == std::string_view::npos) {
        return "";
    }
    std::string folder(modulePath.substr(0, slash));
    if (folder.size() == 2 && folder[1] == ':') {
        folder += '\\';
    }
    return folder;
}

bool EndsWith(std::string_view text, std::string_view tail) {
    return text.size() >= tail.size() && text.substr(text.size() - tail.size()) == tail;
}

std::string ArgumentsAfterProgramName(std::string_view commandLine) {
    std::size_t at = 0;
    bool quoted = false;
    for (; at < commandLine.size(); ++at) {
        const char c = commandLine[at];
        if (c == '"') {
            quoted = !quoted;
        } else if (!quoted && Blank(c)) {
            break;
        }
    }
    while (at < commandLine.size() && Blank(commandLine[at])) {
        ++at;
    }
    return std::string(commandLine.substr(at));
}

namespace {
// The text without its trailing CR LFs; a final lone CR or LF stays.
std::string_view WithoutTrailingLineEnds(std::string_view text) {
    while (text.size() >= 2 && text.substr(text.size() - 2) == kLineEnd) {
        text.remove_suffix(2);
    }
    return text;
}
}  // namespace

void SplitLines(std::string_view text, LineViews& lines) {
    static_assert(std::endian::native == std::endian::little, "the first byte is the lowest");
    lines.clear();
    const size_t end = WithoutTrailingLineEnds(text).size();
    if (end == 0) {
        return;
    }
    const char* const data = text.data();
    size_t start = 0;
    const auto lineFeed = [&](size_t at) {
        if (at > start && data[at - 1] == '\r') {
            lines.emplace_back(data + start, at - 1 - start);
            start = at + 1;
        }
    };
    // Eight bytes at a time, every LF of a word in turn: lines are short, and starting a
    // library search for each would cost more than the search.
    constexpr uint64_t kOnes = 0x0101010101010101ULL;
    constexpr uint64_t kLow = 0x7F7F7F7F7F7F7F7FULL;
    size_t i = 0;
    for (; i + 8 <= end; i += 8) {
        uint64_t word;
        std::memcpy(&word, data + i, sizeof word);
        const uint64_t x = word ^ (kOnes * '\n');
        // The high bit of each byte that is zero in x, that is, of each LF; no carry crosses
        // a byte.
        uint64_t found = ~(((x & kLow) + kLow) | x | kLow);
        for (; found != 0; found &= found - 1) {
            lineFeed(i + static_cast<size_t>(std::countr_zero(found)) / 8);
        }
    }
    for (; i < end; ++i) {
        if (data[i] == '\n') {
            lineFeed(i);
        }
    }
    lines.emplace_back(data + start, end - start);
}

std::optional<std::string_view> SecondLine(std::string_view text) {
    text = WithoutTrailingLineEnds(text);
    const size_t first = text.find(kLineEnd);
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    text.remove_prefix(first + kLineEnd.size());
    return text.substr(0, text.find(kLineEnd));
}

LineList SplitLines(std::string_view text) {
    LineViews views;
    SplitLines(text, views);
    return LineList(views.begin(), views.end());
}

bool CameFromFile(const LineList& lines) {
    return lines.empty() || !lines.back().empty();
}

std::string LineAt(const LineList& lines, size_t n) {
    return n >= 1 && n <= lines.size() ? lines[n - 1] : std::string();
}

}  // namespace galemend

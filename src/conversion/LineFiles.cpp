#include "conversion/LineFiles.h"

namespace galemend {

namespace {
constexpr std::string_view kLineEnd = "\r\n";
constexpr size_t kMissingFileLines = 11;
}  // namespace

LineList ReadTextLines(const FileSystem& fs, const std::string& path) {
    if (FirstFile(fs, path).empty()) {
        return LineList(kMissingFileLines);
    }
    std::string text;
    try {
        text = fs.ReadFile(path);
    } catch (...) {
        return LineList(1);
    }
    return SplitLines(text);
}

LineList SplitLines(std::string_view text) {
    // Every trailing CR LF goes; a final lone CR or LF stays.
    size_t end = text.size();
    while (end >= 2 && text.substr(end - 2, 2) == kLineEnd) {
        end -= 2;
    }
    LineList lines;
    if (end == 0) {
        return lines;
    }
    const std::string_view body = text.substr(0, end);
    size_t start = 0;
    while (true) {
        const size_t next = body.find(kLineEnd, start);
        if (next == std::string_view::npos) {
            lines.emplace_back(body.substr(start));
            break;
        }
        lines.emplace_back(body.substr(start, next - start));
        start = next + kLineEnd.size();
    }
    return lines;
}

bool CameFromFile(const LineList& lines) {
    return lines.empty() || !lines.back().empty();
}

void AppendLine(std::string& out, std::string_view line) {
    out.append(line);
    out.append(kLineEnd);
}

}  // namespace galemend

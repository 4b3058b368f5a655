#include "platform/FileSystem.h"

namespace galemend {

std::string FileSystem::FirstMatch(std::string_view pattern, EntryKinds kinds) const {
    std::string query(pattern);
    // A bare folder path ending in "\" asks for the folder's contents.
    if (!query.empty() && query.back() == '\\') {
        query += '*';
    }
    try {
        return FindFirst(query, kinds);
    } catch (...) {
        return {};
    }
}

int FileSystem::CompareNames(std::string_view a, std::string_view b) const {
    return CompareNamesIgnoringCase(a, b);
}

std::string FirstFile(const FileSystem& fs, std::string_view path) {
    return fs.FirstMatch(path, EntryKinds::FilesOnly);
}

bool FolderExists(const FileSystem& fileSystem, const std::string& path) {
    return !fileSystem.FirstMatch(path, EntryKinds::FilesAndFolders).empty();
}

namespace {
constexpr size_t kMissingFileLines = 11;
}  // namespace

std::optional<LineList> ReadTextBytes(const FileSystem& fs, const std::string& path,
                                      std::string& bytes) {
    if (FirstFile(fs, path).empty()) {
        return LineList(kMissingFileLines);
    }
    try {
        fs.ReadFileInto(path, bytes);
    } catch (...) {
        return LineList(1);
    }
    return std::nullopt;
}

LineList ReadTextLines(const FileSystem& fs, const std::string& path, const CodePage& codePage) {
    std::string bytes;
    if (auto unread = ReadTextBytes(fs, path, bytes)) {
        return std::move(*unread);
    }
    return SplitLines(codePage.Decode(bytes));
}

}  // namespace galemend

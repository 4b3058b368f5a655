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

std::string FirstFile(const FileSystem& fs, std::string_view path) {
    return fs.FirstMatch(path, EntryKinds::FilesOnly);
}

}  // namespace galemend

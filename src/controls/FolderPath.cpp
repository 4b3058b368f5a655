#include "controls/FolderPath.h"

#include <cctype>

namespace galemend {

namespace {
bool IsBareDrive(std::string_view path) {
    return path.size() == 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]));
}
}  // namespace

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

RuntimeError FolderListingError(const RuntimeError& error, const std::string& folder) {
    if (error.Code() == ErrorNumber::FileNotFound || error.Code() == ErrorNumber::PathNotFound) {
        return RuntimeError(ErrorNumber::PathNotFound, folder);
    }
    return error;
}

}  // namespace galemend

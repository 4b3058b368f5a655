#include "platform/prefix/WinePaths.h"

#include <cctype>

namespace galemend {

namespace {

constexpr size_t kRootLength = 3;  // "X:\"

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

// Removes the element before position at (which follows a "\"), keeping the root.
size_t StartOfPreviousElement(const std::string& path, size_t at) {
    if (at > kRootLength) {
        --at;
        while (at > kRootLength && path[at - 1] != '\\') {
            --at;
        }
    }
    return at;
}

}  // namespace

std::string CollapsePath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    std::string single = path.substr(0, kRootLength);
    for (size_t i = kRootLength; i < path.size(); ++i) {
        if (path[i] != '\\' || single.back() != '\\') {
            single.push_back(path[i]);
        }
    }
    path = std::move(single);

    size_t p = kRootLength;
    while (p < path.size()) {
        if (path[p] == '.') {
            const char next = p + 1 < path.size() ? path[p + 1] : '\0';
            const char after = p + 2 < path.size() ? path[p + 2] : '\0';
            if (next == '\\') {  // ".\" goes
                path.erase(p, 2);
                continue;
            }
            if (next == '\0') {  // a final "." goes with the "\" before it
                path.erase(p > kRootLength ? p - 1 : p);
                break;
            }
            if (next == '.' && after == '\\') {  // "..\" takes the element before with it
                const size_t start = StartOfPreviousElement(path, p);
                path.erase(start, p + 3 - start);
                p = start;
                continue;
            }
            if (next == '.' && after == '\0') {  // a final ".." too, and the "\" before it
                size_t start = StartOfPreviousElement(path, p);
                if (start > kRootLength) {
                    --start;
                }
                path.erase(start);
                break;
            }
        }
        while (p < path.size() && path[p] != '\\') {
            ++p;
        }
        if (p < path.size()) {
            // One dot at the end of a folder element goes.
            if (p > kRootLength && path[p - 1] == '.') {
                path.erase(p - 1, 1);
            } else {
                ++p;
            }
        }
    }
    size_t end = path.size();
    while (end > kRootLength && (path[end - 1] == ' ' || path[end - 1] == '.')) {
        --end;
    }
    path.resize(end);
    return path;
}

std::optional<std::string> FullPathOf(std::string_view path, std::string_view currentFolder) {
    if (path.find_first_not_of(' ') == std::string_view::npos) {
        return std::nullopt;
    }
    if (path.size() >= 4 && path.substr(0, 4) == "\\\\?\\") {
        const std::string_view rest = path.substr(4);
        if (rest.size() >= kRootLength && rest[1] == ':' && rest[2] == '\\') {
            return std::string(rest);
        }
        return std::nullopt;
    }
    if (IsSeparator(path[0]) && path.size() > 1 && IsSeparator(path[1])) {
        return std::nullopt;  // a network share or device namespace
    }
    std::string full;
    if (path.size() >= 2 && path[1] == ':') {
        const bool sameDrive = !currentFolder.empty() &&
                               std::toupper(static_cast<unsigned char>(path[0])) ==
                                   std::toupper(static_cast<unsigned char>(currentFolder[0]));
        if (path.size() >= 3 && IsSeparator(path[2])) {
            full = std::string(path);
        } else if (sameDrive) {
            full = std::string(currentFolder) + std::string(path.substr(2));
        } else {
            full = std::string(1, path[0]) + ":\\" + std::string(path.substr(2));
        }
    } else if (IsSeparator(path[0])) {
        full = std::string(currentFolder.substr(0, 2)) + std::string(path);
    } else {
        full = std::string(currentFolder) + std::string(path);
    }
    if (full.size() < kRootLength) {
        return std::nullopt;
    }
    return CollapsePath(std::move(full));
}

std::optional<std::string_view> DosDeviceOf(std::string_view path) {
    size_t start = path.size() >= 2 && path[1] == ':' ? 2 : 0;
    for (size_t i = start; i < path.size(); ++i) {
        if (IsSeparator(path[i])) {
            start = i + 1;
        }
    }
    size_t end = path.find_first_of(".:", start);
    if (end == std::string_view::npos) {
        end = path.size();
    }
    while (end > start && path[end - 1] == ' ') {
        --end;
    }
    const std::string_view name = path.substr(start, end - start);
    std::string upper(name);
    for (char& c : upper) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    const bool threeLetters = upper == "AUX" || upper == "CON" || upper == "NUL" || upper == "PRN";
    const bool port = upper.size() == 4 &&
                      (upper.compare(0, 3, "COM") == 0 || upper.compare(0, 3, "LPT") == 0) &&
                      upper[3] >= '1' && upper[3] <= '9';
    if (threeLetters || port) {
        return name;
    }
    return std::nullopt;
}

bool HasInvalidNameCharacter(std::string_view element) {
    for (const char c : element) {
        if (static_cast<unsigned char>(c) < 32 ||
            std::string_view("*?<>|\"").find(c) != std::string_view::npos) {
            return true;
        }
    }
    return false;
}

bool HasInvalidElement(std::string_view fullPath) {
    size_t start = kRootLength;
    while (start < fullPath.size()) {
        size_t end = fullPath.find('\\', start);
        if (end == std::string_view::npos) {
            end = fullPath.size();
        }
        if (HasInvalidNameCharacter(fullPath.substr(start, end - start))) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

}  // namespace galemend

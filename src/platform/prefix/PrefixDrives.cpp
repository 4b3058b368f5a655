#include "platform/prefix/PrefixDrives.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>

#include "platform/prefix/WinePaths.h"

namespace galemend {

namespace {

std::string CurrentUnixFolder() {
    std::string buffer(4096, '\0');
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE) {
            return "/";
        }
        buffer.resize(buffer.size() * 2);
    }
    buffer.resize(std::char_traits<char>::length(buffer.c_str()));
    return buffer;
}

std::string BaseName(const std::string& path) {
    std::string trimmed = path;
    while (trimmed.size() > 1 && trimmed.back() == '/') {
        trimmed.pop_back();
    }
    const size_t slash = trimmed.rfind('/');
    return slash == std::string::npos ? trimmed : trimmed.substr(slash + 1);
}

// The path without its last element; a ".." element takes one more with it, as Wine's
// search for a drive root climbs.
size_t WithoutLastElement(const std::string& path, size_t length) {
    int level = 0;
    while (level < 1 && length > 1) {
        size_t start = length;
        while (start > 1 && path[start - 1] != '/') {
            --start;
        }
        const std::string_view element(path.data() + start, length - start);
        if (element == "..") {
            --level;
        } else if (element != ".") {
            ++level;
        }
        while (start > 1 && path[start - 1] == '/') {
            --start;
        }
        length = start;
    }
    return length;
}

}  // namespace

std::optional<FileIdentity> IdentityOf(const std::string& unixPath) {
    struct stat info {};
    if (::stat(unixPath.c_str(), &info) != 0) {
        return std::nullopt;
    }
    return FileIdentity{info.st_dev, info.st_ino};
}

PrefixDrives::PrefixDrives(std::string prefix) : prefix_(std::move(prefix)) {
    while (prefix_.size() > 1 && prefix_.back() == '/') {
        prefix_.pop_back();
    }
    for (char letter = 'a'; letter <= 'z'; ++letter) {
        struct stat info {};
        if (::stat(RootOf(letter).c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            roots_[static_cast<size_t>(letter - 'a')] = FileIdentity{info.st_dev, info.st_ino};
        }
    }
    for (const std::string& path :
         {prefix_, std::string("/dev"), std::string("/proc"), std::string("/sys")}) {
        if (const auto identity = IdentityOf(path)) {
            ignored_.push_back(*identity);
            ignoredNames_.push_back(BaseName(path));
        }
    }
}

std::string PrefixDrives::RootOf(char letter) const {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    return prefix_ + "/dosdevices/" + lower + ":";
}

bool PrefixDrives::HasDrive(char letter) const {
    const int lower = std::tolower(static_cast<unsigned char>(letter));
    return lower >= 'a' && lower <= 'z' && roots_[static_cast<size_t>(lower - 'a')].has_value();
}

std::string PrefixDrives::WindowsPathOf(std::string_view unixPath) const {
    std::string path(unixPath);
    if (path.empty() || path[0] != '/') {
        path = CurrentUnixFolder() + "/" + path;
    }
    size_t length = path.size();
    while (length > 1 && path[length - 1] == '/') {
        --length;
    }
    for (;;) {
        const std::string folder = path.substr(0, length);
        struct stat info {};
        if (::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) {
            const FileIdentity identity{info.st_dev, info.st_ino};
            for (size_t drive = 0; drive < roots_.size(); ++drive) {
                if (roots_[drive] == identity) {
                    std::string rest = path.substr(length == 1 ? 0 : length);
                    rest.erase(0, rest.find_first_not_of('/'));
                    return CollapsePath(std::string(1, static_cast<char>('A' + drive)) + ":\\" +
                                        rest);
                }
            }
        }
        if (length <= 1) {
            break;
        }
        length = WithoutLastElement(path, length);
    }
    std::string unixForm = "\\\\?\\unix" + path;
    std::replace(unixForm.begin(), unixForm.end(), '/', '\\');
    return unixForm;
}

bool PrefixDrives::IsIgnored(const FileIdentity& identity) const {
    return std::find(ignored_.begin(), ignored_.end(), identity) != ignored_.end();
}

bool PrefixDrives::MayBeIgnored(std::string_view name) const {
    return std::find(ignoredNames_.begin(), ignoredNames_.end(), name) != ignoredNames_.end();
}

}  // namespace galemend

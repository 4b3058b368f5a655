#include "platform/posix/PosixFileSystem.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <sys/stat.h>
#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

#include "platform/RuntimeError.h"
#include "platform/posix/PosixFiles.h"
#include "text/Text.h"

namespace galemend {

namespace {

ErrorNumber FromErrno(int error) {
    switch (error) {
        case ENOENT:
            return ErrorNumber::FileNotFound;
        case ENOTDIR:
            return ErrorNumber::PathNotFound;
        case ENAMETOOLONG:
            return ErrorNumber::BadFileName;
        case EEXIST:
        case ENOTEMPTY:
            return ErrorNumber::FileAlreadyExists;
        case EACCES:
        case EPERM:
        case EROFS:
            return ErrorNumber::PermissionDenied;
        case ENOSPC:
        case EDQUOT:
            return ErrorNumber::DiskFull;
        default:
            return ErrorNumber::PathFileAccessError;
    }
}

[[noreturn]] void Fail(const std::string& path) {
    const int error = errno;
    throw RuntimeError(FromErrno(error), path);
}

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

bool Hidden(const char* name) {
    return name[0] == '.';
}

std::pair<std::string, std::string> SplitLast(const std::string& hostPath) {
    const auto slash = hostPath.rfind('/');
    if (slash == std::string::npos) {
        return {".", hostPath};
    }
    return {slash == 0 ? "/" : hostPath.substr(0, slash), hostPath.substr(slash + 1)};
}

enum class Kind { None, File, Folder, Other };

Kind KindOf(const std::string& hostPath) {
    struct stat info {};
    if (::stat(hostPath.c_str(), &info) != 0) {
        return Kind::None;
    }
    if (S_ISREG(info.st_mode)) {
        return Kind::File;
    }
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

// The kind of a listed entry from the listing itself; only links and file systems that do
// not report kinds need a stat call.
Kind KindOfEntry(const std::string& hostFolder, const dirent& entry) {
    switch (entry.d_type) {
        case DT_REG:
            return Kind::File;
        case DT_DIR:
            return Kind::Folder;
        case DT_LNK:
        case DT_UNKNOWN:
            return KindOf(hostFolder + "/" + entry.d_name);
        default:
            return Kind::Other;
    }
}

enum class Wanted { Files, Folders, Both };

bool Accepts(Wanted wanted, Kind kind) {
    switch (wanted) {
        case Wanted::Files:
            return kind == Kind::File;
        case Wanted::Folders:
            return kind == Kind::Folder;
        case Wanted::Both:
            return kind == Kind::File || kind == Kind::Folder;
    }
    return false;
}

// Visible entries of a host folder that match a name pattern.
std::vector<std::string> Matching(const std::string& hostFolder, const std::string& pattern,
                                  Wanted wanted) {
    std::vector<std::string> names;
    DirHandle dir(::opendir(hostFolder.c_str()));
    if (!dir) {
        Fail(hostFolder);
    }
    while (const dirent* entry = ::readdir(dir.get())) {
        const char* name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        if (Hidden(name) || !WildcardMatch(pattern, name)) {
            continue;
        }
        if (Accepts(wanted, KindOfEntry(hostFolder, *entry))) {
            names.emplace_back(name);
        }
    }
    return names;
}

}  // namespace

PosixFileSystem::PosixFileSystem(std::map<char, std::string> drives) : drives_(std::move(drives)) {}

std::string PosixFileSystem::HostPath(const std::string& path) const {
    std::string host = path;
    if (host.size() >= 2 && host[1] == ':' && std::isalpha(static_cast<unsigned char>(host[0]))) {
        const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(host[0])));
        const auto drive = drives_.find(letter);
        if (drive != drives_.end()) {
            host = drive->second + host.substr(2);
        }
    }
    std::replace(host.begin(), host.end(), '\\', '/');
    return host;
}

std::string PosixFileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    const std::string host = HostPath(pattern);
    auto [folder, name] = SplitLast(host);
    if (name == "." || name == "..") {
        // "folder\." names the folder itself; Windows answers with the folder's own name.
        if (kinds == EntryKinds::FilesOnly || KindOf(host) != Kind::Folder) {
            return {};
        }
        return name == "." ? SplitLast(folder).second : name;
    }
    const Wanted wanted = kinds == EntryKinds::FilesOnly ? Wanted::Files : Wanted::Both;
    // A plain name that exists as written needs no listing; other spellings of it do.
    if (name.find_first_of("*?") == std::string::npos && !Hidden(name.c_str()) &&
        Accepts(wanted, KindOf(host))) {
        return name;
    }
    if (KindOf(folder) != Kind::Folder) {
        return {};
    }
    std::vector<std::string> names;
    // Every existing folder has "." and "..", which a wildcard may match.
    if (kinds == EntryKinds::FilesAndFolders) {
        for (const char* dot : {".", ".."}) {
            if (WildcardMatch(name, dot)) {
                names.emplace_back(dot);
            }
        }
    }
    if (names.empty()) {
        names = Matching(folder, name, wanted);
    }
    // The smallest name, so that a lookup answers the same way on every run.
    return names.empty() ? std::string() : *std::min_element(names.begin(), names.end());
}

std::string PosixFileSystem::ReadFile(const std::string& path) const {
    std::string bytes;
    ReadFileInto(path, bytes);
    return bytes;
}

void PosixFileSystem::ReadFileInto(const std::string& path, std::string& bytes) const {
    const std::string host = HostPath(path);
    const Descriptor file{::open(host.c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0) {
        Fail(path);
    }
    struct stat info {};
    if (::fstat(file.fd, &info) != 0) {
        Fail(path);
    }
    if (!S_ISREG(info.st_mode)) {
        throw RuntimeError(ErrorNumber::PathFileAccessError, path);
    }
    if (!ReadWhole(file.fd, bytes)) {
        Fail(path);
    }
}

void PosixFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    const std::string host = HostPath(path);
    Descriptor file{::open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (file.fd < 0 || !WriteWhole(file.fd, bytes) || !file.Close()) {
        Fail(path);
    }
}

void PosixFileSystem::Rename(const std::string& from, const std::string& to) {
    const std::string source = HostPath(from);
    const std::string target = HostPath(to);
    // Like a Windows move, never replace an existing target.
    if (::renameat2(AT_FDCWD, source.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) != 0) {
        Fail(from + " -> " + to);
    }
}

void PosixFileSystem::Remove(const std::string& path) {
    if (::unlink(HostPath(path).c_str()) != 0) {
        Fail(path);
    }
}

std::vector<std::string> PosixFileSystem::ListFolders(const std::string& folder) const {
    return Matching(HostPath(folder), "*", Wanted::Folders);
}

std::vector<std::string> PosixFileSystem::ListFiles(const std::string& folder,
                                                    const std::string& pattern) const {
    return Matching(HostPath(folder), pattern, Wanted::Files);
}

}  // namespace galemend

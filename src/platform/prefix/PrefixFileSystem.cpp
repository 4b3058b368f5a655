#include "platform/prefix/PrefixFileSystem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>

#include "platform/RuntimeError.h"
#include "platform/posix/PosixFiles.h"
#include "platform/prefix/WinePaths.h"

namespace galemend {

namespace {

constexpr size_t kMaxNameBytes = 255;

[[noreturn]] void Fail(ErrorNumber number, const std::string& detail) {
    throw RuntimeError(number, detail);
}

[[noreturn]] void FailWithErrno(const std::string& detail) {
    throw RuntimeError(ErrorOfErrno(errno), detail);
}

bool IsNulDevice(std::string_view device) {
    return device.size() == 3 && std::toupper(static_cast<unsigned char>(device[0])) == 'N' &&
           std::toupper(static_cast<unsigned char>(device[1])) == 'U' &&
           std::toupper(static_cast<unsigned char>(device[2])) == 'L';
}

bool IsFolderItself(const PrefixLookup::Located& located) {
    return located.isRoot || (located.entry != nullptr && located.entry->kind == EntryKind::Folder);
}

}  // namespace

PrefixFileSystem::PrefixFileSystem(std::string prefix, std::string currentFolder)
    : lookup_(std::move(prefix), std::move(currentFolder)) {}

std::string PrefixFileSystem::ReadFile(const std::string& path) const {
    std::string bytes;
    ReadFileInto(path, bytes);
    return bytes;
}

void PrefixFileSystem::ReadFileInto(const std::string& path, std::string& bytes) const {
    if (const auto device = DosDeviceOf(path)) {
        // NUL reads as empty; no other device is opened from here.
        if (!IsNulDevice(*device)) {
            Fail(ErrorNumber::PathFileAccessError, path);
        }
        bytes.clear();
        return;
    }
    const auto located = lookup_.Locate(lookup_.FullPath(path));
    if (IsFolderItself(located)) {
        Fail(ErrorNumber::PermissionDenied, path);
    }
    if (located.entry == nullptr) {
        Fail(ErrorNumber::FileNotFound, path);
    }
    const Descriptor file{::open(located.UnixPath().c_str(), O_RDONLY | O_CLOEXEC)};
    if (file.fd < 0 || !ReadWhole(file.fd, bytes)) {
        FailWithErrno(path);
    }
}

void PrefixFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    if (const auto device = DosDeviceOf(path)) {
        if (!IsNulDevice(*device)) {
            Fail(ErrorNumber::PathFileAccessError, path);
        }
        return;
    }
    const auto located = lookup_.Locate(lookup_.FullPath(path));
    if (IsFolderItself(located)) {
        Fail(ErrorNumber::PermissionDenied, path);
    }
    // A name that exists in another letter case is that file: it keeps its name.
    const bool creating = located.entry == nullptr;
    if (creating && located.name.size() > kMaxNameBytes) {
        Fail(ErrorNumber::FileNotFound, path);
    }
    Descriptor file{
        ::open(located.UnixPath().c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666)};
    if (file.fd < 0) {
        FailWithErrno(path);
    }
    if (creating) {
        located.folder->Add(located.name, EntryKind::File);
    }
    if (!WriteWhole(file.fd, bytes) || !file.Close()) {
        FailWithErrno(path);
    }
}

void PrefixFileSystem::Rename(const std::string& from, const std::string& to) {
    const std::string detail = from + " -> " + to;
    if (DosDeviceOf(from) || DosDeviceOf(to)) {
        Fail(ErrorNumber::PathFileAccessError, detail);
    }
    const auto source = lookup_.Locate(lookup_.FullPath(from));
    if (source.isRoot) {
        Fail(ErrorNumber::PermissionDenied, detail);
    }
    if (source.entry == nullptr) {
        Fail(ErrorNumber::FileNotFound, detail);
    }
    const std::string sourcePath = source.UnixPath();
    const std::string sourceName = source.entry->name;
    const EntryKind kind = source.entry->kind;
    const auto target = lookup_.Locate(lookup_.FullPath(to));
    if (target.isRoot || target.entry != nullptr) {
        // Wine moves a file onto itself (another spelling of its name) by doing nothing.
        const auto identity = IdentityOf(sourcePath);
        if (!target.isRoot && identity && IdentityOf(target.UnixPath()) == identity) {
            return;
        }
        Fail(ErrorNumber::FileAlreadyExists, detail);
    }
    if (::renameat2(AT_FDCWD, sourcePath.c_str(), AT_FDCWD, target.UnixPath().c_str(),
                    RENAME_NOREPLACE) != 0) {
        FailWithErrno(detail);
    }
    source.folder->Remove(sourceName);
    target.folder->Add(target.name, kind);
    if (kind == EntryKind::Folder) {
        lookup_.Forget();  // the paths of everything read inside it have changed
    }
}

void PrefixFileSystem::Remove(const std::string& path) {
    if (DosDeviceOf(path)) {
        Fail(ErrorNumber::PathFileAccessError, path);
    }
    const auto located = lookup_.Locate(lookup_.FullPath(path));
    if (IsFolderItself(located)) {
        Fail(ErrorNumber::PermissionDenied, path);
    }
    if (located.entry == nullptr) {
        Fail(ErrorNumber::FileNotFound, path);
    }
    const std::string unixPath = located.UnixPath();
    struct stat info {};
    if (::stat(unixPath.c_str(), &info) != 0) {
        FailWithErrno(path);
    }
    // Wine refuses to delete a read-only file (no write permission for anyone).
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        Fail(ErrorNumber::PermissionDenied, path);
    }
    if (::unlink(unixPath.c_str()) != 0) {
        FailWithErrno(path);
    }
    located.folder->Remove(located.entry->name);
}

std::string PrefixFileSystem::WindowsPathOf(const std::string& unixPath) const {
    return lookup_.Drives().WindowsPathOf(unixPath);
}

std::string PrefixFileSystem::UnixPathOf(const std::string& windowsPath) const {
    const auto located = lookup_.Locate(lookup_.FullPath(windowsPath));
    std::string path = located.UnixPath();
    // Like Wine, name a path on a drive z: that is the Unix root from that root.
    const std::string z = lookup_.Drives().RootOf('z');
    if (path.compare(0, z.size(), z) == 0 && (path.size() == z.size() || path[z.size()] == '/') &&
        IdentityOf(z) == IdentityOf("/")) {
        path = path.size() == z.size() ? "/" : path.substr(z.size());
    }
    return path;
}

}  // namespace galemend

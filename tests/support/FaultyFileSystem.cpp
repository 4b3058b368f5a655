#include "support/FaultyFileSystem.h"

#include "platform/RuntimeError.h"

namespace galemend::test {

void FaultyFileSystem::Throw(const std::string& what) {
    throw RuntimeError(ErrorNumber::PathFileAccessError, "injected fault: " + what);
}

std::string FaultyFileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    return Fails() ? std::string() : inner_.FirstMatch(pattern, kinds);
}

std::string FaultyFileSystem::ReadFile(const std::string& path) const {
    if (Fails()) {
        Throw("read " + path);
    }
    return inner_.ReadFile(path);
}

void FaultyFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    if (Fails()) {
        inner_.WriteFile(path, bytes.substr(0, bytes.size() / 2));
        Throw("write " + path);
    }
    inner_.WriteFile(path, bytes);
}

void FaultyFileSystem::Rename(const std::string& from, const std::string& to) {
    if (Fails()) {
        Throw("rename " + from);
    }
    inner_.Rename(from, to);
}

void FaultyFileSystem::Remove(const std::string& path) {
    if (Fails()) {
        Throw("remove " + path);
    }
    inner_.Remove(path);
}

void FaultyFileSystem::CheckListing(const std::string& folder) const {
    if (Fails()) {
        Throw("list " + folder);
    }
    if (folder == unlistable_) {
        throw RuntimeError(listingError_, folder);
    }
}

std::vector<std::string> FaultyFileSystem::ListFolders(const std::string& folder) const {
    CheckListing(folder);
    return inner_.ListFolders(folder);
}

std::vector<std::string> FaultyFileSystem::ListFiles(const std::string& folder,
                                                     const std::string& pattern) const {
    CheckListing(folder);
    return inner_.ListFiles(folder, pattern);
}

}  // namespace galemend::test

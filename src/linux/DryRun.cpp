#include "linux/DryRun.h"

#include <algorithm>

#include "platform/RuntimeError.h"
#include "text/Text.h"

namespace galemend {

namespace {

// The folder part of a path and its last element.
std::pair<std::string, std::string> Split(const std::string& path) {
    const size_t slash = path.rfind('\\');
    if (slash == std::string::npos) {
        return {"", path};
    }
    return {path.substr(0, slash), path.substr(slash + 1)};
}

// Whether a path in lower case names an entry of the folder whose lower-case path, ending in
// "\", is given.
bool DirectlyIn(std::string_view key, std::string_view folderPrefix) {
    return key.starts_with(folderPrefix) && key.find('\\', folderPrefix.size()) == key.npos;
}

}  // namespace

const DryRunFileSystem::Change* DryRunFileSystem::ChangeOf(const std::string& path) const {
    const auto found = changes_.find(LowerCase(path));
    return found == changes_.end() ? nullptr : &found->second;
}

bool DryRunFileSystem::Exists(const std::string& path) const {
    if (const Change* change = ChangeOf(path)) {
        return change->bytes.has_value();
    }
    return !FirstFile(disk_, path).empty();
}

std::optional<std::string> DryRunFileSystem::Contents(const std::string& path) const {
    if (const Change* change = ChangeOf(path)) {
        return change->bytes;
    }
    if (FirstFile(disk_, path).empty()) {
        return std::nullopt;
    }
    return disk_.ReadFile(path);
}

std::string DryRunFileSystem::ReadFile(const std::string& path) const {
    if (const Change* change = ChangeOf(path)) {
        if (!change->bytes) {
            throw RuntimeError(ErrorNumber::FileNotFound, path);
        }
        return *change->bytes;
    }
    return disk_.ReadFile(path);
}

void DryRunFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    Change& change = changes_[LowerCase(path)];
    if (!change.bytes && std::find(written_.begin(), written_.end(), path) == written_.end()) {
        written_.push_back(path);
    }
    change = {path, std::string(bytes)};
}

void DryRunFileSystem::Rename(const std::string& from, const std::string& to) {
    if (!Exists(from)) {
        throw RuntimeError(ErrorNumber::FileNotFound, from + " -> " + to);
    }
    if (Exists(to)) {
        throw RuntimeError(ErrorNumber::FileAlreadyExists, from + " -> " + to);
    }
    std::string bytes = ReadFile(from);
    changes_[LowerCase(from)] = {from, std::nullopt};
    changes_[LowerCase(to)] = {to, std::move(bytes)};
}

void DryRunFileSystem::Remove(const std::string& path) {
    if (!Exists(path)) {
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    }
    changes_[LowerCase(path)] = {path, std::nullopt};
}

std::vector<std::string> DryRunFileSystem::ListFolders(const std::string& folder) const {
    return disk_.ListFolders(folder);  // a conversion makes and removes no folders
}

std::vector<std::string> DryRunFileSystem::ListFiles(const std::string& folder,
                                                     const std::string& pattern) const {
    std::vector<std::string> names;
    for (const std::string& name : disk_.ListFiles(folder, pattern)) {
        const Change* change = ChangeOf(PathInFolder(folder, name));
        if (change == nullptr || change->bytes) {
            names.push_back(name);
        }
    }
    const std::string prefix = LowerCase(PathInFolder(folder, ""));
    for (const auto& [key, change] : changes_) {
        const auto [parent, name] = Split(change.path);
        if (change.bytes && DirectlyIn(key, prefix) && WildcardMatch(pattern, name) &&
            FirstFile(disk_, change.path).empty()) {
            names.push_back(name);
        }
    }
    return names;
}

int DryRunFileSystem::CompareNames(std::string_view a, std::string_view b) const {
    return disk_.CompareNames(a, b);
}

std::string DryRunFileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    const auto [folder, name] = Split(pattern);
    if (name.find_first_of("*?") == std::string::npos) {
        if (const Change* change = ChangeOf(pattern)) {
            return change->bytes ? Split(change->path).second : std::string();
        }
        return disk_.FirstMatch(pattern, kinds);
    }
    // A wildcard: the disk's answer while the run changed nothing there ("." and ".." are in
    // every folder), else the first of the names the run leaves that match.
    const std::string onDisk = disk_.FirstMatch(pattern, kinds);
    const std::string prefix = LowerCase(PathInFolder(folder, ""));
    const bool changedHere = std::any_of(changes_.begin(), changes_.end(), [&](const auto& entry) {
        return DirectlyIn(entry.first, prefix);
    });
    if (!changedHere || onDisk == "." || onDisk == "..") {
        return onDisk;
    }
    std::vector<std::string> names = ListFiles(folder, name);
    if (kinds == EntryKinds::FilesAndFolders) {
        for (const std::string& sub : ListFolders(folder)) {
            if (WildcardMatch(name, sub)) {
                names.push_back(sub);
            }
        }
    }
    if (!onDisk.empty() && std::find(names.begin(), names.end(), onDisk) != names.end()) {
        return onDisk;
    }
    return names.empty() ? std::string() : names.front();
}

}  // namespace galemend

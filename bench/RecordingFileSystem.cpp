#include "RecordingFileSystem.h"

#include <stdexcept>

namespace galemend {

namespace {

using Kind = FileOperation::Kind;

// The path under `to` when it lies under `from`, else the path unchanged.
std::string Rebased(const std::string& path, std::string_view from, std::string_view to) {
    if (path.compare(0, from.size(), from) != 0) {
        return path;
    }
    if (path.size() > from.size() && path[from.size()] != '/' && path[from.size()] != '\\') {
        return path;  // a sibling whose name merely starts the same way
    }
    return std::string(to) + path.substr(from.size());
}

void Make(FileSystem& fs, Kind kind, const std::string& path, const std::string& other,
          std::string_view bytes, EntryKinds entries) {
    switch (kind) {
        case Kind::Lookup:
            static_cast<void>(fs.FirstMatch(path, entries));
            break;
        case Kind::ListFolders:
            static_cast<void>(fs.ListFolders(path));
            break;
        case Kind::ListFiles:
            static_cast<void>(fs.ListFiles(path, other));
            break;
        case Kind::Read:
            static_cast<void>(fs.ReadFile(path));
            break;
        case Kind::Write:
            fs.WriteFile(path, bytes);
            break;
        case Kind::Rename:
            fs.Rename(path, other);
            break;
        case Kind::Remove:
            fs.Remove(path);
            break;
    }
}

}  // namespace

template <typename Call>
auto RecordingFileSystem::Logged(FileOperation operation, Call call) const {
    log_.push_back(std::move(operation));
    const size_t index = log_.size() - 1;
    try {
        return call();
    } catch (...) {
        log_[index].failed = true;
        throw;
    }
}

std::string RecordingFileSystem::ReadFile(const std::string& path) const {
    return Logged({Kind::Read, path, {}, {}}, [&] { return inner_.ReadFile(path); });
}

void RecordingFileSystem::WriteFile(const std::string& path, std::string_view bytes) {
    Logged({Kind::Write, path, {}, std::string(bytes)}, [&] { inner_.WriteFile(path, bytes); });
}

void RecordingFileSystem::Rename(const std::string& from, const std::string& to) {
    Logged({Kind::Rename, from, to, {}}, [&] { inner_.Rename(from, to); });
}

void RecordingFileSystem::Remove(const std::string& path) {
    Logged({Kind::Remove, path, {}, {}}, [&] { inner_.Remove(path); });
}

std::vector<std::string> RecordingFileSystem::ListFolders(const std::string& folder) const {
    return Logged({Kind::ListFolders, folder, {}, {}}, [&] { return inner_.ListFolders(folder); });
}

std::vector<std::string> RecordingFileSystem::ListFiles(const std::string& folder,
                                                        const std::string& pattern) const {
    return Logged({Kind::ListFiles, folder, pattern, {}},
                  [&] { return inner_.ListFiles(folder, pattern); });
}

std::string RecordingFileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    // The pattern has had its trailing-"\" rule applied, so the public lookup passes it on
    // unchanged; it never throws.
    return Logged({Kind::Lookup, pattern, {}, {}, kinds},
                  [&] { return inner_.FirstMatch(pattern, kinds); });
}

ReplayPlan::ReplayPlan(const std::vector<FileOperation>& log, std::string_view from,
                       std::string_view to) {
    steps_.reserve(log.size());
    for (const FileOperation& operation : log) {
        steps_.push_back({operation.kind, Rebased(operation.path, from, to),
                          Rebased(operation.other, from, to), operation.bytes, operation.entries,
                          operation.failed});
    }
}

void ReplayPlan::Run(FileSystem& fs) const {
    for (const Step& step : steps_) {
        bool failed = false;
        try {
            Make(fs, step.kind, step.path, step.other, step.bytes, step.entries);
        } catch (const std::exception&) {
            failed = true;
        }
        if (failed != step.failed) {
            throw std::logic_error("the replay went another way than the conversion at " +
                                   step.path);
        }
    }
}

}  // namespace galemend

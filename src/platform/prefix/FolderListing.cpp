#include "platform/prefix/FolderListing.h"

#include <dirent.h>
#include <sys/stat.h>
#include <sys/xattr.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <memory>

#include "platform/prefix/WineNames.h"

namespace galemend {

namespace {

struct DirCloser {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

EntryKind KindOfPath(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return EntryKind::Gone;
    }
    return S_ISDIR(info.st_mode) ? EntryKind::Folder : EntryKind::File;
}

// A generated short name always holds "~", so only such a name can be one.
bool MayBeShortName(std::u16string_view name) {
    return name.find(u'~') != std::u16string_view::npos && IsLegalShortName(name);
}

}  // namespace

unsigned StoredDosAttributes(const std::string& unixPath) {
    char value[kDosAttributeMaxBytes];
    const ssize_t length = ::getxattr(unixPath.c_str(), kDosAttributeName, value, sizeof value);
    return length < 0 ? 0 : DosAttributeBits(std::string_view(value, static_cast<size_t>(length)));
}

FolderListing::FolderListing(std::string unixPath, FileIdentity identity)
    : unixPath_(std::move(unixPath)), identity_(identity) {}

int FolderListing::Load(const PrefixDrives& drives) {
    const std::unique_ptr<DIR, DirCloser> dir(::opendir(unixPath_.c_str()));
    if (!dir) {
        return errno;
    }
    entries_.clear();
    byName_.clear();
    byUpperName_.clear();
    byShortName_.reset();
    for (;;) {
        errno = 0;
        const dirent* found = ::readdir(dir.get());
        if (found == nullptr) {
            break;
        }
        const char* name = found->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
            continue;
        }
        Entry entry;
        entry.name = name;
        entry.wide = Utf16Of(entry.name);
        const std::string path = unixPath_ + "/" + entry.name;
        switch (found->d_type) {
            case DT_DIR:
                entry.kind = EntryKind::Folder;
                break;
            case DT_LNK:
            case DT_UNKNOWN:
                entry.kind = KindOfPath(path);
                break;
            default:
                entry.kind = EntryKind::File;
        }
        if (drives.MayBeIgnored(entry.name)) {
            const auto identity = IdentityOf(path);
            entry.ignored = identity && drives.IsIgnored(*identity);
        }
        entries_.push_back(std::move(entry));
        Index(entries_.size() - 1);
    }
    if (errno != 0) {
        return errno;
    }
    loaded_ = true;
    return 0;
}

void FolderListing::Index(size_t at) {
    const Entry& entry = entries_[at];
    byName_[entry.name] = at;
    byUpperName_[WineUpper(entry.wide)].push_back(at);
    if (byShortName_) {
        const std::u16string& shortName = ShortName(entries_[at]);
        if (!shortName.empty()) {
            (*byShortName_)[shortName].push_back(at);
        }
    }
}

std::vector<size_t> FolderListing::CandidatesFor(std::string_view name) {
    const std::u16string upper = WineUpper(Utf16Of(name));
    std::vector<size_t> found;
    if (const auto same = byUpperName_.find(upper); same != byUpperName_.end()) {
        found = same->second;
    }
    if (MayBeShortName(upper)) {
        if (!byShortName_) {
            byShortName_.emplace();
            for (size_t at = 0; at < entries_.size(); ++at) {
                const std::u16string& shortName = ShortName(entries_[at]);
                if (!entries_[at].removed && !shortName.empty()) {
                    (*byShortName_)[shortName].push_back(at);
                }
            }
        }
        if (const auto same = byShortName_->find(upper); same != byShortName_->end()) {
            found.insert(found.end(), same->second.begin(), same->second.end());
        }
    }
    std::sort(found.begin(), found.end());
    found.erase(std::unique(found.begin(), found.end()), found.end());
    return found;
}

FolderListing::Entry* FolderListing::FindExact(std::string_view name) {
    const auto found = byName_.find(std::string(name));
    return found == byName_.end() ? nullptr : &entries_[found->second];
}

FolderListing::Entry* FolderListing::Find(std::string_view name) {
    if (Entry* exact = FindExact(name)) {
        return exact;
    }
    const std::vector<size_t> found = CandidatesFor(name);
    return found.empty() ? nullptr : &entries_[found.front()];
}

std::vector<FolderListing::Entry*> FolderListing::AllNamed(std::string_view name) {
    std::vector<Entry*> named;
    for (const size_t at : CandidatesFor(name)) {
        named.push_back(&entries_[at]);
    }
    return named;
}

bool FolderListing::IsInvisible(Entry& entry) const {
    if (!entry.invisible) {
        entry.invisible =
            IsDotHidden(entry.name) || StoredDosAttributes(unixPath_ + "/" + entry.name) != 0;
    }
    return *entry.invisible;
}

const std::u16string& FolderListing::ShortName(Entry& entry) const {
    if (!entry.shortName) {
        entry.shortName = ShortNameOf(entry.wide);
    }
    return *entry.shortName;
}

void FolderListing::Add(const std::string& name, EntryKind kind) {
    if (!loaded_ || byName_.count(name) != 0) {
        return;
    }
    Entry entry;
    entry.name = name;
    entry.wide = Utf16Of(name);
    entry.kind = kind;
    entries_.push_back(std::move(entry));
    Index(entries_.size() - 1);
}

void FolderListing::Remove(const std::string& name) {
    const auto found = byName_.find(name);
    if (found == byName_.end()) {
        return;
    }
    const size_t at = found->second;
    byName_.erase(found);
    Entry& entry = entries_[at];
    entry.removed = true;
    const auto drop = [at](std::unordered_map<std::u16string, std::vector<size_t>>& index,
                           const std::u16string& key) {
        const auto list = index.find(key);
        if (list != index.end()) {
            std::erase(list->second, at);
            if (list->second.empty()) {
                index.erase(list);
            }
        }
    };
    drop(byUpperName_, WineUpper(entry.wide));
    if (byShortName_ && entry.shortName && !entry.shortName->empty()) {
        drop(*byShortName_, *entry.shortName);
    }
}

}  // namespace galemend

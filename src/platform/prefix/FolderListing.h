#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "platform/prefix/PrefixDrives.h"

namespace galemend {

// What a folder entry is to a Windows program under Wine: a folder (a link to one too), a
// file (anything else that exists), or gone (a link that leads nowhere, which Wine's listings
// leave out).
enum class EntryKind { File, Folder, Gone };

// One folder's entries, read from the disk once and then kept right by the caller's own
// changes (Add, Remove), so that looking up many names that are not there costs one reading
// of the folder, not one per name. Lookups ignore case the way Wine's do.
class FolderListing {
  public:
    struct Entry {
        std::string name;     // as on the disk
        std::u16string wide;  // as Wine hands it out
        EntryKind kind = EntryKind::File;
        bool ignored = false;  // one of the folders Wine never lists
        bool removed = false;
        std::optional<bool> invisible;            // hidden or system; looked up when needed
        std::optional<std::u16string> shortName;  // made when needed
    };

    FolderListing(std::string unixPath, FileIdentity identity);

    const std::string& UnixPath() const { return unixPath_; }
    const FileIdentity& Identity() const { return identity_; }
    bool Loaded() const { return loaded_; }
    // Reads the folder: its entries in the order the system lists them. Returns 0, or the
    // errno of a folder that cannot be read.
    int Load(const PrefixDrives& drives);

    // The entry Wine's lookup of one path element finds (the listing must be loaded): the
    // name as written, else the first entry in the system's order whose name equals it
    // ignoring case or, for a legal 8.3 name, whose made-up short name equals it.
    Entry* Find(std::string_view name);
    Entry* FindExact(std::string_view name);
    // Every entry a mask without wildcards matches, in the system's order.
    std::vector<Entry*> AllNamed(std::string_view name);
    std::vector<Entry>& Entries() { return entries_; }

    // Hidden or system: a name starting with "." or the hidden or system bit stored by Wine.
    bool IsInvisible(Entry& entry) const;
    const std::u16string& ShortName(Entry& entry) const;

    // An entry made by a file operation of ours; its attributes are read from the disk.
    void Add(const std::string& name, EntryKind kind);
    void Remove(const std::string& name);

  private:
    std::vector<size_t> CandidatesFor(std::string_view name);
    void Index(size_t at);

    std::string unixPath_;
    FileIdentity identity_;
    bool loaded_ = false;
    std::vector<Entry> entries_;  // in the system's order; removed ones stay as markers
    std::unordered_map<std::string, size_t> byName_;
    std::unordered_map<std::u16string, std::vector<size_t>> byUpperName_;
    std::optional<std::unordered_map<std::u16string, std::vector<size_t>>> byShortName_;
};

// The hidden and system bits Wine stores for a Unix path (following links), or 0.
unsigned StoredDosAttributes(const std::string& unixPath);

}  // namespace galemend

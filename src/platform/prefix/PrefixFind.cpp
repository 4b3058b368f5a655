// The answers of FindFirstFileW and FindNextFileW under Wine: the entries of a folder a
// pattern matches, "." and ".." first, the rest in Wine's order.
#include "platform/prefix/PrefixFileSystem.h"

#include <optional>

#include "platform/RuntimeError.h"
#include "platform/prefix/WineNames.h"
#include "platform/prefix/WinePaths.h"

namespace galemend {

namespace {

[[noreturn]] void Fail(ErrorNumber number, const std::string& detail) {
    throw RuntimeError(number, detail);
}

std::string InFolder(const std::string& folder, const std::string& name) {
    if (!folder.empty() && folder.back() != '\\') {
        return folder + '\\' + name;
    }
    return folder + name;
}

}  // namespace

// What FindFirstFileW and FindNextFileW hand out for a pattern.
struct PrefixFileSystem::Found {
    struct Dot {
        std::string name;  // "." or ".."
        bool invisible;
    };
    std::optional<std::string> device;  // a DOS device answers for itself
    std::vector<Dot> dots;              // "." and "..", first, outside a drive's root
    FolderListing* folder = nullptr;
    std::vector<FolderListing::Entry*> entries;  // in no set order
};

PrefixFileSystem::Found PrefixFileSystem::Search(const std::string& pattern) const {
    Found found;
    if (const auto device = DosDeviceOf(pattern)) {
        // Wine answers with the device itself once the folder before it opens.
        const std::string before =
            pattern.substr(0, static_cast<size_t>(device->data() - pattern.data()));
        const auto folder = lookup_.FolderAt(lookup_.FullPath(before.empty() ? "." : before));
        if (folder.reach != PrefixLookup::Reach::Reached) {
            Fail(ErrorNumber::PathNotFound, pattern);
        }
        found.device = std::string(*device);
        return found;
    }
    const std::string full = lookup_.FullPath(pattern);
    const auto [folderPath, mask] = SplitFullPath(full);
    if (mask.empty()) {
        return found;  // a path ending in "\" matches nothing
    }
    if (HasInvalidElement(folderPath)) {
        Fail(ErrorNumber::BadFileName, pattern);
    }
    const auto folder = lookup_.FolderAt(folderPath);
    switch (folder.reach) {
        case PrefixLookup::Reach::Reached:
            break;
        case PrefixLookup::Reach::Unreadable:
            Fail(ErrorOfErrno(folder.error), pattern);
        case PrefixLookup::Reach::FileInTheWay:
            // Wine 8 answers ERROR_INVALID_NAME when the folder named is a file.
            Fail(ErrorNumber::BadFileName, pattern);
        default:
            Fail(ErrorNumber::PathNotFound, pattern);
    }
    FolderListing& listing = lookup_.Loaded(*folder.listing);
    found.folder = &listing;
    const std::u16string wideMask = Utf16Of(mask);
    const auto valid = [](const FolderListing::Entry& entry) {
        return !entry.removed && !entry.ignored && entry.kind != EntryKind::Gone;
    };
    if (mask.find_first_of("*?") == std::string::npos) {
        // A plain name: the entry spelt so, else the first one in Wine's order that has it.
        FolderListing::Entry* exact = listing.FindExact(mask);
        if (exact != nullptr && exact->kind != EntryKind::Gone) {
            if (!exact->ignored) {
                found.entries.push_back(exact);
            }
            return found;
        }
        FolderListing::Entry* first = nullptr;
        for (FolderListing::Entry* entry : listing.AllNamed(mask)) {
            if (valid(*entry) &&
                (first == nullptr || CompareListingNames(entry->wide, first->wide) < 0)) {
                first = entry;
            }
        }
        if (first != nullptr) {
            found.entries.push_back(first);
        }
        return found;
    }
    if (!IsRootPath(folderPath)) {
        for (const char* dot : {".", ".."}) {
            const std::string path = listing.UnixPath() + (dot[1] == '.' ? "/.." : "");
            const auto identity = IdentityOf(path);
            if (MaskMatches(wideMask, Utf16Of(dot)) && identity &&
                !lookup_.Drives().IsIgnored(*identity)) {
                found.dots.push_back({dot, StoredDosAttributes(path) != 0});
            }
        }
    }
    for (FolderListing::Entry& entry : listing.Entries()) {
        if (!valid(entry)) {
            continue;
        }
        if (MaskMatches(wideMask, entry.wide)) {
            found.entries.push_back(&entry);
        } else if (const std::u16string& shortName = listing.ShortName(entry);
                   !shortName.empty() && MaskMatches(wideMask, shortName)) {
            found.entries.push_back(&entry);
        }
    }
    return found;
}

std::string PrefixFileSystem::FindFirst(const std::string& pattern, EntryKinds kinds) const {
    Found found = Search(pattern);
    if (found.device) {
        return *found.device;
    }
    const bool folders = kinds == EntryKinds::FilesAndFolders;
    for (const Found::Dot& dot : found.dots) {
        if (folders && !dot.invisible) {
            return dot.name;
        }
    }
    // The first in Wine's order that counts; attributes are read only for the contenders.
    FolderListing::Entry* first = nullptr;
    for (FolderListing::Entry* entry : found.entries) {
        if ((!folders && entry->kind == EntryKind::Folder) ||
            (first != nullptr && CompareListingNames(entry->wide, first->wide) >= 0) ||
            found.folder->IsInvisible(*entry)) {
            continue;
        }
        first = entry;
    }
    return first == nullptr ? std::string() : first->name;
}

std::vector<std::string> PrefixFileSystem::ListFolders(const std::string& folder) const {
    Found found = Search(InFolder(folder, "*"));
    std::vector<std::string> names;
    for (FolderListing::Entry* entry : found.entries) {
        if (entry->kind == EntryKind::Folder && !found.folder->IsInvisible(*entry)) {
            names.push_back(entry->name);
        }
    }
    return names;
}

std::vector<std::string> PrefixFileSystem::ListFiles(const std::string& folder,
                                                     const std::string& pattern) const {
    Found found = Search(InFolder(folder, pattern));
    std::vector<std::string> names;
    if (found.device) {
        names.push_back(*found.device);
    }
    for (FolderListing::Entry* entry : found.entries) {
        if (entry->kind != EntryKind::Folder && !found.folder->IsInvisible(*entry)) {
            names.push_back(entry->name);
        }
    }
    return names;
}

}  // namespace galemend

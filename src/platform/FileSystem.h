#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/CodePage.h"
#include "text/Text.h"

namespace galemend {

// Which entries a first-match lookup may yield. Hidden and system entries never count.
enum class EntryKinds { FilesOnly, FilesAndFolders };

// The program's view of the disk. Paths and names are Windows-style UTF-8 text
// ("C:\Maps\Big.galaxy", or relative to the current folder), any length; contents are raw
// bytes. Hidden and system entries never count: lookups and listings leave them out.
// Failures of the operations that change or read a file are thrown as RuntimeError.
class FileSystem {
  public:
    virtual ~FileSystem() = default;

    // Name (not path) of the first entry the pattern matches, or empty. The last path
    // element may hold the wildcards * and ?. A path ending in "\" matches the folder's
    // contents; "folder\." names the folder itself. Never throws.
    std::string FirstMatch(std::string_view pattern, EntryKinds kinds) const;

    // Whole file content, read with one read.
    virtual std::string ReadFile(const std::string& path) const = 0;
    // The same into a buffer the caller reuses from file to file.
    virtual void ReadFileInto(const std::string& path, std::string& bytes) const {
        bytes = ReadFile(path);
    }
    // Creates the file (replacing an existing one) and writes the bytes.
    virtual void WriteFile(const std::string& path, std::string_view bytes) = 0;
    // Fails when the target exists already or the source is missing.
    virtual void Rename(const std::string& from, const std::string& to) = 0;
    virtual void Remove(const std::string& path) = 0;

    // Names of the visible subfolders of a folder, without "." and "..", in no set order.
    virtual std::vector<std::string> ListFolders(const std::string& folder) const = 0;
    // Names of the files of a folder that match the pattern, ignoring case, in no set order.
    // Hidden and system files are left out, as from the first-file lookup.
    virtual std::vector<std::string> ListFiles(const std::string& folder,
                                               const std::string& pattern) const = 0;

    // The order of names ascending, ignoring case, that lists show: negative, zero (equal
    // for the system) or positive. By default the text rule CompareNamesIgnoringCase.
    virtual int CompareNames(std::string_view a, std::string_view b) const;

  protected:
    // FirstMatch after the trailing-"\" rule has been applied.
    virtual std::string FindFirst(const std::string& pattern, EntryKinds kinds) const = 0;
};

// First-file lookup: the first ordinary file the path matches, or empty.
std::string FirstFile(const FileSystem& fs, std::string_view path);

// True when the path names a visible entry, folder or ordinary file; the last element may
// hold * and ?. "folder\." asks for the folder itself. Never throws: a path that cannot be
// examined (a drive that is not ready, a malformed name) answers false.
bool FolderExists(const FileSystem& fileSystem, const std::string& path);

// Reads a whole text file in the code page into lines split at CR LF. A missing file reads
// as eleven empty lines, one that cannot be read as a single empty line, an empty one as no
// lines.
LineList ReadTextLines(const FileSystem& fs, const std::string& path, const CodePage& codePage);

// The reading half of ReadTextLines: the file's bytes into a reused buffer, or else the
// lines that stand for a missing or unreadable file.
std::optional<LineList> ReadTextBytes(const FileSystem& fs, const std::string& path,
                                      std::string& bytes);

}  // namespace galemend

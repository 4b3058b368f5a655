#pragma once

#include <optional>
#include <string>
#include <string_view>

// How Wine 8 turns the path text a Windows program passes to the file functions into the
// full path it looks up (RtlGetFullPathName_U), before any folder is read. Paths are UTF-8;
// only ASCII separators, dots and blanks matter here.
namespace galemend {

// The full path "X:\..." of a path, relative to the current folder ("X:\..." too):
// "/" counts as "\", runs of "\" are one, "." and ".." elements are resolved (never above
// the drive's root), one dot is dropped from the end of each folder element ("a.\x" is
// "a\x", "a..\x" is "a.\x") and blanks and dots from the end of the last one. A drive
// relative path on another drive starts at that drive's root. A path given as "\\?\X:\..."
// is taken as it stands. Nothing for a path Wine cannot make full, or one on a network
// share ("\\server\share"), which no prefix serves.
std::optional<std::string> FullPathOf(std::string_view path, std::string_view currentFolder);

// Just the dot and blank rules of FullPathOf for a full path "X:\...".
std::string CollapsePath(std::string path);

// The DOS device a path names, as Wine recognises it in the last element whatever its
// folder and extension ("C:\Maps\con.galaxy" names "con"): AUX, CON, NUL, PRN, COM1-9 and
// LPT1-9 in any case. The answer is the device's part of the path text.
std::optional<std::string_view> DosDeviceOf(std::string_view path);

// Whether a path element holds a character no Windows name may hold: a control character or
// one of * ? < > | ".
bool HasInvalidNameCharacter(std::string_view element);
// Whether any element of a full path "X:\..." holds such a character.
bool HasInvalidElement(std::string_view fullPath);

// Whether a full path is the root of its drive ("X:\").
inline bool IsRootPath(std::string_view fullPath) {
    return fullPath.size() == 3;
}

}  // namespace galemend

#pragma once

#include <string>

#include "platform/FileSystem.h"
#include "platform/SystemProbe.h"

namespace galemend {

// Short label of the running Windows ("WinXP", "win7", ...); empty when the version query
// fails or the version has no label. Asks the platform afresh on every call.
std::string GetWindowsShortName(const SystemProbe& probe);

// Exactly Windows Vista (NT 6.0) / exactly Windows 7 (NT 6.1). False when the query fails.
bool IsWindowsVista(const SystemProbe& probe);
bool IsWindows7(const SystemProbe& probe);

// A 64-bit Windows: the NT family with a "program files (x86)" folder on the system drive
// (systemDrive is "C:" or the like, possibly empty). Asks afresh on every call.
bool Is64BitWindows(const SystemProbe& probe, const FileSystem& fileSystem,
                    const std::string& systemDrive);

// The user's local application-data folder, created when missing; empty after a failure,
// which a missing folder or a bad folder id also reports in a message.
std::string GetLocalAppDataPath(const SystemProbe& probe, Host& host);
// The user's documents folder, likewise.
std::string GetMyDocumentsPath(const SystemProbe& probe, Host& host);

// The folder of the running executable, ending in exactly one backslash.
std::string App_Path(const SystemProbe& probe);

// Product version of the executable at path, as four unsigned decimal numbers joined by
// full stops ("1.0.5.12"); empty when the file is missing, carries no version resource, or
// its fixed file information cannot be read whole.
std::string GetFileVersionString(const SystemProbe& probe, const std::string& path);

}  // namespace galemend

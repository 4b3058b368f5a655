#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace galemend {

// The platform's version record, as GetVersionExA fills it. Only these fields are read.
struct VersionRecord {
    bool succeeded = false;  // the query returned exactly 1
    std::uint32_t platformId = 0;
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
};

// What SHGetFolderPathW gave: its status code and its whole output buffer of 260 characters,
// NULs included, in UTF-8.
struct FolderPathAnswer {
    std::uint32_t status = 0;  // the HRESULT's bits: 0 found, 1 missing, 0x80070057 bad id
    std::string buffer;
};

// The raw answers of the running system, and nothing more: every rule built on them lives
// in plain functions (SystemFacts.h, Registry.h), so that a fake can stand in for the
// platform. Text is UTF-8: paths, registry values, environment, command line.
class SystemProbe {
  public:
    virtual ~SystemProbe() = default;

    // A fresh version query.
    virtual VersionRecord WindowsVersion() const = 0;
    // SHGetFolderPathW with no window, no token and flags 0 for the folder id.
    virtual FolderPathAnswer SpecialFolderPath(std::uint32_t folderId) const = 0;

    // Registry value named by "ROOT\Key\...\ValueName". Each throws RegistryError when the
    // registry refuses the operation (missing value, access denied, unknown type name).
    // A value that is not text is read as its text form.
    virtual std::string RegRead(const std::string& keyPath) const = 0;
    virtual void RegWrite(const std::string& keyPath, const std::string& value,
                          const std::string& type) = 0;
    virtual void RegDelete(const std::string& keyPath) = 0;

    // The root block of the file's version resource (the fixed file information, as many
    // bytes as the platform gave: empty when it could not be located), or nothing when the
    // file is missing or has no version resource.
    virtual std::optional<std::string> VersionRootBlock(const std::string& path) const = 0;

    // Empty when the variable is not set.
    virtual std::string EnvironmentVariable(const std::string& name) const = 0;
    // The command-line text after the program's own name.
    virtual std::string CommandLine() const = 0;
    // The folder of the running executable: no trailing backslash except at a drive root.
    virtual std::string ExecutableFolder() const = 0;

    // The process's current folder, or empty when it cannot be read.
    virtual std::string CurrentFolder() const = 0;

    // The number of the system's ANSI code page, the one file content is written in.
    virtual unsigned AnsiCodePage() const = 0;
};

// What the program does to the desktop it runs on. Headless tests record it instead. Text is
// UTF-8.
class Host {
  public:
    virtual ~Host() = default;

    // A modal message box with an OK button, captioned "galemend"; returns when it is closed.
    virtual void ShowMessage(const std::string& text) = 0;
    // Lets the window handle the events that are waiting (repaints, clicks), then returns.
    virtual void ProcessPendingEvents() = 0;
    // Redraws the program's windows at once.
    virtual void RepaintWindows() = 0;
    // Ends the process at once with this exit status; nothing is saved or unloaded.
    [[noreturn]] virtual void Terminate(unsigned exitStatus) = 0;
};

}  // namespace galemend

#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/SystemProbe.h"

namespace galemend::test {

// Thrown by FakeHost::Terminate in place of ending the process.
struct ProcessTerminated {
    unsigned exitStatus;
};

// Orders registry paths as the registry compares names: ignoring case, every letter.
struct IgnoringCase {
    bool operator()(const std::string& a, const std::string& b) const;
};

// A SystemProbe whose answers a test sets and which records what was asked of it.
// By default it is a 64-bit Windows 7 with the usual per-user folders and no registry values.
class FakeSystemProbe : public SystemProbe {
  public:
    FakeSystemProbe();

    // The answers.
    VersionRecord version{true, 2, 6, 1};
    // By folder id; an id not listed answers E_INVALIDARG, as for an unknown id.
    std::map<std::uint32_t, FolderPathAnswer> folders;
    // Values by key path. RegWrite accepts REG_SZ, REG_EXPAND_SZ, REG_DWORD and REG_BINARY.
    std::map<std::string, std::string, IgnoringCase> registry;
    bool registryRefuses = false;  // every registry operation fails, as when access is denied
    // Root blocks by file path; a path not listed has no version resource.
    std::map<std::string, std::optional<std::string>> versionBlocks;
    std::map<std::string, std::string> environment;
    std::string commandLine;
    std::string executableFolder = "C:\\Program Files\\galemend";

    // What was asked.
    mutable int versionQueries = 0;
    mutable std::vector<std::uint32_t> folderQueries;
    // "read PATH", "write PATH=VALUE (TYPE)", "delete PATH", in call order.
    mutable std::vector<std::string> registryCalls;

    VersionRecord WindowsVersion() const override;
    FolderPathAnswer SpecialFolderPath(std::uint32_t folderId) const override;
    std::string RegRead(const std::string& keyPath) const override;
    void RegWrite(const std::string& keyPath, const std::string& value,
                  const std::string& type) override;
    void RegDelete(const std::string& keyPath) override;
    std::optional<std::string> VersionRootBlock(const std::string& path) const override;
    std::string EnvironmentVariable(const std::string& name) const override;
    std::string CommandLine() const override;
    std::string ExecutableFolder() const override;
    std::string CurrentFolder() const override;
    unsigned AnsiCodePage() const override { return ansiCodePage; }

    std::string currentFolder;  // empty: the current folder cannot be read
    unsigned ansiCodePage = 1252;
};

// A Host that records what the program did to the desktop; Terminate throws
// ProcessTerminated.
class FakeHost : public Host {
  public:
    std::vector<std::string> messages;
    int pendingEventRounds = 0;
    int repaints = 0;

    void ShowMessage(const std::string& text) override { messages.push_back(text); }
    void ProcessPendingEvents() override { ++pendingEventRounds; }
    void RepaintWindows() override { ++repaints; }
    [[noreturn]] void Terminate(unsigned exitStatus) override {
        throw ProcessTerminated{exitStatus};
    }
};

// SHGetFolderPathW's answer for a found folder: status 0, the path in a NUL-filled buffer of
// 260 characters.
FolderPathAnswer FoundFolder(const std::string& path);

// A version resource's root block (52 bytes of fixed file information) with these product
// and file versions, each as its four numbers.
std::string FixedFileInfo(const std::array<std::uint16_t, 4>& productVersion,
                          const std::array<std::uint16_t, 4>& fileVersion = {0, 0, 0, 0});

}  // namespace galemend::test

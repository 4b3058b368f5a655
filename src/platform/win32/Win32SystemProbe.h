#pragma once

#include <string>

#include "platform/SystemProbe.h"

namespace galemend {

// SystemProbe on the Win32 API, as on Windows and under Wine: the W functions, their text
// converted to and from UTF-8 (only the version record comes from GetVersionExA). Registry
// work goes through the WScript.Shell object, created afresh for each operation, and falls
// back to the native registry functions when the object cannot be created or lacks the
// method.
class Win32SystemProbe : public SystemProbe {
  public:
    // The scripting host is the object registered under progId.
    explicit Win32SystemProbe(std::wstring progId = L"WScript.Shell");

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
    unsigned AnsiCodePage() const override;

  private:
    std::wstring progId_;
};

// The desktop of the running process: message boxes, its message queue, its windows.
class Win32Host : public Host {
  public:
    void ShowMessage(const std::string& text) override;
    void ProcessPendingEvents() override;
    void RepaintWindows() override;
    [[noreturn]] void Terminate(unsigned exitStatus) override;
};

}  // namespace galemend

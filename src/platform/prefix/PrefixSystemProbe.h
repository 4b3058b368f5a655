#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/SystemProbe.h"
#include "platform/prefix/LocaleCodePage.h"
#include "platform/prefix/PeVersion.h"
#include "platform/prefix/ProcessorFacts.h"
#include "platform/prefix/ShellFolders.h"
#include "platform/prefix/WineEnvironment.h"
#include "platform/prefix/WineRegistry.h"

namespace galemend {

// What the program would be started with under Wine.
struct PrefixProcess {
    std::string executablePath;  // as GetModuleFileNameW gives it: "Z:\...\galemend3.exe"
    std::string arguments;       // the command line after the program's name
    std::string currentFolder;   // as GetCurrentDirectoryW gives it
};

// What Wine takes from the Unix side when it starts the program.
struct PrefixHost {
    std::vector<std::string> unixEnvironment;  // "NAME=value"
    LocaleVariables locale;
    // The processor wineboot writes the processor variables for; with none, those of the
    // registry file stay.
    std::optional<ProcessorSignature> processor;
    unsigned processorCount = 1;
    ResourceLanguages languages;  // of version resources in several languages

    // This process's environment and locale, the processor it runs on.
    static PrefixHost OfThisProcess();
};

// SystemProbe on a Wine prefix's own files with no Wine running: every answer is the one
// Wine 8 gives galemend3.exe (64-bit; in a 32-bit prefix, the 32-bit build) started in that
// prefix from this Unix process. Nothing here writes the registry files.
class PrefixSystemProbe : public SystemProbe {
  public:
    // Reads the prefix's system.reg and user.reg (throws RegistryFileError naming the file
    // that cannot be used) and starts the session as wineboot does: the user's profile,
    // AppData\Roaming and AppData\Local folders are created when missing, and the
    // environment is built from the registry, host.unixEnvironment and the processor.
    static PrefixSystemProbe Open(const std::string& prefixFolder, PrefixProcess process,
                                  UnixPathMapper unixPathOf,
                                  PrefixHost host = PrefixHost::OfThisProcess());

    VersionRecord WindowsVersion() const override;
    // A missing folder asked for with CSIDL_FLAG_CREATE is created in the prefix, as Wine
    // creates it.
    FolderPathAnswer SpecialFolderPath(std::uint32_t folderId) const override;

    std::string RegRead(const std::string& keyPath) const override;
    // Both throw RegistryError: the prefix's registry is never written.
    void RegWrite(const std::string& keyPath, const std::string& value,
                  const std::string& type) override;
    void RegDelete(const std::string& keyPath) override;

    std::optional<std::string> VersionRootBlock(const std::string& path) const override;

    std::string EnvironmentVariable(const std::string& name) const override;
    std::string CommandLine() const override;
    std::string ExecutableFolder() const override;
    std::string CurrentFolder() const override;
    unsigned AnsiCodePage() const override;

    const WineRegistry& Registry() const { return registry_; }
    const ProcessEnvironment& Environment() const { return environment_; }
    // Files the probe could not read as Wine would have, each "path: reason": a broken
    // executable, whose version Wine finds none of and neither does the probe.
    const std::vector<std::string>& Problems() const { return problems_; }

  private:
    PrefixSystemProbe(WineRegistry registry, PrefixProcess process, UnixPathMapper unixPathOf,
                      PrefixHost host);
    ShellFolders Folders() const;

    WineRegistry registry_;
    PrefixProcess process_;
    UnixPathMapper unixPathOf_;
    PrefixHost host_;
    std::string home_;
    ProcessEnvironment environment_;
    VersionRecord version_;
    mutable std::vector<std::string> problems_;
};

}  // namespace galemend

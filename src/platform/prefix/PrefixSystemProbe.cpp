#include "platform/prefix/PrefixSystemProbe.h"

#include <pwd.h>
#include <unistd.h>

#include <utility>

#include "platform/Registry.h"
#include "platform/RuntimeError.h"
#include "platform/prefix/WineVersion.h"
#include "text/Text.h"

extern char** environ;

namespace galemend {

namespace {

constexpr std::string_view kMachineEnvironment =
    "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment";
constexpr std::string_view kVolatileEnvironment = "HKCU\\Volatile Environment";

bool Succeeded(std::uint32_t status) {
    return status < 0x80000000u;
}

std::string PathIn(const FolderPathAnswer& answer) {
    return answer.buffer.substr(0, answer.buffer.find('\0'));
}

// The Unix home Wine's processes see: HOME, else the password database's.
std::string HomeFolder(const std::vector<std::string>& unixEnvironment) {
    if (const auto home = UnixVariable(unixEnvironment, "HOME")) {
        return *home;
    }
    const passwd* entry = ::getpwuid(::getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "";
}

// The values wineboot writes to Volatile Environment when the session starts, with the
// folders it asks for made as it makes them.
void StartSession(const ShellFolders& folders, const ProcessEnvironment& bootEnvironment,
                  std::vector<EnvironmentValue>& values) {
    const auto set = [&](const char* name, const std::string& text) {
        SetEnvironmentValue(values, name, text);
    };
    const FolderPathAnswer appData = folders.Answer(kCsidlAppData | kCsidlFlagCreate);
    if (Succeeded(appData.status)) {
        set("APPDATA", PathIn(appData));
    }
    set("CLIENTNAME", "Console");
    const FolderPathAnswer profile = folders.Answer(kCsidlProfile | kCsidlFlagCreate);
    if (Succeeded(profile.status)) {
        const std::string path = PathIn(profile);
        set("USERPROFILE", path);
        set("HOMEPATH", path.size() > 2 ? path.substr(2) : "");
        set("HOMEDRIVE", path.substr(0, 2));
    }
    const std::string user = bootEnvironment.Find("WINEUSERNAME").value_or("");
    if (!user.empty()) {
        set("USERNAME", user);
    }
    set("HOMESHARE", "");
    const FolderPathAnswer local = folders.Answer(kCsidlLocalAppData | kCsidlFlagCreate);
    if (Succeeded(local.status)) {
        set("LOCALAPPDATA", PathIn(local));
    }
    set("SESSIONNAME", "Console");
}

}  // namespace

PrefixHost PrefixHost::OfThisProcess() {
    PrefixHost host;
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry) {
        host.unixEnvironment.emplace_back(*entry);
    }
    host.locale = ProcessLocaleVariables();
    host.processor = LiveProcessorSignature();
    host.processorCount = LiveProcessorCount();
    return host;
}

PrefixSystemProbe PrefixSystemProbe::Open(const std::string& prefixFolder, PrefixProcess process,
                                          UnixPathMapper unixPathOf, PrefixHost host) {
    return PrefixSystemProbe(WineRegistry::FromPrefix(prefixFolder), std::move(process),
                             std::move(unixPathOf), std::move(host));
}

PrefixSystemProbe::PrefixSystemProbe(WineRegistry registry, PrefixProcess process,
                                     UnixPathMapper unixPathOf, PrefixHost host)
    : registry_(std::move(registry)),
      process_(std::move(process)),
      unixPathOf_(std::move(unixPathOf)),
      host_(std::move(host)),
      home_(HomeFolder(host_.unixEnvironment)) {
    EnvironmentSources sources;
    sources.registry = &registry_;
    sources.unixEnvironment = host_.unixEnvironment;
    sources.userName = WineUserName(host_.unixEnvironment);
    sources.machineAfterBoot = EnvironmentValuesOf(registry_.FindKey(kMachineEnvironment));
    if (host_.processor) {
        const ProcessorFacts facts =
            WinebootProcessorFacts(*host_.processor, host_.processorCount, registry_.Arch());
        for (const auto& [name, text] : {std::pair{"NUMBER_OF_PROCESSORS", facts.count},
                                         {"PROCESSOR_ARCHITECTURE", facts.architecture},
                                         {"PROCESSOR_IDENTIFIER", facts.identifier},
                                         {"PROCESSOR_LEVEL", facts.level},
                                         {"PROCESSOR_REVISION", facts.revision}}) {
            SetEnvironmentValue(sources.machineAfterBoot, name, text);
        }
    }
    sources.volatileAfterBoot = EnvironmentValuesOf(registry_.FindKey(kVolatileEnvironment));

    const ProcessEnvironment bootEnvironment = EnvironmentBeforeBoot(sources);
    StartSession(ShellFolders(registry_, bootEnvironment, unixPathOf_, home_), bootEnvironment,
                 sources.volatileAfterBoot);
    environment_ = ProgramEnvironment(sources, registry_.Arch());

    const std::string_view path = process_.executablePath;
    const std::size_t cut = path.find_last_of("/\\");
    version_ = VersionSeenByProgram(WineRegistryVersion(
        registry_, cut == std::string_view::npos ? path : path.substr(cut + 1)));
}

ShellFolders PrefixSystemProbe::Folders() const {
    return ShellFolders(registry_, environment_, unixPathOf_, home_);
}

VersionRecord PrefixSystemProbe::WindowsVersion() const {
    return version_;
}

FolderPathAnswer PrefixSystemProbe::SpecialFolderPath(std::uint32_t folderId) const {
    return Folders().Answer(folderId);
}

std::string PrefixSystemProbe::RegRead(const std::string& keyPath) const {
    return registry_.Read(keyPath,
                          [this](const std::string& text) { return environment_.Expand(text); });
}

void PrefixSystemProbe::RegWrite(const std::string& keyPath, const std::string&,
                                 const std::string&) {
    throw RegistryError(keyPath + ": the prefix's registry is never written");
}

void PrefixSystemProbe::RegDelete(const std::string& keyPath) {
    throw RegistryError(keyPath + ": the prefix's registry is never written");
}

std::optional<std::string> PrefixSystemProbe::VersionRootBlock(const std::string& path) const {
    std::string unixPath;
    try {
        unixPath = unixPathOf_(path);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
    try {
        return VersionRootBlockOfFile(unixPath, host_.languages);
    } catch (const PeFormatError& error) {
        problems_.push_back(path + ": " + error.Reason());
        return std::nullopt;
    }
}

std::string PrefixSystemProbe::EnvironmentVariable(const std::string& name) const {
    return environment_.Find(name).value_or("");
}

std::string PrefixSystemProbe::CommandLine() const {
    return process_.arguments;
}

std::string PrefixSystemProbe::ExecutableFolder() const {
    return FolderOfModule(process_.executablePath);
}

std::string PrefixSystemProbe::CurrentFolder() const {
    return process_.currentFolder;
}

unsigned PrefixSystemProbe::AnsiCodePage() const {
    return WineAnsiCodePage(host_.locale);
}

}  // namespace galemend

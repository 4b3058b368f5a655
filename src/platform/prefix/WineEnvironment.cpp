#include "platform/prefix/WineEnvironment.h"

#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <array>

#include "text/Text.h"

namespace galemend {

namespace {

bool SameName(std::string_view a, std::string_view b) {
    return FoldedName(Utf16FromUtf8(a)) == FoldedName(Utf16FromUtf8(b));
}

bool StartsWith(std::string_view text, std::string_view head) {
    return text.substr(0, head.size()) == head;
}

// Unix variables Wine keeps out of the Windows block, taking WINE<name> in their place.
bool IsSpecialUnixVariable(std::string_view entry) {
    constexpr std::array<std::string_view, 7> kSpecial{
        "PATH=", "PWD=", "HOME=", "TEMP=", "TMP=", "QT_", "VK_"};
    return std::any_of(kSpecial.begin(), kSpecial.end(),
                       [&](std::string_view head) { return StartsWith(entry, head); });
}

// Wine's own variables, which it sets afresh for every process.
bool IsDynamicVariable(std::string_view entry) {
    constexpr std::array<std::string_view, 13> kDynamic{
        "WINEDLLOVERRIDES=", "WINEDATADIR=",  "WINEHOMEDIR=",        "WINEBUILDDIR=",
        "WINECONFIGDIR=",    "WINELOADER=",   "WINEDLLDIR",          "WINEUNIXCP=",
        "WINEUSERLOCALE=",   "WINEUSERNAME=", "WINEPRELOADRESERVE=", "WINELOADERNOEXEC=",
        "WINESERVERSOCKET="};
    return std::any_of(kDynamic.begin(), kDynamic.end(),
                       [&](std::string_view head) { return StartsWith(entry, head); });
}

// The Unix block, then the variables Wine sets for each process. Of Wine's own, only those a
// program may read as text are kept: the user name, the loader and the DLL overrides; the
// NT names of Wine's install folders are left out.
ProcessEnvironment InitialEnvironment(const EnvironmentSources& sources) {
    ProcessEnvironment env;
    for (std::string_view entry : sources.unixEnvironment) {
        if (StartsWith(entry, "WINE") && IsSpecialUnixVariable(entry.substr(4))) {
            entry.remove_prefix(4);
        } else if (IsSpecialUnixVariable(entry)) {
            continue;
        }
        // Copied as they come: a name spelt twice stays twice, the first one found.
        const std::size_t equals = entry.find('=', 1);
        if (!IsDynamicVariable(entry) && equals != std::string_view::npos) {
            env.Append(std::string(entry.substr(0, equals)), std::string(entry.substr(equals + 1)));
        }
    }
    for (const char* name : {"WINELOADER", "WINEDLLOVERRIDES"}) {
        env.Set(name, UnixVariable(sources.unixEnvironment, name));
    }
    env.Set("WINEUSERNAME", sources.userName);
    env.Set("SystemDrive", "C:");
    env.Set("SystemRoot", "C:\\windows");
    return env;
}

// One key's values as variables: empty ones skipped, expandable ones expanded with what is
// set so far, PATH appended to the one there is.
void AddVariables(ProcessEnvironment& env, const std::vector<EnvironmentValue>& values) {
    for (const EnvironmentValue& value : values) {
        if (value.text.empty()) {
            continue;
        }
        std::string text = value.type == kRegExpandSz ? env.Expand(value.text) : value.text;
        if (SameName(value.name, "PATH")) {
            if (const auto path = env.Find("PATH")) {
                text = *path + ";" + text;
            }
        }
        env.Set(value.name, std::move(text));
    }
}

// A value read on its own: empty data leaves the variable alone, an expandable one is expanded.
std::optional<std::string> SingleValue(const ProcessEnvironment& env, const RegistryKey* key,
                                       std::u16string_view name) {
    const RegistryKey::Value* value = key == nullptr ? nullptr : key->FindValue(name);
    if (value == nullptr || value->data.bytes.empty()) {
        return std::nullopt;
    }
    const std::string text = RegistryText(value->data.bytes);
    return value->data.type == kRegExpandSz ? env.Expand(text) : text;
}

void AddRegistryEnvironment(ProcessEnvironment& env, const EnvironmentSources& sources,
                            bool afterBoot) {
    const WineRegistry& registry = *sources.registry;
    constexpr std::string_view kMachine =
        "HKLM\\System\\CurrentControlSet\\Control\\Session Manager\\Environment";
    AddVariables(env, afterBoot ? sources.machineAfterBoot
                                : EnvironmentValuesOf(registry.FindKey(kMachine)));
    AddVariables(env, EnvironmentValuesOf(registry.FindKey("HKCU\\Environment")));
    AddVariables(env, afterBoot
                          ? sources.volatileAfterBoot
                          : EnvironmentValuesOf(registry.FindKey("HKCU\\Volatile Environment")));

    const RegistryKey* profiles =
        registry.FindKey("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList");
    if (const auto data = SingleValue(env, profiles, u"ProgramData")) {
        env.Set("ALLUSERSPROFILE", *data);
        env.Set("ProgramData", *data);
    }
    if (const auto publicFolder = SingleValue(env, profiles, u"PUBLIC")) {
        env.Set("PUBLIC", *publicFolder);
    }

    // With an "(x86)" folder the plain one becomes the 64-bit name; without, the only name.
    const RegistryKey* current =
        registry.FindKey("HKLM\\Software\\Microsoft\\Windows\\CurrentVersion");
    const auto folders = [&](std::u16string_view x86Value, std::u16string_view plainValue,
                             const char* x86Name, const char* name64, const char* plainName) {
        if (const auto x86 = SingleValue(env, current, x86Value)) {
            env.Set(x86Name, *x86);
            if (const auto plain = SingleValue(env, current, plainValue)) {
                env.Set(name64, *plain);
            }
        } else if (const auto plain = SingleValue(env, current, plainValue)) {
            env.Set(plainName, *plain);
        }
    };
    folders(u"ProgramFilesDir (x86)", u"ProgramFilesDir", "ProgramFiles(x86)", "ProgramW6432",
            "ProgramFiles");
    folders(u"CommonFilesDir (x86)", u"CommonFilesDir", "CommonProgramFiles(x86)",
            "CommonProgramW6432", "CommonProgramFiles");
}

}  // namespace

std::optional<std::string> ProcessEnvironment::Find(std::string_view name) const {
    for (const auto& [entryName, value] : entries_) {
        if (SameName(entryName, name)) {
            return value;
        }
    }
    return std::nullopt;
}

void ProcessEnvironment::Set(std::string_view name, std::optional<std::string> value) {
    const auto found = std::find_if(entries_.begin(), entries_.end(),
                                    [&](const auto& entry) { return SameName(entry.first, name); });
    if (found != entries_.end()) {
        entries_.erase(found);
    }
    if (value) {
        entries_.emplace_back(std::string(name), std::move(*value));
    }
}

void ProcessEnvironment::Append(std::string name, std::string value) {
    entries_.emplace_back(std::move(name), std::move(value));
}

std::string ProcessEnvironment::Expand(std::string_view text) const {
    std::string out;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t open = text.find('%', at);
        out += text.substr(at, open - at);
        if (open == std::string_view::npos) {
            break;
        }
        const std::size_t close = text.find('%', open + 1);
        if (close == std::string_view::npos) {
            out += text.substr(open);
            break;
        }
        const auto value = Find(text.substr(open + 1, close - open - 1));
        out += value ? std::string_view(*value) : text.substr(open, close - open + 1);
        at = close + 1;
    }
    return out;
}

std::string RegistryText(std::string_view bytes) {
    std::u16string units(bytes.size() / 2, u'\0');
    for (std::size_t i = 0; i < units.size(); ++i) {
        units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                         static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return Utf8FromUtf16(units.substr(0, units.find(u'\0')));
}

std::vector<EnvironmentValue> EnvironmentValuesOf(const RegistryKey* key) {
    std::vector<EnvironmentValue> values;
    if (key == nullptr) {
        return values;
    }
    for (const auto& [folded, value] : key->Values()) {
        values.push_back(
            {Utf8FromUtf16(value.name), value.data.type, RegistryText(value.data.bytes)});
    }
    return values;
}

void SetEnvironmentValue(std::vector<EnvironmentValue>& values, const std::string& name,
                         const std::string& text) {
    const std::u16string folded = FoldedName(Utf16FromUtf8(name));
    const auto at = std::find_if(values.begin(), values.end(), [&](const EnvironmentValue& v) {
        return FoldedName(Utf16FromUtf8(v.name)) >= folded;
    });
    if (at != values.end() && FoldedName(Utf16FromUtf8(at->name)) == folded) {
        at->type = kRegSz;
        at->text = text;
    } else {
        values.insert(at, {name, kRegSz, text});
    }
}

ProcessEnvironment EnvironmentBeforeBoot(const EnvironmentSources& sources) {
    ProcessEnvironment env = InitialEnvironment(sources);
    AddRegistryEnvironment(env, sources, false);
    return env;
}

ProcessEnvironment ProgramEnvironment(const EnvironmentSources& sources, PrefixArch arch) {
    ProcessEnvironment env = EnvironmentBeforeBoot(sources);
    // PATH as it was before the registry's: WINEPATH from Unix, if any.
    env.Set("PATH", InitialEnvironment(sources).Find("PATH"));
    AddRegistryEnvironment(env, sources, true);

    const bool win64 = arch == PrefixArch::Win64;
    if (win64) {
        if (const auto native = env.Find("PROCESSOR_ARCHITEW6432")) {
            env.Set("PROCESSOR_ARCHITECTURE", *native);
            env.Set("PROCESSOR_ARCHITEW6432", std::nullopt);
        }
    }
    if (const auto folder = env.Find(win64 ? "ProgramW6432" : "ProgramFiles(x86)")) {
        env.Set("ProgramFiles", *folder);
    }
    if (const auto folder = env.Find(win64 ? "CommonProgramW6432" : "CommonProgramFiles(x86)")) {
        env.Set("CommonProgramFiles", *folder);
    }
    return env;
}

std::optional<std::string> UnixVariable(const std::vector<std::string>& unixEnvironment,
                                        std::string_view name) {
    for (const std::string& entry : unixEnvironment) {
        if (entry.size() > name.size() && StartsWith(entry, name) && entry[name.size()] == '=') {
            return entry.substr(name.size() + 1);
        }
    }
    return std::nullopt;
}

std::string WineUserName(const std::vector<std::string>& unixEnvironment) {
    std::string name = UnixVariable(unixEnvironment, "USER").value_or("");
    if (!UnixVariable(unixEnvironment, "USER")) {
        const passwd* entry = ::getpwuid(::getuid());
        name = entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "wine";
    }
    for (const char separator : {'/', '\\'}) {
        if (const std::size_t cut = name.rfind(separator); cut != std::string::npos) {
            name.erase(0, cut + 1);
        }
    }
    return name;
}

}  // namespace galemend

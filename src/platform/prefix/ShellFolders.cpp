#include "platform/prefix/ShellFolders.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <stdexcept>
#include <utility>

#include "platform/RuntimeError.h"
#include "text/Text.h"

namespace galemend {

namespace {

constexpr std::size_t kMaxPath = 260;       // characters of a path buffer, its NUL included
constexpr std::uint32_t kFolderIds = 0x73;  // the ids in Wine's folder table
constexpr std::uint32_t kOk = 0;
constexpr std::uint32_t kFail = 0x80004005;             // E_FAIL
constexpr std::uint32_t kInvalidArgument = 0x80070057;  // E_INVALIDARG
constexpr std::uint32_t kFileNotFound = 0x80070002;
constexpr std::uint32_t kBufferTooSmall = 0x8007007A;  // E_NOT_SUFFICIENT_BUFFER

struct UserFolder {
    std::uint32_t id;
    std::u16string_view valueName;  // in User Shell Folders
    std::string_view relative;      // below the profile, by default
};
constexpr std::array<UserFolder, 4> kUserFolders{{
    {kCsidlPersonal, u"Personal", "Documents"},
    {kCsidlAppData, u"AppData", "AppData\\Roaming"},
    {kCsidlLocalAppData, u"Local AppData", "AppData\\Local"},
    {kCsidlProfile, u"{5E6C858F-0E22-4760-9AFE-EA3317B67173}", ""},
}};

constexpr std::string_view kShellFolderKeys =
    "\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\";

std::size_t Units(std::string_view text) {
    return Utf16FromUtf8(text).size();
}

bool StartsIgnoringCase(std::string_view text, std::string_view head) {
    return text.size() >= head.size() && EqualIgnoringCase(text.substr(0, head.size()), head);
}

bool IsFolder(const std::string& unixPath) {
    struct stat info {};
    return ::stat(unixPath.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

}  // namespace

struct ShellFolders::Expanded {
    std::uint32_t status = kOk;
    std::string path;
};

ShellFolders::ShellFolders(const WineRegistry& registry, const ProcessEnvironment& environment,
                           UnixPathMapper unixPathOf, std::string home)
    : registry_(registry),
      environment_(environment),
      unixPathOf_(std::move(unixPathOf)),
      home_(std::move(home)) {}

std::optional<std::string> ShellFolders::ShellFolderValue(const RegistryKey* key,
                                                          std::u16string_view name) const {
    const RegistryKey::Value* value = key == nullptr ? nullptr : key->FindValue(name);
    // Read into a buffer of MAX_PATH characters: a longer value is not read.
    if (value == nullptr || (value->data.type != kRegSz && value->data.type != kRegExpandSz) ||
        value->data.bytes.size() > 2 * kMaxPath) {
        return std::nullopt;
    }
    return RegistryText(value->data.bytes);
}

// The folder's path before the last expansion: User Shell Folders of the user, else of the
// machine (an expandable value starting with "%" expanded once already), else the profile
// and the folder's place in it.
std::string ShellFolders::UnexpandedPath(std::uint32_t folder) const {
    const auto entry = std::find_if(kUserFolders.begin(), kUserFolders.end(),
                                    [&](const UserFolder& f) { return f.id == folder; });
    for (const char* root : {"HKCU", "HKLM"}) {
        const RegistryKey* key = registry_.FindKey(
            std::string(root) + std::string(kShellFolderKeys) + "User Shell Folders");
        if (const auto path = ShellFolderValue(key, entry->valueName)) {
            const bool expandable = key->FindValue(entry->valueName)->data.type == kRegExpandSz;
            return expandable && path->substr(0, 1) == "%" ? ExpandShellPath(*path).path : *path;
        }
    }
    return entry->relative.empty() ? "%USERPROFILE%"
                                   : "%USERPROFILE%\\" + std::string(entry->relative);
}

// Wine's own expansion of a folder path: the profile variables taken from the registry
// (USERPROFILE as the profiles folder and Wine's user name, ALLUSERSPROFILE and PUBLIC as the
// Public folder, ProgramData, SystemDrive as C:), each only at the start, again while the
// text starts with "%"; any other variable from the environment.
ShellFolders::Expanded ShellFolders::ExpandShellPath(std::string text) const {
    if (text.substr(0, 1) != "%") {
        return {kOk, text};
    }
    const RegistryKey* profiles =
        registry_.FindKey("HKLM\\Software\\Microsoft\\Windows NT\\CurrentVersion\\ProfileList");
    // A profile value that is missing or empty is taken from its default.
    const auto profileValue = [&](std::u16string_view name, const std::string& fallback) {
        const std::string value = ShellFolderValue(profiles, name).value_or("");
        return value.empty() ? fallback : value;
    };
    const std::string profilesFolder = profileValue(u"ProfilesDirectory", "C:\\users");

    Expanded result;
    // Each round consumes what it expands; a loop of variables naming each other would never
    // end under Wine, here it stops.
    for (int round = 0; round < 64 && text.substr(0, 1) == "%"; ++round) {
        std::string& dest = result.path;
        if (StartsIgnoringCase(text, "%ALLUSERSPROFILE%") || StartsIgnoringCase(text, "%PUBLIC%")) {
            // These append to what an earlier round left, as Wine's do.
            const std::size_t length = text.find('%', 1) + 1;
            dest = ShellPathAppend(dest, profileValue(u"Public", "C:\\users\\Public"));
            dest = ShellPathAppend(dest, text.substr(length));
        } else if (StartsIgnoringCase(text, "%ProgramData%")) {
            const std::string data = profileValue(
                u"ProgramData",
                ShellFolderValue(
                    registry_.FindKey("HKLM" + std::string(kShellFolderKeys) + "Shell Folders"),
                    u"Common AppData")
                    .value_or("C:\\ProgramData"));
            dest = ShellPathAppend(ShellPathAppend(dest, data), text.substr(13));
        } else if (StartsIgnoringCase(text, "%USERPROFILE%")) {
            const std::string user = environment_.Find("WINEUSERNAME").value_or("");
            dest = ShellPathAppend(ShellPathAppend(profilesFolder, user), text.substr(13));
        } else if (StartsIgnoringCase(text, "%SystemDrive%")) {
            // The character after the name is taken to be a backslash.
            dest = "C:\\" + (text.size() > 14 ? text.substr(14) : std::string());
        } else {
            dest = environment_.Expand(text);
            if (Units(dest) + 1 > kMaxPath) {
                result.status = kBufferTooSmall;
                return result;
            }
            if (dest == text) {
                break;
            }
        }
        text = dest;
    }
    return result;
}

std::optional<std::string> ShellFolders::UnixPath(const std::string& path) const {
    try {
        return unixPathOf_(path);
    } catch (const RuntimeError&) {
    }
    // The mapper may not know folders made here since it read their parent: below a folder
    // that is there, the rest is taken as written.
    const std::size_t cut = path.rfind('\\');
    if (cut == std::string::npos || cut < 3) {
        return std::nullopt;
    }
    const auto parent = UnixPath(path.substr(0, cut));
    if (!parent || !IsFolder(*parent)) {
        return std::nullopt;
    }
    return *parent + "/" + path.substr(cut + 1);
}

bool ShellFolders::Exists(const std::string& path) const {
    const auto unixPath = UnixPath(path);
    struct stat info {};
    return unixPath && ::stat(unixPath->c_str(), &info) == 0;
}

// A missing Documents folder becomes a link to the first of the desktop's documents folder,
// ~/Documents and ~ that is a folder, when its parent folder is there.
void ShellFolders::LinkDocuments(const std::string& path) const {
    const auto unixPath = UnixPath(path);
    if (!unixPath) {
        return;
    }
    const std::string& folder = *unixPath;
    const std::size_t slash = folder.find_last_of('/');
    if (slash == std::string::npos || !IsFolder(slash == 0 ? "/" : folder.substr(0, slash))) {
        return;
    }
    const std::optional<std::string> configHome = environment_.Find("XDG_CONFIG_HOME");
    const std::string config = configHome && configHome->substr(0, 1) == "/"
                                   ? *configHome + "/user-dirs.dirs"
                                   : home_ + "/.config/user-dirs.dirs";
    std::vector<std::string> targets;
    if (const auto xdg = XdgUserFolder(config, "XDG_DOCUMENTS_DIR")) {
        targets.push_back(*xdg);
    }
    targets.insert(targets.end(), {"$HOME/Documents", "$HOME"});
    for (std::string target : targets) {
        if (target == "$HOME" || target.substr(0, 6) == "$HOME/") {
            target = home_ + target.substr(5);
        }
        if (IsFolder(target)) {
            ::unlink(folder.c_str());  // a link that leads nowhere
            // Made or not, the folder is created next if it is still missing.
            static_cast<void>(::symlink(target.c_str(), folder.c_str()));
            return;
        }
    }
}

// SHCreateDirectoryExW: the folder, else each folder on its way down to it; the last answer
// counts, a folder already there being no failure.
bool ShellFolders::CreateFolders(const std::string& path) const {
    const auto make = [&](const std::string& windowsPath) {
        const auto unixPath = UnixPath(windowsPath);
        return unixPath && (::mkdir(unixPath->c_str(), 0777) == 0 || errno == EEXIST);
    };
    if (path.size() < 3 || path[1] != ':' || path[2] != '\\') {
        return false;
    }
    if (make(path)) {
        return true;
    }
    bool made = false;
    for (std::size_t at = 3; at <= path.size(); ++at) {
        if (at == path.size() || path[at] == '\\') {
            made = make(path.substr(0, at));
        }
    }
    return made;
}

FolderPathAnswer ShellFolders::Answer(std::uint32_t folderId) const {
    const std::uint32_t folder = folderId & 0xFF;
    FolderPathAnswer answer{kInvalidArgument, std::string(kMaxPath, '\0')};
    if (folder >= kFolderIds) {
        return answer;
    }
    if (std::none_of(kUserFolders.begin(), kUserFolders.end(),
                     [&](const UserFolder& f) { return f.id == folder; })) {
        throw std::invalid_argument("special folder " + std::to_string(folder) +
                                    " is not answered from a prefix");
    }
    const Expanded expanded = ExpandShellPath(UnexpandedPath(folder));
    answer.status = expanded.status;
    if (expanded.status != kOk) {
        return answer;
    }
    const std::u16string units = Utf16FromUtf8(expanded.path).substr(0, kMaxPath - 1);
    answer.buffer = Utf8FromUtf16(units) + std::string(kMaxPath - units.size(), '\0');
    if ((folderId & kCsidlFlagDontVerify) != 0 || Exists(expanded.path)) {
        return answer;
    }
    if ((folderId & kCsidlFlagCreate) == 0) {
        answer.status = kFileNotFound;
        return answer;
    }
    if (folder == kCsidlPersonal) {
        LinkDocuments(expanded.path);
    }
    answer.status = CreateFolders(expanded.path) ? kOk : kFail;
    return answer;
}

}  // namespace galemend

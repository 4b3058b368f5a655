// The system's answers read natively from a Wine prefix's files. Every expected answer of the
// tables is what galemend3.exe's Win32SystemProbe gave under Wine 8.0 in a prefix holding the
// same registry values and folders, started with the same Unix variables; the 32-bit prefix,
// which Wine here cannot make, follows the 32-bit wineboot's own rules.
#include "platform/prefix/PrefixSystemProbe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Registry.h"
#include "platform/RuntimeError.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

namespace fs = std::filesystem;

constexpr const char* kEnvironmentKey =
    "[System\\\\CurrentControlSet\\\\Control\\\\Session Manager\\\\Environment]\n";
constexpr const char* kShellFolders =
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\User Shell Folders]\n";

// This machine's processor, as the identification instruction reports it.
const ProcessorSignature kZen5{"AuthenticAMD", 0x00B00F21};

// A prefix folder with registry files made of the given lines and a C: drive.
class ProbePrefix {
  public:
    explicit ProbePrefix(std::string system = {}, std::string user = {}, std::string arch = "win64")
        : system_(std::move(system)), user_(std::move(user)), arch_(std::move(arch)) {
        dir_.MakeFolder("pfx/drive_c/users/Public");
        dir_.MakeFolder("home");
    }

    std::string Root() const { return (dir_.Host() / "pfx").string(); }
    std::string Home() const { return (dir_.Host() / "home").string(); }
    const test::ScopedTempDir& Dir() const { return dir_; }

    // C:\... under drive_c, "\" as "/"; another drive or a missing parent folder is refused
    // as the prefix's file system refuses it.
    std::string UnixPathOf(const std::string& path) const {
        if (path.size() < 3 || path.substr(0, 3) != "C:\\") {
            throw RuntimeError(ErrorNumber::PathNotFound, path);
        }
        std::string unix = Root() + "/drive_c/" + path.substr(3);
        std::replace(unix.begin(), unix.end(), '\\', '/');
        if (!fs::is_directory(fs::path(unix).parent_path())) {
            throw RuntimeError(ErrorNumber::PathNotFound, path);
        }
        return unix;
    }

    PrefixSystemProbe Open(std::vector<std::string> unixEnvironment = {},
                           std::optional<ProcessorSignature> processor = kZen5) const {
        Write();
        unixEnvironment.push_back("HOME=" + Home());
        unixEnvironment.push_back("USER=alice");
        PrefixHost host{unixEnvironment, {.lang = "C.UTF-8"}, processor, 2, {}};
        return PrefixSystemProbe::Open(
            Root(), {"Z:\\games\\galemend\\galemend3.exe", "/s", "Z:\\games"},
            [this](const std::string& path) { return UnixPathOf(path); }, host);
    }

  private:
    void Write() const {
        const std::string head = "WINE REGISTRY Version 2\n;; All keys relative to ";
        dir_.Write("pfx/system.reg",
                   head + "REGISTRY\\\\Machine\n\n#arch=" + arch_ + "\n\n" + system_ + "\n");
        dir_.Write("pfx/user.reg", head + "REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n#arch=" +
                                       arch_ + "\n\n" + user_ + "\n");
    }

    test::ScopedTempDir dir_;
    std::string system_;
    std::string user_;
    std::string arch_;
};

std::string WithNuls(const std::string& path) {
    return path + std::string(260 - path.size(), '\0');
}

TEST(PrefixSystemProbe, WindowsVersionFromWineSettingsThenRegistry) {
    const std::string ntKey = "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion]\n";
    const std::string nineXKey = "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion]\n";
    const std::string wine = "[Software\\\\Wine]\n";
    const std::string own = "[Software\\\\Wine\\\\AppDefaults\\\\GALEMEND3.EXE]\n";
    const struct {
        std::string user;
        std::string system;
        VersionRecord expected;
    } cases[] = {
        // Wine's names, over the registry's 5.0 (win11 is no name in Wine 8.0, nor WinXP).
        {wine + "\"Version\"=\"win31\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 0, 3, 10}},
        {wine + "\"Version\"=\"win95\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 1, 4, 0}},
        {wine + "\"Version\"=\"win98\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 1, 4, 10}},
        {wine + "\"Version\"=\"winme\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 1, 4, 90}},
        {wine + "\"Version\"=\"nt351\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 3, 51}},
        {wine + "\"Version\"=\"nt40\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 4, 0}},
        {wine + "\"Version\"=\"winxp\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 5, 1}},
        {wine + "\"Version\"=\"win2003\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 5, 2}},
        {wine + "\"Version\"=\"vista\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 6, 0}},
        {wine + "\"Version\"=\"win7\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 6, 1}},
        {wine + "\"Version\"=\"win8\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 6, 2}},
        {wine + "\"Version\"=\"win81\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 6, 2}},
        {wine + "\"Version\"=\"win10\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 6, 2}},
        {wine + "\"Version\"=\"win11\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 5, 0}},
        {wine + "\"Version\"=\"WinXP\"", ntKey + "\"CurrentVersion\"=\"5.0\"", {true, 2, 5, 0}},
        // The program's own settings, found by its file name in any case, come first; one
        // that names no version leaves the global one.
        {wine + "\"Version\"=\"win98\"\n\n" + own + "\"Version\"=\"winxp\"", "", {true, 2, 5, 1}},
        {wine + "\"Version\"=\"vista\"\n\n" + own + "\"Version\"=\"xp\"", "", {true, 2, 6, 0}},
        {"[Software\\\\Wine\\\\AppDefaults\\\\galemend2.exe]\n\"Version\"=\"winxp\"",
         ntKey + "\"CurrentVersion\"=\"5.0\"",
         {true, 2, 5, 0}},
        // The registry's numbers, as Wine's number reader takes them; 8.1 and later as 6.2.
        {"", ntKey + "\"CurrentVersion\"=\"10.0\"", {true, 2, 6, 2}},
        {"", ntKey + "\"CurrentVersion\"=\" 5.1x\"", {true, 2, 5, 1}},
        {"", ntKey + "\"CurrentVersion\"=\"\\xff15.\\xff11\"", {true, 2, 5, 1}},
        {"", ntKey + "\"CurrentVersion\"=dword:00000036", {true, 2, 6, 0}},
        {"", ntKey + "\"CurrentVersion\"=\"-1.5\"", {true, 2, 6, 2}},
        {"",
         ntKey + "\"CurrentVersion\"=\"abc\"\n\n" + nineXKey + "\"VersionNumber\"=\"4.10.2222\"",
         {true, 1, 4, 10}},
        // Too long for Wine's buffer, then nothing: Windows 7.
        {"", ntKey + "\"CurrentVersion\"=\"5.1                           \"", {true, 2, 6, 1}},
        {"", "", {true, 2, 6, 1}},
    };
    for (const auto& c : cases) {
        const VersionRecord version = ProbePrefix(c.system, c.user).Open().WindowsVersion();
        EXPECT_EQ(version.succeeded, c.expected.succeeded) << c.user << c.system;
        EXPECT_EQ(version.platformId, c.expected.platformId) << c.user << c.system;
        EXPECT_EQ(version.major, c.expected.major) << c.user << c.system;
        EXPECT_EQ(version.minor, c.expected.minor) << c.user << c.system;
    }
}

TEST(PrefixSystemProbe, SpecialFoldersFromUserShellFoldersAndProfiles) {
    const std::string profiles =
        "[Software\\\\Microsoft\\\\Windows NT\\\\CurrentVersion\\\\ProfileList]\n";
    const struct {
        std::string user;
        std::string system;
        std::uint32_t id;
        std::uint32_t status;
        std::string path;
    } cases[] = {
        // Without any registry value: the profile folder of Wine's user, created.
        {"", "", 0x801C, 0, "C:\\users\\alice\\AppData\\Local"},
        {"", "", 0x8005, 0, "C:\\users\\alice\\Documents"},
        {"", profiles + "\"ProfilesDirectory\"=str(2):\"%SystemDrive%\\\\home\"", 0x801C, 0,
         "C:\\home\\alice\\AppData\\Local"},
        // A plain string starting with "%" is expanded too; PUBLIC from the profile list.
        {kShellFolders + std::string("\"Personal\"=\"%PUBLIC%\\\\MyDocs\""), "", 0x8005, 0,
         "C:\\users\\Public\\MyDocs"},
        // The machine's value when the user has none, SystemDrive eating one character.
        {"", kShellFolders + std::string("\"Local AppData\"=str(2):\"%SystemDrive%xyz\""), 0x801C,
         0, "C:\\yz"},
        // Other variables from the environment; a relative path is never created, and a
        // missing folder without the create flag is "file not found".
        {kShellFolders + std::string("\"Local AppData\"=str(2):\"%GALEMEND_X%\\\\..\\\\x\""), "",
         0x801C, 0x80004005, "unixval\\..\\x"},
        {kShellFolders + std::string("\"Local AppData\"=str(2):\"%GALEMEND_X%\\\\..\\\\x\""), "",
         0x1C, 0x80070002, "unixval\\..\\x"},
        // Past the end of Wine's folder table.
        {"", "", 0x7F, 0x80070057, ""},
        {"", "", 0x80FF, 0x80070057, ""},
    };
    for (const auto& c : cases) {
        const ProbePrefix prefix(c.system, c.user);
        const FolderPathAnswer answer = prefix.Open({"GALEMEND_X=unixval"}).SpecialFolderPath(c.id);
        EXPECT_EQ(answer.status, c.status) << c.user << c.system << c.id;
        EXPECT_EQ(answer.buffer, WithNuls(c.path)) << c.user << c.system << c.id;
        if (c.status == 0) {
            EXPECT_TRUE(fs::is_directory(prefix.UnixPathOf(c.path))) << c.path;
        }
    }
    EXPECT_THROW(ProbePrefix().Open().SpecialFolderPath(0x10), std::invalid_argument)
        << "a folder of Wine's table that is not answered from the prefix";
}

// As PathAppendW gave them under Wine.
TEST(ShellPathAppend, JoinsAndResolvesDotsNeverAboveTheRoot) {
    const struct {
        const char* path;
        const char* more;
        const char* joined;
    } cases[] = {
        {"C:\\users", "alice", "C:\\users\\alice"},
        {"C:\\users\\", "\\AppData", "C:\\users\\AppData"},
        {"C:\\users\\", "\\\\\\AppData", "\\\\\\AppData"},
        {"", "C:\\x", "C:\\x"},
        {"C:\\a", "D:\\b", "D:\\b"},
        {"C:\\users\\alice", "..\\..\\x", "C:\\x"},
        {"C:\\users\\alice", "..\\..\\..\\..\\x", "C:\\x"},
        {"C:\\a", ".\\b\\.", "C:\\a\\b\\."},
        {"C:\\a", "", "C:\\a"},
        {"%SystemDrive%\\home", "al", "%SystemDrive%\\home\\al"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellPathAppend(c.path, c.more), c.joined) << c.path << " + " << c.more;
    }
    EXPECT_EQ(ShellPathAppend("C:\\" + std::string(250, 'a'), std::string(10, 'b')), "")
        << "past MAX_PATH";
}

TEST(PrefixSystemProbe, NewDocumentsLinkToTheDesktopsDocumentsFolder) {
    const auto linkOf = [](const ProbePrefix& prefix) {
        prefix.Open().SpecialFolderPath(0x8005);
        return fs::read_symlink(prefix.Root() + "/drive_c/users/alice/Documents").string();
    };
    const ProbePrefix bare;
    EXPECT_EQ(linkOf(bare), bare.Home()) << "the home itself when nothing better is there";

    const ProbePrefix withDocuments;
    withDocuments.Dir().MakeFolder("home/Documents");
    EXPECT_EQ(linkOf(withDocuments), withDocuments.Home() + "/Documents");

    const ProbePrefix withXdg;
    withXdg.Dir().MakeFolder("home/Documents");
    withXdg.Dir().MakeFolder("home/Papers");
    withXdg.Dir().Write("home/.config/user-dirs.dirs",
                        "# comment\nXDG_DOCUMENTS_DIRX=\"$HOME/x\"\n"
                        "  XDG_DOCUMENTS_DIR = \"$HOME/Pap\\ers\"\n");
    EXPECT_EQ(linkOf(withXdg), withXdg.Home() + "/Papers");

    // A folder that is there (even through a link) is left as it is.
    const ProbePrefix existing;
    existing.Dir().MakeFolder("pfx/drive_c/users/alice/Documents");
    const FolderPathAnswer answer = existing.Open().SpecialFolderPath(0x8005);
    EXPECT_EQ(answer.status, 0u);
    EXPECT_FALSE(fs::is_symlink(existing.Root() + "/drive_c/users/alice/Documents"));
}

TEST(PrefixSystemProbe, EnvironmentAsWineBuildsIt) {
    const std::string machine = std::string(kEnvironmentKey) +
                                "\"NUMBER_OF_PROCESSORS\"=\"64\"\n"
                                "\"OS\"=\"Windows_NT\"\n"
                                "\"PROCESSOR_ARCHITECTURE\"=\"AMD64\"\n"
                                "\"PROCESSOR_IDENTIFIER\"=\"made elsewhere\"\n"
                                "\"PROCESSOR_LEVEL\"=\"6\"\n"
                                "\"PROCESSOR_REVISION\"=\"0000\"\n"
                                "\"windir\"=str(2):\"%SystemRoot%\"\n";
    const std::vector<std::string> amd64 = {
        "C:\\windows", "AMD64", "AMD64 Family 26 Model 2 Stepping 1, AuthenticAMD",
        "26",          "0201",  "2",
        "Windows_NT"};
    const struct {
        std::string arch;
        std::string system;
        std::string user;
        std::vector<std::string> unix;
        std::optional<ProcessorSignature> processor;
        std::vector<std::string> expected;  // windir, PROCESSOR_*, NUMBER_OF_PROCESSORS, OS
    } cases[] = {
        // wineboot's values of the live processor replace the prefix's; Unix ones are overridden.
        {"win64", machine, "", {"NUMBER_OF_PROCESSORS=99", "windir=/x"}, kZen5, amd64},
        {"win64",
         machine,
         "",
         {},
         ProcessorSignature{"GenuineIntel", 0x00050657},
         {"C:\\windows", "AMD64", "Intel64 Family 6 Model 85 Stepping 7, GenuineIntel", "6", "5507",
          "2", "Windows_NT"}},
        // Family 15 is level 6 for Intel; others keep the extended model out of the revision.
        {"win64",
         machine,
         "",
         {},
         ProcessorSignature{"GenuineIntel", 0x00000F29},
         {"C:\\windows", "AMD64", "Intel64 Family 15 Model 2 Stepping 9, GenuineIntel", "6", "0209",
          "2", "Windows_NT"}},
        {"win64",
         machine,
         "",
         {},
         ProcessorSignature{"CentaurHauls", 0x000106F2},
         {"C:\\windows", "AMD64", "Intel64 Family 6 Model 31 Stepping 2, CentaurHauls", "6", "0f02",
          "2", "Windows_NT"}},
        // A 32-bit prefix boots a 32-bit wineboot.
        {"win32",
         machine,
         "",
         {},
         kZen5,
         {"C:\\windows", "x86", "x86 Family 26 Model 2 Stepping 1, AuthenticAMD", "26", "0201", "2",
          "Windows_NT"}},
        // The 64-bit process takes PROCESSOR_ARCHITEW6432 as its architecture; a 32-bit one not.
        {"win64",
         machine,
         "",
         {"PROCESSOR_ARCHITEW6432=ARM64"},
         kZen5,
         {"C:\\windows", "ARM64", amd64[2], "26", "0201", "2", "Windows_NT"}},
        {"win32",
         machine,
         "",
         {"PROCESSOR_ARCHITEW6432=ARM64"},
         kZen5,
         {"C:\\windows", "x86", "x86 Family 26 Model 2 Stepping 1, AuthenticAMD", "26", "0201", "2",
          "Windows_NT"}},
        // No processor to read: the file's values stay.
        {"win64",
         machine,
         "",
         {},
         std::nullopt,
         {"C:\\windows", "AMD64", "made elsewhere", "6", "0000", "64", "Windows_NT"}},
        // An empty value leaves the Unix one; the user's key comes after the machine's and is
        // expanded with what is set so far: USERPROFILE only comes with Volatile Environment,
        // read after it, so it is unknown on the first reading and kept as written.
        {"win64",
         machine + "\"OS\"=\"\"",
         "[Environment]\n\"windir\"=str(2):\"%USERPROFILE%\\\\w\"",
         {"OS=Linux"},
         kZen5,
         {"%USERPROFILE%\\w", "AMD64", amd64[2], "26", "0201", "2", "Linux"}},
        {"win64",
         machine,
         "[Environment]\n\"PROCESSOR_IDENTIFIER\"=str(2):\"%PROCESSOR_ARCHITECTURE%-%GALEMEND_X%-"
         "%NOPE%-%\"\n\n[Volatile Environment]\n\"OS\"=\"vol\"",
         {"GALEMEND_X=unixval"},
         kZen5,
         {"C:\\windows", "AMD64", "AMD64-unixval-%NOPE%-%", "26", "0201", "2", "vol"}},
    };
    for (const auto& c : cases) {
        const PrefixSystemProbe probe =
            ProbePrefix(c.system, c.user, c.arch).Open(c.unix, c.processor);
        std::vector<std::string> actual;
        for (const char* name :
             {"windir", "PROCESSOR_ARCHITECTURE", "PROCESSOR_IDENTIFIER", "PROCESSOR_LEVEL",
              "PROCESSOR_REVISION", "NUMBER_OF_PROCESSORS", "os"}) {
            actual.push_back(probe.EnvironmentVariable(name));
        }
        EXPECT_EQ(actual, c.expected) << c.arch << " " << c.user;
    }
}

TEST(PrefixSystemProbe, SessionStartMakesTheUsersFoldersAndVolatileVariables) {
    const ProbePrefix prefix;
    const PrefixSystemProbe probe = prefix.Open();
    for (const char* folder : {"AppData/Roaming", "AppData/Local"}) {
        EXPECT_TRUE(fs::is_directory(prefix.Root() + "/drive_c/users/alice/" + folder)) << folder;
    }
    EXPECT_FALSE(fs::exists(prefix.Root() + "/drive_c/users/alice/Documents"));
    EXPECT_EQ(probe.EnvironmentVariable("LOCALAPPDATA"), "C:\\users\\alice\\AppData\\Local");
    EXPECT_EQ(probe.EnvironmentVariable("HOMEPATH"), "\\users\\alice");
    EXPECT_EQ(probe.EnvironmentVariable("USERNAME"), "alice");
    EXPECT_EQ(probe.EnvironmentVariable("SystemRoot"), "C:\\windows");
    EXPECT_EQ(probe.EnvironmentVariable("HOME"), "") << "Wine keeps HOME out";
}

TEST(PrefixSystemProbe, RegistryIsReadWithTheProgramsEnvironmentAndNeverWritten) {
    ProbePrefix prefix("[Software\\\\Corv]\n\"Path\"=str(2):\"%SystemDrive%\\\\%USERNAME%\"");
    PrefixSystemProbe probe = prefix.Open();
    EXPECT_EQ(probe.RegRead("HKLM\\Software\\Corv\\Path"), "C:\\alice");
    EXPECT_THROW(probe.RegRead("HKLM\\Software\\Corv\\Missing"), RegistryError);
    EXPECT_THROW(probe.RegWrite("HKLM\\Software\\Corv\\Path", "x", "REG_SZ"), RegistryError);
    EXPECT_THROW(probe.RegDelete("HKLM\\Software\\Corv\\Path"), RegistryError);
    EXPECT_EQ(probe.RegRead("HKLM\\Software\\Corv\\Path"), "C:\\alice");

    EXPECT_EQ(probe.CommandLine(), "/s");
    EXPECT_EQ(probe.ExecutableFolder(), "Z:\\games\\galemend");
    EXPECT_EQ(probe.CurrentFolder(), "Z:\\games");
    EXPECT_EQ(probe.AnsiCodePage(), 1252u);
    EXPECT_FALSE(probe.VersionRootBlock("C:\\missing.exe"));
    EXPECT_FALSE(probe.VersionRootBlock("Q:\\game.exe")) << "no such drive";
    // A broken executable has no version, as Wine finds none in it, and is named.
    // A DOS header pointing at a PE header whose optional header and sections are cut off.
    std::string broken = "MZ" + std::string(0x3A, '\0') + std::string("\x40\0\0\0", 4);
    broken += std::string("PE\0\0\x64\x86\x01\0", 8) + std::string(12, '\0') + "\xF0";
    prefix.Dir().Write("pfx/drive_c/broken.exe", broken + std::string(3, '\0'));
    EXPECT_FALSE(probe.VersionRootBlock("C:\\broken.exe"));
    ASSERT_EQ(probe.Problems().size(), 1u);
    EXPECT_EQ(probe.Problems()[0].rfind("C:\\broken.exe: ", 0), 0u) << probe.Problems()[0];
}

TEST(PrefixSystemProbe, UnusableRegistryFileIsNamed) {
    const auto failure = [](const std::string& folder) -> std::string {
        try {
            PrefixSystemProbe::Open(folder, {}, [](const std::string& p) { return p; });
        } catch (const RegistryFileError& error) {
            return fs::path(error.File()).filename().string();
        }
        return "no error";
    };
    const test::ScopedTempDir empty;
    EXPECT_EQ(failure(empty.Host().string()), "system.reg") << "a folder that is no prefix";
    empty.Write("system.reg", "WINE REGISTRY Version 2\n#arch=win64\n");
    EXPECT_EQ(failure(empty.Host().string()), "user.reg");
    empty.Write("user.reg", "WINE REGISTRY Version 2\n#arch=win32\n");
    EXPECT_EQ(failure(empty.Host().string()), "user.reg") << "a user.reg of the other arch";
}

}  // namespace
}  // namespace galemend

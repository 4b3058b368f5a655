// The version and bitness probes on the real GetVersionExA, under Wine.
#include <gtest/gtest.h>

#include <cstring>

#include "WineTestSupport.h"
#include "platform/SystemFacts.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemProbe.h"

namespace galemend {
namespace {

const std::string kReporter = test::WinePathOf(GALEMEND_PROBE_REPORT);
constexpr const char* kAppDefaults = "Software\\Wine\\AppDefaults\\probe_report.exe";

TEST(Win32VersionProbe, FreshPrefixIsWindows7) {
    Win32SystemProbe probe;
    const VersionRecord version = probe.WindowsVersion();
    ASSERT_TRUE(version.succeeded);
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_EQ(GetWindowsShortName(probe), "win7");
    EXPECT_FALSE(IsWindowsVista(probe));
    EXPECT_TRUE(IsWindows7(probe));
}

TEST(Win32VersionProbe, SixtyFourBitByTheX86FolderOfTheSystemDrive) {
    Win32SystemProbe probe;
    const Win32FileSystem disk;
    const std::string systemDrive = probe.EnvironmentVariable("windir").substr(0, 2);
    EXPECT_EQ(systemDrive, "C:");
    EXPECT_TRUE(Is64BitWindows(probe, disk, systemDrive));
    EXPECT_FALSE(Is64BitWindows(probe, disk, "Q:")) << "no such drive";
    EXPECT_FALSE(Is64BitWindows(probe, disk, "Z:\\tmp")) << "no such folder";
}

// Wine tells each program the Windows version its AppDefaults key names.
class EmulatedWindows : public ::testing::Test {
  protected:
    void TearDown() override { test::DeleteRegistryTree(HKEY_CURRENT_USER, kAppDefaults); }

    std::string ReportAs(const char* wineVersion) {
        HKEY key = nullptr;
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, kAppDefaults, 0, nullptr, 0, KEY_SET_VALUE,
                              nullptr, &key, nullptr) != ERROR_SUCCESS) {
            ADD_FAILURE() << "cannot create the AppDefaults key";
            return {};
        }
        ::RegSetValueExA(key, "Version", 0, REG_SZ, reinterpret_cast<const BYTE*>(wineVersion),
                         static_cast<DWORD>(std::strlen(wineVersion) + 1));
        ::RegCloseKey(key);
        const test::ChildResult child = test::RunChild("\"" + kReporter + "\"");
        EXPECT_EQ(child.exitCode, 0u) << wineVersion;
        return child.output.substr(0, child.output.find(" args="));
    }
};

TEST_F(EmulatedWindows, ShortNamesReleasesAndBitness) {
    const struct {
        const char* wineVersion;
        const char* report;
    } cases[] = {
        {"winxp", "short=[WinXP] vista=0 win7=0 x64=1"},
        {"win2003", "short=[WinXP x64 ] vista=0 win7=0 x64=1"},
        {"vista", "short=[WinVista] vista=1 win7=0 x64=1"},
        {"win7", "short=[win7] vista=0 win7=1 x64=1"},
        {"win2k", "short=[Win2000] vista=0 win7=0 x64=1"},
        {"nt40", "short=[NT 4] vista=0 win7=0 x64=1"},
        {"win98", "short=[98] vista=0 win7=0 x64=0"},
        {"winme", "short=[ME] vista=0 win7=0 x64=0"},
        {"win95", "short=[95] vista=0 win7=0 x64=0"},
        // A program that declares no later Windows is told 6.2 by Windows 8 and later.
        {"win8", "short=[Win7+ x64?] vista=0 win7=0 x64=1"},
        {"win10", "short=[Win7+ x64?] vista=0 win7=0 x64=1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ReportAs(c.wineVersion), c.report) << c.wineVersion;
    }
}

}  // namespace
}  // namespace galemend

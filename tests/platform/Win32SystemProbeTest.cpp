// The remaining probes on the real Windows API, under Wine: special folders, existence
// tests, version resources, environment, command line, executable folder, events, exit.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "WineTestSupport.h"
#include "platform/FileSystem.h"
#include "platform/SystemFacts.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32SystemProbe.h"
#include "support/ScopedTempDir.h"

namespace galemend {
namespace {

using ::testing::IsEmpty;

const std::string kReporter = test::WinePathOf(GALEMEND_PROBE_REPORT);

// The real host, with messages recorded instead of shown: nobody would close them.
class QuietHost : public Win32Host {
  public:
    std::vector<std::string> messages;
    void ShowMessage(const std::string& text) override { messages.push_back(text); }
};

bool SameIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && ::CompareStringA(LOCALE_SYSTEM_DEFAULT, NORM_IGNORECASE,
                                                    a.data(), static_cast<int>(a.size()), b.data(),
                                                    static_cast<int>(b.size())) == CSTR_EQUAL;
}

TEST(Win32SpecialFolders, AreThePrefixUsersFolders) {
    const Win32SystemProbe probe;
    QuietHost host;
    const Win32FileSystem disk;
    const std::string local = GetLocalAppDataPath(probe, host);
    const std::string documents = GetMyDocumentsPath(probe, host);
    EXPECT_PRED2(SameIgnoringCase, local, probe.EnvironmentVariable("LOCALAPPDATA"));
    EXPECT_PRED2(SameIgnoringCase, documents,
                 probe.EnvironmentVariable("USERPROFILE") + "\\Documents");
    EXPECT_NE(local.back(), '\\');
    EXPECT_TRUE(FolderExists(disk, local + "\\."));
    EXPECT_TRUE(FolderExists(disk, documents + "\\."));
    EXPECT_THAT(host.messages, IsEmpty());
}

TEST(Win32SpecialFolders, UnknownFolderIdIsInvalid) {
    const FolderPathAnswer answer = Win32SystemProbe().SpecialFolderPath(0x7F);
    EXPECT_EQ(answer.status, 0x80070057u);
    EXPECT_EQ(answer.buffer.size(), 260u);
}

TEST(Win32FolderExists, AnswersForFoldersFilesAndUnreachablePaths) {
    const Win32FileSystem disk;
    EXPECT_TRUE(FolderExists(disk, "C:\\program files (x86)\\."));
    EXPECT_TRUE(FolderExists(disk, "C:\\PROGRAM FILES (X86)\\."));
    EXPECT_TRUE(FolderExists(disk, "C:\\program files (x86)\\"));
    EXPECT_TRUE(FolderExists(disk, "C:\\program files (x8?)"));
    EXPECT_TRUE(FolderExists(disk, "C:\\windows\\win.ini")) << "an ordinary file counts";
    EXPECT_FALSE(FolderExists(disk, "C:\\no such folder\\program files (x86)\\."));
    EXPECT_FALSE(FolderExists(disk, "C:\\no such folder\\."));
    EXPECT_FALSE(FolderExists(disk, "Q:\\program files (x86)\\.")) << "no such drive";
    EXPECT_FALSE(FolderExists(disk, "C:\\bad<|>name\\.")) << "malformed";
    EXPECT_FALSE(FolderExists(disk, "C:\\program files (x86)\\.\\:\\."));
}

TEST(Win32FileVersion, ReadsTheProductVersionOfTheFixedBlock) {
    const Win32SystemProbe probe;
    EXPECT_EQ(GetFileVersionString(probe, test::WinePathOf(GALEMEND_PRODUCT_DIFFERS_EXE)),
              "2.1.0.0");
    EXPECT_EQ(GetFileVersionString(probe, test::WinePathOf(GALEMEND_LARGE_PART_EXE)),
              "40000.0.32768.65535");
    const auto block = probe.VersionRootBlock(test::WinePathOf(GALEMEND_LARGE_PART_EXE));
    ASSERT_TRUE(block);
    ASSERT_EQ(block->size(), 52u);
    EXPECT_EQ(block->substr(0, 4), std::string("\xbd\x04\xef\xfe", 4)) << "the block's signature";
}

TEST(Win32FileVersion, EmptyForFilesWithoutVersionResource) {
    const Win32SystemProbe probe;
    test::ScopedTempDir dir;
    dir.Write("targetcorvver.txt", "1.0.0.0\r\n");
    EXPECT_EQ(GetFileVersionString(probe, dir.Path("targetcorvver.txt")), "");
    EXPECT_EQ(probe.VersionRootBlock(dir.Path("targetcorvver.txt")), std::nullopt);
    EXPECT_EQ(GetFileVersionString(probe, dir.Path("Corvane Expanse.exe")), "");
    EXPECT_EQ(GetFileVersionString(probe, test::WinePathOf(GALEMEND_PROBE_REPORT)), "");
}

TEST(Win32Environment, UnsetIsEmptyAndLongValuesComeWhole) {
    const Win32SystemProbe probe;
    EXPECT_EQ(probe.EnvironmentVariable("GALEMEND_NOT_SET"), "");
    const std::string longValue(5000, 'v');
    ::SetEnvironmentVariableA("GALEMEND_LONG", longValue.c_str());
    EXPECT_EQ(probe.EnvironmentVariable("GALEMEND_LONG"), longValue);
    ::SetEnvironmentVariableA("GALEMEND_LONG", nullptr);
}

TEST(Win32CommandLine, IsWhatFollowsTheProgramNameAsPassed) {
    const std::string quoted = test::RunChild("\"" + kReporter + "\"  /S  \"-s\" x ").output;
    EXPECT_NE(quoted.find("args=[/S  \"-s\" x ]"), std::string::npos) << quoted;
    const std::string bare = test::RunChild(kReporter + " -silent").output;
    EXPECT_NE(bare.find("args=[-silent]"), std::string::npos) << bare;
    const std::string none = test::RunChild("\"" + kReporter + "\"").output;
    EXPECT_NE(none.find("args=[]"), std::string::npos) << none;
}

TEST(Win32HostTerminate, EndsAtOnceWithTheStatus) {
    const test::ChildResult child = test::RunChild("\"" + kReporter + "\" terminate 3");
    EXPECT_EQ(child.exitCode, 3u);
    EXPECT_EQ(child.output, "") << "nothing after the termination ran";
}

TEST(Win32AppPath, IsTheTestProgramsFolderWithOneBackslash) {
    const Win32SystemProbe probe;
    EXPECT_EQ(App_Path(probe), test::WinePathOf(GALEMEND_TEST_DIR) + "\\");
    EXPECT_EQ(probe.ExecutableFolder(), test::WinePathOf(GALEMEND_TEST_DIR));
}

int deliveries = 0;
LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP) {
        ++deliveries;
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(Win32HostPendingEvents, AreDispatchedAndAQuitRequestIsKept) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = CountingProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "GalemendPendingEvents";
    ASSERT_NE(::RegisterClassA(&windowClass), 0);
    const HWND window = ::CreateWindowA("GalemendPendingEvents", "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    Win32Host host;
    for (int i = 0; i < 3; ++i) {
        ::PostMessageA(window, WM_APP, 0, 0);
    }
    host.ProcessPendingEvents();
    EXPECT_EQ(deliveries, 3);

    ::PostQuitMessage(7);
    ::PostMessageA(window, WM_APP, 0, 0);
    host.ProcessPendingEvents();
    MSG message{};
    ASSERT_TRUE(::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(message.wParam, 7u);
    ::DestroyWindow(window);
    ::UnregisterClassA("GalemendPendingEvents", windowClass.hInstance);
}

}  // namespace
}  // namespace galemend

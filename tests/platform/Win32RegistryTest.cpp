// Registry access on the real registry of the Wine test prefix: the scripting host, the
// native fallback, and RegistryAccess over the probe that chooses between them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "WineTestSupport.h"
#include "platform/Registry.h"
#include "platform/win32/NativeRegistry.h"
#include "platform/win32/ScriptShellRegistry.h"
#include "platform/win32/Win32SystemProbe.h"

namespace galemend {
namespace {

constexpr const char* kTestKey = "Software\\GalemendProbeTest";
const std::string kUserKey = std::string("HKEY_CURRENT_USER\\") + kTestKey + "\\";

// Stores a value the way another program would, with the native API.
void Store(const std::string& name, DWORD type, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                                &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExA(key, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
}

// Stores a text value with the wide API, as an installer would.
void StoreText(const std::wstring& name, const std::wstring& text) {
    const std::string bytes(reinterpret_cast<const char*>(text.c_str()),
                            (text.size() + 1) * sizeof(wchar_t));
    HKEY key = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\GalemendProbeTest", 0, nullptr, 0,
                                KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(bytes.data()),
                     static_cast<DWORD>(bytes.size()));
    ::RegCloseKey(key);
}

// One way to reach the registry; each either succeeds or throws RegistryError.
struct Route {
    const char* name;
    std::function<std::string(const std::string&)> read;
    std::function<void(const std::string&, const std::string&, const std::string&)> write;
    std::function<void(const std::string&)> remove;
};

Route ScriptHostRoute() {
    // Wine's scripting host has no RegDelete; its deletes go the native way.
    auto shell = [] {
        auto opened = ScriptShellRegistry::Open();
        if (!opened) {
            throw std::runtime_error("WScript.Shell cannot be created");
        }
        return opened;
    };
    return {"script host", [=](const std::string& path) { return shell()->Read(path); },
            [=](const std::string& path, const std::string& value, const std::string& type) {
                shell()->Write(path, value, type);
            },
            [](const std::string& path) { NativeRegistry().Delete(path); }};
}

Route NativeRoute() {
    return {"native", [](const std::string& path) { return NativeRegistry().Read(path); },
            [](const std::string& path, const std::string& value, const std::string& type) {
                NativeRegistry().Write(path, value, type);
            },
            [](const std::string& path) { NativeRegistry().Delete(path); }};
}

Route ProbeRoute() {
    auto probe = std::make_shared<Win32SystemProbe>();
    return {"probe", [=](const std::string& path) { return probe->RegRead(path); },
            [=](const std::string& path, const std::string& value, const std::string& type) {
                probe->RegWrite(path, value, type);
            },
            [=](const std::string& path) { probe->RegDelete(path); }};
}

class RegistryRoutes : public ::testing::TestWithParam<Route (*)()> {
  protected:
    void SetUp() override { test::DeleteRegistryTree(HKEY_CURRENT_USER, kTestKey); }
    void TearDown() override { test::DeleteRegistryTree(HKEY_CURRENT_USER, kTestKey); }
    const Route route = GetParam()();
};

TEST_P(RegistryRoutes, WriteReadDelete) {
    const std::string path = kUserKey + "Corv\\Path";
    route.write(path, "C:\\Games\\Corvane Expanse", "REG_SZ");
    EXPECT_EQ(route.read(path), "C:\\Games\\Corvane Expanse");
    route.write(path, "", "REG_SZ");
    EXPECT_EQ(route.read(path), "") << "an empty text is still a value";
    route.remove(path);
    EXPECT_THROW(route.read(path), RegistryError);
    EXPECT_THROW(route.remove(path), RegistryError);
}

// A game installed in a folder named outside the ANSI code page.
TEST_P(RegistryRoutes, TextOutsideTheCodePageComesBackWhole) {
    StoreText(L"Path", L"C:\\Games\\星海 Corvane");
    EXPECT_EQ(route.read(kUserKey + "Path"), "C:\\Games\\星海 Corvane");
    route.write(kUserKey + "Ёлка\\Карта", "D:\\Ωμέγα\\星", "REG_SZ");
    EXPECT_EQ(route.read(kUserKey + "Ёлка\\Карта"), "D:\\Ωμέγα\\星");
}

TEST_P(RegistryRoutes, MissingValueKeyOrRootFailsToRead) {
    Store("Other", REG_SZ, std::string("x", 2));
    EXPECT_THROW(route.read(kUserKey + "Path"), RegistryError) << "key without that value";
    EXPECT_THROW(route.read(kUserKey + "NoKey\\Path"), RegistryError);
    EXPECT_THROW(route.read("HKEY_NOWHERE\\Software\\Path"), RegistryError);
    EXPECT_THROW(route.read("Path"), RegistryError);
}

TEST_P(RegistryRoutes, OnlyTheKnownTypeNamesAreWritten) {
    EXPECT_THROW(route.write(kUserKey + "Str", "x", "string"), RegistryError);
    EXPECT_THROW(route.write(kUserKey + "Low", "x", "reg_sz"), RegistryError);
    EXPECT_THROW(route.write(kUserKey + "Multi", "x", "REG_MULTI_SZ"), RegistryError);
    EXPECT_THROW(route.read(kUserKey + "Str"), RegistryError) << "a rejected write stores nothing";

    route.write(kUserKey + "Number", "42", "REG_DWORD");
    EXPECT_EQ(route.read(kUserKey + "Number"), "42");
    route.write(kUserKey + "Number", "-1", "REG_DWORD");
    EXPECT_EQ(route.read(kUserKey + "Number"), "-1");
    EXPECT_THROW(route.write(kUserKey + "Bad", "abc", "REG_DWORD"), RegistryError);
    route.write(kUserKey + "Bytes", "258", "REG_BINARY");
    EXPECT_EQ(route.read(kUserKey + "Bytes"), "2 1 0 0");
    route.write(kUserKey + "Expand", "%windir%\\galemend", "REG_EXPAND_SZ");
    EXPECT_EQ(route.read(kUserKey + "Expand"), "C:\\windows\\galemend");
}

TEST_P(RegistryRoutes, ValuesThatAreNotTextReadAsTheirTextForm) {
    Store("Dword", REG_DWORD, std::string("\x07\x01\x00\x00", 4));
    Store("Multi", REG_MULTI_SZ, std::string("C:\\One\0Two\0\0", 13));
    Store("Binary", REG_BINARY, std::string("\x01\xff\x00", 3));
    Store("Quad", REG_QWORD, std::string(8, '\0'));
    EXPECT_EQ(route.read(kUserKey + "Dword"), "263");
    EXPECT_EQ(route.read(kUserKey + "Multi"), "C:\\One Two");
    EXPECT_EQ(route.read(kUserKey + "Binary"), "1 255 0");
    EXPECT_THROW(route.read(kUserKey + "Quad"), RegistryError);
}

TEST_P(RegistryRoutes, TrailingBackslashNamesTheKeyAndItsDefaultValue) {
    route.write(kUserKey + "Sub\\", "default", "REG_SZ");
    EXPECT_EQ(route.read(kUserKey + "Sub\\"), "default");
    route.remove(kUserKey + "Sub\\");
    EXPECT_THROW(route.read(kUserKey + "Sub\\"), RegistryError);
}

INSTANTIATE_TEST_SUITE_P(Win32, RegistryRoutes,
                         ::testing::Values(&ScriptHostRoute, &NativeRoute, &ProbeRoute),
                         [](const auto& info) {
                             const std::string name = info.param().name;
                             return name == "script host" ? std::string("ScriptHost")
                                    : name == "native"    ? "Native"
                                                          : "Probe";
                         });

// Wine's scripting host lacks RegDelete; the probe must notice and delete natively.
TEST(ScriptHostOnWine, DeleteIsUnsupportedRatherThanRefused) {
    const std::string path = kUserKey + "Doomed";
    NativeRegistry().Write(path, "x", "REG_SZ");
    const auto shell = ScriptShellRegistry::Open();
    ASSERT_TRUE(shell);
    try {
        shell->Delete(path);
    } catch (const ScriptShellRegistry::Unsupported&) {
    } catch (const RegistryError& error) {
        ADD_FAILURE() << "a delete the host cannot do was taken for a refusal: " << error.what();
    }
    Win32SystemProbe probe;
    EXPECT_NO_THROW(probe.RegDelete(path));
    EXPECT_THROW(NativeRegistry().Read(path), RegistryError);
    test::DeleteRegistryTree(HKEY_CURRENT_USER, kTestKey);
}

// Without the scripting object, as where Windows Script Host is missing or disabled, the
// probe uses the native registry functions.
TEST(ScriptHostOnWine, ProbeFallsBackWhenTheObjectCannotBeCreated) {
    constexpr const wchar_t* kMissing = L"Galemend.NoSuchScriptHost";
    EXPECT_FALSE(ScriptShellRegistry::Open(kMissing));
    Win32SystemProbe probe(kMissing);
    const std::string path = kUserKey + "Fallback";
    EXPECT_EQ(RegistryAccess(probe, "write", path, "C:\\Games", "REG_SZ"), std::nullopt);
    EXPECT_EQ(NativeRegistry().Read(path), "C:\\Games");
    EXPECT_EQ(RegistryAccess(probe, "read", path, "Path", "string"), "C:\\Games");
    EXPECT_EQ(RegistryAccess(probe, "write", path, "D:\\Games", "string"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "read", path, "Path", "string"), "C:\\Games");
    EXPECT_EQ(RegistryAccess(probe, "delete", path, "", ""), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "read", path, "Path", "string"), std::nullopt);
    test::DeleteRegistryTree(HKEY_CURRENT_USER, kTestKey);
}

// RegistryAccess as start-up uses it, in both registry views of a 64-bit system.
class RegistryAccessOnWine : public ::testing::Test {
  protected:
    static constexpr const char* kNativeView =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\GalemendProbeTest\\corv\\Path";
    static constexpr const char* kWow64View =
        "HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\GalemendProbeTest\\corv\\Path";

    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }
    static void Clean() {
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\GalemendProbeTest");
        test::DeleteRegistryTree(HKEY_LOCAL_MACHINE, "SOFTWARE\\Wow6432Node\\GalemendProbeTest");
    }

    Win32SystemProbe probe;
};

TEST_F(RegistryAccessOnWine, EachViewReadsItsOwnValue) {
    EXPECT_EQ(RegistryAccess(probe, "write", kNativeView, "C:\\Native", "REG_SZ"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "WRITE", kWow64View, "C:\\Wow64", "REG_SZ"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "read", kNativeView, "Path", "string"), "C:\\Native");
    EXPECT_EQ(RegistryAccess(probe, "Read", kWow64View, "Path", "string"), "C:\\Wow64");

    EXPECT_EQ(RegistryAccess(probe, "delete", kWow64View, "", ""), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "read", kWow64View, "Path", "string"), std::nullopt)
        << "the value stored under the other view is not seen here";
    EXPECT_EQ(RegistryAccess(probe, "read", kNativeView, "Path", "string"), "C:\\Native");
}

TEST_F(RegistryAccessOnWine, FailuresComeBackEmpty) {
    EXPECT_EQ(RegistryAccess(probe, "read", kNativeView, "Path", "string"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "write", kNativeView, "C:\\Games", "string"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "read", kNativeView, "Path", "string"), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "delete", kNativeView, "", ""), std::nullopt);
    EXPECT_EQ(RegistryAccess(probe, "query", kNativeView, "x", "REG_SZ"), std::nullopt);
}

}  // namespace
}  // namespace galemend

// The resources of galemend3.exe and galemend2.exe: version, icon and manifest.
#include <windows.h>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/SystemFacts.h"
#include "platform/win32/Win32SystemProbe.h"

namespace galemend::test {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

// The Windows path of a file given by its Unix path: drive Z: is the Unix root.
std::string WindowsPath(std::string path) {
    for (char& c : path) {
        if (c == '/') {
            c = '\\';
        }
    }
    return "Z:" + path;
}

std::string VersionText(const std::string& path, const std::string& name) {
    DWORD ignored = 0;
    const DWORD size = ::GetFileVersionInfoSizeA(path.c_str(), &ignored);
    std::string block(size, '\0');
    if (size == 0 || !::GetFileVersionInfoA(path.c_str(), 0, size, block.data())) {
        return "(no version resource)";
    }
    void* value = nullptr;
    UINT length = 0;
    std::string query = "\\StringFileInfo\\040904b0\\" + name;
    if (!::VerQueryValueA(block.data(), query.data(), &value, &length) || length == 0) {
        return "(no " + name + ")";
    }
    return static_cast<const char*>(value);
}

// A module loaded only for its resources, freed when the object goes.
class ResourceModule {
  public:
    explicit ResourceModule(const std::string& path)
        : module_(::LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE)) {}
    ResourceModule(const ResourceModule&) = delete;
    ResourceModule& operator=(const ResourceModule&) = delete;
    ~ResourceModule() {
        if (module_ != nullptr) {
            ::FreeLibrary(module_);
        }
    }

    // The bytes of a resource, or "" when there is none.
    std::string Bytes(LPCSTR type, LPCSTR name) const {
        const HRSRC found = ::FindResourceA(module_, name, type);
        if (found == nullptr) {
            return {};
        }
        const HGLOBAL loaded = ::LoadResource(module_, found);
        return std::string(static_cast<const char*>(::LockResource(loaded)),
                           ::SizeofResource(module_, found));
    }

  private:
    HMODULE module_;
};

struct Program {
    const char* path;
    const char* name;
    const char* version;
};

class ProgramResources : public ::testing::TestWithParam<Program> {};

TEST_P(ProgramResources, VersionResourceNamesTheProgram) {
    const std::string path = WindowsPath(GetParam().path);
    const std::string name = GetParam().name;
    EXPECT_EQ(VersionText(path, "ProductName"), "galemend");
    EXPECT_EQ(VersionText(path, "ProductVersion"), GetParam().version);
    EXPECT_EQ(VersionText(path, "FileVersion"), GetParam().version);
    EXPECT_EQ(VersionText(path, "InternalName"), name);
    EXPECT_EQ(VersionText(path, "OriginalFilename"), name + ".exe");
    // As the program itself reads the version of an executable.
    const Win32SystemProbe probe;
    EXPECT_EQ(GetFileVersionString(probe, path), std::string(GetParam().version, 1) + ".0.0.0");
}

TEST_P(ProgramResources, IconOf48PixelsIn256Colours) {
    const ResourceModule module(WindowsPath(GetParam().path));
    const std::string group = module.Bytes(RT_GROUP_ICON, MAKEINTRESOURCEA(1));
    ASSERT_GE(group.size(), 6u);
    const auto count = static_cast<unsigned char>(group[4]);
    bool found = false;
    for (unsigned i = 0; i < count && 6 + 14 * (i + 1) <= group.size(); ++i) {
        const char* entry = group.data() + 6 + 14 * i;
        const auto width = static_cast<unsigned char>(entry[0]);
        const auto height = static_cast<unsigned char>(entry[1]);
        const unsigned bits = static_cast<unsigned char>(entry[6]);
        found = found || (width == 48 && height == 48 && bits == 8);
    }
    EXPECT_TRUE(found) << "a 48 x 48 image of 8 bits per pixel";
}

TEST_P(ProgramResources, ManifestAsksForVisualStylesAndDpiAwareness) {
    const ResourceModule module(WindowsPath(GetParam().path));
    const std::string manifest = module.Bytes(RT_MANIFEST, MAKEINTRESOURCEA(1));
    EXPECT_THAT(manifest, HasSubstr("Microsoft.Windows.Common-Controls"));
    EXPECT_THAT(manifest, HasSubstr("<dpiAware"));
    EXPECT_THAT(manifest, HasSubstr("{35138b9a-5d96-4fbd-8e2d-a2440225f93a}")) << "Windows 7";
    // Nothing later than Windows 7, so later Windows keep answering 6.2.
    EXPECT_THAT(manifest, Not(HasSubstr("{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}")));
    EXPECT_THAT(manifest, Not(HasSubstr("{1f676c76-80e1-4239-95bb-83d0f6d0da78}")));
    EXPECT_THAT(manifest, Not(HasSubstr("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}")));
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, ProgramResources,
                         ::testing::Values(Program{GALEMEND3_EXE, "galemend3", "3.00"},
                                           Program{GALEMEND2_EXE, "galemend2", "2.00"}));

}  // namespace
}  // namespace galemend::test
